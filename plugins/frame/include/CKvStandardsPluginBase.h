// CKvStandardsPluginBase: what every standards plug-in shares. A static SDK object (addRef and
// release do nothing): the module creates one instance per plug-in class and never destroys it,
// so smart pointers to a plug-in may be taken and dropped freely.
//
// Contract:
// - Name() and Description() are translated in the plug-in's class context ("CKvLayerPluginImpl");
//   Author() and HRef() are empty, Version() is "1.0", classId() the plug-in's class identifier
//   exactly as given (mixed-case hexadecimal digits), GetObjectFilter() the one DXF class name of
//   the records the plug-in checks.
// - Enabled() starts true; nothing in the plug-in consults it, the manager and the dialogs do.
// - Initialize() only remembers the manager (not owned).
// - CheckSysvar() always answers true; UpdateStatus() does nothing.
// - The check operations behave as those of a plug-in without standards records: SetContext and
//   SetupForAudit keep nothing, Start and Next leave no current error, Done() is true,
//   GetError() is null, Clear() has nothing to release, GetAllFixes and GetPropertyDiffs leave
//   their outputs untouched, FixError only empties the message, and GetRecommendedFix returns a
//   new empty CKvStdsFix (OdError 254 while CKvStdsFix is not registered). Each plug-in class
//   overrides them with its own audit and fixes.
#ifndef KV_CKV_STANDARDS_PLUGIN_BASE_H
#define KV_CKV_STANDARDS_PLUGIN_BASE_H

#include <CKvStdsPlugins.h>
#include <CKvString.h>

#include <StaticRxObject.h>
#include <vector>

class CKvStdsManager;

// The fixed description of one plug-in class. The texts are the untranslated source texts; the
// class name is also their translation context and the name of the plug-in's run-time class.
struct CKvPluginInfo
{
    const char* className;
    const char* name;
    const char* description;
    const wchar_t* classId;
    // The DXF class name of the checked records ("LAYER").
    const wchar_t* objectFilter;
};

class CKvStandardsPluginBase : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    ~CKvStandardsPluginBase() override;

    void Initialize(CKvStdsManager* manager) override;
    void SetContext(OdArray<OdDbObjectId> ids, bool checkAll) override;
    void SetupForAudit(OdSmartPtr<OdDbDatabase> drawing, CKvString drawingName,
                       std::vector<CKvString> names,
                       std::vector<CKvString> standardsPaths) override;
    std::vector<CKvString> GetObjectFilter() override;
    CKvString Author() override;
    CKvString Description() override;
    CKvString HRef() override;
    CKvString Name() override;
    CKvString Version() override;
    CKvString classId() override;
    bool Enabled() override;
    void setEnabled(bool enabled) override;
    void Start(OdSmartPtr<CKvStdsError> from) override;
    void Next() override;
    bool Done() override;
    void Clear() override;
    bool CheckSysvar(CKvString name, bool flag) override;
    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    void GetAllFixes(OdSmartPtr<CKvStdsError> error, OdArray<OdSmartPtr<CKvStdsFix>>& fixes,
                     int& recommended) override;
    OdSmartPtr<CKvStdsError> GetError() override;
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          std::vector<CKvString>& names, OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                          OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                          std::vector<CKvString>& extra) override;
    OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError> error) override;
    void UpdateStatus(OdSmartPtr<CKvStdsError> error) override;

protected:
    // `info` must outlive the plug-in (a static of the plug-in class).
    explicit CKvStandardsPluginBase(const CKvPluginInfo& info);

private:
    const CKvPluginInfo& m_info;
    CKvStdsManager* m_manager = nullptr;
    bool m_enabled = true;
};

#endif  // KV_CKV_STANDARDS_PLUGIN_BASE_H
