// DesktopCommands: the desktop host's own commands, registered on the command stack while the
// object lives, and the history that undoes the edits. Typed as (global names carry a leading
// underscore; KIND is Layer, Linetype, TextStyle or DimStyle, ignoring case):
//   ADDRECORD KIND NAME                    adds a record with the kind's defaults
//   RENAMERECORD KIND NAME NEWNAME
//   DELETERECORD KIND NAME                 only a record nothing in the drawing uses
//   SETPROPERTY KIND NAME PROPERTY VALUE   PROPERTY and VALUE as RecordKinds and PropertyValues
//                                          name and write them ("Color" "red")
//   UNDO                                   undoes the last edit of the four above
//   QSAVE, SAVEAS PATH                     write the drawing (through the window)
// Run through the host's command processor, they are seen by every command reactor, the
// standards module's included, as the commands of a CAD program are. A command that cannot do
// what it is asked prints why and returns kResultError, changing nothing.
//
// Undo steps are kept for the drawing they were made on; clearHistory() forgets them (the window
// does so when the drawing is replaced, or changed by a command that cannot be undone).
#ifndef KV_DESKTOP_COMMANDS_H
#define KV_DESKTOP_COMMANDS_H

#include <CKvCommand.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CKvCommandContext;
class OdDbDatabase;
class OdDbObjectId;
struct RecordKind;

class DesktopCommands
{
    Q_DECLARE_TR_FUNCTIONS(DesktopCommands)

public:
    struct Host
    {
        // Shows a line to the user (the command line's history).
        std::function<void(const QString&)> print;
        // Writes the drawing to the path (empty: where it was opened from); false when it could
        // not be written (the host has said why).
        std::function<bool(const QString& path)> save;
    };

    explicit DesktopCommands(Host host);
    ~DesktopCommands();
    DesktopCommands(const DesktopCommands&) = delete;
    DesktopCommands& operator=(const DesktopCommands&) = delete;

    void clearHistory();
    bool canUndo() const { return !m_history.empty(); }
    // What UNDO would undo ("Layer "Walls" renamed to "A-WALL""); empty when nothing.
    QString nextUndo() const;
    // Whether the command (by global name) is one whose changes the history keeps.
    static bool keepsHistory(const QString& globalName);

private:
    struct UndoStep
    {
        QString description;
        std::function<void()> undo;
    };
    using Arguments = QStringList;

    void add(const wchar_t* globalName,
             int (DesktopCommands::*run)(OdDbDatabase&, const Arguments&), int argumentCount,
             const char* usage);
    static QString unknownKind(const QString& key);
    QString findRecord(OdDbDatabase& db, const Arguments& args, const RecordKind*& kind,
                       OdDbObjectId& id) const;
    int addRecord(OdDbDatabase& db, const Arguments& args);
    int renameRecord(OdDbDatabase& db, const Arguments& args);
    int deleteRecord(OdDbDatabase& db, const Arguments& args);
    int setProperty(OdDbDatabase& db, const Arguments& args);
    int undo(OdDbDatabase& db, const Arguments& args);
    int quickSave(OdDbDatabase& db, const Arguments& args);
    int saveAs(OdDbDatabase& db, const Arguments& args);
    int fail(const QString& message) const;

    Host m_host;
    std::vector<std::unique_ptr<CKvCommand>> m_commands;
    std::vector<UndoStep> m_history;
};

#endif  // KV_DESKTOP_COMMANDS_H
