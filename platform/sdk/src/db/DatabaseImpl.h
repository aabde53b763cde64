#pragma once

#include "Access.h"
#include "DbStub.h"
#include "HandleIndex.h"
#include "ObjectData.h"
#include "ReferenceIndex.h"
#include "TagList.h"
#include "dxf/DxfFile.h"
#include "dxf/StringArena.h"
#include "dxf/TextCodec.h"

#include <DbObjectId.h>
#include <OdString.h>

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class OdDbDatabase;
class OdDbDatabaseReactor;
class OdDbObject;

namespace kvdb {

// One section of the file, in file order.
struct SectionSlot
{
    // In the order sections are read: blocks and entities name the records of tables.
    enum Kind { Header, Tables, Blocks, Entities, Objects, Raw };
    Kind kind = Raw;
    std::vector<Tag> raw;          // Raw: the whole section content as read
    std::vector<OdDbStub*> items;  // Tables: tables; Blocks: block records; Entities: top-level
                                   // entities; Objects: objects; in file order
    std::string name;
};

// The HEADER section: "9 $NAME" followed by value groups, in file order.
struct HeaderVar
{
    std::string name;  // without "$", upper case
    size_t slot = 0;   // the HEADER section it is written in
    std::vector<Tag> values;
    OdDbStub* ref = nullptr;  // for variables that name a record
    bool hasRef = false;
    RefRole role = RefRole::Layer;  // the kind of record named
};

// Records of one table, in table order, with a case-insensitive name index.
struct TableInfo
{
    std::unordered_map<OdString, std::vector<OdDbStub*>, OdStringNoCaseHash, OdStringNoCaseEqual>
        byName;
};

class NameCache;

class DatabaseImpl
{
public:
    explicit DatabaseImpl(OdDbDatabase* self);
    static OdSmartPtr<OdDbDatabase> makeDatabase();
    ~DatabaseImpl();

    OdDbDatabase* self;
    std::unique_ptr<kvdxf::DxfFile> file;  // keeps the text every tag views into
    kvdxf::StringArena arena;              // texts set after reading
    kvdxf::TextCodec codec;
    std::string path;
    std::string version;  // as read
    bool crlf = false;
    std::vector<std::string> messages;

    std::deque<OdDbStub> stubs;
    HandleIndex byHandle;
    OdUInt64 maxHandle = 0;

    std::vector<SectionSlot> layout;
    std::vector<HeaderVar> header;
    std::unordered_map<OdDbStub*, std::vector<Tag>> endtabs;  // the ENDTAB groups of each table
    std::unordered_map<OdDbStub*, TableInfo> tableInfo;
    std::unordered_map<OdDbStub*, std::pair<OdDbStub*, OdDbStub*>> blockEnds;  // BLOCK, ENDBLK
    // The list of the first section of a kind, where new things go; the section is made when
    // the file had none.
    std::vector<OdDbStub*>& sectionItems(SectionSlot::Kind kind);
    std::vector<OdDbDatabaseReactor*> reactors;

    // Entities kept unread until asked for (UnreadObjects.h): the followers of those not made yet,
    // and how many objects' groups are not read yet.
    std::unordered_map<const OdDbStub*, std::vector<OdDbStub*>> unreadFollowers;
    size_t unreadObjects = 0;
    // The DXF type names of the unread entities a partial load left in the file, by number.
    std::vector<std::string_view> unreadTypes;
    // The file those entities are read from; null when the drawing was read whole.
    kvdxf::FileSource* source() const { return file != nullptr ? file->source.get() : nullptr; }
    // Layer names that objects of the file name but that named no layer when the file was read,
    // in the order the objects were read: the layers the drawing gets.
    std::vector<std::string_view> unresolvedLayerNames;
    // The drawing is read (and its tables complete).
    bool loaded = false;
    // Reads the groups of every object not read yet.
    void readAll();
    // An object resolves the names its groups hold when they are read. Before a record is added,
    // renamed, erased or restored, every object not read yet is read, so that each resolves its
    // names as they were when the drawing was read.
    void beforeNamesChange()
    {
        if (loaded) {
            readAll();
        }
    }
    // The names objects read after the drawing was read resolved, while no name changed; null
    // while the drawing is read.
    NameCache* readCache();

    OdDbStub* layerTable = nullptr;
    OdDbStub* linetypeTable = nullptr;
    OdDbStub* styleTable = nullptr;
    OdDbStub* dimstyleTable = nullptr;
    OdDbStub* blockTable = nullptr;
    OdDbStub* vportTable = nullptr;
    OdDbStub* appidTable = nullptr;
    OdDbStub* viewTable = nullptr;
    OdDbStub* ucsTable = nullptr;
    OdDbStub* namedObjects = nullptr;

    // Creates a stub for a handle; 0 or a handle already taken gets a new handle.
    OdDbStub* newStub(OdUInt64 handle);
    // A stub without a handle, and the handle for it as newStub gives it.
    OdDbStub* addStub();
    void giveHandle(OdDbStub* stub, OdUInt64 handle);
    OdDbStub* stubOf(OdUInt64 handle) const;
    OdUInt64 nextHandle() { return ++maxHandle; }

    // Text storage for an object: the database's arena.
    std::string_view store(std::string_view text) { return arena.store(text); }
    std::string encode(const OdString& text) const;
    OdString decode(std::string_view raw) const;

    // The table of a record type ("LAYER", "BLOCK_RECORD", ...), or nullptr; tableSlot gives the
    // member that holds it (nullptr for other types).
    OdDbStub* tableFor(const std::string& recordType) const;
    OdDbStub** tableSlot(const std::string& recordType);
    OdDbStub* lookup(OdDbStub* table, const OdString& name) const;
    void indexRecord(OdDbStub* table, OdDbStub* record);
    void unindexRecord(OdDbStub* table, OdDbStub* record, const OdString& oldName);
    OdDbStub* tableForRole(RefRole role) const;
    // Records every drawing keeps, which cannot be renamed or erased: layer "0", the line styles
    // ByBlock, ByLayer and Continuous, and the model and paper space blocks.
    bool isPermanentRecord(const OdDbStub* record) const;
    // Raises OdError(code) naming the record when it is one of those.
    void refuseOnPermanentRecord(const OdDbStub* record, const char* what, OdResult code) const;
    // The objects that `owner` owns: its extension dictionary, the entries of a dictionary, the
    // entities of a block (with its BLOCK and ENDBLK) and the sub-entities of an entity.
    std::vector<OdDbStub*> ownedObjects(const OdDbStub* owner) const;

    HeaderVar* headerVar(const std::string& upperName);
    const HeaderVar* headerVar(const std::string& upperName) const;
    // Ties the header variables that name records (the current records, the dimension
    // variables naming text styles, line styles and blocks) to the records they name.
    void resolveHeaderRefs();

    // Adds an object (that belongs to no database) to this one and places it.
    OdDbObjectId addObject(OdDbObject* object, OdDbStub* owner, OdUInt64 handle);
    // Moves the texts of an object into this database's storage.
    void rehome(OdDbObject* object);

    // Who refers to what, built on first use (purge) and kept current from then on.
    ReferenceIndex& referenceIndex();
    // To be called whenever an object's groups, references or erased state change.
    void touch(const OdDbObject* object)
    {
        if (m_references && Access::stub(object) != nullptr) {
            m_references->touch(Access::stub(object));
        }
    }

    void notifyAppended(const OdDbObject* object);
    void notifyOpenedForModify(const OdDbObject* object);
    void notifyModified(const OdDbObject* object);
    void notifyErased(const OdDbObject* object, bool erased);

private:
    std::unique_ptr<ReferenceIndex> m_references;
    std::unique_ptr<NameCache> m_readCache;
};

}  // namespace kvdb
