#include "DesktopScenario.h"

#include "LoadedModule.h"
#include "WidgetChecks.h"

#include <CKvStandardsSettings.h>
#include <CKvString.h>
#include <DbDatabase.h>

#include <QFile>
#include <QLibraryInfo>

HostSession::HostSession() : m_services(CKvString(KV_RESOURCE_DIR))
{
    SetKvSystemServices(&m_services);
    m_services.registerHostCommands();
    load();
}

HostSession::~HostSession()
{
    unload();
    SetKvSystemServices(nullptr);
}

void HostSession::load()
{
    m_qtTexts = std::make_unique<CKvTranslator>(
        QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    m_hostTexts = std::make_unique<CKvTranslator>(QStringLiteral("kvhost"));
    m_module = std::make_unique<LoadedModule>();
    m_module->load();
}

void HostSession::unload()
{
    m_module.reset();
    m_hostTexts.reset();
    m_qtTexts.reset();
}

void HostSession::reload(const QLocale& locale)
{
    unload();
    QLocale::setDefault(locale);
    load();
}

QString ScriptedWindow::chooseFileToOpen()
{
    return filesToOpen.isEmpty() ? QString() : filesToOpen.takeFirst();
}

QString ScriptedWindow::chooseFileToSaveAs()
{
    return filesToSaveAs.isEmpty() ? QString() : filesToSaveAs.takeFirst();
}

QString ScriptedWindow::askRecordName(const QString&)
{
    return recordNames.isEmpty() ? QString() : recordNames.takeFirst();
}

DialogAnswers::Answer keepObjectUnchanged()
{
    return [](QDialog& dialog) { clickButton(dialog, QDialogButtonBox::Ok); };
}

DialogAnswers::Answer pictureThen(const QString& picture, QDialogButtonBox::StandardButton which)
{
    return [picture, which](QDialog& dialog) {
        saveScreenshot(dialog, picture);
        clickButton(dialog, which);
    };
}

DesktopScenario::DesktopScenario(HostSession& session,
                                 const std::function<void(OdDbDatabase&)>& prepare)
{
    for (const char* name : {"office.dxf", "office-standards.dws"}) {
        QFile::copy(QStringLiteral(KV_EXAMPLES_DIR "/") + name, path(QLatin1String(name)));
    }
    if (prepare) {
        const OdDbDatabasePtr db = OdDbDatabase::readFile(CKvString(drawing()).toOdString());
        prepare(*db);
        db->writeFile(CKvString(drawing()).toOdString());
    }
    window = std::make_unique<ScriptedWindow>(session.services());
    m_ready = window->openDrawing(drawing());
}

DesktopScenario::~DesktopScenario()
{
    // The window saves the user's choices as it closes: into the test's own settings folder.
    window.reset();
}

QTableView* DesktopScenario::table(const char* kind) const
{
    return window->findChild<QTableView*>(QLatin1String(kind) + QStringLiteral("Table"));
}

QModelIndex DesktopScenario::cell(const char* kind, const QString& name, int column) const
{
    const QTableView* view = table(kind);
    const QAbstractItemModel* model = view ? view->model() : nullptr;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        if (model->index(row, 1).data().toString() == name) {
            return model->index(row, column);
        }
    }
    return QModelIndex();
}

QString DesktopScenario::row(const char* kind, const QString& name) const
{
    const QModelIndex record = cell(kind, name);
    if (!record.isValid()) {
        return QStringLiteral("(no row %1)").arg(name);
    }
    QStringList cells;
    for (int column = 0; column < record.model()->columnCount(); ++column) {
        const QModelIndex cell = record.siblingAtColumn(column);
        const QVariant check = cell.data(Qt::CheckStateRole);
        if (column == 0) {
            const QString mark = cell.data().toString();
            cells << (mark.isEmpty() ? QString() : (mark == QLatin1String("Ignored") ? "~" : "!"));
        } else if (check.isValid()) {
            cells << (check.toInt() == Qt::Checked ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
        } else {
            cells << cell.data().toString();
        }
    }
    return cells.join(QLatin1Char('|'));
}

QString DesktopScenario::commandHistory() const
{
    const auto* history = window->findChild<QWidget*>(QStringLiteral("CommandHistory"));
    return history ? history->property("plainText").toString() : QString();
}
