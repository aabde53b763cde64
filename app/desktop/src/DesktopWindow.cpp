#include "DesktopWindow.h"

#include "CommandLine.h"
#include "DesktopCommands.h"
#include "DrawingWatcher.h"
#include "RecordTableModel.h"
#include "ViolationMarks.h"

#include <CKvCommand.h>
#include <CKvDocument.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <CKvString.h>
#include <CKvTranslator.h>
#include <DbSymbolTable.h>

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <ResBuf.h>
#include <algorithm>

namespace {

// The configuration commands: after them the association, the enabled plug-ins or the preferred
// file may differ, so every record is checked again.
const char* const kConfigurationCommands[] = {"_DWGSTANDARDS", "_DRAWINGSTANDARDS"};

// A word as it would be typed: quoted when it holds blanks or is empty.
QString typedWord(const QString& word)
{
    return word.isEmpty() || word.contains(QLatin1Char(' '))
               ? QLatin1Char('"') + word + QLatin1Char('"')
               : word;
}

bool containsIgnoringCase(const QStringList& names, const char* name)
{
    return names.contains(QLatin1String(name), Qt::CaseInsensitive);
}

}  // namespace

// The desktop's catalogues are compiled into this static library and registered once, outside
// any namespace as Qt's resource registration requires.
static std::unique_ptr<CKvTranslator> desktopTexts()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(kvcad_translations);
        return true;
    }();
    Q_UNUSED(registered);
    return std::make_unique<CKvTranslator>(QStringLiteral("kvcad"));
}

DesktopWindow::DesktopWindow(CKvSystemServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_texts(desktopTexts())
    , m_services(services)
    , m_marks(std::make_unique<ViolationMarks>())
    , m_commandLine(new CommandLine(this))
{
    setObjectName(QStringLiteral("DesktopWindow"));
    m_commands = std::make_unique<DesktopCommands>(
        DesktopCommands::Host{[this](const QString& line) { m_commandLine->print(line); },
                              [this](const QString& path) { return save(path); }});
    m_watcher = std::make_unique<DrawingWatcher>(
        services.commandProcessor(),
        [this](const DrawingChanges& changes) { commandsEnded(changes); });

    buildTables();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_commandLine);
    setCentralWidget(central);
    buildMenus();
    buildStatusBar();
    connect(m_commandLine, &CommandLine::entered, this,
            [this](const QString& line) { runCommandLine(line); });

    m_services.setMainWindow(this);
    resize(1000, 700);
    updateStandardsStatus();
    updateTitleAndActions();
}

DesktopWindow::~DesktopWindow()
{
    m_watcher->watch(nullptr);
    if (m_document) {
        m_services.documentManager()->close(m_document);
    }
    if (m_services.mainWindow() == this) {
        m_services.setMainWindow(nullptr);
    }
}

void DesktopWindow::buildTables()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("RecordTabs"));
    for (const RecordKind& kind : recordKinds()) {
        auto* view = new QTableView(m_tabs);
        view->setObjectName(QLatin1String(kind.key) + QStringLiteral("Table"));
        auto* model = new RecordTableModel(
            kind, *m_marks,
            [this](const QStringList& words) {
                return runCommand(words) == CKvCommand::kResultNormal;
            },
            view);
        view->setModel(model);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        view->verticalHeader()->hide();
        m_tabs->addTab(view, kind.shownTitle());
        m_tables.push_back({model, view});
    }
}

QAction* DesktopWindow::addCommandAction(QMenu* menu, const char* objectName, const QString& text,
                                         const QString& commandLine)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    connect(action, &QAction::triggered, this,
            [this, commandLine] { runCommandLine(commandLine); });
    return action;
}

void DesktopWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("&Open..."), this, &DesktopWindow::openChosenDrawing);
    open->setObjectName(QStringLiteral("actionOpen"));
    open->setShortcut(QKeySequence::Open);
    m_recentMenu = file->addMenu(tr("Open &Recent"));
    m_recentMenu->setObjectName(QStringLiteral("menuRecentFiles"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &DesktopWindow::showRecentFiles);
    QAction* save = addCommandAction(file, "actionSave", tr("&Save"), QStringLiteral("_QSAVE"));
    save->setShortcut(QKeySequence::Save);
    QAction* saveAs = file->addAction(tr("Save &As..."), this, &DesktopWindow::saveDrawingAs);
    saveAs->setObjectName(QStringLiteral("actionSaveAs"));
    saveAs->setShortcut(QKeySequence::SaveAs);
    file->addSeparator();
    QAction* quit = file->addAction(tr("E&xit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    m_undoAction = addCommandAction(edit, "actionUndo", tr("&Undo"), QStringLiteral("_UNDO"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    edit->addSeparator();
    QAction* add = edit->addAction(tr("&Add Record..."), this, &DesktopWindow::addRecord);
    add->setObjectName(QStringLiteral("actionAddRecord"));
    add->setShortcut(Qt::Key_Insert);
    QAction* rename = edit->addAction(tr("&Rename Record"), this, &DesktopWindow::renameRecord);
    rename->setObjectName(QStringLiteral("actionRenameRecord"));
    rename->setShortcut(Qt::Key_F2);
    QAction* remove = edit->addAction(tr("&Delete Record"), this, &DesktopWindow::deleteRecord);
    remove->setObjectName(QStringLiteral("actionDeleteRecord"));
    remove->setShortcut(QKeySequence::Delete);

    QMenu* standards = menuBar()->addMenu(tr("&Standards"));
    addCommandAction(standards, "actionDrawingStandards", tr("&Drawing Standards..."),
                     QStringLiteral("_DRAWINGSTANDARDS"));
    addCommandAction(standards, "actionVerifyStandards", tr("&Verify Standards..."),
                     QStringLiteral("_VERIFYSTANDARDS"));
    standards->addSeparator();
    addCommandAction(standards, "actionStandardsFiles", tr("Standards &Files..."),
                     QStringLiteral("_DWGSTANDARDS 1"));
    addCommandAction(standards, "actionStandardsPlugins", tr("Standards &Plug-ins..."),
                     QStringLiteral("_DWGSTANDARDS 2"));
    addCommandAction(standards, "actionStandardsSettings", tr("Standards S&ettings..."),
                     QStringLiteral("_DWGSTANDARDS 3"));
}

void DesktopWindow::buildStatusBar()
{
    m_standardsStatus = new QToolButton(this);
    m_standardsStatus->setObjectName(QStringLiteral("StandardsStatusButton"));
    m_standardsStatus->setAutoRaise(true);
    m_standardsStatus->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_standardsStatus, &QToolButton::clicked, this,
            [this] { runCommandLine(QStringLiteral("_DWGSTANDARDS 1")); });
    statusBar()->addPermanentWidget(m_standardsStatus);
}

int DesktopWindow::runCommandLine(const QString& line)
{
    const OdResBufPtr chain = CKvCommandProcessor::parseCommandLine(CKvString(line));
    return chain.isNull() ? CKvCommand::kResultRejected : runChain(line, chain);
}

int DesktopWindow::runCommand(const QStringList& words)
{
    OdResBufPtr head;
    OdResBufPtr tail;
    QStringList typed;
    for (const QString& word : words) {
        const OdResBufPtr item = OdResBuf::newRb(OdResBuf::kRtString, CKvString(word).toOdString());
        tail = tail.isNull() ? (head = item) : tail->setNext(item);
        typed << typedWord(word);
    }
    if (head.isNull()) {
        return CKvCommand::kResultRejected;
    }
    tail->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
    return runChain(typed.join(QLatin1Char(' ')), head);
}

int DesktopWindow::runChain(const QString& echo, const OdResBufPtr& chain)
{
    m_commandLine->print(tr("Command: %1").arg(echo));
    CKvCommandProcessor& processor = m_services.commandProcessor();
    const int result = processor.runCommandChain(chain.get());
    switch (result) {
        case CKvCommand::kResultRejected:
            m_commandLine->print(
                tr("Unknown command \"%1\".").arg(CKvString(chain->getString()).toQString()));
            break;
        case CKvCommand::kResultCancel:
            m_commandLine->print(tr("*Cancel*"));
            break;
        case CKvCommand::kResultFailed:
            m_commandLine->print(
                tr("The command failed: %1").arg(processor.lastFailure().toQString()));
            break;
        default:
            break;
    }
    updateTitleAndActions();
    return result;
}

void DesktopWindow::commandsEnded(const DrawingChanges& changes)
{
    if (!m_document) {
        return;
    }
    if (changes.drawingChanged) {
        m_modified = true;
        const bool undoable = std::all_of(changes.commands.begin(), changes.commands.end(),
                                          &DesktopCommands::keepsHistory);
        if (!undoable) {
            m_commands->clearHistory();
        }
    }
    for (Table& table : m_tables) {
        if (changes.rowsChanged) {
            table.model->reload();
        }
    }
    const bool configured =
        std::any_of(std::begin(kConfigurationCommands), std::end(kConfigurationCommands),
                    [&](const char* name) { return containsIgnoringCase(changes.commands, name); });
    if (configured) {
        checkAllRecords();
    } else if (!changes.records.empty()) {
        OdDbObjectIdArray ids;
        for (const OdDbObjectId& id : changes.records) {
            ids.append(id);
        }
        CKvStdsManager* manager = GetKvStandardManager();
        if (manager) {
            showCheckProblem(m_marks->checkRecords(*m_document, *manager, ids));
        }
        for (Table& table : m_tables) {
            table.model->recordsChanged(changes.records);
        }
    }
    updateStandardsStatus();
    updateTitleAndActions();
}

void DesktopWindow::drawingReplaced()
{
    OdDbDatabase* db = m_document ? m_document->database() : nullptr;
    m_watcher->watch(db);
    m_commands->clearHistory();
    m_modified = false;
    m_marks->clear();
    checkAllRecords();
    for (Table& table : m_tables) {
        table.model->setDrawing(db);
        table.view->resizeColumnsToContents();
    }
    updateStandardsStatus();
    updateTitleAndActions();
}

void DesktopWindow::checkAllRecords()
{
    CKvStdsManager* manager = GetKvStandardManager();
    if (!m_document || !manager) {
        m_marks->clear();
    } else {
        showCheckProblem(m_marks->checkAll(*m_document, *manager));
    }
    for (Table& table : m_tables) {
        table.model->marksChanged();
    }
}

void DesktopWindow::showCheckProblem(const QString& problem)
{
    if (!problem.isEmpty()) {
        m_commandLine->print(tr("The standards check stopped: %1").arg(problem));
    }
}

void DesktopWindow::updateStandardsStatus()
{
    OdDbDatabase* db = m_document ? m_document->database() : nullptr;
    QStringList found;
    QStringList missing;
    QStringList tips;
    if (db) {
        for (const CKvString& path : CKvStandardsAssociation(db).paths()) {
            const QString shown = path.toQString();
            const bool exists =
                QFileInfo(shown).isFile() || !m_services.findFile(path, db).isEmpty();
            (exists ? found : missing) << QFileInfo(shown).fileName();
            tips << (exists ? shown : tr("%1 (missing)").arg(shown));
        }
    }
    QString text = tr("No standards files");
    if (!missing.isEmpty()) {
        text = tr("Standards file missing: %1").arg(missing.join(QStringLiteral(", ")));
    } else if (!found.isEmpty()) {
        text = tr("Standards: %1").arg(found.join(QStringLiteral(", ")));
    }
    m_standardsStatus->setText(text);
    m_standardsStatus->setToolTip(tips.isEmpty()
                                      ? tr("The drawing is associated with no standards files.")
                                      : tips.join(QLatin1Char('\n')));
    m_standardsStatus->setIcon(
        missing.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_standardsStatus->setEnabled(db != nullptr);
}

void DesktopWindow::updateTitleAndActions()
{
    const QString name =
        m_document ? QFileInfo(m_document->fileName().toQString()).fileName() : QString();
    setWindowTitle(name.isEmpty() ? QStringLiteral("kvcad")
                                  : QStringLiteral("%1[*] - kvcad").arg(name));
    setWindowModified(m_modified);
    const QString next = m_commands->nextUndo();
    m_undoAction->setEnabled(!next.isEmpty());
    m_undoAction->setText(next.isEmpty() ? tr("&Undo") : tr("&Undo: %1").arg(next));
}

DesktopWindow::Table& DesktopWindow::currentTable()
{
    return m_tables.at(static_cast<size_t>(std::max(0, m_tabs->currentIndex())));
}

void DesktopWindow::addRecord()
{
    Table& table = currentTable();
    const RecordKind& kind = table.model->kind();
    const QString name = askRecordName(kind.shownNoun());
    if (name.isEmpty() || !m_document ||
        runCommand({QStringLiteral("_ADDRECORD"), QLatin1String(kind.key), name}) !=
            CKvCommand::kResultNormal) {
        return;
    }
    const OdDbSymbolTablePtr records =
        OdDbSymbolTable::cast((m_document->database()->*kind.tableId)().safeOpenObject().get());
    const int row = table.model->rowOf(records->getAt(CKvString(name).toOdString()));
    table.view->selectRow(row);
}

void DesktopWindow::renameRecord()
{
    Table& table = currentTable();
    const QModelIndex current = table.view->currentIndex();
    if (current.isValid()) {
        table.view->edit(table.model->index(current.row(), RecordTableModel::NameColumn));
    }
}

void DesktopWindow::deleteRecord()
{
    Table& table = currentTable();
    const QModelIndex current = table.view->currentIndex();
    if (current.isValid()) {
        runCommand({QStringLiteral("_DELETERECORD"), QLatin1String(table.model->kind().key),
                    table.model->nameAt(current.row())});
    }
}
