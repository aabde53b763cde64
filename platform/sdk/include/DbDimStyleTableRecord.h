#pragma once

#include <DbSymbolTableRecord.h>

#include <CmColor.h>
#include <DimVarTypes.h>
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

#define DIMVAR(entry, get, set, rec, hdr, type, def) \
    KV_DIMVAR_TYPE_##type get() const;               \
    void set(const KV_DIMVAR_TYPE_##type& value);
#include <DimVars.inc>
#undef DIMVAR

protected:
    void syncFromData() override;
    void syncFromCopy(const OdDbObject& source) override;

private:
    friend class kvdb::Access;
    const kvdb::DimVarValues& values() const;
    std::unique_ptr<kvdb::DimVarValues> m_values;
};
typedef OdSmartPtr<OdDbDimStyleTableRecord> OdDbDimStyleTableRecordPtr;
