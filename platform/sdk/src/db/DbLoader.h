#pragma once

#include "dxf/DxfFile.h"

#include <memory>

namespace kvdb {

class DatabaseImpl;

// Builds the database from a file the DXF layer read: objects with their handles, owners and
// places, table name indexes, and by-name references resolved to ids. Repairs (duplicate handles,
// dangling owners) are added to the database's messages.
void loadDatabase(DatabaseImpl& db, std::unique_ptr<kvdxf::DxfFile> file);

// Writes the database as DXF through the writer.
class TagSink
{
public:
    virtual ~TagSink() = default;
    virtual void write(int code, std::string_view value) = 0;
};
void writeDatabase(const DatabaseImpl& db, TagSink& sink);

}  // namespace kvdb
