#pragma once

#include <string_view>

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

// Finds the groups of an object that name records and resolves them (replaces any found before).
void collectNameRefs(DatabaseImpl& db, OdDbObject* object);

// Gives an object created in memory the groups of its class, if it has none yet.
void ensureTags(const OdDbObject* object);

// Creates the BLOCK and ENDBLK entities of a block record added to the block table.
void registerNewBlock(DatabaseImpl& db, OdDbStub* block);
}  // namespace kvdb
