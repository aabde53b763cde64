#include "Access.h"
#include "DatabaseImpl.h"
#include "DbMacros.h"
#include "TagOps.h"

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
#include <DbTable.h>
#include <DbText.h>
#include <RxClass.h>

#include <Db2dPolyline.h>

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
        if (sub->object != nullptr) {
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
    return refId(this, RefRole::Layer);
}

OdString OdDbEntity::layer() const
{
    const NameRef* ref = findRef(this, RefRole::Layer);
    if (ref == nullptr) {
        return OdString("0");
    }
    if (ref->target != nullptr && ref->target->object != nullptr) {
        return getString(ref->target->object, 2);
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
    if (ref->target != nullptr && ref->target->object != nullptr) {
        return getString(ref->target->object, 2);
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
    return static_cast<OdDb::LineWeight>(getInt(this, 370, OdDb::kLnWtByLayer, commonScope(this)));
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
        if (sub->object != nullptr && dataOf(sub->object).tags[0].value() == "ATTRIB") {
            ids.append(OdDbObjectId(sub));
        }
    }
    return ids;
}

// Text styles of the text-like entities.
#define KV_TEXT_STYLE(Class, Subclass)                        \
    OdDbObjectId Class::textStyle() const                     \
    {                                                         \
        return refId(this, RefRole::TextStyle);               \
    }                                                         \
    void Class::setTextStyle(OdDbObjectId styleId)            \
    {                                                         \
        assertWriteEnabled();                                 \
        setRef(this, RefRole::TextStyle, styleId.stub(), 7,   \
               findTag(this, 100) >= 0 ? Subclass : nullptr); \
    }
KV_TEXT_STYLE(OdDbText, "AcDbText")
KV_TEXT_STYLE(OdDbMText, "AcDbMText")
KV_TEXT_STYLE(OdDbArcAlignedText, "AcDbArcAlignedText")
KV_TEXT_STYLE(RText, "RText")
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
    return static_cast<AnnoType>(getInt(this, 73, kNoAnno, "AcDbLeader"));
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
    OdDbDatabase* db = database();
    if (db == nullptr) {
        return OdDbObjectId();
    }
    const OdString name = getString(this, 2, findTag(this, 100) >= 0 ? "AcDbDimension" : nullptr);
    return OdDbObjectId(db->impl().lookup(db->impl().blockTable, name));
}

namespace {
// Text style references of a table: the per-row-type styles are handles (AC1021 and later) or
// names (older cell formats) in its AcDbTable data; the table style holds the defaults.
int tableStyleTag(const OdDbTable* table)
{
    return findTag(table, 7, "AcDbTable");
}
}  // namespace

OdDbObjectId OdDbTable::textStyle(RowType) const
{
    OdDbDatabase* db = database();
    const int i = tableStyleTag(this);
    if (db == nullptr || i < 0) {
        return db != nullptr ? db->getTextStyleStandardId() : OdDbObjectId();
    }
    return OdDbObjectId(
        db->impl().lookup(db->impl().styleTable, decodeText(this, dataOf(this).tags[i].value())));
}

void OdDbTable::setTextStyle(OdDbObjectId styleId, int)
{
    assertWriteEnabled();
    OdDbObjectPtr style = styleId.openObject();
    if (style.isNull()) {
        return;
    }
    // Every cell-format text style of the table's own data follows.
    const OdString name = getString(style.get(), 2);
    const TagList& tags = dataOf(this).tags;
    bool any = false;
    for (size_t i = 1; i < xdataStart(tags); ++i) {
        if (tags[i].code == 7) {
            replaceValue(this, i, encodeText(this, name));
            any = true;
        }
    }
    if (!any) {
        setString(this, 7, name, "AcDbTable");
    }
}
