#pragma once

#include "dxf/DxfFile.h"

#include <memory>
#include <string>
#include <string_view>

class OdDbObject;
class OdDbStub;

namespace kvdb {

class DatabaseImpl;
class FileCondenser;

// Builds the database from a file the DXF layer read: objects with their handles, owners and
// places, table name indexes, and by-name references resolved to ids. Repairs (duplicate handles,
// dangling owners) are added to the database's messages.
// `condenser` condensed the entities of the file that stay unread (UnreadObjects.h).
void loadDatabase(DatabaseImpl& db, std::unique_ptr<kvdxf::DxfFile> file,
                  const FileCondenser& condenser);

// A block record made up for a block the file names without one (R12 files). It is not written
// unless the drawing's block table takes it (adoptBlockTable).
OdDbStub* makeSyntheticBlock(DatabaseImpl& db, std::string_view name);

// The block record a block definition (BLOCK) of the file goes to: `found`, the record its owner
// handle or its name gives. A definition without a name, or a second one of a name, gets a record
// of its own under a name no block has ("*U<n>", "<name>_<n>"), written into the BLOCK; `repair`
// then says so.
OdDbStub* recordForDefinition(DatabaseImpl& db, OdDbObject* begin, OdDbStub* found,
                              std::string& repair);
// The owner group of an object: its first 330 outside application groups, before its first
// subclass marker; -1 when it has none.
int ownerTag(const OdDbObject* object);
// Points the owner handles of a block's definition (BLOCK, its entities, ENDBLK) at the block.
void pointDefinitionAt(DatabaseImpl& db, OdDbStub* block);

// Writes the database as DXF through the writer.
class TagSink
{
public:
    virtual ~TagSink() = default;
    virtual void write(int code, std::string_view value) = 0;
    // Lines of the file read, which are what writing their tags gives. `transient`: they are gone
    // after the call (read from the file of a partial load).
    virtual void writeLines(std::string_view lines, bool transient) = 0;
};
void writeDatabase(const DatabaseImpl& db, TagSink& sink);

}  // namespace kvdb
