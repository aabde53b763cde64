// The desktop tests' fixture: the host's services with the standards module loaded as kvcad
// loads it, the office example drawing and its standards file in a folder of the test's own, a
// settings folder of its own, and the window with the user's choices (files, names) scripted.
// Dialogs the window opens are answered in turn by DialogAnswers.
#ifndef KV_DESKTOP_SCENARIO_H
#define KV_DESKTOP_SCENARIO_H

#include "HostDoubles.h"
#include "WidgetChecks.h"

#include <CKvSystemServices.h>
#include <CKvTranslator.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QLocale>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>

#include <DesktopWindow.h>
#include <functional>
#include <memory>

class LoadedModule;

// The host's services, its texts and the standards module, for the whole test program. reload()
// starts the module again, as for a user of that locale (the host and the module pick their
// texts when they start, the window when it opens).
class HostSession
{
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    CKvSystemServices& services() { return m_services; }
    void reload(const QLocale& locale);

private:
    void load();
    void unload();

    CKvSystemServices m_services;
    std::unique_ptr<CKvTranslator> m_qtTexts;
    std::unique_ptr<CKvTranslator> m_hostTexts;
    std::unique_ptr<LoadedModule> m_module;
};

// The window with the user's answers scripted: the files picked to open and to save as, and the
// names given to new records (each used once, in order; empty when none is left).
class ScriptedWindow : public DesktopWindow
{
public:
    using DesktopWindow::DesktopWindow;
    QStringList filesToOpen;
    QStringList filesToSaveAs;
    QStringList recordNames;

protected:
    QString chooseFileToOpen() override;
    QString chooseFileToSaveAs() override;
    QString askRecordName(const QString& kindNoun) override;
};

// The notification after a non-standard change: keep the object.
DialogAnswers::Answer keepObjectUnchanged();
// Saves a picture of the dialog, then ends it with the button.
DialogAnswers::Answer pictureThen(const QString& picture, QDialogButtonBox::StandardButton which);

// The office example, open in a scripted window, with the user's settings in a folder of their
// own. `prepare` may change the drawing before it is opened (it is written back first). Every
// dialog that opens is answered by `answers`.
class DesktopScenario
{
public:
    explicit DesktopScenario(HostSession& session,
                             const std::function<void(class OdDbDatabase&)>& prepare = {});
    ~DesktopScenario();
    DesktopScenario(const DesktopScenario&) = delete;
    DesktopScenario& operator=(const DesktopScenario&) = delete;

    bool ready() const { return m_ready; }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString drawing() const { return path(QStringLiteral("office.dxf")); }

    QTableView* table(const char* kind) const;
    // The cell in that column of the record of that name; invalid when there is no such record.
    QModelIndex cell(const char* kind, const QString& name, int column = 1) const;
    // The row of the record of that name as "mark|name|property|...": the mark is "!" for a
    // violation, "~" for an ignored one, empty otherwise; switches read "[x]" or "[ ]".
    QString row(const char* kind, const QString& name) const;
    // What the command line shows.
    QString commandHistory() const;

    std::unique_ptr<ScriptedWindow> window;
    // Created first, so that no dialog of the scenario waits for an answer that never comes.
    DialogAnswers answers;

private:
    ConfigHomeScope m_config;
    QTemporaryDir m_folder;
    bool m_ready = false;
};

#endif  // KV_DESKTOP_SCENARIO_H
