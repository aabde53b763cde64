// DrawingWatcher: what happens to the watched drawing, gathered between the ends of the outermost
// commands. It listens to the drawing's database events and to the command stack: an object
// appended, modified or erased counts for the symbol-table record it belongs to (a layer, or a
// layer whose extension dictionary holds the changed object, such as the ignored-violation mark),
// and when the outermost command ends (normally, cancelled or failed) the callback receives
// what the commands run since the last report changed, with their global names in the order they
// started. Changes made outside commands wait for takeChanges().
//
// The watcher must outlive nothing it watches: watch() with another drawing (or null) and the
// destructor stop listening.
#ifndef KV_DRAWING_WATCHER_H
#define KV_DRAWING_WATCHER_H

#include <CKvCommandProcessor.h>
#include <DbDatabase.h>
#include <DbDatabaseReactor.h>
#include <DbObjectId.h>

#include <QString>
#include <QStringList>

#include <EdCommandStackReactor.h>
#include <functional>
#include <set>

// What the commands run since the last report did to the drawing.
struct DrawingChanges
{
    // The commands run, outermost first in each nesting, by global name.
    QStringList commands;
    // The records changed, each once.
    std::set<OdDbObjectId> records;
    // A record was added or erased (the tables' rows change, not just their values).
    bool rowsChanged = false;
    // Anything in the drawing changed.
    bool drawingChanged = false;
};

class DrawingWatcher
{
public:
    using CommandsEnded = std::function<void(const DrawingChanges&)>;

    DrawingWatcher(const CKvCommandProcessor& processor, CommandsEnded ended);
    ~DrawingWatcher();
    DrawingWatcher(const DrawingWatcher&) = delete;
    DrawingWatcher& operator=(const DrawingWatcher&) = delete;

    void watch(OdDbDatabase* db);
    DrawingChanges takeChanges();

private:
    void noteObject(const OdDbObject& object, bool rowChange);

    class DatabaseEvents : public OdDbDatabaseReactor
    {
    public:
        explicit DatabaseEvents(DrawingWatcher& watcher) : m_watcher(watcher) {}
        void addRef() override {}
        void release() override {}
        long numRefs() const override { return 1; }
        void objectAppended(const OdDbDatabase* db, const OdDbObject* object) override;
        void objectModified(const OdDbDatabase* db, const OdDbObject* object) override;
        void objectErased(const OdDbDatabase* db, const OdDbObject* object, bool erased) override;

    private:
        DrawingWatcher& m_watcher;
    };

    class CommandEvents : public OdEdCommandStackReactor
    {
    public:
        explicit CommandEvents(DrawingWatcher& watcher) : m_watcher(watcher) {}
        void addRef() override {}
        void release() override {}
        long numRefs() const override { return 1; }
        void commandWillStart(OdEdCommand* command, OdEdCommandContext* context) override;
        void commandEnded(OdEdCommand* command, OdEdCommandContext* context) override;
        void commandCancelled(OdEdCommand* command, OdEdCommandContext* context) override;
        void commandFailed(OdEdCommand* command, OdEdCommandContext* context) override;

    private:
        void ended();
        DrawingWatcher& m_watcher;
    };

    const CKvCommandProcessor& m_processor;
    CommandsEnded m_ended;
    OdDbDatabase* m_db = nullptr;
    DatabaseEvents m_databaseEvents{*this};
    CommandEvents m_commandEvents{*this};
    DrawingChanges m_changes;
};

#endif  // KV_DRAWING_WATCHER_H
