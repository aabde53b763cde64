#pragma once

#include "DatabaseImpl.h"
#include "DbUpgrade.h"
#include "UnreadObjects.h"
#include "dxf/DxfFile.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class OdDbObject;
class OdDbStub;

namespace kvdb {

// Builds the database from a file the DXF layer read (see loadDatabase), tables before the
// sections that name their records. DbLoader.cpp reads the header and the tables and resolves
// owners, names and handles; DbLoaderBlocks.cpp reads blocks, entities and objects.
class Loader
{
public:
    // `condenser` condensed the entities of the file that stay unread.
    Loader(DatabaseImpl& db, const kvdxf::DxfFile& file, const FileCondenser& condenser)
        : m_db(db), m_file(file), m_condenser(condenser)
    {}

    // Reads every section, then resolves owners and names and gives handles to objects that
    // lost theirs; repairs go to the database's messages.
    void run();

    // Where the handle of an object is: its first 5 (105 for dimension style records, whose 5 is
    // an arrow block in R12) before its own data starts, or 0. Some writers put it after the
    // common entity groups.
    static size_t handleTag(const Tag* tags, size_t count, bool record);
    // The owner: the first 330 outside application groups, before the first marker.
    static OdUInt64 ownerOf(const Tag* tags, size_t count);

private:
    DatabaseImpl& m_db;
    const kvdxf::DxfFile& m_file;
    const FileCondenser& m_condenser;
    size_t m_slot = 0;             // the section being read
    std::vector<OdDbStub*> m_all;  // every object read but the unread ones, in reading order
    std::vector<std::pair<OdDbStub*, OdUInt64>> m_owners;  // owner handles to resolve
    std::vector<OdDbStub*> m_renumber;    // objects that lost their handle to another
    std::vector<OdDbStub*> m_unnumbered;  // objects the file gives no valid handle
    Tag m_firstUnnumbered;                // the "0" group of the first of those
    kvdxf::DxfFile::Location m_firstUnnumberedAt{0, 0};  // and where it is
    // Whether a condensed entity naming the layer name of each number was made yet.
    std::vector<bool> m_layerMet;
    // Names of layers the drawing lacks that unread entities name, with the number of objects in
    // m_all before each: their place in reading order.
    std::vector<std::pair<size_t, std::string_view>> m_unreadLayerNames;
    // Drawings from R13 on give every object a handle; R12 ones may give none.
    const bool m_keepsHandles = isObjectBased(m_file.version);

    // The objects of the section being read.
    std::vector<OdDbStub*>& items() { return m_db.layout[m_slot].items; }

    // "office.dxf:1234: message", or "office.dxf:@offset 1234: message" in a binary file.
    void report(const Tag& tag, const std::string& message);
    void report(const kvdxf::DxfFile::Location& where, const std::string& message);
    // Where the "0" group `type` of the stub's object is; for an object a partial load left in
    // the file, found from where its lines start.
    kvdxf::DxfFile::Location locate(const OdDbStub* stub, const Tag& type) const;
    size_t nextObject(size_t i, size_t end) const;
    // The group code of an object's handle.
    static int handleCode(const Tag& type, bool record);
    OdDbObject* make(size_t first, size_t last, bool entity, std::string_view tableName,
                     Placement placement);
    // Gives the stub its handle, or a new one when the file gives it none or another object has
    // it (reported). `type` is the object's "0" group; null for an unread object.
    void number(OdDbStub* stub, OdUInt64 handle, const Tag* type);
    // An entity from the tags [first, last), made, or unread when the file's reader condensed it.
    // Its owner handle is kept for resolveOwners only with `ownerLater` (else its owner is set
    // directly); `hasOwnerHandle` says whether it has one.
    OdDbStub* makeEntity(size_t first, size_t last, Placement placement, bool ownerLater,
                         bool& hasOwnerHandle);
    OdDbStub* makeUnread(size_t first, Placement placement, bool ownerLater, bool& hasOwnerHandle);
    // The owner and the owned objects of a made or unread object (the followers of an unread one).
    void setOwner(OdDbStub* stub, OdDbStub* owner);
    OdDbStub* ownerOf(const OdDbStub* stub) const;
    std::vector<OdDbStub*>& childrenOf(OdDbStub* parent);
    void loadHeader(const kvdxf::Section& section);
    void loadTables(const kvdxf::Section& section);
    // The table a record goes to: the one it stands in, or, outside any table or in a table of
    // another kind (a table header is missing), the table of its kind. What is no record of a
    // standard table stays only in a table of another kind (kept as read); else nullptr.
    OdDbStub* tableOfRecord(const std::string& kind, OdDbStub* current, const Tag& tag);
    static std::string tableNameOf(const OdDbStub* table);
    void setStandardTable(const std::string& name, OdDbStub* table);
    OdDbStub* blockByName(std::string_view name);
    // Attributes follow a block reference that says so (66 = 1); vertices always follow an
    // old-style polyline; SEQEND closes the list.
    static bool expectsFollowers(const OdDbStub* stub);
    // Whether the entity's group 67 is 1.
    static bool onPaperSpace(const OdDbStub* stub);
    void loadEntityList(size_t first, size_t last, OdDbStub* block, Placement placement,
                        std::vector<OdDbStub*>* sectionList, bool modelOrPaperByFlag);
    // Model space, or paper space; made up when the drawing has none.
    OdDbStub* layoutBlock(bool paper);
    void loadBlocks(const kvdxf::Section& section);
    void loadEntities(const kvdxf::Section& section);
    void loadObjects(const kvdxf::Section& section);
    void resolveOwners();
    void resolveNames();
    // Objects that lost a duplicate handle, or had none, carry their new one in the file.
    void fixHandles();
};

// The text in upper case (ASCII letters).
std::string upperCase(std::string_view text);

}  // namespace kvdb
