#include "ui_CKvStandardsConfigDialog.h"

#include <CKvDocument.h>
#include <CKvMessageBox.h>
#include <CKvStandardsConfigDialog.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QListWidgetItem>
#include <QStyle>
#include <QTreeWidgetItem>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// The preferred file as the combo box holds it: empty for none.
QString preferredFileOf(const CKvStandardsSettings& settings)
{
    const CKvString preferred = settings.preferredStandardsFile();
    return preferred.CompareNoCase(CKvString(CKvStandardsSettings::kNoPreferredFile)) == 0
               ? QString()
               : preferred.toQString();
}

// The entry holding that file, ignoring case as the manager compares the preferred file; -1 when
// none does.
int preferredFileIndex(const QComboBox& combo, const QString& file)
{
    for (int i = 0; i < combo.count(); ++i) {
        if (CKvString(combo.itemData(i).toString()).CompareNoCase(CKvString(file)) == 0) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CKvStandardsConfigDialog::CKvStandardsConfigDialog(CKvDocument* document, CKvStdsManager* manager,
                                                   const CKvStandardsSettings& settings, int page,
                                                   QWidget* parent)
    : CKvDialog(parent)
    , m_ui(std::make_unique<Ui_CKvStandardsConfigDialog>())
    , m_model(document, manager, settings)
{
    m_ui->setupUi(this);
    if (document != nullptr && !document->fileName().isEmpty()) {
        m_startFolder = QFileInfo(document->fileName().toQString()).absolutePath();
    }
    const bool isPage = page >= StandardsFilesPage && page <= SettingsPage;
    m_ui->ConfigTabs->setCurrentIndex((isPage ? page : StandardsFilesPage) - 1);

    showStandardsFiles(CKvString());
    showPlugins();
    m_ui->PreferredFileCombo->setCurrentIndex(
        std::max(0, preferredFileIndex(*m_ui->PreferredFileCombo, preferredFileOf(settings))));
    m_ui->AutomaticFixCheckBox->setChecked(settings.automaticFix());
    m_ui->ShowIgnoredCheckBox->setChecked(settings.showIgnored());

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this,
            &CKvStandardsConfigDialog::applyAndAccept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CKvStandardsConfigDialog::reject);
    connect(m_ui->AddFileButton, &QPushButton::clicked, this,
            &CKvStandardsConfigDialog::addStandardsFiles);
    connect(m_ui->RemoveFileButton, &QPushButton::clicked, this,
            &CKvStandardsConfigDialog::removeStandardsFile);
    connect(m_ui->MoveUpButton, &QPushButton::clicked, this,
            &CKvStandardsConfigDialog::moveStandardsFileUp);
    connect(m_ui->MoveDownButton, &QPushButton::clicked, this,
            &CKvStandardsConfigDialog::moveStandardsFileDown);
    connect(m_ui->StandardsFilesList, &QListWidget::currentRowChanged, this,
            &CKvStandardsConfigDialog::updateControls);
    connect(m_ui->PluginList, &QTreeWidget::currentItemChanged, this,
            &CKvStandardsConfigDialog::showPluginDescription);
    updateControls();
}

CKvStandardsConfigDialog::~CKvStandardsConfigDialog() = default;

CKvStandardsConfigDialog::Page CKvStandardsConfigDialog::currentPage() const
{
    return static_cast<Page>(m_ui->ConfigTabs->currentIndex() + 1);
}

QStringList CKvStandardsConfigDialog::chooseStandardsFiles()
{
    return QFileDialog::getOpenFileNames(this, tr("Add Standards Files"), m_startFolder,
                                         tr("Standards files (*.dws *.dxf)"));
}

void CKvStandardsConfigDialog::addStandardsFiles()
{
    CKvString last;
    for (const QString& file : chooseStandardsFiles()) {
        const CKvString path(file);
        if (path.isEmpty()) {
            continue;
        }
        // A file already associated is not added again; it is selected instead.
        m_model.addStandardsFile(path);
        last = path;
    }
    if (!last.isEmpty()) {
        showStandardsFiles(last);
    }
}

void CKvStandardsConfigDialog::removeStandardsFile()
{
    const int row = m_ui->StandardsFilesList->currentRow();
    if (!m_model.removeStandardsFile(currentStandardsFile())) {
        return;
    }
    // The file that took its place stays selected, or the new last one.
    const std::vector<CKvString> files = m_model.standardsFiles();
    showStandardsFiles(files.empty()
                           ? CKvString()
                           : files[std::min(static_cast<std::size_t>(row), files.size() - 1)]);
}

void CKvStandardsConfigDialog::moveStandardsFileUp()
{
    const CKvString path = currentStandardsFile();
    if (m_model.moveStandardsFileUp(path)) {
        showStandardsFiles(path);
    }
}

void CKvStandardsConfigDialog::moveStandardsFileDown()
{
    const CKvString path = currentStandardsFile();
    if (m_model.moveStandardsFileDown(path)) {
        showStandardsFiles(path);
    }
}

void CKvStandardsConfigDialog::applyAndAccept()
{
    QTreeWidget* plugins = m_ui->PluginList;
    for (int i = 0; i < plugins->topLevelItemCount(); ++i) {
        m_model.setPluginEnabled(static_cast<std::size_t>(i),
                                 plugins->topLevelItem(i)->checkState(NameColumn) == Qt::Checked);
    }
    m_model.setPreferredStandardsFile(
        CKvString(m_ui->PreferredFileCombo->currentData().toString()));
    m_model.setAutomaticFix(m_ui->AutomaticFixCheckBox->isChecked());
    m_model.setShowIgnored(m_ui->ShowIgnoredCheckBox->isChecked());
    if (!m_model.apply()) {
        CKvMessageBox::warning(this, windowTitle(),
                               tr("The standards settings could not be saved to %1.")
                                   .arg(CKvStandardsSettings::filePath()));
    }
    accept();
}

void CKvStandardsConfigDialog::showStandardsFiles(const CKvString& current)
{
    QListWidget* list = m_ui->StandardsFilesList;
    list->clear();
    for (const CKvString& path : m_model.standardsFiles()) {
        auto* item = new QListWidgetItem(path.toQString(), list);
        item->setData(Qt::UserRole, path.toQString());
        if (!m_model.isStandardsFileFound(path)) {
            item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this));
            item->setToolTip(tr("File not found: %1").arg(path.toQString()));
        }
        if (path == current) {
            list->setCurrentItem(item);
        }
    }
    showPreferredFiles();
    updateControls();
}

void CKvStandardsConfigDialog::showPlugins()
{
    QTreeWidget* list = m_ui->PluginList;
    for (const CKvStandardsConfigModel::PluginState& state : m_model.plugins()) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(NameColumn, state.plugin->Name().toQString());
        item->setText(VersionColumn, state.plugin->Version().toQString());
        const QString description = state.plugin->Description().toQString();
        item->setToolTip(NameColumn, description);
        item->setToolTip(VersionColumn, description);
        item->setData(NameColumn, Qt::UserRole, description);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(NameColumn, state.enabled ? Qt::Checked : Qt::Unchecked);
    }
    list->resizeColumnToContents(NameColumn);
    if (list->topLevelItemCount() > 0) {
        list->setCurrentItem(list->topLevelItem(0));
    }
    showPluginDescription();
}

void CKvStandardsConfigDialog::showPreferredFiles()
{
    QComboBox* combo = m_ui->PreferredFileCombo;
    // The choice survives edits of the list: a preferred file is the user's, not the drawing's.
    const QString chosen = combo->currentData().toString();
    combo->clear();
    combo->addItem(tr("None"), QString());
    for (const CKvString& path : m_model.standardsFiles()) {
        combo->addItem(path.toQString(), path.toQString());
    }
    const QString preferred = preferredFileOf(m_model.settings());
    for (const QString& kept : {preferred, chosen}) {
        if (!kept.isEmpty() && preferredFileIndex(*combo, kept) < 0) {
            combo->addItem(kept, kept);
        }
    }
    combo->setCurrentIndex(std::max(0, preferredFileIndex(*combo, chosen)));
}

void CKvStandardsConfigDialog::showPluginDescription()
{
    const QTreeWidgetItem* item = m_ui->PluginList->currentItem();
    if (m_ui->PluginList->topLevelItemCount() == 0) {
        m_ui->PluginDescriptionLabel->setText(tr("No standards plug-ins are loaded."));
    } else {
        m_ui->PluginDescriptionLabel->setText(
            item != nullptr ? item->data(NameColumn, Qt::UserRole).toString() : QString());
    }
}

void CKvStandardsConfigDialog::updateControls()
{
    const bool drawing = m_model.hasDrawing();
    const int row = m_ui->StandardsFilesList->currentRow();
    const int count = m_ui->StandardsFilesList->count();
    const bool selected = drawing && row >= 0;
    m_ui->NoDrawingLabel->setVisible(!drawing);
    m_ui->StandardsFilesLabel->setEnabled(drawing);
    m_ui->StandardsFilesList->setEnabled(drawing);
    m_ui->AddFileButton->setEnabled(drawing);
    m_ui->RemoveFileButton->setEnabled(selected);
    m_ui->MoveUpButton->setEnabled(selected && row > 0);
    m_ui->MoveDownButton->setEnabled(selected && row + 1 < count);
}

CKvString CKvStandardsConfigDialog::currentStandardsFile() const
{
    const QListWidgetItem* item = m_ui->StandardsFilesList->currentItem();
    return item != nullptr ? CKvString(item->data(Qt::UserRole).toString()) : CKvString();
}
