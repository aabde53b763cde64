#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "TagOps.h"

#include <DbArc.h>
#include <DbArcAlignedText.h>
#include <DbAttribute.h>
#include <DbAttributeDefinition.h>
#include <DbBlockReference.h>
#include <DbBlockTable.h>
#include <DbBlockTableRecord.h>
#include <DbCircle.h>
#include <DbDatabase.h>
#include <DbDatabaseReactor.h>
#include <DbDictionary.h>
#include <DbDimStyleTable.h>
#include <DbDimStyleTableRecord.h>
#include <DbDimension.h>
#include <DbIdMapping.h>
#include <DbLayerTable.h>
#include <DbLayerTableRecord.h>
#include <DbLeader.h>
#include <DbLine.h>
#include <DbLinetypeTable.h>
#include <DbLinetypeTableRecord.h>
#include <DbMText.h>
#include <DbPolyline.h>
#include <DbRText.h>
#include <DbRegAppTable.h>
#include <DbRegAppTableRecord.h>
#include <DbTable.h>
#include <DbText.h>
#include <DbTextStyleTable.h>
#include <DbTextStyleTableRecord.h>
#include <DbUCSTable.h>
#include <DbUCSTableRecord.h>
#include <DbViewTable.h>
#include <DbViewTableRecord.h>
#include <DbViewportTable.h>
#include <DbViewportTableRecord.h>
#include <DbXrecord.h>
#include <RxClass.h>

#include <Db2dPolyline.h>
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace kvdb {

namespace {

using Creator = OdDbObject* (*)();

template <class T>
OdDbObject* make()
{
    return new T();
}

const std::unordered_map<std::string_view, Creator>& entityCreators()
{
    static const std::unordered_map<std::string_view, Creator> creators = {
        {"LINE", &make<OdDbLine>},
        {"CIRCLE", &make<OdDbCircle>},
        {"ARC", &make<OdDbArc>},
        {"LWPOLYLINE", &make<OdDbPolyline>},
        {"POLYLINE", &make<OdDb2dPolyline>},
        {"INSERT", &make<OdDbBlockReference>},
        {"TEXT", &make<OdDbText>},
        {"ATTRIB", &make<OdDbAttribute>},
        {"ATTDEF", &make<OdDbAttributeDefinition>},
        {"MTEXT", &make<OdDbMText>},
        {"ARCALIGNEDTEXT", &make<OdDbArcAlignedText>},
        {"RTEXT", &make<RText>},
        {"ACAD_TABLE", &make<OdDbTable>},
        {"DIMENSION", &make<OdDbDimension>},
        {"ARC_DIMENSION", &make<OdDbDimension>},
        {"LARGE_RADIAL_DIMENSION", &make<OdDbDimension>},
        {"LEADER", &make<OdDbLeader>},
    };
    return creators;
}

const std::unordered_map<std::string_view, Creator>& objectCreators()
{
    static const std::unordered_map<std::string_view, Creator> creators = {
        {"LAYER", &make<OdDbLayerTableRecord>},
        {"LTYPE", &make<OdDbLinetypeTableRecord>},
        {"STYLE", &make<OdDbTextStyleTableRecord>},
        {"DIMSTYLE", &make<OdDbDimStyleTableRecord>},
        {"BLOCK_RECORD", &make<OdDbBlockTableRecord>},
        {"VPORT", &make<OdDbViewportTableRecord>},
        {"APPID", &make<OdDbRegAppTableRecord>},
        {"VIEW", &make<OdDbViewTableRecord>},
        {"UCS", &make<OdDbUCSTableRecord>},
        {"DICTIONARY", &make<OdDbDictionary>},
        {"ACDBDICTIONARYWDFLT", &make<OdDbDictionary>},
        {"XRECORD", &make<OdDbXrecord>},
    };
    return creators;
}

const std::unordered_map<std::string_view, Creator>& tableCreators()
{
    static const std::unordered_map<std::string_view, Creator> creators = {
        {"LAYER", &make<OdDbLayerTable>},
        {"LTYPE", &make<OdDbLinetypeTable>},
        {"STYLE", &make<OdDbTextStyleTable>},
        {"DIMSTYLE", &make<OdDbDimStyleTable>},
        {"BLOCK_RECORD", &make<OdDbBlockTable>},
        {"VPORT", &make<OdDbViewportTable>},
        {"APPID", &make<OdDbRegAppTable>},
        {"VIEW", &make<OdDbViewTable>},
        {"UCS", &make<OdDbUCSTable>},
    };
    return creators;
}

// Which groups of an object name a record.
struct RefSpec
{
    int code;
    RefRole role;
    const char* subclass;  // nullptr: the entity's common groups
    bool every = false;    // every group of the code in the subclass names a record, not the first
};

bool isEntityPlacement(Placement placement)
{
    return placement == Placement::Entity || placement == Placement::BlockEntity ||
           placement == Placement::SubEntity || placement == Placement::BlockBegin ||
           placement == Placement::BlockEnd;
}

// At most four per object; kept on the stack, as this runs for every object read.
class RefSpecs
{
public:
    void push_back(const RefSpec& spec) { m_specs[m_count++] = spec; }
    const RefSpec* begin() const { return m_specs; }
    const RefSpec* end() const { return m_specs + m_count; }

private:
    RefSpec m_specs[4] = {};
    size_t m_count = 0;
};

RefSpecs specsFor(std::string_view type, bool entity, bool record)
{
    RefSpecs specs;
    if (entity) {
        specs.push_back({8, RefRole::Layer, nullptr});
        specs.push_back({6, RefRole::Linetype, nullptr});
        if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF") {
            specs.push_back({7, RefRole::TextStyle, "AcDbText"});
        } else if (type == "MTEXT") {
            specs.push_back({7, RefRole::TextStyle, "AcDbMText"});
        } else if (type == "ARCALIGNEDTEXT") {
            specs.push_back({7, RefRole::TextStyle, "AcDbArcAlignedText"});
        } else if (type == "RTEXT") {
            specs.push_back({7, RefRole::TextStyle, "RText"});
        } else if (type == "DIMENSION" || type == "ARC_DIMENSION" ||
                   type == "LARGE_RADIAL_DIMENSION") {
            specs.push_back({3, RefRole::DimStyle, "AcDbDimension"});
            // The anonymous block that holds the dimension's picture.
            specs.push_back({2, RefRole::Block, "AcDbDimension"});
        } else if (type == "LEADER") {
            specs.push_back({3, RefRole::DimStyle, "AcDbLeader"});
        } else if (type == "TOLERANCE") {
            specs.push_back({3, RefRole::DimStyle, "AcDbFcf"});
        } else if (type == "INSERT") {
            specs.push_back({2, RefRole::Block, "AcDbBlockReference"});
        } else if (type == "ACAD_TABLE") {
            specs.push_back({2, RefRole::Block, "AcDbBlockReference"});
            // Cell and table-level text style overrides.
            specs.push_back({7, RefRole::TextStyle, "AcDbTable", true});
        }
    } else if (record && type == "LAYER") {
        specs.push_back({6, RefRole::Linetype, "AcDbLayerTableRecord"});
    } else if (type == "TABLESTYLE") {
        // The text style of each cell type: data, title, header.
        specs.push_back({7, RefRole::TextStyle, "AcDbTableStyle", true});
    } else if (type == "MLINESTYLE") {
        // The line style of each element.
        specs.push_back({6, RefRole::Linetype, "AcDbMlineStyle", true});
    }
    return specs;
}

// Groups of objects made in memory, in the layout CAD programs write.
struct Group
{
    int code;
    const char* value;
};

std::vector<Group> defaultGroups(std::string_view type, bool entity)
{
    auto record = [&](const char* subclass, std::initializer_list<Group> rest) {
        std::vector<Group> groups = {{0, nullptr},    {type == "DIMSTYLE" ? 105 : 5, "0"},
                                     {330, "0"},      {100, "AcDbSymbolTableRecord"},
                                     {100, subclass}, {2, ""},
                                     {70, "     0"}};
        groups.insert(groups.end(), rest);
        return groups;
    };
    if (type == "LAYER") {
        return record("AcDbLayerTableRecord", {{62, "     7"}, {6, "Continuous"}, {370, "    -3"}});
    }
    if (type == "LTYPE") {
        return record("AcDbLinetypeTableRecord",
                      {{3, ""}, {72, "    65"}, {73, "     0"}, {40, "0.0"}});
    }
    if (type == "STYLE") {
        return record("AcDbTextStyleTableRecord", {{40, "0.0"},
                                                   {41, "1.0"},
                                                   {50, "0.0"},
                                                   {71, "     0"},
                                                   {42, "0.2"},
                                                   {3, "txt"},
                                                   {4, ""}});
    }
    if (type == "DIMSTYLE") {
        return record("AcDbDimStyleTableRecord", {});
    }
    if (type == "BLOCK_RECORD") {
        std::vector<Group> groups = record("AcDbBlockTableRecord", {{340, "0"}});
        groups.erase(groups.begin() + 6);  // block records have no flags group
        return groups;
    }
    if (type == "APPID") {
        return record("AcDbRegAppTableRecord", {});
    }
    if (type == "VPORT") {
        return record("AcDbViewportTableRecord", {});
    }
    if (type == "VIEW") {
        return record("AcDbViewTableRecord", {});
    }
    if (type == "UCS") {
        return record("AcDbUCSTableRecord", {});
    }
    if (type == "DICTIONARY") {
        return {{0, nullptr}, {5, "0"}, {330, "0"}, {100, "AcDbDictionary"}, {281, "     1"}};
    }
    if (type == "XRECORD") {
        return {{0, nullptr}, {5, "0"}, {330, "0"}, {100, "AcDbXrecord"}, {280, "     1"}};
    }
    if (!entity) {
        return {{0, nullptr}, {5, "0"}, {330, "0"}};
    }
    std::vector<Group> groups = {{0, nullptr}, {5, "0"}, {330, "0"}, {100, "AcDbEntity"}, {8, "0"}};
    auto add = [&](std::initializer_list<Group> rest) { groups.insert(groups.end(), rest); };
    const Group origin[] = {{10, "0.0"}, {20, "0.0"}, {30, "0.0"}};
    if (type == "LINE") {
        add({{100, "AcDbLine"},
             origin[0],
             origin[1],
             origin[2],
             {11, "0.0"},
             {21, "0.0"},
             {31, "0.0"}});
    } else if (type == "CIRCLE") {
        add({{100, "AcDbCircle"}, origin[0], origin[1], origin[2], {40, "1.0"}});
    } else if (type == "ARC") {
        add({{100, "AcDbCircle"},
             origin[0],
             origin[1],
             origin[2],
             {40, "1.0"},
             {100, "AcDbArc"},
             {50, "0.0"},
             {51, "90.0"}});
    } else if (type == "TEXT") {
        add({{100, "AcDbText"},
             origin[0],
             origin[1],
             origin[2],
             {40, "1.0"},
             {1, ""},
             {7, "Standard"},
             {100, "AcDbText"}});
    } else if (type == "MTEXT") {
        add({{100, "AcDbMText"},
             origin[0],
             origin[1],
             origin[2],
             {40, "1.0"},
             {41, "0.0"},
             {71, "     1"},
             {1, ""},
             {7, "Standard"}});
    }
    return groups;
}

}  // namespace

OdDbObject* createForDxfType(std::string_view type, bool entity, std::string_view tableName)
{
    if (type == "TABLE") {
        const auto& tables = tableCreators();
        const auto it = tables.find(tableName);
        return it != tables.end() ? it->second() : new OdDbSymbolTable();
    }
    const auto& creators = entity ? entityCreators() : objectCreators();
    const auto it = creators.find(type);
    if (it != creators.end()) {
        return it->second();
    }
    return entity ? static_cast<OdDbObject*>(new OdDbEntity()) : new OdDbObject();
}

OdDbStub* NameCache::lookup(DatabaseImpl& db, RefRole role, std::string_view raw)
{
    auto& found = m_found[static_cast<size_t>(role)];
    const auto it = found.find(raw);
    if (it != found.end()) {
        return it->second;
    }
    OdDbStub* const target = db.lookup(db.tableForRole(role), db.decode(raw));
    found.emplace(raw, target);
    return target;
}

void collectNameRefs(DatabaseImpl& db, OdDbObject* object, NameCache* cache)
{
    ObjectData& data = dataOf(object);
    const std::string_view type = data.tags[0].value();
    const bool entity =
        isEntityPlacement(data.placement) ||
        (data.placement == Placement::Free && OdDbEntity::cast(object).get() != nullptr);
    const bool record =
        data.placement == Placement::TableRecord ||
        (data.placement == Placement::Free && OdDbSymbolTableRecord::cast(object).get() != nullptr);
    NameRef found[4] = {};
    size_t count = 0;
    std::vector<NameRef> many;  // tables and table styles name a record in many groups
    auto resolve = [&](const RefSpec& spec, size_t i) {
        const std::string_view raw = data.tags[i].value();
        OdDbStub* target = cache != nullptr ? cache->lookup(db, spec.role, raw)
                                            : db.lookup(db.tableForRole(spec.role), db.decode(raw));
        return NameRef{static_cast<uint32_t>(i), spec.role, target};
    };
    for (const RefSpec& spec : specsFor(type, entity, record)) {
        if (spec.every) {
            for (size_t i : findAllTags(object, spec.code, spec.subclass)) {
                many.push_back(resolve(spec, i));
            }
            continue;
        }
        const int i = spec.subclass == nullptr ? findCommonTag(data.tags, spec.code)
                                               : findTag(object, spec.code, spec.subclass);
        if (i >= 0) {
            found[count++] = resolve(spec, static_cast<size_t>(i));
        }
    }
    // Layer names in XDATA (1003). XDATA is always last, so only objects whose last group is an
    // XDATA group need the search.
    const TagList& tags = data.tags;
    if (tags.size() > 1 && tags[tags.size() - 1].code >= 1000) {
        for (size_t i = xdataStart(tags); i < tags.size(); ++i) {
            if (tags[i].code == 1003) {
                many.push_back(resolve(RefSpec{1003, RefRole::Layer, nullptr}, i));
            }
        }
    }
    auto byTag = [](const NameRef& a, const NameRef& b) { return a.tag < b.tag; };
    if (!many.empty()) {
        many.insert(many.end(), found, found + count);
        std::sort(many.begin(), many.end(), byTag);
        data.refs = std::move(many);
        db.touch(object);
        return;
    }
    // In group order; four at most, so a plain insertion sort.
    for (size_t k = 1; k < count; ++k) {
        for (size_t j = k; j > 0 && byTag(found[j], found[j - 1]); --j) {
            std::swap(found[j], found[j - 1]);
        }
    }
    // One allocation of the exact size: a drawing holds a list per entity.
    data.refs.assign(found, found + count);
    db.touch(object);
}

void ensureTags(const OdDbObject* object)
{
    ObjectData& data = dataOf(object);
    if (!data.tags.empty()) {
        return;
    }
    const OdString dxfName = object->isA() != nullptr ? object->isA()->dxfName() : OdString();
    const std::string type = dxfName.toUtf8();
    const bool entity = OdDbEntity::cast(object).get() != nullptr;
    std::vector<Tag>& tags = data.tags.edit();
    for (const Group& group : defaultGroups(type, entity)) {
        const char* text = group.value;
        std::string_view value = text != nullptr ? std::string_view(text) : std::string_view();
        if (group.code == 0) {
            if (!data.ownArena) {
                data.ownArena = std::make_unique<kvdxf::StringArena>();
            }
            value = data.ownArena->store(type);
        }
        tags.push_back(Tag{value.data(), static_cast<uint32_t>(value.size()), group.code});
    }
    data.tags.sync();
}

namespace {

// An entity of a block's definition (BLOCK, ENDBLK) made in memory; values of null are the
// block's name.
OdDbStub* newBlockEntity(DatabaseImpl& db, OdDbStub* block, std::initializer_list<Group> groups,
                         Placement placement)
{
    const OdString name = static_cast<OdDbSymbolTableRecord*>(block->object())->getName();
    const std::string raw = db.encode(name);
    OdDbObject* entity = new OdDbEntity();
    ObjectData& data = dataOf(entity);
    std::vector<Tag>& tags = data.tags.edit();
    for (const Group& group : groups) {
        const std::string_view value = db.store(group.value != nullptr ? group.value : raw);
        tags.push_back(Tag{value.data(), static_cast<uint32_t>(value.size()), group.code});
    }
    data.tags.sync();
    // The database's reference is the only one.
    const OdDbObjectId id = db.addObject(entity, block, 0);
    collectNameRefs(db, entity);
    dataOf(entity).placement = placement;
    return id.stub();
}

}  // namespace

OdDbStub* addBlockEnd(DatabaseImpl& db, OdDbStub* block)
{
    return newBlockEntity(
        db, block,
        {{0, "ENDBLK"}, {5, "0"}, {330, "0"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"}},
        Placement::BlockEnd);
}

void registerNewBlock(DatabaseImpl& db, OdDbStub* block)
{
    OdDbStub* begin = newBlockEntity(db, block,
                                     {{0, "BLOCK"},
                                      {5, "0"},
                                      {330, "0"},
                                      {100, "AcDbEntity"},
                                      {8, "0"},
                                      {100, "AcDbBlockBegin"},
                                      {2, nullptr},
                                      {70, "     0"},
                                      {10, "0.0"},
                                      {20, "0.0"},
                                      {30, "0.0"},
                                      {3, nullptr},
                                      {1, ""}},
                                     Placement::BlockBegin);
    db.sectionItems(SectionSlot::Blocks).push_back(block);
    db.blockEnds[block] = {begin, addBlockEnd(db, block)};
}

void registerDatabaseClasses()
{
    OdDbObject::rxInit();
    OdDbEntity::rxInit();
    OdDbSymbolTable::rxInit();
    OdDbSymbolTableRecord::rxInit();
    OdDbLayerTable::rxInit();
    OdDbLinetypeTable::rxInit();
    OdDbTextStyleTable::rxInit();
    OdDbDimStyleTable::rxInit();
    OdDbBlockTable::rxInit();
    OdDbViewportTable::rxInit();
    OdDbRegAppTable::rxInit();
    OdDbViewTable::rxInit();
    OdDbUCSTable::rxInit();
    OdDbLayerTableRecord::rxInit();
    OdDbLinetypeTableRecord::rxInit();
    OdDbTextStyleTableRecord::rxInit();
    OdDbDimStyleTableRecord::rxInit();
    OdDbBlockTableRecord::rxInit();
    OdDbViewportTableRecord::rxInit();
    OdDbRegAppTableRecord::rxInit();
    OdDbViewTableRecord::rxInit();
    OdDbUCSTableRecord::rxInit();
    OdDbDictionary::rxInit();
    OdDbXrecord::rxInit();
    OdDbLine::rxInit();
    OdDbCircle::rxInit();
    OdDbArc::rxInit();
    OdDbPolyline::rxInit();
    OdDb2dPolyline::rxInit();
    OdDbBlockReference::rxInit();
    OdDbText::rxInit();
    OdDbAttribute::rxInit();
    OdDbAttributeDefinition::rxInit();
    OdDbMText::rxInit();
    OdDbArcAlignedText::rxInit();
    RText::rxInit();
    OdDbTable::rxInit();
    OdDbDimension::rxInit();
    OdDbLeader::rxInit();
    OdDbSymbolTableIterator::rxInit();
    OdDbObjectIterator::rxInit();
    OdDbDictionaryIterator::rxInit();
    OdDbDatabaseReactor::rxInit();
    OdDbIdMapping::rxInit();
    OdDbDatabase::rxInit();
}

namespace {
// The classes are there as soon as the library is loaded, as the SDK's own are.
const bool s_registered = (registerDatabaseClasses(), true);
}  // namespace

}  // namespace kvdb
