// CKvStdsManagerImpl: the one standards manager of the process. The module creates it, publishes
// it with SetKvStandardManager() and destroys it when it unloads; everything else reaches it
// through GetKvStandardManager() and treats the interface as this class.
//
// Contract:
// - Plug-ins are kept in registration order (no duplicate check, a null one is ignored);
//   getPluginAt and getPluginInfo
//   compare class ids ignoring case; removePlugin removes every entry that is the same object.
// - init(document) rebuilds the usable standards files of the drawing from its AcStStandard
//   dictionary (one xrecord per file whose first item, of result type 1, is the path): paths with
//   forward slashes, each once, a moved file replaced by where the host's file search finds it,
//   files found nowhere dropped, and the host's preferred file first when the drawing itself
//   associates it and it exists. The database reactor is attached to a drawing with at least one
//   usable file and detached from one without. A null document, or one without a database,
//   returns false and changes nothing. An AcStStandard entry that is not a dictionary raises
//   OdError_NotThatKindOfClass.
// - The paths and names vectors always have the same length; names[i] is the file name of
//   paths[i]. Only init() and clear() change them.
// - Construction registers CKvStdsFix then CKvStdsError (OdError 313 if another manager did);
//   destruction detaches the database reactor from every attached document, then unregisters
//   them in the same order.
// - No plug-in checks anything yet, so checkForErrors() finds nothing and returns false; the
//   verification dialog operations do nothing.
#ifndef KV_CKV_STDS_MANAGER_IMPL_H
#define KV_CKV_STDS_MANAGER_IMPL_H

#include <CKvStandardDatabaseReactor.h>
#include <CKvStandardEditorReactor.h>
#include <CKvStdsManager.h>
#include <CKvString.h>
#include <DbDimStyleTableRecord.h>
#include <DbObjectId.h>

#include <QWidget>

#include <StaticRxObject.h>
#include <list>
#include <map>
#include <set>
#include <vector>

class CKvDocument;
class QTimer;

class CKvStdsManagerImpl : public QWidget, public CKvStdsManager
{
    Q_OBJECT

public:
    CKvStdsManagerImpl();
    ~CKvStdsManagerImpl() override;

    std::vector<CKvString> getDwsPathArray() override;
    // Does nothing: the standards files come from the drawing.
    void setDwsPathArray(std::vector<CKvString> paths) override;
    void getPluginDescription(OdSmartPtr<CKvStdsPlugins> plugin, CKvString& name,
                              CKvString& version, CKvString& description, CKvString& author,
                              CKvString& href) override;
    void addPlugin(OdSmartPtr<CKvStdsPlugins> plugin) override;
    void removePlugin(OdSmartPtr<CKvStdsPlugins> plugin) override;
    bool getPluginList(std::list<OdSmartPtr<CKvStdsPlugins>>& plugins) override;
    CKvString getCurrentPlugin() override;
    void setCurrentPlugin(CKvString classId) override;
    OdSmartPtr<CKvStdsPlugins> getPluginAt(CKvString classId) override;
    bool init(CKvDocument* document) override;
    bool checkForErrors(const OdDbDatabase* database, OdArray<OdDbObjectId> ids,
                        bool verify) override;
    void createVerficationDialog() override;
    void showVerficationDialog(bool show) override;
    void restoreVerificationDialog(CKvDocument* document) override;
    void startProcessing() override;
    void endProcessing() override;
    bool insideProcessing() override;

    // The registered plug-in with the class id of `plugin` (ignoring case); null for none or null.
    OdSmartPtr<CKvStdsPlugins> getPluginInfo(OdSmartPtr<CKvStdsPlugins> plugin);
    // At least one usable standards file.
    bool canCheckStandards() const;
    // The paths already hold exactly `path` (case-sensitive).
    bool PathAlreadyAdded(const CKvString& path) const;
    // Forgets the standards files.
    void clear();
    // Loads the ignored mark stored on the error's record (and who set it) into the error; a
    // record without one reads as not ignored. Raises OdError_NotThatKindOfClass when the stored
    // mark is not made of a dictionary of xrecords.
    void UpdateErrorIgnoredFlag(OdSmartPtr<CKvStdsError> error);
    // Attaches the database reactor to the document's drawing, once.
    void addReactor(CKvDocument* document);
    // Detaches it and forgets the document; a document not attached is ignored.
    void removeReactor(CKvDocument* document);

    // The reactor the module adds to and removes from the editor.
    CKvEditorReactor* editorReactor() { return &m_editorReactor; }

private slots:
    void timerTimeout();

private:
    void addStandardsFile(const CKvString& path);

    OdStaticRxObject<CKvStandardEditorReactor> m_editorReactor;
    OdStaticRxObject<CKvStandardDatabaseReactor> m_databaseReactor;
    QTimer* m_timer = nullptr;
    std::map<CKvDocument*, bool> m_attachedDocuments;
    std::set<OdDbObjectId> m_changedObjects;
    std::vector<CKvString> m_dwsPaths;
    std::vector<CKvString> m_dwsNames;
    std::list<OdSmartPtr<CKvStdsPlugins>> m_plugins;
    CKvString m_currentPlugin;
    bool m_processing = false;
    OdSmartPtr<OdDbDimStyleTableRecord> m_pSavedDimStyle;
};

#endif  // KV_CKV_STDS_MANAGER_IMPL_H
