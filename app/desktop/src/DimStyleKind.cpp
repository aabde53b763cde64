// The dimension styles' properties: every dimension variable of DimVars.inc, in its order, named
// as the variable.
#include "PropertyValues.h"
#include "RecordKinds.h"

#include <DbDimStyleTableRecord.h>

#include <type_traits>

namespace {

const OdDbDimStyleTableRecord& dimStyle(const OdDbSymbolTableRecord& record)
{
    return static_cast<const OdDbDimStyleTableRecord&>(record);
}

OdDbDimStyleTableRecord& dimStyle(OdDbSymbolTableRecord& record)
{
    return static_cast<OdDbDimStyleTableRecord&>(record);
}

}  // namespace

std::vector<RecordProperty> dimStyleProperties()
{
    return {
#define DIMVAR(entry, get, set, rec, hdr, type, def)                                         \
    RecordProperty{#entry,                                                                   \
                   nullptr,                                                                  \
                   std::is_same_v<ValueKind::type, ValueKind::Bool>,                         \
                   [](const OdDbSymbolTableRecord& record) {                                 \
                       return valueText(ValueKind::type(), dimStyle(record).get());          \
                   },                                                                        \
                   [](OdDbSymbolTableRecord& record, const QString& text) {                  \
                       KV_DIMVAR_TYPE_##type value{};                                        \
                       if (!readValue(ValueKind::type(), text, *record.database(), value)) { \
                           return false;                                                     \
                       }                                                                     \
                       dimStyle(record).set(value);                                          \
                       return true;                                                          \
                   },                                                                        \
                   [](const OdDbSymbolTableRecord& record) -> PropertyRestore {              \
                       const KV_DIMVAR_TYPE_##type value = dimStyle(record).get();           \
                       return [value](OdDbSymbolTableRecord& restored) {                     \
                           dimStyle(restored).set(value);                                    \
                       };                                                                    \
                   }},
#include <DimVars.inc>
#undef DIMVAR
    };
}
