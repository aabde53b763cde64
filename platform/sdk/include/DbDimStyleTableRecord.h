#pragma once

#include <DbSymbolTableRecord.h>

#include <CmColor.h>
#include <memory>

namespace kvdb {
struct DimVarValues;
}

// A dimension style with every dimension variable (see DimVars.inc). A group that the record does
// not hold reads as the variable's default; setting a variable writes its group.
class OdDbDimStyleTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbDimStyleTableRecord)

public:
    OdDbDimStyleTableRecord();
    ~OdDbDimStyleTableRecord() override;

#define KV_DIMVAR_TYPE_Int16 int
#define KV_DIMVAR_TYPE_Int32 int
#define KV_DIMVAR_TYPE_Bool bool
#define KV_DIMVAR_TYPE_Double double
#define KV_DIMVAR_TYPE_Angle double
#define KV_DIMVAR_TYPE_String OdString
#define KV_DIMVAR_TYPE_Color OdCmColor
#define KV_DIMVAR_TYPE_LineWeight OdDb::LineWeight
#define KV_DIMVAR_TYPE_TextStyleRef OdDbObjectId
#define KV_DIMVAR_TYPE_BlockRef OdDbObjectId
#define KV_DIMVAR_TYPE_LinetypeRef OdDbObjectId
#define DIMVAR(entry, get, set, rec, hdr, type, def) \
    KV_DIMVAR_TYPE_##type get() const;               \
    void set(const KV_DIMVAR_TYPE_##type& value);
#include <DimVars.inc>
#undef DIMVAR

protected:
    void syncFromData() override;

private:
    friend class kvdb::Access;
    const kvdb::DimVarValues& values() const;
    std::unique_ptr<kvdb::DimVarValues> m_values;
};
typedef OdSmartPtr<OdDbDimStyleTableRecord> OdDbDimStyleTableRecordPtr;
