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
// - One check is Clear, SetContext, SetupForAudit, Start, then GetError/GetAllFixes/Next until
//   Done. The walk goes over the active id list: the context list when SetContext accepted
//   records of the plug-in's kind with checkAll false, else the full list of the drawing.
// - Start(null) examines the list from the front; Start(error) examines the error's record again
//   and makes it (or the next non-conforming record after it) the only error left.
// - Clear() forgets the drawing, the standards records and both lists; a current error is Reset()
//   but stays current until the next Next(), so Done() stays false until then.
// - Standards records of a name are looked up in a case-insensitive index (the first record of
//   the earliest standards file wins), and the candidate lists that many violations share (the
//   whole standards cache for a name violation) are built once and handed out as copy-on-write
//   arrays.
// - What a check makes from its standards drawings (the cache records with their fixes, the
//   index, the shared candidate lists) is put aside by Clear and taken up again by the next
//   SetupForAudit when that is given the same paths and the host hands out the same drawings for
//   them (it keeps a drawing while its file stays the same), so a check after an edit does not
//   pay for the size of the standards. Standards drawings are never changed, and nothing here
//   is made from the checked drawing, so the records taken up are those a new set-up would make.
//   The fixes of the records are handed out again by every check that takes them up: nothing
//   changes a fix once it is made.
#ifndef KV_CKV_STANDARDS_PLUGIN_BASE_H
#define KV_CKV_STANDARDS_PLUGIN_BASE_H

#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbObject.h>

#include <StaticRxObject.h>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CKvStdsManager;
class UserIndex;

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
    // The record-kind word of the violation messages and the error's object type ("Layer").
    const char* recordKind;
};

class OdDbEntity;

class CKvStandardsPluginBase : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    ~CKvStandardsPluginBase() override;

    void Initialize(CKvStdsManager* manager) override;
    void SetContext(OdArray<OdDbObjectId> ids, bool checkAll) override;
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
    bool Done() override;
    void Clear() override;
    bool CheckSysvar(CKvString name, bool flag) override;
    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    OdSmartPtr<CKvStdsError> GetError() override;
    void UpdateStatus(OdSmartPtr<CKvStdsError> error) override;

    enum class Violation { kNone, kName, kProperties };

    // "<Kind> name is non-standard." / "<Kind> properties are non-standard.", translated.
    CKvString violationMessage(Violation violation) const;
    // The kind of violation an error describes, told by its description.
    Violation violationOf(const CKvStdsError& error) const;

protected:
    // `info` must outlive the plug-in (a static of the plug-in class).
    explicit CKvStandardsPluginBase(const CKvPluginInfo& info);

    // Candidate fixes offered for a violation: the fixes in cache order and which cache
    // positions they come from, either listed (ascending) or, for a list of nearly the whole
    // cache, as every position but those listed.
    struct Candidates
    {
        OdArray<OdSmartPtr<CKvStdsFix>> fixes;
        std::vector<int> positions;
        bool allBut = false;

        // The index among the fixes of the fix from that cache position; -1 when not offered.
        int indexOf(int position) const;
    };
    typedef std::shared_ptr<const Candidates> CandidatesPtr;

    typedef std::unordered_map<std::wstring, std::vector<int>> Groups;
    // The standards paths of a set-up and the drawing read for each (null when unreadable).
    typedef std::vector<std::pair<CKvString, OdSmartPtr<OdDbDatabase>>> StandardsSources;
    // What the standards cache of a check is made from, and what is derived from it.
    struct StandardsIndex
    {
        StandardsSources sources;
        // Cache positions by the upper-case name.
        std::unordered_map<std::wstring, std::vector<int>> names;
        std::unordered_map<std::wstring, CandidatesPtr> sharedCandidates;
        std::unique_ptr<Groups> groups;
    };

    // Whether a record named in SetContext is one to check, beyond its class and not being
    // dependent on an external reference.
    virtual bool acceptsInContext(const OdDbObject& record) const = 0;
    // Puts the standards cache of the check aside with its index (putIndexAside), deleting the
    // records put aside before.
    virtual void putStandardsAside() = 0;

    // The records to walk. The full list gets the drawing's records the first time it is walked:
    // a check of a few named records never lists the whole drawing.
    const OdArray<OdDbObjectId>& activeIds();
    // Keeps the place in the full list for the records of the drawing about to be set up; they
    // are listed there when the full list is first walked.
    void listDrawingRecordsLater();
    // The records of the drawing to check in a full check, in table order.
    virtual OdArray<OdDbObjectId> drawingRecords() const = 0;

    // A new error of the violation for the record, with description, id, object type, name and
    // this plug-in set.
    OdSmartPtr<CKvStdsError> newError(Violation violation, const OdDbObjectId& id,
                                      const CKvString& name);
    // A new fix naming the standards record and its file.
    static OdSmartPtr<CKvStdsFix> newFix(const CKvString& name, const CKvString& path);
    // Reads a standards drawing through the host's services; null when it cannot be read.
    static OdSmartPtr<OdDbDatabase> readStandards(const CKvString& path);
    // The standards drawing read for `path` by the last SetupForAudit, else read again; null when
    // it cannot be read.
    OdSmartPtr<OdDbDatabase> standardsDatabase(const CKvString& path);

    // What fixes share. The start of FixError: clears the message and gives the fix to apply (the
    // recommended one when none is given), or null when there is no error, no checked drawing or
    // no fix holding values.
    OdSmartPtr<CKvStdsFix> fixToApply(const OdSmartPtr<CKvStdsError>& error,
                                      OdSmartPtr<CKvStdsFix> fix, CKvString& message);
    // Calls apply for every object of the checked drawing that uses `record` (a record of the
    // plug-in's kind, as recordsUsedBy tells), opened for write: the entities in every block
    // that is not from an external reference (model space, paper spaces, block definitions),
    // sub-entities (attributes, vertices) included, and the records of userTable(). The first
    // call of a check lists the drawing's objects by the records they use; later calls visit
    // just the objects listed, so that fixing many records does not read the whole drawing each
    // time.
    void forEachUserOf(const OdDbObjectId& record, const std::function<void(OdDbObject&)>& apply);
    // Calls use(record) for each record of the plug-in's kind that the object uses.
    virtual void recordsUsedBy(const OdDbObject& object,
                               const std::function<void(OdDbObjectId)>& use) const = 0;
    // A table of the checked drawing whose records use records of the plug-in's kind, beside
    // the entities; the null id for none.
    virtual OdDbObjectId userTable() const { return OdDbObjectId(); }
    // Erases the records among `ids` that nothing in the drawing uses, except those from external
    // references. An id that is not a table record raises OdError_NotThatKindOfClass.
    void purgeUnused(OdDbObjectIdArray ids) const;

    // Puts the index of the check aside, replacing what was aside, and starts an empty one; false
    // (and what was aside stays) when the check was not set up since the last Clear.
    bool putIndexAside();
    // Takes the index put aside up again when the check has none yet and the index was made
    // from exactly these sources (the same paths in the same order, the same drawings); the
    // index aside is forgotten either way. Whether it was taken up.
    bool takeUpIndexAside(const StandardsSources& sources);
    // Adds the sources of a set-up to those of the check; what was derived from the cache goes.
    void addSources(const StandardsSources& sources);
    // The case-insensitive name index of the standards cache.
    void indexName(const CKvString& name, int position);
    // Cache positions of the records of that name ignoring case, ascending (empty for none).
    const std::vector<int>& positionsOf(const CKvString& name) const;
    // A candidate list shared by every violation that asks for the same key in this check, built
    // by `build` the first time.
    template <class Build>
    CandidatesPtr sharedCandidates(const std::wstring& key, Build build)
    {
        CandidatesPtr& slot = m_index.sharedCandidates[key];
        if (!slot) {
            slot = std::make_shared<const Candidates>(build());
        }
        return slot;
    }

    // Cache positions (ascending) grouped by a key made from each standards record, for example
    // from its compared values; built by `build` the first time it is asked for.
    template <class Build>
    const Groups& standardsGroups(Build build)
    {
        if (!m_index.groups) {
            m_index.groups = std::make_unique<Groups>(build());
        }
        return *m_index.groups;
    }

    OdSmartPtr<OdDbDatabase> m_drawing;
    OdSmartPtr<CKvStdsError> m_error;
    int m_cursor = -1;
    int m_recommended = -1;
    // The candidates in hand while GetAllFixes runs; null outside it.
    CandidatesPtr m_candidates;
    std::map<CKvString, OdSmartPtr<OdDbDatabase>> m_standards;

private:
    // Lists the drawing's records in the full list if they are still to be listed.
    void listDrawingRecords();

    const CKvPluginInfo& m_info;
    CKvStdsManager* m_manager = nullptr;
    OdArray<OdDbObjectId> m_contextList;
    OdArray<OdDbObjectId> m_fullList;
    bool m_checkAll = true;
    // Where the drawing's records go in the full list; -1 when listed or none set up.
    int m_drawingRecordsAt = -1;
    bool m_enabled = true;
    StandardsIndex m_index;
    StandardsIndex m_indexAside;
    // The users in the checked drawing of each record of the kind; made by the first fix.
    std::unique_ptr<UserIndex> m_userIndex;
};

#endif  // KV_CKV_STANDARDS_PLUGIN_BASE_H
