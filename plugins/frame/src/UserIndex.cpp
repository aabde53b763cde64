#include "UserIndex.h"

#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbEntity.h>
#include <DbSymbolTable.h>

#include <algorithm>
#include <unordered_set>

namespace {

// Whether the entity (or the entity that owns it) belongs to a block from an external reference.
bool inExternalReference(const OdDbEntity& entity)
{
    OdDbObjectId owner = entity.ownerId();
    for (int depth = 0; depth < 2 && !owner.isNull(); ++depth) {
        const OdDbObjectPtr object = owner.openObject();
        if (const OdDbBlockTableRecord* block = OdDbBlockTableRecord::cast(object).get()) {
            return block->isFromExternalReference();
        }
        owner = object.isNull() ? OdDbObjectId() : object->ownerId();
    }
    return false;
}

}  // namespace

UserIndex::UserIndex(OdDbDatabase& drawing, const OdDbObjectId& userTable, RecordsOf recordsOf)
    : m_drawing(&drawing), m_userTable(userTable), m_recordsOf(std::move(recordsOf))
{
    const OdDbSymbolTablePtr blocks = drawing.getBlockTableId().openObject(OdDb::kForRead);
    for (OdDbSymbolTableIteratorPtr block = blocks->newIterator(); !block->done(); block->step()) {
        const OdDbBlockTableRecordPtr record = block->getRecord();
        if (record.isNull() || record->isFromExternalReference()) {
            continue;
        }
        for (OdDbObjectIteratorPtr it = record->newIterator(); !it->done(); it->step()) {
            const OdDbEntityPtr entity = it->entity();
            if (entity.isNull()) {
                continue;
            }
            add(*entity);
            for (const OdDbObjectId& id : entity->subEntities()) {
                if (const OdDbObjectPtr sub = id.openObject()) {
                    add(*sub);
                }
            }
        }
    }
    if (const OdDbSymbolTablePtr table = OdDbSymbolTable::cast(userTable.openObject().get())) {
        for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
            if (const OdDbObjectPtr record = it->getRecord()) {
                add(*record);
            }
        }
    }
    drawing.addReactor(this);
}

UserIndex::~UserIndex()
{
    if (m_drawing != nullptr) {
        m_drawing->removeReactor(this);
    }
}

void UserIndex::add(const OdDbObject& object)
{
    m_recordsOf(object, [&](OdDbObjectId record) {
        if (!record.isNull()) {
            m_users[static_cast<OdUInt64>(record.getHandle())].push_back(object.objectId());
        }
    });
}

std::vector<OdDbObjectId> UserIndex::take(const OdDbObjectId& record)
{
    const auto found = m_users.find(static_cast<OdUInt64>(record.getHandle()));
    if (found == m_users.end()) {
        return {};
    }
    std::vector<OdDbObjectId> users = std::move(found->second);
    m_users.erase(found);
    std::unordered_set<OdUInt64> seen;
    users.erase(
        std::remove_if(users.begin(), users.end(),
                       [&](const OdDbObjectId& id) {
                           return !seen.insert(static_cast<OdUInt64>(id.getHandle())).second;
                       }),
        users.end());
    return users;
}

bool UserIndex::isUser(const OdDbObject& object) const
{
    if (const OdDbEntity* entity = OdDbEntity::cast(&object).get()) {
        return !inExternalReference(*entity);
    }
    return !m_userTable.isNull() && object.ownerId() == m_userTable;
}

void UserIndex::objectAppended(const OdDbDatabase*, const OdDbObject* object)
{
    objectModified(m_drawing, object);
}

void UserIndex::objectModified(const OdDbDatabase*, const OdDbObject* object)
{
    if (object != nullptr && isUser(*object)) {
        add(*object);
    }
}

void UserIndex::goodbye(const OdDbDatabase*)
{
    m_drawing = nullptr;
    m_users.clear();
}
