#include "CKvVerifyStandards.h"

#include "DialogDecoration.h"
#include "TableColumns.h"
#include "ui_CKvVerifyStandards.h"

#include <CKvUtilsBase.h>
#include <CKvValueText.h>

#include <QHeaderView>
#include <QIcon>
#include <QPalette>
#include <QTableWidgetItem>

#include <ResBuf.h>
#include <algorithm>
#include <initializer_list>

namespace {

// The check-mark that tags the plug-in's recommended fix, lent by the host application.
const char kCheckMarkIcon[] = ":/images/style/checkmark.png";

enum ReplaceColumn { CheckColumn, FixNameColumn, StandardsFileColumn, ReplaceColumnCount };
enum PreviewColumn { PropertyColumn, CurrentValueColumn, StandardValueColumn, PreviewColumnCount };

// Pushes the label text to the right of the form's margin, as the violation labels are shown.
QString indented(const QString& text)
{
    return QStringLiteral("  %1").arg(text);
}

// The last component of a standards file path. The paths come from drawings that may have been
// written on Windows, so both separators end a folder name.
QString fileNamePart(const QString& path)
{
    const int slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

void setHeader(QTableWidget* table, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    table->setHorizontalHeaderItem(column, item);
}

void setWidgetsEnabled(std::initializer_list<QWidget*> widgets, bool on)
{
    for (QWidget* widget : widgets) {
        widget->setEnabled(on);
    }
}

// The value at `index`, or null past the end of the sequence.
OdResBufPtr valueAt(const OdArray<OdSmartPtr<OdResBuf>>& values, int index)
{
    return index < static_cast<int>(values.size()) ? values[index] : OdResBufPtr();
}

}  // namespace

CKvVerifyStandards::CKvVerifyStandards(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvVerifyStandards>())
{
    m_ui->setupUi(this);
    resetControls();
    update();

    connect(m_ui->NextIssueButton, &QPushButton::clicked, this, &CKvVerifyStandards::clickedNext);
    connect(m_ui->FixIssueButton, &QPushButton::clicked, this, &CKvVerifyStandards::clickedFix);
    connect(m_ui->OptionsButton, &QPushButton::clicked, this,
            &CKvVerifyStandards::clickedOptionsBtn);
    connect(m_ui->ReplaceWithTableWidget, &QTableWidget::itemSelectionChanged, this,
            &CKvVerifyStandards::FixSelectionChanged);
    connect(m_ui->IgnoreViolationCheckBox, &QCheckBox::clicked, this,
            &CKvVerifyStandards::ViolationIgnoredClicked);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Close), &QPushButton::clicked, this,
            &CKvVerifyStandards::clickedClose);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Help), &QPushButton::clicked, this,
            &CKvVerifyStandards::Help);

    setUpTables();
}

CKvVerifyStandards::~CKvVerifyStandards() = default;

int CKvVerifyStandards::GetHelpId() const
{
    return 3072;
}

void CKvVerifyStandards::setUpTables()
{
    QTableWidget* replace = m_ui->ReplaceWithTableWidget;
    QTableWidget* preview = m_ui->PreviewChangesTableWidget;
    replace->setColumnCount(ReplaceColumnCount);
    preview->setColumnCount(PreviewColumnCount);
    setHeader(replace, CheckColumn, QString());
    enableHeaders(true);
    // The first column holds nothing but the check-mark.
    QHeaderView* header = replace->horizontalHeader();
    header->setTextElideMode(Qt::ElideRight);
    header->setSectionResizeMode(CheckColumn, QHeaderView::Fixed);
    header->resizeSection(CheckColumn, header->minimumSectionSize());
    header->setSectionResizeMode(FixNameColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(StandardsFileColumn, QHeaderView::Interactive);
    KvTableColumns::setUp(*replace);

    preview->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    KvTableColumns::setUp(*preview);
    // The preview is never edited: it keeps the read-only look when the dialog is active too.
    QPalette palette = preview->palette();
    const QColor readOnlyBase = palette.color(QPalette::Disabled, QPalette::Base);
    palette.setColor(QPalette::Active, QPalette::Base, readOnlyBase);
    palette.setColor(QPalette::Inactive, QPalette::Base, readOnlyBase);
    preview->setPalette(palette);
}

void CKvVerifyStandards::setErrorInfoList(OdArray<CKvVerifyStandardsInfo> list)
{
    m_errorInfoList.clear();
    m_currentIndex = -1;
    m_errorInfoList.append(list);
}

bool CKvVerifyStandards::isValid() const
{
    return m_currentIndex >= 0 && m_currentIndex < static_cast<int>(m_errorInfoList.size());
}

void CKvVerifyStandards::disableStatusReport(bool disable)
{
    m_statusReportDisabled = disable;
}

void CKvVerifyStandards::setNoStandardsAttached(bool noStandards)
{
    m_noStandardsAttached = noStandards;
}

void CKvVerifyStandards::paintEvent(QPaintEvent* event)
{
    // The dialog draws nothing of its own: the plain widget's painting, not the dialog's.
    QWidget::paintEvent(event);
}

void CKvVerifyStandards::resetControls()
{
    m_ui->ObjectTypeLabel->clear();
    m_ui->ObjectNameLabel->clear();
    m_ui->ProblemDescLabel->clear();
    m_ui->IgnoredByLoginNameLabel->clear();
    m_ui->ReplaceWithTableWidget->clearContents();
    m_ui->PreviewChangesTableWidget->clearContents();
    m_ui->IgnoreViolationCheckBox->setChecked(false);
}

void CKvVerifyStandards::fillControls()
{
    resetControls();
    FillReplaceWithTable();
    if (isValid()) {
        FillPropertyDiffTable(m_errorInfoList[m_currentIndex].getRecommendedFixIdx());
    }
    update();
}

void CKvVerifyStandards::FixSelectionChanged()
{
    m_ui->PreviewChangesTableWidget->clearContents();
    FillPropertyDiffTable(m_ui->ReplaceWithTableWidget->currentRow());
    update();
}

void CKvVerifyStandards::FillReplaceWithTable()
{
    if (!isValid()) {
        return;
    }
    QTableWidget* table = m_ui->ReplaceWithTableWidget;
    table->clearContents();
    const CKvVerifyStandardsInfo info = m_errorInfoList[m_currentIndex];
    const OdSmartPtr<CKvStdsError> pError = info.getError();
    if (pError.isNull()) {
        return;
    }
    const QString objectType = pError->GetObjectType().toQString();
    m_ui->ObjectTypeLabel->setText(tr("%1:").arg(objectType));
    m_ui->ObjectNameLabel->setText(pError->GetObjectName().toQString());
    m_ui->ProblemDescLabel->setText(pError->GetDescription().toQString());

    const OdArray<OdSmartPtr<CKvStdsFix>> fixes = info.getFixArray();
    const int recommended = info.getRecommendedFixIdx();
    table->setRowCount(static_cast<int>(fixes.size()));
    // The fixes' column reads as the kind of record ("Layer"), not "Object Name".
    setHeader(table, FixNameColumn, objectType);
    for (int row = 0; row < static_cast<int>(fixes.size()); ++row) {
        const OdSmartPtr<CKvStdsFix>& pFix = fixes[row];
        auto* check = new QTableWidgetItem(QString());
        if (row == recommended) {
            check->setIcon(QIcon(QString::fromLatin1(kCheckMarkIcon)));
        }
        table->setItem(row, CheckColumn, check);
        const QString name = pFix.isNull() ? QString() : pFix->GetFixObjectName().toQString();
        const QString file =
            pFix.isNull() ? QString() : fileNamePart(pFix->GetStandardsFile().toQString());
        table->setItem(row, FixNameColumn, new QTableWidgetItem(name));
        table->setItem(row, StandardsFileColumn, new QTableWidgetItem(file));
    }
    KvTableColumns::fitToContents(*table, FixNameColumn);
    // The table starts at the top for every violation; the recommended fix is brought into view
    // even far down a long list.
    table->scrollToTop();
    if (recommended >= 0 && recommended < table->rowCount()) {
        table->selectRow(recommended);
        table->scrollToItem(table->item(recommended, CheckColumn));
    }
    m_ui->IgnoreViolationCheckBox->setEnabled(true);
    m_ui->IgnoreViolationCheckBox->setChecked(info.getIsIgnored());
}

void CKvVerifyStandards::FillPropertyDiffTable(int fixIndex)
{
    if (!isValid()) {
        return;
    }
    QTableWidget* table = m_ui->PreviewChangesTableWidget;
    if (fixIndex < 0) {
        table->clearContents();
        return;
    }
    const CKvVerifyStandardsInfo info = m_errorInfoList[m_currentIndex];
    const OdArray<OdSmartPtr<CKvStdsFix>> fixes = info.getFixArray();
    const OdSmartPtr<CKvStdsError> pError = info.getError();
    const OdSmartPtr<CKvStdsPlugins> pPlugin = info.getCurrentPlugin();
    if (fixIndex >= static_cast<int>(fixes.size()) || pError.isNull() || pPlugin.isNull()) {
        return;
    }
    std::vector<CKvString> names;
    OdArray<OdSmartPtr<OdResBuf>> currentValues;
    OdArray<OdSmartPtr<OdResBuf>> standardValues;
    std::vector<CKvString> unused;
    pPlugin->GetPropertyDiffs(pError, fixes[fixIndex], names, currentValues, standardValues,
                              unused);
    table->setRowCount(static_cast<int>(names.size()));
    for (int row = 0; row < static_cast<int>(names.size()); ++row) {
        const OdResBufPtr pCurrent = valueAt(currentValues, row);
        const OdResBufPtr pStandard = valueAt(standardValues, row);
        // Values of different kinds cannot be compared side by side: the row stays empty but
        // keeps its place, so the rows after it still line up with their properties.
        if (pCurrent.isNull() || pStandard.isNull() ||
            pCurrent->restype() != pStandard->restype()) {
            continue;
        }
        table->setItem(row, PropertyColumn, new QTableWidgetItem(names[row].toQString()));
        table->setItem(row, CurrentValueColumn,
                       new QTableWidgetItem(valueText(pCurrent).toQString()));
        table->setItem(row, StandardValueColumn,
                       new QTableWidgetItem(valueText(pStandard).toQString()));
    }
    KvTableColumns::fitToContents(*table, PropertyColumn);
}

void CKvVerifyStandards::update()
{
    if (!isValid()) {
        resetControls();
        setWidgetsEnabled({m_ui->FixIssueButton, m_ui->ObjectNameLabel, m_ui->ProblemDescLabel,
                           m_ui->ReplaceWithTableWidget, m_ui->PreviewChangesTableWidget,
                           m_ui->IgnoreViolationCheckBox},
                          false);
        m_ui->IgnoredByLoginNameLabel->clear();
        m_ui->label_5->clear();
        return;
    }
    const CKvVerifyStandardsInfo info = m_errorInfoList[m_currentIndex];
    const OdSmartPtr<CKvStdsError> pError = info.getError();
    if (!pError.isNull()) {
        m_ui->ObjectTypeLabel->setText(
            indented(tr("%1:").arg(pError->GetObjectType().toQString())));
        m_ui->ObjectNameLabel->setText(pError->GetObjectName().toQString());
        m_ui->ProblemDescLabel->setText(indented(pError->GetDescription().toQString()));

        const QTableWidget* table = m_ui->ReplaceWithTableWidget;
        const QTableWidgetItem* current = table->item(table->currentRow(), table->currentColumn());
        const bool fixSelected = current != nullptr && current->isSelected();
        const bool ignored = m_ui->IgnoreViolationCheckBox->isChecked();
        if (!ignored && fixSelected) {
            m_ui->IgnoredByLoginNameLabel->clear();
            m_ui->label_5->clear();
            m_ui->FixIssueButton->setEnabled(true);
        } else if (ignored) {
            const CKvString storedName = info.getIgnoredByUserName();
            const CKvString name = storedName.isEmpty() ? CKvUtilsBase::getUserName() : storedName;
            m_ui->IgnoredByLoginNameLabel->setText(name.toQString());
            m_ui->label_5->setText(tr("Ignored by:"));
            m_ui->FixIssueButton->setEnabled(fixSelected);
        } else {
            m_ui->IgnoredByLoginNameLabel->clear();
            m_ui->label_5->clear();
            m_ui->FixIssueButton->setEnabled(false);
        }
    }
    setWidgetsEnabled({m_ui->ObjectTypeLabel, m_ui->ObjectNameLabel, m_ui->ProblemDescLabel,
                       m_ui->ReplaceWithTableWidget, m_ui->PreviewChangesTableWidget,
                       m_ui->IgnoreViolationCheckBox, m_ui->label_3, m_ui->label_2, m_ui->label},
                      true);
}

void CKvVerifyStandards::enableControls(bool on)
{
    if (!on) {
        resetControls();
        m_ui->ProblemDescLabel->clear();
    }
    // The problem text stays enabled when switched off: it may still have to tell that the
    // drawing has no standards files.
    setWidgetsEnabled({m_ui->FixIssueButton, m_ui->NextIssueButton, m_ui->ObjectNameLabel,
                       m_ui->ReplaceWithTableWidget, m_ui->PreviewChangesTableWidget,
                       m_ui->IgnoreViolationCheckBox, m_ui->label_3, m_ui->label_2, m_ui->label},
                      on);
    if (on) {
        m_ui->ProblemDescLabel->setEnabled(true);
    }
    if (!on || !m_ui->IgnoreViolationCheckBox->isChecked()) {
        m_ui->label_5->clear();
        m_ui->IgnoredByLoginNameLabel->clear();
    }
    enableHeaders(on);
}

void CKvVerifyStandards::enableHeaders(bool on)
{
    QTableWidget* replace = m_ui->ReplaceWithTableWidget;
    QTableWidget* preview = m_ui->PreviewChangesTableWidget;
    setHeader(replace, FixNameColumn, on ? tr("Object Name") : QString());
    setHeader(replace, StandardsFileColumn, on ? tr("Standards File") : QString());
    setHeader(preview, PropertyColumn, on ? tr("Property") : QString());
    setHeader(preview, CurrentValueColumn, on ? tr("Current Value") : QString());
    setHeader(preview, StandardValueColumn, on ? tr("Standard Value") : QString());
}
