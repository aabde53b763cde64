#include "Access.h"
#include "DatabaseImpl.h"
#include "DbMacros.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbArc.h>
#include <DbArcAlignedText.h>
#include <DbAttribute.h>
#include <DbAttributeDefinition.h>
#include <DbBlockReference.h>
#include <DbCircle.h>
#include <DbDatabase.h>
#include <DbDimension.h>
#include <DbEntity.h>
#include <DbLeader.h>
#include <DbLine.h>
#include <DbMText.h>
#include <DbPolyline.h>
#include <DbRText.h>
#include <DbSymbolTableRecord.h>
#include <DbTable.h>
#include <DbText.h>
#include <RxClass.h>

#include <Db2dPolyline.h>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kvdb;

ODDB_DEFINE_MEMBERS(OdDbEntity, OdDbObject, "")
ODDB_DEFINE_MEMBERS(OdDbLine, OdDbEntity, "LINE")
ODDB_DEFINE_MEMBERS(OdDbCircle, OdDbEntity, "CIRCLE")
ODDB_DEFINE_MEMBERS(OdDbArc, OdDbEntity, "ARC")
ODDB_DEFINE_MEMBERS(OdDbPolyline, OdDbEntity, "LWPOLYLINE")
ODDB_DEFINE_MEMBERS(OdDb2dPolyline, OdDbEntity, "POLYLINE")
ODDB_DEFINE_MEMBERS(OdDbBlockReference, OdDbEntity, "INSERT")
ODDB_DEFINE_MEMBERS(OdDbText, OdDbEntity, "TEXT")
ODDB_DEFINE_MEMBERS(OdDbAttribute, OdDbText, "ATTRIB")
ODDB_DEFINE_MEMBERS(OdDbAttributeDefinition, OdDbText, "ATTDEF")
ODDB_DEFINE_MEMBERS(OdDbMText, OdDbEntity, "MTEXT")
ODDB_DEFINE_MEMBERS(OdDbArcAlignedText, OdDbEntity, "ARCALIGNEDTEXT")
ODDB_DEFINE_MEMBERS(RText, OdDbEntity, "RTEXT")
ODDB_DEFINE_MEMBERS(OdDbLeader, OdDbEntity, "LEADER")
ODDB_DEFINE_MEMBERS(OdDbDimension, OdDbEntity, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbTable, OdDbBlockReference, "ACAD_TABLE")

namespace {
// The common entity groups sit in AcDbEntity (no marker at all in R12 files).
const char* commonScope(const OdDbObject* entity)
{
    return findTag(entity, 100) >= 0 ? "AcDbEntity" : nullptr;
}

OdDbObjectId refId(const OdDbObject* object, RefRole role)
{
    const NameRef* ref = findRef(object, role);
    return OdDbObjectId(ref != nullptr ? ref->target : nullptr);
}

template <class F>
void forSubents(OdDbEntity* entity, bool doSubents, F&& apply)
{
    if (!doSubents) {
        return;
    }
    for (OdDbStub* sub : dataOf(entity).children) {
        if (sub->object() != nullptr) {
            OdDbEntityPtr subEntity =
                OdDbEntity::cast(OdDbObjectId(sub).openObject(OdDb::kForWrite).get());
            if (!subEntity.isNull()) {
                apply(subEntity.get());
            }
        }
    }
}
}  // namespace

OdDbObjectId OdDbEntity::blockId() const
{
    return ownerId();
}

OdDbObjectId OdDbEntity::layerId() const
{
    // An entity that names no layer is on layer "0", as layer() says.
    if (findRef(this, RefRole::Layer) == nullptr && database() != nullptr) {
        return database()->getLayerZeroId();
    }
    return refId(this, RefRole::Layer);
}

OdString OdDbEntity::layer() const
{
    const NameRef* ref = findRef(this, RefRole::Layer);
    if (ref == nullptr) {
        return OdString("0");
    }
    if (ref->target != nullptr && ref->target->object() != nullptr) {
        return getString(ref->target->object(), 2);
    }
    return decodeText(this, dataOf(this).tags[ref->tag].value());
}

void OdDbEntity::setLayer(OdDbObjectId layerId, bool doSubents)
{
    assertWriteEnabled();
    setRef(this, RefRole::Layer, layerId.stub(), 8, commonScope(this));
    forSubents(this, doSubents, [&](OdDbEntity* sub) { sub->setLayer(layerId, false); });
}

OdDbObjectId OdDbEntity::linetypeId() const
{
    const OdDbObjectId id = refId(this, RefRole::Linetype);
    if (id.isNull() && database() != nullptr && findRef(this, RefRole::Linetype) == nullptr) {
        return database()->getLinetypeByLayerId();
    }
    return id;
}

OdString OdDbEntity::linetype() const
{
    const NameRef* ref = findRef(this, RefRole::Linetype);
    if (ref == nullptr) {
        return OdString("ByLayer");
    }
    if (ref->target != nullptr && ref->target->object() != nullptr) {
        return getString(ref->target->object(), 2);
    }
    return decodeText(this, dataOf(this).tags[ref->tag].value());
}

void OdDbEntity::setLinetype(OdDbObjectId linetypeId, bool doSubents)
{
    assertWriteEnabled();
    setRef(this, RefRole::Linetype, linetypeId.stub(), 6, commonScope(this));
    forSubents(this, doSubents, [&](OdDbEntity* sub) { sub->setLinetype(linetypeId, false); });
}

OdCmColor OdDbEntity::color() const
{
    OdCmColor color =
        OdCmColor::fromIndex(static_cast<int>(getInt(this, 62, 256, commonScope(this))));
    if (hasTag(this, 420, commonScope(this))) {
        const int64_t rgb = getInt(this, 420, 0, commonScope(this));
        color.setRGB(static_cast<OdUInt8>((rgb >> 16) & 0xFF),
                     static_cast<OdUInt8>((rgb >> 8) & 0xFF), static_cast<OdUInt8>(rgb & 0xFF));
    }
    return color;
}

OdInt16 OdDbEntity::colorIndex() const
{
    return color().colorIndex();
}

void OdDbEntity::setColor(const OdCmColor& color, bool doSubents)
{
    assertWriteEnabled();
    setInt(this, 62, color.colorIndex(), commonScope(this));
    if (color.isByColor()) {
        setInt(this, 420, static_cast<int64_t>(color.color() & 0xFFFFFF), commonScope(this));
    } else {
        removeTag(this, 420, commonScope(this));
    }
    forSubents(this, doSubents, [&](OdDbEntity* sub) { sub->setColor(color, false); });
}

OdDb::LineWeight OdDbEntity::lineWeight() const
{
    return getEnum(this, 370, OdDb::kLnWtByLayer, OdDb::kLnWtByLwDefault, OdDb::kLnWt211,
                   commonScope(this));
}

void OdDbEntity::setLineWeight(OdDb::LineWeight lineWeight, bool doSubents)
{
    assertWriteEnabled();
    setInt(this, 370, lineWeight, commonScope(this));
    forSubents(this, doSubents, [&](OdDbEntity* sub) { sub->setLineWeight(lineWeight, false); });
}

double OdDbEntity::linetypeScale() const
{
    return getDouble(this, 48, 1.0, commonScope(this));
}

OdDbObjectIdArray OdDbEntity::subEntities() const
{
    OdDbObjectIdArray ids;
    for (OdDbStub* sub : dataOf(this).children) {
        ids.append(OdDbObjectId(sub));
    }
    return ids;
}

unsigned int OdDbPolyline::numVerts() const
{
    return static_cast<unsigned int>(getInt(this, 90, 0, "AcDbPolyline"));
}

OdDbObjectId OdDbBlockReference::blockTableRecord() const
{
    return refId(this, RefRole::Block);
}

OdDbObjectIdArray OdDbBlockReference::attributeIds() const
{
    OdDbObjectIdArray ids;
    for (OdDbStub* sub : dataOf(this).children) {
        if (sub->object() != nullptr && dataOf(sub->object()).tags[0].value() == "ATTRIB") {
            ids.append(OdDbObjectId(sub));
        }
    }
    return ids;
}

// Text styles of the text-like entities (remote texts name the getter textStyleId).
#define KV_TEXT_STYLE(Class, Getter, Subclass)                \
    OdDbObjectId Class::Getter() const                        \
    {                                                         \
        return refId(this, RefRole::TextStyle);               \
    }                                                         \
    void Class::setTextStyle(OdDbObjectId styleId)            \
    {                                                         \
        assertWriteEnabled();                                 \
        setRef(this, RefRole::TextStyle, styleId.stub(), 7,   \
               findTag(this, 100) >= 0 ? Subclass : nullptr); \
    }
KV_TEXT_STYLE(OdDbText, textStyle, "AcDbText")
KV_TEXT_STYLE(OdDbMText, textStyle, "AcDbMText")
KV_TEXT_STYLE(OdDbArcAlignedText, textStyle, "AcDbArcAlignedText")
KV_TEXT_STYLE(RText, textStyleId, "RText")
#undef KV_TEXT_STYLE

OdString OdDbText::textString() const
{
    return getString(this, 1, findTag(this, 100) >= 0 ? "AcDbText" : nullptr);
}

void OdDbText::setTextString(const OdString& text)
{
    assertWriteEnabled();
    setString(this, 1, text, findTag(this, 100) >= 0 ? "AcDbText" : nullptr);
}

OdString OdDbAttribute::tag() const
{
    const char* scope = findTag(this, 100) >= 0 ? "AcDbAttribute" : nullptr;
    return getString(this, 2, scope);
}

OdString OdDbAttributeDefinition::tag() const
{
    const char* scope = findTag(this, 100) >= 0 ? "AcDbAttributeDefinition" : nullptr;
    return getString(this, 2, scope);
}

OdString OdDbMText::contents() const
{
    OdString text;
    const TagList& tags = dataOf(this).tags;
    for (size_t i = 1; i < xdataStart(tags); ++i) {
        if (tags[i].code == 3 || tags[i].code == 1) {
            text += decodeText(this, tags[i].value());
            if (tags[i].code == 1) {
                break;
            }
        }
    }
    return text;
}

OdDbObjectId OdDbLeader::dimensionStyle() const
{
    return refId(this, RefRole::DimStyle);
}

void OdDbLeader::setDimensionStyle(OdDbObjectId styleId)
{
    assertWriteEnabled();
    setRef(this, RefRole::DimStyle, styleId.stub(), 3, "AcDbLeader");
}

OdDbLeader::AnnoType OdDbLeader::annoType() const
{
    return getEnum(this, 73, kNoAnno, kMText, kNoAnno, "AcDbLeader");
}

OdDbDimension::Kind OdDbDimension::dimensionType() const
{
    const std::string_view type = dataOf(this).tags[0].value();
    if (type == "ARC_DIMENSION") {
        return kArcLength;
    }
    if (type == "LARGE_RADIAL_DIMENSION") {
        return kRadialLarge;
    }
    return static_cast<Kind>(
        getInt(this, 70, 0, findTag(this, 100) >= 0 ? "AcDbDimension" : nullptr) & 7);
}

OdDbObjectId OdDbDimension::dimensionStyle() const
{
    return refId(this, RefRole::DimStyle);
}

void OdDbDimension::setDimensionStyle(OdDbObjectId styleId)
{
    assertWriteEnabled();
    setRef(this, RefRole::DimStyle, styleId.stub(), 3,
           findTag(this, 100) >= 0 ? "AcDbDimension" : nullptr);
}

OdDbObjectId OdDbDimension::dimBlockId() const
{
    return refId(this, RefRole::Block);
}

namespace {

// A table's text styles. Each row type (title, header, data) takes its text style from the
// table's table style (TABLESTYLE: one group 7 per cell type, listed data, title, header) unless
// the table overrides it. Table-level overrides are flagged in the AcDbTable group 93 and their
// values follow all the cell data in flag-bit order; the text styles are the three groups 7
// after which only the row-height overrides (140) and the border overrides come.
constexpr int64_t kTitleStyleBit = 0x20000;
constexpr int64_t kHeaderStyleBit = 0x40000;
constexpr int64_t kDataStyleBit = 0x80000;
constexpr int64_t kStyleBits = kTitleStyleBit | kHeaderStyleBit | kDataStyleBit;
constexpr int64_t kRowHeightBits = 0x100000 | 0x200000 | 0x400000;
constexpr const char* kTableScope = "AcDbTable";

int bitCount(int64_t bits)
{
    int count = 0;
    for (; bits != 0; bits &= bits - 1) {
        ++count;
    }
    return count;
}

int64_t styleBitOf(OdDbTable::RowType type)
{
    switch (type) {
        case OdDbTable::kTitleRow:
            return kTitleStyleBit;
        case OdDbTable::kHeaderRow:
            return kHeaderStyleBit;
        default:
            return kDataStyleBit;
    }
}

// A group of the table's own settings, which come before the first cell ("171"); cells of
// newer files reuse codes such as 93 and 94 for their values.
int settingTag(const OdDbTable* table, int code)
{
    const int found = findTag(table, code, kTableScope);
    const int firstCell = findTag(table, 171, kTableScope);
    return found >= 0 && (firstCell < 0 || found < firstCell) ? found : -1;
}

int64_t settingValue(const OdDbTable* table, int code)
{
    const int i = settingTag(table, code);
    int64_t value = 0;
    if (i < 0 || !kvdxf::parseInt(dataOf(table).tags[static_cast<size_t>(i)].value(), value)) {
        return 0;
    }
    return value;
}

// The table-level text style groups: for each style bit that is set, the index of its group 7,
// in bit order. Empty when the flags promise more groups than the table holds (damaged data,
// read as no overrides).
struct StyleOverrides
{
    int64_t flags = 0;
    std::vector<std::pair<int64_t, size_t>> styles;  // (bit, group index)
};

StyleOverrides styleOverridesOf(const OdDbTable* table)
{
    StyleOverrides found;
    found.flags = settingValue(table, 93);
    const int count = bitCount(found.flags & kStyleBits);
    const std::vector<size_t> sevens = findAllTags(table, 7, kTableScope);
    if (count == 0 || static_cast<size_t>(count) > sevens.size()) {
        return found;
    }
    size_t next = sevens.size() - static_cast<size_t>(count);
    for (int64_t bit : {kTitleStyleBit, kHeaderStyleBit, kDataStyleBit}) {
        if ((found.flags & bit) != 0) {
            found.styles.emplace_back(bit, sevens[next++]);
        }
    }
    return found;
}

// The record a group 7 of the object names.
OdDbStub* styleNamedAt(const OdDbObject* object, size_t tag)
{
    if (const NameRef* ref = refAt(object, tag)) {
        return ref->target;
    }
    OdDbDatabase* db = object->database();
    return db->impl().lookup(db->impl().styleTable,
                             decodeText(object, dataOf(object).tags[tag].value()));
}

// Where the group 7 of a table-level override that the table lacks goes.
size_t overrideSlot(const OdDbTable* table, const StyleOverrides& overrides, int64_t bit)
{
    for (const auto& style : overrides.styles) {
        if (style.first > bit) {
            return style.second;
        }
    }
    const TagList& tags = dataOf(table).tags;
    const auto scope = subclassScope(table, kTableScope);
    if (!overrides.styles.empty()) {
        return overrides.styles.back().second + 1;
    }
    const int heights = bitCount(overrides.flags & kRowHeightBits);
    if (heights > 0) {
        const std::vector<size_t> all = findAllTags(table, 140, kTableScope);
        if (all.size() >= static_cast<size_t>(heights)) {
            return all[all.size() - static_cast<size_t>(heights)];
        }
    }
    // After everything but the border overrides, one group for each flagged border.
    size_t borders = 0;
    for (int code : {94, 95, 96}) {
        borders += static_cast<size_t>(bitCount(settingValue(table, code) & 0x3ffff));
    }
    size_t slot = scope.second >= borders ? scope.second - borders : scope.first;
    // Never inside the groups before the cells.
    const int firstCell = findTag(table, 171, kTableScope);
    const size_t floor = firstCell >= 0 ? static_cast<size_t>(firstCell) : scope.first;
    slot = std::max(slot, floor);
    return std::min(slot, tags.size());
}

}  // namespace

OdDbObjectId OdDbTable::textStyle(RowType type) const
{
    OdDbDatabase* db = database();
    if (db == nullptr) {
        return OdDbObjectId();
    }
    const StyleOverrides overrides = styleOverridesOf(this);
    for (const auto& style : overrides.styles) {
        if (style.first == styleBitOf(type)) {
            return OdDbObjectId(styleNamedAt(this, style.second));
        }
    }
    // The table style's cell style of the row type.
    const OdDbObjectId tableStyleId(db->impl().stubOf(getHandle(this, 342, kTableScope)));
    OdDbObjectPtr tableStyle = tableStyleId.openObject();
    if (!tableStyle.isNull() && dataOf(tableStyle.get()).tags[0].value() == "TABLESTYLE") {
        const size_t slot = type == kTitleRow ? 1 : type == kHeaderRow ? 2 : 0;
        const std::vector<size_t> sevens = findAllTags(tableStyle.get(), 7, "AcDbTableStyle");
        if (slot < sevens.size()) {
            return OdDbObjectId(styleNamedAt(tableStyle.get(), sevens[slot]));
        }
    }
    return db->getTextStyleStandardId();
}

void OdDbTable::setTextStyle(OdDbObjectId styleId, int rowTypes)
{
    assertWriteEnabled();
    OdDbDatabase* db = database();
    if (db == nullptr || styleId.database() != db || subclassScope(this, kTableScope).first == 0) {
        return;
    }
    // The override flags come before the cells; a table without them gets them after the
    // column count, where CAD programs write them.
    OdDbSymbolTableRecordPtr style = OdDbSymbolTableRecord::cast(styleId.openObject().get());
    if (style.isNull() || style->ownerId() != db->getTextStyleTableId()) {
        return;
    }
    const std::string name = encodeText(this, style->getName());
    int flagsTag = settingTag(this, 93);
    if (flagsTag < 0) {
        const int columns = settingTag(this, 92);
        if (columns < 0) {
            return;
        }
        flagsTag = columns + 1;
        insertTag(this, static_cast<size_t>(flagsTag), 93, "        0");
    }
    for (RowType type : {kTitleRow, kHeaderRow, kDataRow}) {
        if ((rowTypes & type) == 0) {
            continue;
        }
        const int64_t bit = styleBitOf(type);
        const StyleOverrides overrides = styleOverridesOf(this);
        if (overrides.styles.empty() && (overrides.flags & kStyleBits) != 0) {
            return;  // flags without their groups: left as they are rather than made worse
        }
        size_t tag = 0;
        bool present = false;
        for (const auto& style : overrides.styles) {
            if (style.first == bit) {
                tag = style.second;
                present = true;
            }
        }
        if (!present) {
            tag = overrideSlot(this, overrides, bit);
            insertTag(this, tag, 7, name);
            char flags[16];
            std::snprintf(flags, sizeof flags, "%9lld",
                          static_cast<long long>(overrides.flags | bit));
            replaceValue(this, static_cast<size_t>(flagsTag), flags);
        }
        replaceValue(this, tag, name);
        ObjectData& data = dataOf(this);
        if (NameRef* ref = refAt(this, tag)) {
            ref->target = styleId.stub();
        } else {
            data.refs.push_back(
                NameRef{static_cast<uint32_t>(tag), RefRole::TextStyle, styleId.stub()});
            std::sort(data.refs.begin(), data.refs.end(),
                      [](const NameRef& a, const NameRef& b) { return a.tag < b.tag; });
        }
    }
}
