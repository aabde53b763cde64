#include "DbUpgrade.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbObject.h>
#include <DbSymbolTableRecord.h>
#include <RxClass.h>

#include <algorithm>
#include <cctype>
#include <tuple>

namespace kvdb {

namespace {

constexpr const char* kUpgradeVersion = "AC1015";

// Whether a version string names a release before AC1015 ("AC1009", "AC1014", "AC2.10", ...).
bool olderThan2000(const std::string& version)
{
    if (version.size() == 6 && version.compare(0, 2, "AC") == 0 &&
        std::isdigit(static_cast<unsigned char>(version[2]))) {
        return version < kUpgradeVersion;
    }
    return true;  // no version or an ancient one: R12 and before
}

bool hasObjectStructure(const std::string& version)
{
    return version == "AC1012" || version == "AC1014";
}

// Groups of one object being rebuilt.
class Rebuild
{
public:
    Rebuild(DatabaseImpl& db, OdDbObject* object) : m_db(db), m_object(object)
    {
        const TagList& tags = dataOf(object).tags;
        m_source.assign(tags.begin(), tags.end());
        // Name references point at group indexes; they are found again afterwards.
        dataOf(object).refs.clear();
    }

    void add(int code, std::string_view value)
    {
        const std::string_view stored = m_db.store(value);
        m_out.push_back(Tag{stored.data(), static_cast<uint32_t>(stored.size()), code});
    }
    void add(const Tag& tag) { m_out.push_back(tag); }

    // Moves the groups whose codes are listed (in their original order) to the output.
    void take(std::initializer_list<int> codes)
    {
        for (Tag& tag : m_source) {
            if (tag.code != kTaken &&
                std::find(codes.begin(), codes.end(), tag.code) != codes.end()) {
                m_out.push_back(tag);
                tag.code = kTaken;
            }
        }
    }
    void takeRest()
    {
        for (Tag& tag : m_source) {
            if (tag.code != kTaken) {
                m_out.push_back(tag);
                tag.code = kTaken;
            }
        }
    }
    // Drops the groups of these codes.
    void drop(std::initializer_list<int> codes)
    {
        for (Tag& tag : m_source) {
            if (std::find(codes.begin(), codes.end(), tag.code) != codes.end()) {
                tag.code = kTaken;
            }
        }
    }
    std::string_view value(int code) const
    {
        for (const Tag& tag : m_source) {
            if (tag.code == code) {
                return tag.value();
            }
        }
        return {};
    }

    void finish()
    {
        takeRest();
        ObjectData& data = dataOf(m_object);
        data.tags.edit() = std::move(m_out);
        data.tags.sync();
        collectNameRefs(m_db, m_object);
        Access::sync(m_object);
    }

    // The identity groups every object of AC1015 starts with.
    void identity(int handleCode, OdDbStub* owner)
    {
        add(m_source[0]);
        m_source[0].code = kTaken;
        drop({5, 105, 330});
        add(handleCode, kvdxf::formatHandle(Access::stub(m_object)->handle));
        add(330, owner != nullptr ? kvdxf::formatHandle(owner->handle) : "0");
    }

private:
    static constexpr int kTaken = -1000000;
    DatabaseImpl& m_db;
    OdDbObject* m_object;
    std::vector<Tag> m_source;
    std::vector<Tag> m_out;
};

const char* recordMarker(std::string_view kind)
{
    if (kind == "LAYER") {
        return "AcDbLayerTableRecord";
    }
    if (kind == "LTYPE") {
        return "AcDbLinetypeTableRecord";
    }
    if (kind == "STYLE") {
        return "AcDbTextStyleTableRecord";
    }
    if (kind == "DIMSTYLE") {
        return "AcDbDimStyleTableRecord";
    }
    if (kind == "VPORT") {
        return "AcDbViewportTableRecord";
    }
    if (kind == "VIEW") {
        return "AcDbViewTableRecord";
    }
    if (kind == "UCS") {
        return "AcDbUCSTableRecord";
    }
    if (kind == "APPID") {
        return "AcDbRegAppTableRecord";
    }
    return "AcDbBlockTableRecord";
}

// Objects made while reading or added since already have the structure of AC1015; so do the
// objects of writers that mix the two structures, which may still lack their handle and owner.
bool isStructured(const OdDbObject* object, OdDbStub* owner)
{
    if (findTag(object, 100) < 0) {
        return false;
    }
    const TagList& tags = dataOf(object).tags;
    const int handleCode = tags[0].value() == "DIMSTYLE" ? 105 : 5;
    size_t i = 1;
    while (i < tags.size() && tags[i].code != handleCode && tags[i].code != 1001 &&
           !(tags[i].code == 100 && tags[i].value() != "AcDbEntity")) {
        ++i;
    }
    if (i == tags.size() || tags[i].code != handleCode) {
        OdDbObject* writable = const_cast<OdDbObject*>(object);
        insertTag(writable, 1, handleCode, kvdxf::formatHandle(Access::stub(object)->handle));
        if (owner != nullptr && findTag(object, 330) < 0) {
            insertTag(writable, 2, 330, kvdxf::formatHandle(owner->handle));
        }
        Access::sync(writable);
    }
    return true;
}

void upgradeEntity(DatabaseImpl& db, OdDbObject* entity, OdDbStub* owner)
{
    if (isStructured(entity, owner)) {
        return;
    }
    Rebuild r(db, entity);
    const std::string type(dataOf(entity).tags[0].value());
    r.identity(5, owner);
    r.add(100, "AcDbEntity");
    const bool hasLayer = !r.value(8).empty();
    // The groups every entity shares; the rest belongs to the entity's own subclasses.
    r.take({67, 8, 6, 62, 48, 60, 370});
    if (!hasLayer) {
        r.add(8, "0");
    }
    auto sub = [&](const char* marker) { r.add(100, marker); };
    if (type == "LINE") {
        sub("AcDbLine");
    } else if (type == "POINT") {
        sub("AcDbPoint");
    } else if (type == "CIRCLE") {
        sub("AcDbCircle");
    } else if (type == "ARC") {
        sub("AcDbCircle");
        r.take({39, 10, 20, 30, 40, 210, 220, 230});
        sub("AcDbArc");
    } else if (type == "SOLID" || type == "TRACE") {
        sub("AcDbTrace");
    } else if (type == "3DFACE") {
        sub("AcDbFace");
    } else if (type == "SHAPE") {
        sub("AcDbShape");
    } else if (type == "TEXT") {
        sub("AcDbText");
        r.take({39, 10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72, 11, 21, 31, 210, 220, 230});
        sub("AcDbText");
    } else if (type == "ATTDEF" || type == "ATTRIB") {
        sub("AcDbText");
        r.take({39, 10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72, 11, 21, 31, 210, 220, 230});
        sub(type == "ATTDEF" ? "AcDbAttributeDefinition" : "AcDbAttribute");
    } else if (type == "INSERT") {
        sub("AcDbBlockReference");
    } else if (type == "POLYLINE") {
        int64_t flags = 0;
        kvdxf::parseInt(r.value(70), flags);
        sub((flags & 64)   ? "AcDbPolyFaceMesh"
            : (flags & 16) ? "AcDbPolygonMesh"
            : (flags & 8)  ? "AcDb3dPolyline"
                           : "AcDb2dPolyline");
    } else if (type == "VERTEX") {
        int64_t flags = 0;
        kvdxf::parseInt(r.value(70), flags);
        sub("AcDbVertex");
        if ((flags & 128) && !(flags & 64)) {
            sub("AcDbFaceRecord");
        } else {
            sub((flags & 128)  ? "AcDbPolyFaceMeshVertex"
                : (flags & 64) ? "AcDbPolygonMeshVertex"
                : (flags & 32) ? "AcDb3dPolylineVertex"
                               : "AcDb2dVertex");
        }
    } else if (type == "DIMENSION") {
        int64_t flags = 0;
        kvdxf::parseInt(r.value(70), flags);
        sub("AcDbDimension");
        r.take({2, 10, 20, 30, 11, 21, 31, 70, 1, 3, 53, 51, 210, 220, 230});
        switch (flags & 7) {
            case 0:
                sub("AcDbAlignedDimension");
                r.take({12, 22, 32, 13, 23, 33, 14, 24, 34});
                sub("AcDbRotatedDimension");
                break;
            case 1:
                sub("AcDbAlignedDimension");
                break;
            case 2:
                sub("AcDb2LineAngularDimension");
                break;
            case 3:
                sub("AcDbDiametricDimension");
                break;
            case 4:
                sub("AcDbRadialDimension");
                break;
            case 5:
                sub("AcDb3PointAngularDimension");
                break;
            default:
                sub("AcDbOrdinateDimension");
                break;
        }
    } else if (type == "VIEWPORT") {
        sub("AcDbViewport");
    } else if (type == "BLOCK") {
        sub("AcDbBlockBegin");
    } else if (type == "ENDBLK") {
        sub("AcDbBlockEnd");
    }
    r.finish();
}

void upgradeRecord(DatabaseImpl& db, OdDbObject* record, OdDbStub* table)
{
    if (isStructured(record, table)) {
        return;
    }
    const std::string kind(dataOf(record).tags[0].value());
    // R12 names the arrow blocks of a dimension style (5, 6, 7); later versions point at them
    // by handle.
    std::vector<std::pair<int, OdDbStub*>> arrows;
    if (kind == "DIMSTYLE") {
        static const int codes[][2] = {{5, 342}, {6, 343}, {7, 344}};
        for (const auto& c : codes) {
            const OdString name = getString(record, c[0]);
            OdDbStub* block = name.isEmpty() ? nullptr : db.lookup(db.blockTable, name);
            if (block != nullptr) {
                arrows.emplace_back(c[1], block);
            }
        }
    }
    Rebuild r(db, record);
    r.drop({6, 7});
    r.identity(kind == "DIMSTYLE" ? 105 : 5, table);
    r.add(100, "AcDbSymbolTableRecord");
    r.add(100, recordMarker(kind));
    r.take({2, 70});
    r.takeRest();
    for (const auto& [code, block] : arrows) {
        r.add(code, kvdxf::formatHandle(block->handle));
    }
    r.finish();
}

void upgradeTable(DatabaseImpl& db, OdDbObject* table)
{
    if (isStructured(table, nullptr)) {
        return;
    }
    Rebuild r(db, table);
    const std::string name = std::string(r.value(2));
    r.identity(5, nullptr);
    r.take({2});
    r.add(100, "AcDbSymbolTable");
    r.take({70});
    if (name == "DIMSTYLE") {
        // The list of records is written from the records themselves.
        r.add(100, "AcDbDimStyleTable");
        r.add(71, "0");
    }
    r.finish();
}

OdDbStub* newObject(DatabaseImpl& db, std::initializer_list<std::pair<int, std::string>> groups,
                    bool entity)
{
    OdDbObject* object = createForDxfType(groups.begin()->second, entity, {});
    ObjectData& data = dataOf(object);
    std::vector<Tag>& tags = data.tags.edit();
    for (const auto& [code, value] : groups) {
        const std::string_view stored = db.store(value);
        tags.push_back(Tag{stored.data(), static_cast<uint32_t>(stored.size()), code});
    }
    data.tags.sync();
    OdDbStub* stub = db.newStub(0);
    stub->object = object;
    object->addRef();
    Access::setStub(object, stub);
    data.isNew = false;
    const std::string handle = kvdxf::formatHandle(stub->handle);
    for (Tag& tag : data.tags.edit()) {
        if ((tag.code == 5 || tag.code == 105) && tag.value() == "?") {
            const std::string_view stored = db.store(handle);
            tag.data = stored.data();
            tag.size = static_cast<uint32_t>(stored.size());
        }
    }
    data.tags.sync();
    return stub;
}

std::string hex(const OdDbStub* stub)
{
    return kvdxf::formatHandle(stub->handle);
}

// The layout of model space or of a paper space, as a LAYOUT object.
OdDbStub* makeLayout(DatabaseImpl& db, const std::string& name, int tab, bool model,
                     OdDbStub* owner, OdDbStub* block)
{
    OdDbStub* layout = newObject(db,
                                 {{0, "LAYOUT"},
                                  {5, "?"},
                                  {330, hex(owner)},
                                  {100, "AcDbPlotSettings"},
                                  {1, ""},
                                  {2, "none_device"},
                                  {4, ""},
                                  {6, ""},
                                  {40, "0.0"},
                                  {41, "0.0"},
                                  {42, "0.0"},
                                  {43, "0.0"},
                                  {44, "0.0"},
                                  {45, "0.0"},
                                  {46, "0.0"},
                                  {47, "0.0"},
                                  {48, "0.0"},
                                  {49, "0.0"},
                                  {140, "0.0"},
                                  {141, "0.0"},
                                  {142, "1.0"},
                                  {143, "1.0"},
                                  {70, model ? "1024" : "0"},
                                  {72, "0"},
                                  {73, "0"},
                                  {74, "5"},
                                  {7, ""},
                                  {75, "16"},
                                  {76, "0"},
                                  {77, "2"},
                                  {78, "300"},
                                  {147, "1.0"},
                                  {148, "0.0"},
                                  {149, "0.0"},
                                  {100, "AcDbLayout"},
                                  {1, name},
                                  {70, "1"},
                                  {71, std::to_string(tab)},
                                  {10, "0.0"},
                                  {20, "0.0"},
                                  {11, "12.0"},
                                  {21, "9.0"},
                                  {12, "0.0"},
                                  {22, "0.0"},
                                  {32, "0.0"},
                                  {14, "0.0"},
                                  {24, "0.0"},
                                  {34, "0.0"},
                                  {15, "0.0"},
                                  {25, "0.0"},
                                  {35, "0.0"},
                                  {146, "0.0"},
                                  {13, "0.0"},
                                  {23, "0.0"},
                                  {33, "0.0"},
                                  {16, "1.0"},
                                  {26, "0.0"},
                                  {36, "0.0"},
                                  {17, "0.0"},
                                  {27, "1.0"},
                                  {37, "0.0"},
                                  {76, "0"},
                                  {330, hex(block)}},
                                 false);
    dataOf(layout->object).owner = owner;
    dataOf(layout->object).placement = Placement::Object;
    return layout;
}

OdDbStub* ensureBlock(DatabaseImpl& db, const char* name)
{
    if (OdDbStub* block = db.lookup(db.blockTable, OdString(name))) {
        return block;
    }
    OdDbStub* block = makeSyntheticBlock(db, name);
    registerNewBlock(db, block);
    return block;
}

}  // namespace

bool isOlderThanAc1015(const DatabaseImpl& db)
{
    return olderThan2000(db.version);
}

void upgradeToAc1015(DatabaseImpl& db)
{
    auto setHeader = [&](const char* name, int code, const std::string& value) {
        HeaderVar* var = db.headerVar(name);
        const std::string_view stored = db.store(value);
        const Tag tag{stored.data(), static_cast<uint32_t>(stored.size()), code};
        if (var == nullptr) {
            db.sectionItems(SectionSlot::Header);
            size_t slot = 0;
            for (size_t i = 0; i < db.layout.size(); ++i) {
                if (db.layout[i].kind == SectionSlot::Header) {
                    slot = i;
                    break;
                }
            }
            HeaderVar added;
            added.name = name;
            added.slot = slot;
            added.values.push_back(tag);
            // The version goes first, as every writer puts it.
            db.header.insert(std::string(name) == "ACADVER" ? db.header.begin() : db.header.end(),
                             added);
        } else if (var->values.empty()) {
            var->values.push_back(tag);
        } else {
            var->values[0] = tag;
        }
    };
    const bool structured = hasObjectStructure(db.version);
    setHeader("ACADVER", 1, kUpgradeVersion);
    if (structured) {
        return;
    }
    if (db.headerVar("DWGCODEPAGE") == nullptr) {
        setHeader("DWGCODEPAGE", 3, "ANSI_1252");
    }
    if (db.headerVar("HANDSEED") == nullptr) {
        setHeader("HANDSEED", 5, "1");  // raised above every handle when written
    }

    // A CLASSES section follows the header.
    const bool hasClasses = std::any_of(db.layout.begin(), db.layout.end(), [](const auto& s) {
        return s.kind == SectionSlot::Raw && s.name == "CLASSES";
    });
    if (!hasClasses) {
        SectionSlot classes;
        classes.kind = SectionSlot::Raw;
        classes.name = "CLASSES";
        size_t at = 0;
        while (at < db.layout.size() && db.layout[at].kind == SectionSlot::Header) {
            ++at;
        }
        for (HeaderVar& var : db.header) {
            if (var.slot >= at) {
                ++var.slot;
            }
        }
        db.layout.insert(db.layout.begin() + static_cast<std::ptrdiff_t>(at), std::move(classes));
    }

    // Blocks: R12 names model and paper space "$MODEL_SPACE" and "$PAPER_SPACE".
    if (db.blockTable != nullptr) {
        for (OdDbStub* block : dataOf(db.blockTable->object).children) {
            OdDbSymbolTableRecord* record = static_cast<OdDbSymbolTableRecord*>(block->object);
            const OdString name = record->getName();
            const char* renamed = name.iCompare(OdString("$MODEL_SPACE")) == 0   ? "*Model_Space"
                                  : name.iCompare(OdString("$PAPER_SPACE")) == 0 ? "*Paper_Space"
                                                                                 : nullptr;
            if (renamed != nullptr) {
                db.unindexRecord(db.blockTable, block, name);
                replaceValue(record, static_cast<size_t>(findTag(record, 2)), renamed);
                db.indexRecord(db.blockTable, block);
                const auto ends = db.blockEnds.find(block);
                if (ends != db.blockEnds.end() && ends->second.first != nullptr) {
                    OdDbObject* begin = ends->second.first->object;
                    for (int code : {2, 3}) {
                        const int i = findTag(begin, code);
                        if (i >= 0) {
                            replaceValue(begin, static_cast<size_t>(i), renamed);
                        }
                    }
                }
            }
        }
    }
    OdDbStub* modelSpace = ensureBlock(db, "*Model_Space");
    OdDbStub* paperSpace = ensureBlock(db, "*Paper_Space");
    // Every block record has its BLOCK and ENDBLK in the file.
    for (OdDbStub* block : std::vector<OdDbStub*>(dataOf(db.blockTable->object).children)) {
        if (db.blockEnds.count(block) == 0) {
            registerNewBlock(db, block);
        }
    }

    // Tables and their records.
    std::vector<OdDbStub*>& tables = db.sectionItems(SectionSlot::Tables);
    for (OdDbStub* table : tables) {
        upgradeTable(db, table->object);
        for (OdDbStub* record : dataOf(table->object).children) {
            upgradeRecord(db, record->object, table);
        }
    }
    // The block records, made while reading, now become a table of the file.
    OdDbStub* blockTable = db.blockTable;
    if (std::find(tables.begin(), tables.end(), blockTable) == tables.end()) {
        upgradeTable(db, blockTable->object);
        dataOf(blockTable->object).synthetic = false;
        dataOf(blockTable->object).placement = Placement::Table;
        tables.push_back(blockTable);
        for (OdDbStub* block : dataOf(blockTable->object).children) {
            ObjectData& data = dataOf(block->object);
            data.synthetic = false;
            if (isStructured(block->object, blockTable)) {
                continue;
            }
            Rebuild r(db, block->object);
            r.identity(5, blockTable);
            r.add(100, "AcDbSymbolTableRecord");
            r.add(100, "AcDbBlockTableRecord");
            r.take({2});
            r.drop({70});
            r.finish();
        }
    }

    // Entities, with their owners.
    for (OdDbStub* block : dataOf(blockTable->object).children) {
        const auto ends = db.blockEnds.find(block);
        if (ends != db.blockEnds.end()) {
            upgradeEntity(db, ends->second.first->object, block);
            if (ends->second.second != nullptr) {
                upgradeEntity(db, ends->second.second->object, block);
            }
        }
        for (OdDbStub* entity : dataOf(block->object).children) {
            upgradeEntity(db, entity->object, block);
            for (OdDbStub* sub : dataOf(entity->object).children) {
                upgradeEntity(db, sub->object, entity);
            }
        }
    }

    // The named-objects dictionary with its groups and layouts.
    std::vector<OdDbStub*>& objects = db.sectionItems(SectionSlot::Objects);
    OdDbStub* root = newObject(
        db, {{0, "DICTIONARY"}, {5, "?"}, {330, "0"}, {100, "AcDbDictionary"}, {281, "1"}}, false);
    OdDbStub* groups = newObject(
        db, {{0, "DICTIONARY"}, {5, "?"}, {330, hex(root)}, {100, "AcDbDictionary"}, {281, "1"}},
        false);
    OdDbStub* layouts = newObject(
        db, {{0, "DICTIONARY"}, {5, "?"}, {330, hex(root)}, {100, "AcDbDictionary"}, {281, "1"}},
        false);
    OdDbStub* model = makeLayout(db, "Model", 0, true, layouts, modelSpace);
    OdDbStub* paper = makeLayout(db, "Layout1", 1, false, layouts, paperSpace);
    for (OdDbStub* stub : {root, groups, layouts}) {
        dataOf(stub->object).placement = Placement::Object;
    }
    dataOf(groups->object).owner = root;
    dataOf(layouts->object).owner = root;
    for (const auto& [dict, key, value] :
         {std::tuple{root, "ACAD_GROUP", groups}, std::tuple{root, "ACAD_LAYOUT", layouts},
          std::tuple{layouts, "Layout1", paper}, std::tuple{layouts, "Model", model}}) {
        OdDbObject* object = dict->object;
        insertTag(object, dataOf(object).tags.size(), 3, key);
        insertTag(object, dataOf(object).tags.size(), 350, hex(value));
    }
    for (const auto& [block, layout] :
         {std::pair{modelSpace, model}, std::pair{paperSpace, paper}}) {
        OdDbObject* record = block->object;
        setRaw(record, 340, hex(layout), "AcDbBlockTableRecord");
    }
    objects.insert(objects.begin(), {root, groups, layouts, model, paper});
    if (db.namedObjects == nullptr) {
        db.namedObjects = root;
    }
}

}  // namespace kvdb
