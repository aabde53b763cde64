#pragma once

#include "dxf/DxfFile.h"

#include <memory>
#include <string_view>

class OdDbStub;

namespace kvdb {

class DatabaseImpl;

// Builds the database from a file the DXF layer read: objects with their handles, owners and
// places, table name indexes, and by-name references resolved to ids. Repairs (duplicate handles,
// dangling owners) are added to the database's messages.
void loadDatabase(DatabaseImpl& db, std::unique_ptr<kvdxf::DxfFile> file);

// A block record made up for a block the file names without one (R12 files). It is not written.
OdDbStub* makeSyntheticBlock(DatabaseImpl& db, std::string_view name);

// Writes the database as DXF through the writer.
class TagSink
{
public:
    virtual ~TagSink() = default;
    virtual void write(int code, std::string_view value) = 0;
};
void writeDatabase(const DatabaseImpl& db, TagSink& sink);

}  // namespace kvdb
