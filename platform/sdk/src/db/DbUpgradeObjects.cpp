#include "DbUpgradeObjects.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbObject.h>
#include <DbSymbolTableRecord.h>

#include <algorithm>
#include <string>

namespace kvdb {

namespace {

// Groups of one object being rebuilt.
class Rebuild
{
public:
    Rebuild(DatabaseImpl& db, OdDbObject* object) : m_db(db), m_object(object)
    {
        // XDATA, from the first 1001 on, is the applications' and stays last as it is, whatever
        // group codes it holds.
        const TagList& tags = dataOf(object).tags;
        const size_t xdata = xdataStart(tags);
        m_source.assign(tags.begin(), tags.begin() + static_cast<std::ptrdiff_t>(xdata));
        m_xdata.assign(tags.begin() + static_cast<std::ptrdiff_t>(xdata), tags.end());
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
        m_out.insert(m_out.end(), m_xdata.begin(), m_xdata.end());
        ObjectData& data = dataOf(m_object);
        data.tags.edit() = std::move(m_out);
        data.tags.sync();
        collectNameRefs(m_db, m_object);
        Access::sync(m_object);
    }

    // The identity groups every object of AC1015 starts with; tables have their name before.
    void identity(int handleCode, OdDbStub* owner, std::initializer_list<int> before = {})
    {
        add(m_source[0]);
        m_source[0].code = kTaken;
        take(before);
        // A dimension style's 5 is its arrow block, not its handle.
        drop({handleCode, 330});
        if (handleCode == 5) {
            drop({105});
        }
        add(handleCode, kvdxf::formatHandle(Access::stub(m_object)->handle));
        add(330, owner != nullptr ? kvdxf::formatHandle(owner->handle) : "0");
    }

private:
    static constexpr int kTaken = -1000000;
    DatabaseImpl& m_db;
    OdDbObject* m_object;
    std::vector<Tag> m_source;  // the object's own groups
    std::vector<Tag> m_xdata;
    std::vector<Tag> m_out;
};

const char* recordMarker(std::string_view kind)
{
    static const std::pair<std::string_view, const char*> markers[] = {
        {"LAYER", "AcDbLayerTableRecord"},     {"LTYPE", "AcDbLinetypeTableRecord"},
        {"STYLE", "AcDbTextStyleTableRecord"}, {"DIMSTYLE", "AcDbDimStyleTableRecord"},
        {"VPORT", "AcDbViewportTableRecord"},  {"VIEW", "AcDbViewTableRecord"},
        {"UCS", "AcDbUCSTableRecord"},         {"APPID", "AcDbRegAppTableRecord"}};
    for (const auto& [type, marker] : markers) {
        if (kind == type) {
            return marker;
        }
    }
    return "AcDbBlockTableRecord";
}

bool hasMarker(const OdDbObject* object, const char* marker)
{
    const TagList& tags = dataOf(object).tags;
    for (size_t i = 1; i < tags.size(); ++i) {
        if (tags[i].code == 100 && tags[i].value() == marker) {
            return true;
        }
    }
    return false;
}

// Gives an object its handle group, before its own data (with its owner when it has none), or
// the object's handle in place of an empty or broken one.
void keepHandle(OdDbObject* object, OdDbStub* owner, int handleCode)
{
    const TagList& tags = dataOf(object).tags;
    size_t i = 1;
    while (i < tags.size() && tags[i].code != handleCode && tags[i].code != 1001 &&
           !(tags[i].code == 100 && tags[i].value() != "AcDbEntity")) {
        ++i;
    }
    const std::string handle = kvdxf::formatHandle(Access::stub(object)->handle);
    if (i == tags.size() || tags[i].code != handleCode) {
        insertTag(object, 1, handleCode, handle);
        if (owner != nullptr && findTag(object, 330) < 0) {
            insertTag(object, 2, 330, kvdxf::formatHandle(owner->handle));
        }
        Access::sync(object);
    } else if (tags[i].value() != handle) {
        replaceValue(object, i, handle);
    }
}

// Objects made while reading or added since already have the structure of AC1015; so do the
// objects of writers that mix the two structures, which may still lack their handle and owner.
bool isStructured(OdDbObject* object, OdDbStub* owner, int handleCode = 5)
{
    if (findTag(object, 100) < 0) {
        return false;
    }
    keepHandle(object, owner, handleCode);
    return true;
}

const char* const kDimStyle = "AcDbDimStyleTableRecord";

// R12 to R14 name a dimension style's arrow blocks; the block of a predefined arrow carries an
// underscore before the arrow's name.
OdDbStub* arrowBlock(DatabaseImpl& db, const OdString& name)
{
    if (OdDbStub* block = db.lookup(db.blockTable, name)) {
        return block;
    }
    return db.lookup(db.blockTable, OdString("_") + name);
}

}  // namespace

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
    int64_t flags = 0;  // polylines, vertices and dimensions tell their kind here
    kvdxf::parseInt(r.value(70), flags);
    // Entities whose own groups all belong to one subclass.
    static const std::pair<std::string_view, const char*> single[] = {
        {"LINE", "AcDbLine"},        {"POINT", "AcDbPoint"},           {"CIRCLE", "AcDbCircle"},
        {"SOLID", "AcDbTrace"},      {"TRACE", "AcDbTrace"},           {"3DFACE", "AcDbFace"},
        {"SHAPE", "AcDbShape"},      {"INSERT", "AcDbBlockReference"}, {"VIEWPORT", "AcDbViewport"},
        {"BLOCK", "AcDbBlockBegin"}, {"ENDBLK", "AcDbBlockEnd"}};
    const auto one = std::find_if(std::begin(single), std::end(single),
                                  [&](const auto& entry) { return entry.first == type; });
    if (one != std::end(single)) {
        sub(one->second);
    } else if (type == "ARC") {
        sub("AcDbCircle");
        r.take({39, 10, 20, 30, 40, 210, 220, 230});
        sub("AcDbArc");
    } else if (type == "TEXT" || type == "ATTDEF" || type == "ATTRIB") {
        sub("AcDbText");
        r.take({39, 10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72, 11, 21, 31, 210, 220, 230});
        sub(type == "TEXT"     ? "AcDbText"
            : type == "ATTDEF" ? "AcDbAttributeDefinition"
                               : "AcDbAttribute");
    } else if (type == "POLYLINE") {
        sub((flags & 64)   ? "AcDbPolyFaceMesh"
            : (flags & 16) ? "AcDbPolygonMesh"
            : (flags & 8)  ? "AcDb3dPolyline"
                           : "AcDb2dPolyline");
    } else if (type == "VERTEX") {
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
    }
    r.finish();
}

void upgradeRecord(DatabaseImpl& db, OdDbObject* record, OdDbStub* table)
{
    const std::string kind(dataOf(record).tags[0].value());
    const char* marker = recordMarker(kind);
    const int handleCode = kind == "DIMSTYLE" ? 105 : 5;
    // Some writers of old versions give records the common marker only; the record's own marker
    // is what tells the record's structure.
    if (!hasMarker(record, marker) || !isStructured(record, table, handleCode)) {
        Rebuild r(db, record);
        r.identity(handleCode, table);
        r.drop({100});
        r.add(100, "AcDbSymbolTableRecord");
        r.add(100, marker);
        r.take({2, 70});
        r.finish();
    }
    if (kind == "DIMSTYLE") {
        upgradeDimStyleVariables(db, record);
    }
}

void upgradeTable(DatabaseImpl& db, OdDbObject* table)
{
    if (isStructured(table, nullptr)) {
        return;
    }
    Rebuild r(db, table);
    const std::string name = std::string(r.value(2));
    r.identity(5, nullptr, {2});
    r.add(100, "AcDbSymbolTable");
    r.take({70});
    if (name == "DIMSTYLE") {
        // The list of records is written from the records themselves.
        r.add(100, "AcDbDimStyleTable");
        r.add(71, "0");
    }
    r.finish();
}

void upgradeObject(OdDbObject* object)
{
    keepHandle(object, nullptr, 5);
}

void upgradeBlockRecord(DatabaseImpl& db, OdDbObject* block, OdDbStub* table)
{
    if (isStructured(block, table)) {
        return;
    }
    Rebuild r(db, block);
    r.identity(5, table);
    r.add(100, "AcDbSymbolTableRecord");
    r.add(100, "AcDbBlockTableRecord");
    r.take({2});
    r.drop({70});
    r.finish();
}

void upgradeDimStyleVariables(DatabaseImpl& db, OdDbObject* record)
{
    for (int code : {5, 6, 7}) {
        const int i = findTag(record, code, kDimStyle);
        if (i < 0) {
            continue;
        }
        const OdString name = getString(record, code, kDimStyle);
        eraseTags(record, static_cast<size_t>(i), 1);
        if (name.isEmpty()) {
            continue;
        }
        const int handleCode = code + 337;
        if (OdDbStub* block = arrowBlock(db, name)) {
            if (findTag(record, handleCode, kDimStyle) < 0) {
                setHandle(record, handleCode, block->handle, kDimStyle);
            }
        } else {
            db.messages.push_back(
                db.path + ": dimension style \"" +
                static_cast<OdDbSymbolTableRecord*>(record)->getName().toUtf8() +
                "\" names the arrow block \"" + name.toUtf8() +
                "\", which the drawing does not have; the style uses the default arrow");
        }
    }
    // DIMFIT 0 to 3 is DIMATFIT; 4 and 5 fit best and move the text with a leader or freely.
    if (hasTag(record, 287, kDimStyle) && !hasTag(record, 289, kDimStyle)) {
        const int64_t fit = getInt(record, 287, 3, kDimStyle);
        setInt(record, 289, fit >= 0 && fit <= 3 ? fit : 3, kDimStyle);
        if ((fit == 4 || fit == 5) && !hasTag(record, 279, kDimStyle)) {
            setInt(record, 279, fit - 3, kDimStyle);
        }
    }
    // DIMUNIT 1 to 5 are DIMLUNIT (4 and 5 stacked); 6 and 7 the same unstacked; 8 is Windows.
    if (hasTag(record, 270, kDimStyle) && !hasTag(record, 277, kDimStyle)) {
        const int64_t unit = getInt(record, 270, 2, kDimStyle);
        const int64_t lunit = unit == 6 ? 4 : unit == 7 ? 5 : unit == 8 ? 6 : unit;
        setInt(record, 277, lunit >= 1 && lunit <= 6 ? lunit : 2, kDimStyle);
        if ((unit == 6 || unit == 7) && !hasTag(record, 276, kDimStyle)) {
            setInt(record, 276, 2, kDimStyle);
        }
    }
    Access::sync(record);
}

}  // namespace kvdb
