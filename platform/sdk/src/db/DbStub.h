#pragma once

#include <OdTypes.h>

#include <cstdint>

class OdDbDatabase;
class OdDbObject;
class OdDbStub;

namespace kvdb {

// Where an object stands in the file.
enum class Placement : uint8_t {
    Free,
    Table,
    TableRecord,
    BlockBegin,
    BlockEnd,
    Entity,       // in the ENTITIES section
    BlockEntity,  // inside a block definition of the BLOCKS section
    SubEntity,    // attribute, vertex or SEQEND following its entity
    Object
};

// An entity of the file that nobody has asked for yet: kept as the lines it was read from, with
// what reading the file found out about its place. Its object is made when it is first asked for
// (makeUnreadObject), and its groups are read when first used.
struct UnreadObject
{
    UnreadObject()
        : verbatim(false)
        , followers(false)
        , follower(false)
        , sequenceEnd(false)
        , paperSpace(false)
        , inFile(false)
    {}

    union {
        const char* bytes = nullptr;  // its lines in the file's buffer
        OdUInt64 offset;              // inFile: where its lines start in the file
    };
    uint32_t size = 0;  // of its lines; 0: the stub has no unread object
    Placement placement = Placement::Free;
    bool verbatim : 1;     // the lines are what writing its groups gives
    bool followers : 1;    // attributes or vertices follow it, with a SEQEND
    bool follower : 1;     // it is an attribute, a vertex or a SEQEND
    bool sequenceEnd : 1;  // it is a SEQEND
    bool paperSpace : 1;   // its group 67 is 1
    bool inFile : 1;       // a partial load left its lines in the file (not in memory)
    uint16_t type = 0;     // inFile: the number of its DXF type name (DatabaseImpl::unreadType)
    union {
        // The owner handle of its owner group, from when the file is read until the database is
        // built from it; the owner from then on.
        OdUInt64 ownerHandle = 0;
        OdDbStub* owner;
    };
};
static_assert(sizeof(UnreadObject) == 24, "every entity of a drawing has one");

// The object of a stub holding an unread object; see OdDbStub::object.
OdDbObject* makeUnreadObject(const OdDbStub& stub);

}  // namespace kvdb

// What an object id points at: the handle and the object of one database. Stubs live as long as
// their database, so ids stay valid after the object is erased.
class OdDbStub
{
public:
    OdUInt64 handle = 0;
    OdDbDatabase* db = nullptr;
    kvdb::UnreadObject unread;

    // The object, made now when the stub holds an unread one; null when there is none.
    OdDbObject* object() const
    {
        return m_object != nullptr || unread.size == 0 ? m_object : kvdb::makeUnreadObject(*this);
    }
    // The object if it is made; null for an unread one.
    OdDbObject* resident() const { return m_object; }
    // Whether there is an object, made or unread.
    bool hasObject() const { return m_object != nullptr || unread.size != 0; }
    // The database holds one reference to it.
    void setObject(OdDbObject* object) { m_object = object; }

private:
    OdDbObject* m_object = nullptr;
};
