// CKvStdsError: one standards violation, passed from the plug-in that found it to the manager and
// the Verify Standards dialog. A run-time class (reference counted, created through desc() or
// createObject()); register it with rxInit() before the first error is created.
//
// Contract:
// - Every getter returns what its setter stored; a new or Reset() error has a null object id,
//   empty strings, no plug-in, no named values and is not ignored.
// - Named values: AddProperty stores a value under a name (replacing one of the same name; a null
//   value is not stored), GetPropertyValue returns it (null for an unknown name), GetProperties
//   gives all of them in name order (case-sensitive). The values are shared, not copied.
// - The ignored state (flag and name of the user who set it) is what the ignored-violation record
//   of the drawing says, once the manager has loaded it.
#ifndef KV_CKV_STDS_ERROR_H
#define KV_CKV_STDS_ERROR_H

#include <CKvString.h>
#include <DbObjectId.h>
#include <RxObject.h>

#include <ResBuf.h>
#include <map>

class CKvStdsPlugins;

class CKvStdsError : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(CKvStdsError);

    CKvStdsError();
    ~CKvStdsError() override;

    // The DXF class name of the violating object ("LAYER"); empty when it cannot be opened.
    virtual CKvString GetObjectTypeId() const;
    virtual void SetObjectId(const OdDbObjectId& id);
    virtual OdDbObjectId GetObjectId() const;
    // The translated record-kind word ("Layer").
    virtual void SetObjectType(const CKvString& type);
    virtual CKvString GetObjectType() const;
    // The violation message, kept exactly as given.
    virtual void SetDescription(const CKvString& description);
    virtual CKvString GetDescription() const;
    virtual void SetObjectName(const CKvString& name);
    virtual CKvString GetObjectName() const;
    // The plug-in that reported the violation and fixes it.
    virtual void SetPlugin(OdSmartPtr<CKvStdsPlugins> plugin);
    virtual OdSmartPtr<CKvStdsPlugins> GetPlugin() const;
    virtual int GetPropertyCount() const;
    virtual OdResBufPtr GetPropertyValue(const CKvString& name) const;
    virtual void AddProperty(const CKvString& name, OdResBufPtr value);
    virtual void Reset();
    virtual void GetIgnoredState(bool& ignored, CKvString& userName) const;
    virtual void SetIgnoredState(bool ignored, const CKvString& userName);
    virtual std::map<CKvString, OdResBufPtr> GetProperties() const;

private:
    OdDbObjectId m_objectId;
    CKvString m_objectType;
    CKvString m_description;
    CKvString m_objectName;
    OdSmartPtr<CKvStdsPlugins> m_pPlugin;
    std::map<CKvString, OdResBufPtr> m_properties;
    bool m_ignored = false;
    CKvString m_ignoredBy;
};
typedef OdSmartPtr<CKvStdsError> CKvStdsErrorPtr;

#endif  // KV_CKV_STDS_ERROR_H
