// EntityIndex: the entities of a drawing (sub-entities included, none inside external references)
// listed by the records of one kind that they use: their layers, or their line styles, ... Built
// from the whole drawing once, then kept current by a reactor on the drawing: an entity appended
// or modified is listed under the records it uses then. A listing can be stale (the entity
// changed since, or was erased), so whoever takes a list checks each entity.
#ifndef KV_ENTITY_INDEX_H
#define KV_ENTITY_INDEX_H

#include <DbDatabaseReactor.h>
#include <DbObjectId.h>

#include <StaticRxObject.h>
#include <functional>
#include <unordered_map>
#include <vector>

class OdDbDatabase;
class OdDbEntity;

class EntityIndex : public OdStaticRxObject<OdDbDatabaseReactor>
{
public:
    // Calls use(record) for each record of the kind that the entity uses.
    typedef std::function<void(const OdDbEntity&, const std::function<void(OdDbObjectId)>&)>
        RecordsOf;

    EntityIndex(OdDbDatabase& drawing, RecordsOf recordsOf);
    ~EntityIndex() override;
    EntityIndex(const EntityIndex&) = delete;
    EntityIndex& operator=(const EntityIndex&) = delete;

    // The entities listed under the record, each once, in the order they were listed; the list is
    // forgotten.
    std::vector<OdDbObjectId> take(const OdDbObjectId& record);
    // Lists the entity under the records it uses now.
    void add(const OdDbEntity& entity);

    void objectAppended(const OdDbDatabase* db, const OdDbObject* object) override;
    void objectModified(const OdDbDatabase* db, const OdDbObject* object) override;
    void goodbye(const OdDbDatabase* db) override;

private:
    OdDbDatabase* m_drawing;
    RecordsOf m_recordsOf;
    std::unordered_map<OdUInt64, std::vector<OdDbObjectId>> m_users;
};

#endif  // KV_ENTITY_INDEX_H
