// DesktopWindow: kvcad's main window, the host a drafter works in. It shows the current drawing's
// layers, line styles, text styles and dimension styles in one table each, with their properties;
// records that violate the drawing's standards are marked (ignored violations apart) and the
// marks follow every command, checked with the standards module's plug-ins.
//
// Every change to the drawing is a command run through the host's command processor: editing a
// cell, ticking a switch, adding, renaming and deleting records (the desktop's commands,
// DesktopCommands.h), undo, saving, and whatever is typed on the command line, the module's
// DRAWINGSTANDARDS and VERIFYSTANDARDS and the host's _DWGSTANDARDS included. So the module's
// reactors see the commands as inside a CAD program: the background check runs when an edit
// ends, its notification and the Verify Standards dialog open over this window.
//
// The window is the parent of the module's dialogs while it lives (the services' main window).
// It holds one drawing at a time; a changed drawing is never set aside without asking whether to
// save it. Its texts are in the user's language when kvcad has a catalogue for it. The status
// bar tells whether the drawing is associated with standards files and
// whether one of them is missing; clicking it opens the standards configuration.
#ifndef KV_DESKTOP_WINDOW_H
#define KV_DESKTOP_WINDOW_H

#include <CKvSystemServices.h>

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <vector>

class CKvDocument;
class CKvTranslator;
class CommandLine;
class DesktopCommands;
class DrawingWatcher;
class QTabWidget;
class QTableView;
class QToolButton;
class QMenu;
struct DrawingChanges;
class RecordTableModel;
class ViolationMarks;

class DesktopWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DesktopWindow(CKvSystemServices& services, QWidget* parent = nullptr);
    ~DesktopWindow() override;

    // Opens the drawing in place of the current one, after asking to save a changed one. False,
    // keeping the current drawing, when the user cancels or the file cannot be read: the
    // message naming the file goes to `error` when given, else to a message box.
    bool openDrawing(const QString& path, QString* error = nullptr);
    CKvDocument* document() const { return m_document; }
    // Runs a command line as typed ("VERIFYSTANDARDS", "SETPROPERTY Layer Walls Color red"), or
    // a command given as its words (global name first). Both are echoed on the command line;
    // the result is the command's (CKvCommand::Result).
    int runCommandLine(const QString& line);
    int runCommand(const QStringList& words);
    // Most recent first.
    QStringList recentFiles() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Where the user picks files and names; the tests answer them. Empty when cancelled.
    virtual QString chooseFileToOpen();
    virtual QString chooseFileToSaveAs();
    virtual QString askRecordName(const QString& kindNoun);

private:
    struct Table
    {
        RecordTableModel* model;
        QTableView* view;
    };

    void buildTables();
    void buildMenus();
    void buildStatusBar();
    QAction* addCommandAction(QMenu* menu, const char* objectName, const QString& text,
                              const QString& commandLine);
    int runChain(const QString& echo, const OdResBufPtr& chain);
    void commandsEnded(const DrawingChanges& changes);
    void drawingReplaced();
    void checkAllRecords();
    void showCheckProblem(const QString& problem);
    void updateStandardsStatus();
    void updateTitleAndActions();
    Table& currentTable();
    void addRecord();
    void renameRecord();
    void deleteRecord();
    void openChosenDrawing();
    void saveDrawingAs();
    bool save(const QString& path);
    bool maySetDrawingAside();
    void rememberRecentFile(const QString& path);
    void showRecentFiles();

    // The window's texts in the user's language, installed before anything is shown.
    std::unique_ptr<CKvTranslator> m_texts;
    CKvSystemServices& m_services;
    CKvDocument* m_document = nullptr;
    bool m_modified = false;
    std::unique_ptr<ViolationMarks> m_marks;
    std::unique_ptr<DesktopCommands> m_commands;
    std::unique_ptr<DrawingWatcher> m_watcher;
    std::vector<Table> m_tables;
    QTabWidget* m_tabs = nullptr;
    CommandLine* m_commandLine = nullptr;
    QToolButton* m_standardsStatus = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_undoAction = nullptr;
};

#endif  // KV_DESKTOP_WINDOW_H
