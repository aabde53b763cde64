// Entities kept as the lines the file holds until somebody asks for them: a drawing has many,
// and checking its tables, reading its header or copying it to another file looks at few of them.
#pragma once

#include "DbStub.h"
#include "dxf/DxfReader.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kvdb {

using kvdxf::Tag;
class DatabaseImpl;

// While the file is read, makes a stub for each entity of its BLOCKS and ENTITIES sections that
// the database needs no more of than its handle, owner, layer name and a few flags, and hands the
// reader a tag for its tags (code kCondensedCode, data the stub, size its layer name's number).
// Block definitions themselves (BLOCK, ENDBLK) and entities naming layers in XDATA are read as
// every other object. The Loader places the stubs in the database.
class FileCondenser : public kvdxf::ObjectCondenser
{
public:
    static constexpr uint32_t kNoLayer = UINT32_MAX;

    explicit FileCondenser(DatabaseImpl& db) : m_db(db) {}

    bool condense(const Tag* tags, size_t count, std::string_view bytes, uint64_t offset,
                  bool transient, bool verbatim, Tag& replacement) override;

    // The stub and layer name number a replacement tag stands for.
    static OdDbStub* stubOf(const Tag& replacement);
    std::string_view layerName(uint32_t number) const { return m_layerNames[number]; }
    size_t layerNames() const { return m_layerNames.size(); }
    // The largest handle any group 5 or 105 of the condensed entities holds.
    OdUInt64 maxHandle() const { return m_maxHandle; }

private:
    // `stored`: the name is kept in the database (the reader's bytes go away).
    uint32_t numberOf(std::string_view layer, bool store);
    // The number of a DXF type name in DatabaseImpl::unreadTypes; false when there are too many.
    bool typeNumberOf(std::string_view type, uint16_t& number);
    static size_t hashOf(std::string_view text);

    DatabaseImpl& m_db;
    std::vector<std::string_view> m_layerNames;  // by number
    std::vector<uint32_t> m_slots;               // numbers by hash; kNoLayer marks a free slot
    OdUInt64 m_maxHandle = 0;
    uint16_t m_lastType = UINT16_MAX;
};

// The lines of a stub's object when its groups were never read (the object unread, or made but
// not read); false otherwise. `verbatim`: they are what writing its groups gives. Lines a partial
// load left in the file are read from it, and stay valid until the next read; an OdError says
// when the file has changed since.
bool unreadLines(const OdDbStub* stub, std::string_view& lines, bool& verbatim);
// Whether the stub's object has lines whose groups were never read, without reading them.
bool hasUnreadLines(const OdDbStub* stub);
// The DXF type name of an unread object, without reading its lines from the file.
std::string_view unreadTypeOf(const OdDbStub* stub);
// The entities that follow a stub's entity (attributes, vertices, SEQEND), made or unread.
const std::vector<OdDbStub*>& followersOf(const DatabaseImpl& db, const OdDbStub* stub);
// Where the stub's object stands in the file, made or unread.
Placement placementOf(const OdDbStub* stub);
// The "0" group of the stub's object, as the file holds it for an unread one (for one a partial
// load left in the file, a tag of its type name that has no place in the DxfFile).
Tag typeTagOf(const OdDbStub* stub);

}  // namespace kvdb
