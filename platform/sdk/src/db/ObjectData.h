#pragma once

#include "DbStub.h"
#include "TagList.h"
#include "dxf/StringArena.h"

#include <ResBuf.h>
#include <cstdint>
#include <memory>
#include <vector>

class OdDbStub;

namespace kvdb {

// What a by-name reference in DXF names.
enum class RefRole : uint8_t { Layer, Linetype, TextStyle, DimStyle, Block };

// A group that names a record (an entity's layer "8", a text's style "7", ...). It is written from
// the target's current name, so renaming the target is one change.
struct NameRef
{
    uint32_t tag;
    RefRole role;
    OdDbStub* target;
};

// Everything an object keeps beside its C++ members.
struct ObjectData
{
    TagList tags;                     // tags[0] is the "0 TYPE" group
    std::vector<NameRef> refs;        // sorted by tag index
    std::vector<OdDbStub*> children;  // table: records; block: entities; entity: sub-entities
    OdDbStub* owner = nullptr;
    Placement placement = Placement::Free;
    bool erased = false;
    bool isNew = false;
    bool synthetic = false;  // made up while reading (R12 block records), never written
    std::unique_ptr<kvdxf::StringArena> ownArena;  // texts of an object outside any database
    OdResBufPtr memoryChain;                       // xrecord data including items DXF cannot hold
    // An object made from an unread one keeps its lines until its groups are first used (see
    // Access::data): then `tags` and `refs` are read from them.
    const char* unreadBytes = nullptr;
    uint32_t unreadSize = 0;
    bool verbatim = false;  // the lines are what writing its groups gives
    // Lines a partial load left in the file: read from it when the object was made, from `offset`;
    // its tags view into them.
    std::unique_ptr<char[]> linesFromFile;
    OdUInt64 offset = 0;
    uint16_t type = 0;
};

}  // namespace kvdb
