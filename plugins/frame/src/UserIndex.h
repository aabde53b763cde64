// UserIndex: the users of the records of one kind (layers, or line styles, ...) in a drawing,
// listed by the record they use: every entity (sub-entities included, none inside external
// references) and, when asked for, the records of one table (the layers, which use line styles).
// Built from the whole drawing once, then kept current by a reactor on the drawing: an object
// appended or modified is listed under the records it uses then. A listing can be stale (the
// object changed since, or was erased), so whoever takes a list checks each object.
#ifndef KV_USER_INDEX_H
#define KV_USER_INDEX_H

#include <DbDatabaseReactor.h>
#include <DbObjectId.h>

#include <StaticRxObject.h>
#include <functional>
#include <unordered_map>
#include <vector>

class OdDbDatabase;

class UserIndex : public OdStaticRxObject<OdDbDatabaseReactor>
{
public:
    // Calls use(record) for each record of the kind that the object uses.
    typedef std::function<void(const OdDbObject&, const std::function<void(OdDbObjectId)>&)>
        RecordsOf;

    // userTable: a table whose records are users too, or the null id.
    UserIndex(OdDbDatabase& drawing, const OdDbObjectId& userTable, RecordsOf recordsOf);
    ~UserIndex() override;
    UserIndex(const UserIndex&) = delete;
    UserIndex& operator=(const UserIndex&) = delete;

    // The objects listed under the record, each once, in the order they were listed; the list is
    // forgotten.
    std::vector<OdDbObjectId> take(const OdDbObjectId& record);
    // Lists the object under the records it uses now.
    void add(const OdDbObject& object);

    void objectAppended(const OdDbDatabase* db, const OdDbObject* object) override;
    void objectModified(const OdDbDatabase* db, const OdDbObject* object) override;
    void goodbye(const OdDbDatabase* db) override;

private:
    bool isUser(const OdDbObject& object) const;

    OdDbDatabase* m_drawing;
    OdDbObjectId m_userTable;
    RecordsOf m_recordsOf;
    std::unordered_map<OdUInt64, std::vector<OdDbObjectId>> m_users;
};

#endif  // KV_USER_INDEX_H
