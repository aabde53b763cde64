// CKvStdsManager: the interface of the one standards manager, which holds the plug-ins, reads a
// drawing's standards association and runs the checks. The module implements it and publishes
// its instance with SetKvStandardManager(); everything else reaches it through
// GetKvStandardManager(). The host never owns or deletes the published manager.
#ifndef KV_CKV_STDS_MANAGER_H
#define KV_CKV_STDS_MANAGER_H

#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbObjectId.h>
#include <OdArray.h>

#include <list>
#include <vector>

class CKvDocument;

class CKvStdsManager
{
public:
    virtual ~CKvStdsManager() = default;

    // The usable standards files of the current drawing, in check order.
    virtual std::vector<CKvString> getDwsPathArray() = 0;
    virtual void setDwsPathArray(std::vector<CKvString> paths) = 0;
    // Fills the five strings from the plug-in; leaves them unchanged for a null plug-in.
    virtual void getPluginDescription(OdSmartPtr<CKvStdsPlugins> plugin, CKvString& name,
                                      CKvString& version, CKvString& description, CKvString& author,
                                      CKvString& href) = 0;
    virtual void addPlugin(OdSmartPtr<CKvStdsPlugins> plugin) = 0;
    virtual void removePlugin(OdSmartPtr<CKvStdsPlugins> plugin) = 0;
    // Replaces `plugins` with the registered plug-ins in registration order.
    virtual bool getPluginList(std::list<OdSmartPtr<CKvStdsPlugins>>& plugins) = 0;
    // The class id of the plug-in being run.
    virtual CKvString getCurrentPlugin() = 0;
    virtual void setCurrentPlugin(CKvString classId) = 0;
    // The plug-in of that class id (ignoring case), or null.
    virtual OdSmartPtr<CKvStdsPlugins> getPluginAt(CKvString classId) = 0;
    // Reads the document's standards association; true when the drawing can be checked.
    virtual bool init(CKvDocument* document) = 0;
    // Checks the given records (all of them for an empty list) with every enabled plug-in.
    virtual bool checkForErrors(const OdDbDatabase* database, OdArray<OdDbObjectId> ids,
                                bool verify) = 0;
    virtual void createVerficationDialog() = 0;
    virtual void showVerficationDialog(bool show) = 0;
    virtual void restoreVerificationDialog(CKvDocument* document) = 0;
    virtual void startProcessing() = 0;
    virtual void endProcessing() = 0;
    virtual bool insideProcessing() = 0;
};

// Publishes the manager (or withdraws it with null).
void SetKvStandardManager(CKvStdsManager* manager);
// The manager published last, or null.
CKvStdsManager* GetKvStandardManager();

#endif  // KV_CKV_STDS_MANAGER_H
