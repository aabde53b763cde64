#include "Access.h"
#include "DatabaseImpl.h"
#include "DbMacros.h"
#include "DimVarValues.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <RxClass.h>

#include <type_traits>

using namespace kvdb;

ODDB_DEFINE_MEMBERS(OdDbDimStyleTableRecord, OdDbSymbolTableRecord, "DIMSTYLE")

namespace {

const char* const kDimStyle = "AcDbDimStyleTableRecord";
constexpr double kPi = 3.14159265358979323846;

// The record keeps its flags in the first group 70; DIMTFILLCLR is the second one.
int occurrenceOf(int code)
{
    return code == 70 ? 1 : 0;
}

template <class T>
void readValue(const OdDbObject* record, const DimVarInfo& info, T& value)
{
    const int i = findTag(record, info.recordCode, kDimStyle, occurrenceOf(info.recordCode));
    if (i < 0) {
        return;
    }
    const std::string_view raw = dataOf(record).tags[i].value();
    if constexpr (std::is_same_v<T, OdString>) {
        value = decodeText(record, raw);
    } else if constexpr (std::is_same_v<T, OdDbObjectId>) {
        uint64_t handle = 0;
        OdDbDatabase* db = record->database();
        value = (db != nullptr && kvdxf::parseHandle(raw, handle))
                    ? OdDbObjectId(db->impl().stubOf(handle))
                    : OdDbObjectId();
    } else if constexpr (std::is_same_v<T, OdCmColor>) {
        int64_t index = 0;
        if (kvdxf::parseInt(raw, index)) {
            value = OdCmColor::fromIndex(static_cast<int>(index));
        }
    } else if constexpr (std::is_same_v<T, double>) {
        double v = 0;
        if (kvdxf::parseDouble(raw, v)) {
            value = info.kind == DimVarKind::Angle ? v * kPi / 180.0 : v;
        }
    } else {
        int64_t v = 0;
        if (kvdxf::parseInt(raw, v)) {
            value = static_cast<T>(v);
        }
    }
}

template <class T>
void writeValue(OdDbObject* record, const DimVarInfo& info, const T& value)
{
    if (info.recordCode == 0) {
        return;  // kept in memory only
    }
    const int occurrence = occurrenceOf(info.recordCode);
    if constexpr (std::is_same_v<T, OdString>) {
        setString(record, info.recordCode, value, kDimStyle, occurrence);
    } else if constexpr (std::is_same_v<T, OdDbObjectId>) {
        setHandle(record, info.recordCode,
                  value.isNull() ? OdUInt64(0) : OdUInt64(value.getHandle()), kDimStyle,
                  occurrence);
    } else if constexpr (std::is_same_v<T, OdCmColor>) {
        setInt(record, info.recordCode, value.colorIndex(), kDimStyle, occurrence);
    } else if constexpr (std::is_same_v<T, double>) {
        setDouble(record, info.recordCode,
                  info.kind == DimVarKind::Angle ? value * 180.0 / kPi : value, kDimStyle,
                  occurrence);
    } else {
        setInt(record, info.recordCode, static_cast<int64_t>(value), kDimStyle, occurrence);
    }
}

}  // namespace

OdDbDimStyleTableRecord::OdDbDimStyleTableRecord() = default;
OdDbDimStyleTableRecord::~OdDbDimStyleTableRecord() = default;

const DimVarValues& OdDbDimStyleTableRecord::values() const
{
    if (!m_values) {
        auto values = std::make_unique<DimVarValues>();
        forEachDimVar(*values, [this](const DimVarInfo& info, auto& value) {
            if (info.recordCode != 0) {
                readValue(this, info, value);
            }
        });
        // A style that names no text style (all R12 files, many programs) uses Standard.
        if (values->dimtxsty.isNull() && database() != nullptr) {
            values->dimtxsty = database()->getTextStyleStandardId();
        }
        const_cast<OdDbDimStyleTableRecord*>(this)->m_values = std::move(values);
    }
    return *m_values;
}

void OdDbDimStyleTableRecord::syncFromData()
{
    // Values in memory only survive a reload of the groups.
    std::unique_ptr<DimVarValues> old = std::move(m_values);
    values();
    if (old) {
        m_values->dimmzf = old->dimmzf;
        m_values->dimmzs = old->dimmzs;
        m_values->dimaltmzf = old->dimaltmzf;
        m_values->dimaltmzs = old->dimaltmzs;
    }
}

void OdDbDimStyleTableRecord::syncFromCopy(const OdDbObject& source)
{
    // The copy belongs to no database that could supply the text style a style without one falls
    // back on, and values held only in memory have no groups: it takes every value the source has.
    m_values = std::make_unique<DimVarValues>(
        static_cast<const OdDbDimStyleTableRecord&>(source).values());
}

#define DIMVAR(entry, get, set, rec, hdr, type, def)                             \
    KV_DIMVAR_TYPE_##type OdDbDimStyleTableRecord::get() const                   \
    {                                                                            \
        return values().get;                                                     \
    }                                                                            \
    void OdDbDimStyleTableRecord::set(const KV_DIMVAR_TYPE_##type& value)        \
    {                                                                            \
        assertWriteEnabled();                                                    \
        values();                                                                \
        m_values->get = value;                                                   \
        writeValue(this, DimVarInfo{#entry, rec, hdr, DimVarKind::type}, value); \
    }
#include <DimVars.inc>
#undef DIMVAR
