#include "DrawingWatcher.h"

#include "RecordKinds.h"

#include <CKvString.h>
#include <DbObject.h>

#include <EdCommand.h>
#include <EdCommandStack.h>
#include <utility>

namespace {

// How far an object may sit below its record: record -> extension dictionary -> "AcStStandard"
// dictionary -> "AcStFlags" xrecord.
const int kOwnerLevels = 3;

}  // namespace

DrawingWatcher::DrawingWatcher(const CKvCommandProcessor& processor, CommandsEnded ended)
    : m_processor(processor), m_ended(std::move(ended))
{
    odedRegCmds()->addReactor(&m_commandEvents);
}

DrawingWatcher::~DrawingWatcher()
{
    watch(nullptr);
    odedRegCmds()->removeReactor(&m_commandEvents);
}

void DrawingWatcher::watch(OdDbDatabase* db)
{
    if (m_db) {
        m_db->removeReactor(&m_databaseEvents);
    }
    m_db = db;
    m_changes = DrawingChanges();
    if (m_db) {
        m_db->addReactor(&m_databaseEvents);
    }
}

DrawingChanges DrawingWatcher::takeChanges()
{
    return std::exchange(m_changes, DrawingChanges());
}

void DrawingWatcher::noteObject(const OdDbObject& object, bool rowChange)
{
    m_changes.drawingChanged = true;
    if (recordKindOf(object)) {
        m_changes.records.insert(object.objectId());
        m_changes.rowsChanged = m_changes.rowsChanged || rowChange;
        return;
    }
    OdDbObjectId owner = object.ownerId();
    for (int level = 0; level < kOwnerLevels && !owner.isNull(); ++level) {
        const OdDbObjectPtr ownerObject = owner.openObject(OdDb::kForRead, true);
        if (ownerObject.isNull()) {
            return;
        }
        if (recordKindOf(*ownerObject)) {
            m_changes.records.insert(owner);
            return;
        }
        owner = ownerObject->ownerId();
    }
}

void DrawingWatcher::DatabaseEvents::objectAppended(const OdDbDatabase*, const OdDbObject* object)
{
    if (object) {
        m_watcher.noteObject(*object, true);
    }
}

void DrawingWatcher::DatabaseEvents::objectModified(const OdDbDatabase*, const OdDbObject* object)
{
    if (object) {
        m_watcher.noteObject(*object, false);
    }
}

void DrawingWatcher::DatabaseEvents::objectErased(const OdDbDatabase*, const OdDbObject* object,
                                                  bool)
{
    if (object) {
        m_watcher.noteObject(*object, true);
    }
}

void DrawingWatcher::CommandEvents::commandWillStart(OdEdCommand* command, OdEdCommandContext*)
{
    if (command) {
        m_watcher.m_changes.commands << CKvString(command->globalName()).toQString();
    }
}

void DrawingWatcher::CommandEvents::commandEnded(OdEdCommand*, OdEdCommandContext*)
{
    ended();
}

void DrawingWatcher::CommandEvents::commandCancelled(OdEdCommand*, OdEdCommandContext*)
{
    ended();
}

void DrawingWatcher::CommandEvents::commandFailed(OdEdCommand*, OdEdCommandContext*)
{
    ended();
}

void DrawingWatcher::CommandEvents::ended()
{
    // The command that ends still counts as in progress: 1 is the outermost one.
    if (m_watcher.m_processor.commandsInProgress() <= 1 && m_watcher.m_ended) {
        m_watcher.m_ended(m_watcher.takeChanges());
    }
}
