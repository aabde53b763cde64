#pragma once

#include "ObjectData.h"

#include <array>
#include <string_view>
#include <unordered_map>

class OdDbObject;
class OdDbStub;

namespace kvdb {

// The object of the right class for a DXF type read in a section ("LAYER", "LINE", ...); types
// the database does not interpret give a generic entity (BLOCKS, ENTITIES) or object.
OdDbObject* createForDxfType(std::string_view type, bool entity, std::string_view tableName);

// Registers every database class (called once when the library loads).
void registerDatabaseClasses();

}  // namespace kvdb

namespace kvdb {
class DatabaseImpl;

// The records that raw names resolved to, for resolving the names of many objects while no record
// is added, renamed or erased (reading a drawing: thousands of entities naming a few layers). The
// raw texts must outlive the cache.
class NameCache
{
public:
    OdDbStub* lookup(DatabaseImpl& db, RefRole role, std::string_view raw);

private:
    std::array<std::unordered_map<std::string_view, OdDbStub*>, size_t(RefRole::Block) + 1> m_found;
};

// Finds the groups of an object that name records and resolves them (replaces any found before),
// through `cache` when given.
void collectNameRefs(DatabaseImpl& db, OdDbObject* object, NameCache* cache = nullptr);

// Gives an object created in memory the groups of its class, if it has none yet.
void ensureTags(const OdDbObject* object);

// Creates the BLOCK and ENDBLK entities of a block record added to the block table.
void registerNewBlock(DatabaseImpl& db, OdDbStub* block);
// Creates the ENDBLK entity of a block whose definition lacks one.
OdDbStub* addBlockEnd(DatabaseImpl& db, OdDbStub* block);
}  // namespace kvdb
