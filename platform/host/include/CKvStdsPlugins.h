// CKvStdsPlugins: the interface of a standards plug-in, which checks one kind of symbol-table
// record of a drawing against the records of the associated standards drawings and fixes what it
// reports. An abstract run-time class: CKvStdsPlugins::rxInit() registers its class description
// (OdError 313 when it already is), rxUninit() removes it (OdError 254 when it is not
// registered); concrete plug-ins register their own classes as children of desc().
//
// The manager drives a check as: Clear, SetContext, SetupForAudit, Start, then while !Done():
// GetError, GetAllFixes, Next. Fixes go back to the plug-in that reported the error.
#ifndef KV_CKV_STDS_PLUGINS_H
#define KV_CKV_STDS_PLUGINS_H

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbObjectId.h>
#include <OdArray.h>
#include <RxObject.h>

#include <ResBuf.h>
#include <vector>

class CKvStdsManager;

class CKvStdsPlugins : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(CKvStdsPlugins);

    // Remembers the manager; not owned.
    virtual void Initialize(CKvStdsManager* manager) = 0;
    // Restricts the next check to the given records, or widens it to the whole drawing.
    virtual void SetContext(OdArray<OdDbObjectId> ids, bool checkAll) = 0;
    virtual void SetupForAudit(OdSmartPtr<OdDbDatabase> drawing, CKvString drawingName,
                               std::vector<CKvString> names,
                               std::vector<CKvString> standardsPaths) = 0;
    // The DXF class names of the records the plug-in checks ("LAYER").
    virtual std::vector<CKvString> GetObjectFilter() = 0;
    virtual CKvString Author() = 0;
    virtual CKvString Description() = 0;
    virtual CKvString HRef() = 0;
    virtual CKvString Name() = 0;
    virtual CKvString Version() = 0;
    virtual CKvString classId() = 0;
    virtual bool Enabled() = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void Start(OdSmartPtr<CKvStdsError> from) = 0;
    virtual void Next() = 0;
    virtual bool Done() = 0;
    virtual void Clear() = 0;
    virtual bool CheckSysvar(CKvString name, bool flag) = 0;
    virtual void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          CKvString& message) = 0;
    virtual void GetAllFixes(OdSmartPtr<CKvStdsError> error, OdArray<OdSmartPtr<CKvStdsFix>>& fixes,
                             int& recommended) = 0;
    virtual OdSmartPtr<CKvStdsError> GetError() = 0;
    virtual void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                  std::vector<CKvString>& names,
                                  OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                                  OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                                  std::vector<CKvString>& extra) = 0;
    virtual OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError> error) = 0;
    virtual void UpdateStatus(OdSmartPtr<CKvStdsError> error) = 0;
};
typedef OdSmartPtr<CKvStdsPlugins> CKvStdsPluginsPtr;

#endif  // KV_CKV_STDS_PLUGINS_H
