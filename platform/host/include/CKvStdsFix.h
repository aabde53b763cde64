// CKvStdsFix: one candidate fix for a violation, built from a record of a standards drawing. A
// run-time class (reference counted, created through desc() or createObject()); register it with
// rxInit() before the first fix is created.
//
// Contract:
// - Every getter returns what its setter stored; a new fix has empty strings, a null object id
//   and no named values.
// - Named values behave as those of CKvStdsError: stored by name (a null value is not stored),
//   found by name (null for an unknown name), listed in name order, shared rather than copied.
#ifndef KV_CKV_STDS_FIX_H
#define KV_CKV_STDS_FIX_H

#include <CKvString.h>
#include <DbObjectId.h>
#include <RxObject.h>

#include <ResBuf.h>
#include <map>

class CKvStdsFix : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(CKvStdsFix);

    CKvStdsFix();
    ~CKvStdsFix() override;

    virtual void SetFixObjectName(const CKvString& name);
    virtual CKvString GetFixObjectName() const;
    // The standards record, an id of the standards drawing.
    virtual void SetFixObjectId(const OdDbObjectId& id);
    virtual OdDbObjectId GetFixObjectId() const;
    // The standards record's name as shown and as looked up.
    virtual void SetFixDisplayName(const CKvString& name);
    virtual CKvString GetFixDisplayName() const;
    virtual int GetPropertyCount() const;
    virtual OdResBufPtr GetPropertyValue(const CKvString& name) const;
    virtual void AddProperty(const CKvString& name, OdResBufPtr value);
    virtual std::map<CKvString, OdResBufPtr> GetProperties() const;
    // Full path of the standards file that holds the record.
    virtual void SetStandardsFile(const CKvString& path);
    virtual CKvString GetStandardsFile() const;

private:
    CKvString m_objectName;
    OdDbObjectId m_objectId;
    CKvString m_displayName;
    std::map<CKvString, OdResBufPtr> m_properties;
    CKvString m_standardsFile;
};
typedef OdSmartPtr<CKvStdsFix> CKvStdsFixPtr;

#endif  // KV_CKV_STDS_FIX_H
