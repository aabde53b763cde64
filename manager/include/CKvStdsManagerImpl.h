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
//   forward slashes, each file once however many stored paths lead to it, a moved file replaced
//   by where the host's file search finds it,
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
// - checkForErrors(db, ids, verify) runs every enabled plug-in whose object filter matches one of
//   the ids (all of them for no ids) over the drawing's document, and makes a record of each
//   violation with its fixes and ignored state. A check of some ids stops before any plug-in
//   when the drawing's STANDARDSVIOLATION is 0. A full check (verify) shows the Verify Standards
//   dialog, even with nothing found; a background check with violations shows the notification
//   first and the dialog only when the user asks for it. True when a plug-in ran.
// - The set of changed objects holds each id once, in id order; xrecords and dictionaries are
//   never recorded, nor a dimension style whose compared values did not change since it was
//   opened for modification (setDimStyle keeps that state).
// - The idle timer (50 ms, repeating) queues the background check when the editor is idle: no
//   command, no modal widget, no busy document or processor, and objects recorded.
// - The verification dialog operations createVerficationDialog, showVerficationDialog and
//   restoreVerificationDialog do nothing: the dialog is made and run by each check.
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

class CKvVerifyStandardsInfo;

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

    // Records the object as changed, see the contract; does nothing for null.
    void addObject(const OdDbObject* object);
    std::set<OdDbObjectId> getSet() const { return m_changedObjects; }
    void clearSet() { m_changedObjects.clear(); }
    // Empties `array`, then appends the ids of `set` in order, each once.
    static void ConvertSetIntoArray(const std::set<OdDbObjectId>& set,
                                    OdArray<OdDbObjectId>& array);
    // The dimension style as it was when last opened for modification (a copy outside any
    // drawing), or null.
    void setDimStyle(OdSmartPtr<OdDbDimStyleTableRecord> style);
    OdSmartPtr<OdDbDimStyleTableRecord> getDimStyle() const { return m_pSavedDimStyle; }
    // Whether the plug-in's object filter names the class of one of the objects (exactly); true
    // for no ids.
    bool pluginCanHandle(const OdSmartPtr<CKvStdsPlugins>& plugin,
                         const OdArray<OdDbObjectId>& ids) const;
    // The background check of the objects in the active drawing, its association read afresh.
    // Raises what the check raises; processing ends and the recorded set is emptied either way.
    void processObjects(const OdArray<OdDbObjectId>& ids);
    // Asks whether to show the violations a background check found; true to show them.
    bool showNotification();
    // Runs the Verify Standards dialog over the records.
    void showDialog(OdArray<CKvVerifyStandardsInfo> infos);
    // Queues _INTERSTATEVERIFY when objects are recorded.
    void queueBackgroundCheck();
    // Starts the idle timer afresh (after a modification) / stops it.
    void restartTimer();
    void stopTimer();
    bool isTimerRunning() const;

public slots:
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
