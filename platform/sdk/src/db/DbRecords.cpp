#include "Access.h"
#include "DatabaseImpl.h"
#include "DbMacros.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbEntity.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbRegAppTableRecord.h>
#include <DbTextStyleTableRecord.h>
#include <DbUCSTableRecord.h>
#include <DbViewTableRecord.h>
#include <DbViewportTableRecord.h>
#include <RxClass.h>

#include <cmath>
#include <cstdlib>

using namespace kvdb;

ODDB_DEFINE_MEMBERS(OdDbLayerTableRecord, OdDbSymbolTableRecord, "LAYER")
ODDB_DEFINE_MEMBERS(OdDbLinetypeTableRecord, OdDbSymbolTableRecord, "LTYPE")
ODDB_DEFINE_MEMBERS(OdDbTextStyleTableRecord, OdDbSymbolTableRecord, "STYLE")
ODDB_DEFINE_MEMBERS(OdDbBlockTableRecord, OdDbSymbolTableRecord, "BLOCK_RECORD")
ODDB_DEFINE_MEMBERS(OdDbViewportTableRecord, OdDbSymbolTableRecord, "VPORT")
ODDB_DEFINE_MEMBERS(OdDbRegAppTableRecord, OdDbSymbolTableRecord, "APPID")
ODDB_DEFINE_MEMBERS(OdDbViewTableRecord, OdDbSymbolTableRecord, "VIEW")
ODDB_DEFINE_MEMBERS(OdDbUCSTableRecord, OdDbSymbolTableRecord, "UCS")
ODRX_DEFINE_MEMBERS(OdDbObjectIterator, OdRxObject, "")

namespace {
const char* const kLayer = "AcDbLayerTableRecord";
const char* const kLinetype = "AcDbLinetypeTableRecord";
const char* const kStyle = "AcDbTextStyleTableRecord";
constexpr double kPi = 3.14159265358979323846;
}  // namespace

// ---------------------------------------------------------------------------------------------
// Layers

OdCmColor OdDbLayerTableRecord::color() const
{
    OdCmColor color;
    int64_t index = std::abs(getInt(this, 62, 7, kLayer));
    if (index <= 0 || index >= 256) {
        index = 7;  // no colour of a layer: drawn white, as setColor stores it
    }
    color.setColorIndex(static_cast<OdInt16>(index));
    if (hasTag(this, 420, kLayer)) {
        const int64_t rgb = getInt(this, 420, 0, kLayer);
        color.setRGB(static_cast<OdUInt8>((rgb >> 16) & 0xFF),
                     static_cast<OdUInt8>((rgb >> 8) & 0xFF), static_cast<OdUInt8>(rgb & 0xFF));
        const OdString name = getString(this, 430, kLayer);
        const int dollar = name.find(L'$');
        if (dollar > 0) {
            color.setNames(name.mid(dollar + 1), name.left(dollar));
        }
    }
    return color;
}

void OdDbLayerTableRecord::setColor(const OdCmColor& color)
{
    assertWriteEnabled();
    int index = color.colorIndex();
    if (index <= 0 || index >= 256) {
        index = 7;
    }
    setInt(this, 62, isOff() ? -index : index, kLayer);
    if (color.isByColor()) {
        setInt(this, 420, static_cast<int64_t>(color.color() & 0xFFFFFF), kLayer);
        if (!color.bookName().isEmpty()) {
            setString(this, 430, color.bookName() + L"$" + color.colorName(), kLayer);
        } else {
            removeTag(this, 430, kLayer);
        }
    } else {
        removeTag(this, 420, kLayer);
        removeTag(this, 430, kLayer);
    }
}

OdDbObjectId OdDbLayerTableRecord::linetypeObjectId() const
{
    const NameRef* ref = findRef(this, RefRole::Linetype);
    if (ref == nullptr && database() != nullptr) {
        // A layer that names no line style is drawn continuous.
        return database()->getLinetypeContinuousId();
    }
    return OdDbObjectId(ref != nullptr ? ref->target : nullptr);
}

void OdDbLayerTableRecord::setLinetypeObjectId(OdDbObjectId linetypeId)
{
    assertWriteEnabled();
    setRef(this, RefRole::Linetype, linetypeId.stub(), 6, kLayer);
}

OdDb::LineWeight OdDbLayerTableRecord::lineWeight() const
{
    return getEnum(this, 370, OdDb::kLnWtByLwDefault, OdDb::kLnWtByLwDefault, OdDb::kLnWt211,
                   kLayer);
}

void OdDbLayerTableRecord::setLineWeight(OdDb::LineWeight lineWeight)
{
    assertWriteEnabled();
    setInt(this, 370, lineWeight, kLayer);
}

bool OdDbLayerTableRecord::isOff() const
{
    return getInt(this, 62, 7, kLayer) < 0;
}

void OdDbLayerTableRecord::setIsOff(bool off)
{
    assertWriteEnabled();
    const int64_t index = std::abs(getInt(this, 62, 7, kLayer));
    setInt(this, 62, off ? -index : index, kLayer);
}

namespace {
void setFlag(OdDbObject* object, int code, int bit, bool on, const char* subclass)
{
    int64_t flags = getInt(object, code, 0, subclass);
    flags = on ? (flags | bit) : (flags & ~static_cast<int64_t>(bit));
    setInt(object, code, flags, subclass);
}
}  // namespace

bool OdDbLayerTableRecord::isFrozen() const
{
    return (getInt(this, 70, 0, kLayer) & 1) != 0;
}

void OdDbLayerTableRecord::setIsFrozen(bool frozen)
{
    assertWriteEnabled();
    setFlag(this, 70, 1, frozen, kLayer);
}

bool OdDbLayerTableRecord::isLocked() const
{
    return (getInt(this, 70, 0, kLayer) & 4) != 0;
}

void OdDbLayerTableRecord::setIsLocked(bool locked)
{
    assertWriteEnabled();
    setFlag(this, 70, 4, locked, kLayer);
}

bool OdDbLayerTableRecord::isPlottable() const
{
    return getInt(this, 290, 1, kLayer) != 0;
}

void OdDbLayerTableRecord::setIsPlottable(bool plottable)
{
    assertWriteEnabled();
    setInt(this, 290, plottable ? 1 : 0, kLayer);
}

bool OdDbLayerTableRecord::isHidden() const
{
    const OdString name = getName();
    return !name.isEmpty() && name[0] == L'*';
}

OdString OdDbLayerTableRecord::description() const
{
    OdResBufPtr xdata = xData(OdString("AcAecLayerStandard"));
    int strings = 0;
    for (OdResBufPtr rb = xdata; !rb.isNull(); rb = rb->next()) {
        if (rb->restype() == 1000 && ++strings == 2) {
            return rb->getString();
        }
    }
    return OdString();
}

// ---------------------------------------------------------------------------------------------
// Line styles

OdString OdDbLinetypeTableRecord::comments() const
{
    return getString(this, 3, kLinetype);
}

void OdDbLinetypeTableRecord::setComments(const OdString& comments)
{
    assertWriteEnabled();
    setString(this, 3, comments, kLinetype);
}

int OdDbLinetypeTableRecord::numDashes() const
{
    return static_cast<int>(getInt(this, 73, 0, kLinetype));
}

double OdDbLinetypeTableRecord::patternLength() const
{
    return getDouble(this, 40, 0.0, kLinetype);
}

void OdDbLinetypeTableRecord::setPatternLength(double length)
{
    assertWriteEnabled();
    setDouble(this, 40, length, kLinetype);
}

double OdDbLinetypeTableRecord::dashLengthAt(int index) const
{
    if (index < 0 || index >= numDashes()) {
        throw OdError_InvalidIndex();
    }
    return getDouble(this, 49, 0.0, kLinetype, index);
}

namespace {
// The groups of the index-th element: from its 49 up to the next 49.
std::pair<int, int> elementRange(const OdDbLinetypeTableRecord* record, int index)
{
    const int first = findTag(record, 49, "AcDbLinetypeTableRecord", index);
    if (first < 0) {
        throw OdError_InvalidIndex();
    }
    int last = findTag(record, 49, "AcDbLinetypeTableRecord", index + 1);
    if (last < 0) {
        last = static_cast<int>(xdataStart(dataOf(record).tags));
    }
    return {first, last};
}
int elementTag(const OdDbLinetypeTableRecord* record, int index, int code)
{
    const auto range = elementRange(record, index);
    const TagList& tags = dataOf(record).tags;
    for (int i = range.first + 1; i < range.second; ++i) {
        if (tags[i].code == code) {
            return i;
        }
    }
    return -1;
}
}  // namespace

OdString OdDbLinetypeTableRecord::textAt(int index) const
{
    const int i = elementTag(this, index, 9);
    return i < 0 ? OdString() : decodeText(this, dataOf(this).tags[i].value());
}

int OdDbLinetypeTableRecord::shapeNumberAt(int index) const
{
    const int i = elementTag(this, index, 75);
    int64_t value = 0;
    return i < 0 || !kvdxf::parseInt(dataOf(this).tags[i].value(), value) ? 0
                                                                          : static_cast<int>(value);
}

OdDbObjectId OdDbLinetypeTableRecord::shapeStyleAt(int index) const
{
    const int i = elementTag(this, index, 340);
    uint64_t handle = 0;
    if (i < 0 || database() == nullptr ||
        !kvdxf::parseHandle(dataOf(this).tags[i].value(), handle)) {
        return OdDbObjectId();
    }
    return OdDbObjectId(database()->impl().stubOf(handle));
}

void OdDbLinetypeTableRecord::setDashes(const OdArray<double>& lengths)
{
    assertWriteEnabled();
    // Drop the old elements, then write count, length and one plain element per dash.
    const int first49 = findTag(this, 49, kLinetype);
    if (first49 >= 0) {
        const size_t end = xdataStart(dataOf(this).tags);
        eraseTags(this, static_cast<size_t>(first49), end - static_cast<size_t>(first49));
    }
    double total = 0;
    for (double l : lengths) {
        total += std::fabs(l);
    }
    setInt(this, 73, static_cast<int64_t>(lengths.size()), kLinetype);
    setDouble(this, 40, total, kLinetype);
    size_t at = xdataStart(dataOf(this).tags);
    for (double l : lengths) {
        insertTag(this, at++, 49, kvdxf::formatDouble(l));
        insertTag(this, at++, 74, "     0");
    }
}

// ---------------------------------------------------------------------------------------------
// Text styles

bool OdDbTextStyleTableRecord::isShapeFile() const
{
    return (getInt(this, 70, 0, kStyle) & 1) != 0;
}

void OdDbTextStyleTableRecord::setIsShapeFile(bool shapeFile)
{
    assertWriteEnabled();
    setFlag(this, 70, 1, shapeFile, kStyle);
}

bool OdDbTextStyleTableRecord::isVertical() const
{
    return (getInt(this, 70, 0, kStyle) & 4) != 0;
}

void OdDbTextStyleTableRecord::setIsVertical(bool vertical)
{
    assertWriteEnabled();
    setFlag(this, 70, 4, vertical, kStyle);
}

bool OdDbTextStyleTableRecord::isBackwards() const
{
    return (getInt(this, 71, 0, kStyle) & 2) != 0;
}

void OdDbTextStyleTableRecord::setIsBackwards(bool backwards)
{
    assertWriteEnabled();
    setFlag(this, 71, 2, backwards, kStyle);
}

bool OdDbTextStyleTableRecord::isUpsideDown() const
{
    return (getInt(this, 71, 0, kStyle) & 4) != 0;
}

void OdDbTextStyleTableRecord::setIsUpsideDown(bool upsideDown)
{
    assertWriteEnabled();
    setFlag(this, 71, 4, upsideDown, kStyle);
}

double OdDbTextStyleTableRecord::textSize() const
{
    return getDouble(this, 40, 0.0, kStyle);
}

void OdDbTextStyleTableRecord::setTextSize(double size)
{
    assertWriteEnabled();
    setDouble(this, 40, size, kStyle);
}

double OdDbTextStyleTableRecord::xScale() const
{
    return getDouble(this, 41, 1.0, kStyle);
}

void OdDbTextStyleTableRecord::setXScale(double scale)
{
    assertWriteEnabled();
    setDouble(this, 41, scale, kStyle);
}

double OdDbTextStyleTableRecord::obliquingAngle() const
{
    return getDouble(this, 50, 0.0, kStyle) * kPi / 180.0;
}

void OdDbTextStyleTableRecord::setObliquingAngle(double angle)
{
    assertWriteEnabled();
    setDouble(this, 50, angle * 180.0 / kPi, kStyle);
}

double OdDbTextStyleTableRecord::priorSize() const
{
    return getDouble(this, 42, 0.2, kStyle);
}

void OdDbTextStyleTableRecord::setPriorSize(double size)
{
    assertWriteEnabled();
    setDouble(this, 42, size, kStyle);
}

OdString OdDbTextStyleTableRecord::fileName() const
{
    return getString(this, 3, kStyle);
}

void OdDbTextStyleTableRecord::setFileName(const OdString& fileName)
{
    assertWriteEnabled();
    setString(this, 3, fileName, kStyle);
}

OdString OdDbTextStyleTableRecord::bigFontFileName() const
{
    return getString(this, 4, kStyle);
}

void OdDbTextStyleTableRecord::setBigFontFileName(const OdString& fileName)
{
    assertWriteEnabled();
    setString(this, 4, fileName, kStyle);
}

namespace {
constexpr int64_t kItalic = 0x01000000;
constexpr int64_t kBold = 0x02000000;
}  // namespace

void OdDbTextStyleTableRecord::font(OdString& typeface, bool& bold, bool& italic, int& charset,
                                    int& pitchAndFamily) const
{
    typeface = OdString();
    bold = italic = false;
    charset = pitchAndFamily = 0;
    OdResBufPtr xdata = xData(OdString("ACAD"));
    for (OdResBufPtr rb = xdata; !rb.isNull(); rb = rb->next()) {
        if (rb->restype() == 1000 && typeface.isEmpty()) {
            typeface = rb->getString();
        } else if (rb->restype() == 1071) {
            const int64_t flags = rb->getInt32();
            italic = (flags & kItalic) != 0;
            bold = (flags & kBold) != 0;
            charset = static_cast<int>((flags >> 8) & 0xFF);
            pitchAndFamily = static_cast<int>(flags & 0xFF);
        }
    }
}

void OdDbTextStyleTableRecord::setFont(const OdString& typeface, bool bold, bool italic,
                                       int charset, int pitchAndFamily)
{
    const int64_t flags = (bold ? kBold : 0) | (italic ? kItalic : 0) | ((charset & 0xFF) << 8) |
                          (pitchAndFamily & 0xFF);
    OdResBufPtr head = OdResBuf::newRb(1001, OdString("ACAD"));
    OdResBufPtr name = OdResBuf::newRb(1000, typeface);
    OdResBufPtr bits = OdResBuf::newRb(1071, static_cast<OdInt32>(flags));
    head->setNext(name);
    name->setNext(bits);
    setXData(head.get());
}

// ---------------------------------------------------------------------------------------------
// Blocks

OdDbObjectIteratorPtr OdDbBlockTableRecord::newIterator(bool atBeginning, bool skipErased,
                                                        bool /*sorted*/) const
{
    OdDbObjectIdArray ids;
    for (OdDbStub* entity : dataOf(this).children) {
        ids.append(OdDbObjectId(entity));
    }
    OdDbObjectIteratorPtr it = OdRxObjectImpl<OdDbObjectIterator>::createObject();
    it->init(ids);
    it->start(atBeginning, skipErased);
    return it;
}

OdDbObjectId OdDbBlockTableRecord::appendOdDbEntity(OdDbEntity* entity)
{
    OdDbDatabase* db = database();
    if (db == nullptr || entity == nullptr) {
        throw OdError(eNotInDatabase);
    }
    assertWriteEnabled();
    DatabaseImpl& impl = db->impl();
    const OdDbObjectId id = impl.addObject(entity, Access::stub(this), 0);
    dataOf(this).children.push_back(id.stub());
    const bool inEntitiesSection =
        objectId() == db->getModelSpaceId() || objectId() == db->getPaperSpaceId();
    dataOf(entity).placement = inEntitiesSection ? Placement::Entity : Placement::BlockEntity;
    if (inEntitiesSection) {
        impl.sectionItems(SectionSlot::Entities).push_back(id.stub());
    }
    // Names given before the entity joined the database are resolved now.
    for (NameRef& ref : dataOf(entity).refs) {
        if (ref.target == nullptr) {
            ref.target = impl.lookup(impl.tableForRole(ref.role),
                                     impl.decode(dataOf(entity).tags[ref.tag].value()));
        }
    }
    impl.touch(entity);
    impl.notifyAppended(entity);
    return id;
}

bool OdDbBlockTableRecord::isFromExternalReference() const
{
    const auto ends = database() ? database()->impl().blockEnds.find(Access::stub(this))
                                 : decltype(database()->impl().blockEnds.end())();
    if (database() == nullptr || ends == database()->impl().blockEnds.end() ||
        ends->second.first == nullptr) {
        return false;
    }
    return (getInt(ends->second.first->object(), 70, 0) & 4) != 0;
}

bool OdDbBlockTableRecord::isAnonymous() const
{
    const OdString name = getName();
    return !name.isEmpty() && name[0] == L'*' && !isLayout();
}

bool OdDbBlockTableRecord::isLayout() const
{
    const OdString name = getName();
    return name.iCompare(OdString("*Model_Space")) == 0 ||
           name.left(12).iCompare(OdString("*Paper_Space")) == 0;
}

OdString OdDbBlockTableRecord::pathName() const
{
    OdDbDatabase* db = database();
    if (db == nullptr) {
        return OdString();
    }
    const auto ends = db->impl().blockEnds.find(Access::stub(this));
    if (ends == db->impl().blockEnds.end() || ends->second.first == nullptr) {
        return OdString();
    }
    return getString(ends->second.first->object(), 1);
}

void OdDbObjectIterator::init(const OdDbObjectIdArray& ids)
{
    m_ids = ids;
}

void OdDbObjectIterator::skip(bool forward)
{
    while (m_pos >= 0 && m_pos < static_cast<int>(m_ids.size()) && m_skipErased &&
           m_ids[m_pos].isErased()) {
        m_pos += forward ? 1 : -1;
    }
}

void OdDbObjectIterator::start(bool atBeginning, bool skipErased)
{
    m_skipErased = skipErased;
    m_pos = atBeginning ? 0 : static_cast<int>(m_ids.size()) - 1;
    skip(atBeginning);
}

bool OdDbObjectIterator::done() const
{
    return m_pos < 0 || m_pos >= static_cast<int>(m_ids.size());
}

void OdDbObjectIterator::step(bool forward, bool skipErased)
{
    m_skipErased = skipErased;
    m_pos += forward ? 1 : -1;
    skip(forward);
}

OdDbObjectId OdDbObjectIterator::objectId() const
{
    return done() ? OdDbObjectId() : m_ids[m_pos];
}

OdDbEntityPtr OdDbObjectIterator::entity(OdDb::OpenMode mode, bool openErased) const
{
    return OdDbEntity::cast(objectId().openObject(mode, openErased).get());
}
