// CKvStandardsPlugin<Plugin, Cache, Record>: one plug-in class, checking records of class Record
// against a cache of Cache records made from the standards drawings. A plug-in class derives
// from CKvStandardsPlugin<itself, its cache record, its record class> and defines
// `static const CKvPluginInfo kInfo`. It then has:
// - the run-time class members: rxInit() registers a class named kInfo.className, derived from
//   CKvStdsPlugins::desc(), whose pseudo-constructor makes a new plug-in (OdError 313 when it is
//   registered already); rxUninit() removes it (OdError 254 when it is not registered); desc()
//   and isA() give the registered class; queryX(cls) gives the plug-in itself for its own class,
//   else a protocol extension of cls registered on its class, else what CKvStdsPlugins answers;
//   pseudoConstructor() allocates with odrxAlloc and raises std::bad_alloc when that fails.
// - the walk over the drawing's records: SetupForAudit, Next, GetAllFixes, GetRecommendedFix and
//   GetPropertyDiffs, specialised by these members of the plug-in class:
//     static OdDbObjectId tableOf(const OdDbDatabase&)      the symbol table of the kind
//     bool inContext(const Record&)                         checked when SetContext names it
//     bool inFullList(const OdDbDatabase&, const Record&)    checked in a full check
//     bool isStandard(const Record&)                        cached from a standards drawing
//     Cache* makeCache(OdDbDatabase& standards, const Record&, const CKvString& path)
//                                                          the cache record with its fix
//     Violation test(const Record&, const Cache* match)     kNone when the record conforms or is
//                                                          exempt; match is the first standards
//                                                          record of its name, or null
//     void addErrorValues(CKvStdsError&, const Record&)     the record's values
//     CandidatesPtr offerFor(Violation, CKvStdsError&)      the candidates for a violation
//     void fillRecommended(CKvStdsFix&, const Cache&)       a new fix made from a candidate
//     bool valuesDiffer(const CKvString& property, const OdResBufPtr& error,
//                       const OdResBufPtr& fix)                 for GetPropertyDiffs
//   and the constant `kKeepsStandards` (whether the fixes need the standards drawings at hand,
//   in the standards databases map). Records dependent on an external reference are never
//   checked nor cached.
#ifndef KV_CKV_STANDARDS_PLUGIN_H
#define KV_CKV_STANDARDS_PLUGIN_H

#include <CKvStandardsPluginBase.h>
#include <CKvStdsPlugins.h>
#include <DbDatabase.h>
#include <DbSymbolTable.h>
#include <OdAlloc.h>
#include <OdError.h>
#include <OdString.h>
#include <RxClass.h>

#include <algorithm>
#include <new>
#include <utility>

template <class Plugin, class Cache, class Record>
class CKvStandardsPlugin : public CKvStandardsPluginBase
{
public:
    typedef Cache CacheRecord;

    static OdRxClass* g_pDesc;

    static OdRxClass* desc() { return g_pDesc; }
    OdRxClass* isA() const override { return g_pDesc; }
    OdRxObject* queryX(const OdRxClass* pClass) const override;

    static void rxInit();
    static void rxUninit();
    static OdRxObjectPtr pseudoConstructor();

    ~CKvStandardsPlugin() override
    {
        deleteRecords(m_cache);
        deleteRecords(m_cacheAside);
    }

    void SetupForAudit(OdSmartPtr<OdDbDatabase> drawing, CKvString drawingName,
                       std::vector<CKvString> names,
                       std::vector<CKvString> standardsPaths) override;
    void Next() override;
    void GetAllFixes(OdSmartPtr<CKvStdsError> error, OdArray<OdSmartPtr<CKvStdsFix>>& fixes,
                     int& recommended) override;
    OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError> error) override;
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          std::vector<CKvString>& names, OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                          OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                          std::vector<CKvString>& extra) override;

    // The standards records of the last SetupForAudit, in file order and table order.
    const OdArray<Cache*>& standardsCache() const { return m_cache; }

protected:
    CKvStandardsPlugin() : CKvStandardsPluginBase(Plugin::kInfo) {}

    bool acceptsInContext(const OdDbObject& record) const override;
    void putStandardsAside() override;
    OdArray<OdDbObjectId> drawingRecords() const override;

    // The first standards record of the name, ignoring case; null for none.
    const Cache* firstMatch(const CKvString& name) const;
    // The cache records for which `offered` is true, in cache order.
    template <class Offered>
    Candidates collectCandidates(Offered offered) const;
    // Every cache record but those at the positions given (ascending).
    Candidates collectCandidatesExcept(const std::vector<int>& excluded) const;
    // The same, restricted to the cache positions given (ascending).
    template <class Offered>
    Candidates collectCandidates(const std::vector<int>& positions, Offered offered) const;

    OdArray<Cache*> m_cache;

private:
    static void deleteRecords(OdArray<Cache*>& records);

    // The standards records put aside by Clear with their index.
    OdArray<Cache*> m_cacheAside;

    Plugin& self() { return static_cast<Plugin&>(*this); }
    const Plugin& self() const { return static_cast<const Plugin&>(*this); }
};

template <class Plugin, class Cache, class Record>
OdRxClass* CKvStandardsPlugin<Plugin, Cache, Record>::g_pDesc = nullptr;

template <class Plugin, class Cache, class Record>
OdRxObject* CKvStandardsPlugin<Plugin, Cache, Record>::queryX(const OdRxClass* pClass) const
{
    if (!pClass) {
        return nullptr;
    }
    if (pClass == g_pDesc) {
        auto* pThis = const_cast<CKvStandardsPlugin*>(this);
        pThis->addRef();
        return pThis;
    }
    if (g_pDesc) {
        OdRxObjectPtr pExtension = g_pDesc->getX(pClass);
        if (pExtension) {
            return pExtension.detach();
        }
    }
    return CKvStdsPlugins::queryX(pClass);
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::rxInit()
{
    if (g_pDesc) {
        throw OdError(eAlreadyRegistered);
    }
    g_pDesc = ::newOdRxClass(OdString(Plugin::kInfo.className), CKvStdsPlugins::desc(),
                             &CKvStandardsPlugin::pseudoConstructor);
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::rxUninit()
{
    if (!g_pDesc) {
        throw OdError(eNoClassDescription);
    }
    ::deleteOdRxClass(g_pDesc);
    g_pDesc = nullptr;
}

template <class Plugin, class Cache, class Record>
OdRxObjectPtr CKvStandardsPlugin<Plugin, Cache, Record>::pseudoConstructor()
{
    void* pMemory = ::odrxAlloc(sizeof(Plugin));
    if (!pMemory) {
        throw std::bad_alloc();
    }
    try {
        Plugin* pPlugin = ::new (pMemory) Plugin;
        return OdRxObjectPtr(static_cast<OdRxObject*>(pPlugin), kOdRxObjAttach);
    } catch (...) {
        ::odrxFree(pMemory);
        throw;
    }
}

template <class Plugin, class Cache, class Record>
bool CKvStandardsPlugin<Plugin, Cache, Record>::acceptsInContext(const OdDbObject& record) const
{
    const OdSmartPtr<Record> typed = Record::cast(&record);
    if (typed.isNull()) {
        throw OdError_NotThatKindOfClass(record.isA(), Record::desc());
    }
    return self().inContext(*typed);
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::deleteRecords(OdArray<Cache*>& records)
{
    for (Cache* record : std::as_const(records)) {
        delete record;
    }
    records.clear();
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::putStandardsAside()
{
    if (putIndexAside()) {
        deleteRecords(m_cacheAside);
        m_cacheAside = std::move(m_cache);
    }
    deleteRecords(m_cache);
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::SetupForAudit(OdSmartPtr<OdDbDatabase> drawing,
                                                              CKvString, std::vector<CKvString>,
                                                              std::vector<CKvString> standardsPaths)
{
    if (drawing.isNull()) {
        return;
    }
    listDrawingRecordsLater();
    m_drawing = drawing;

    m_standards.clear();
    StandardsSources sources;
    for (const CKvString& path : standardsPaths) {
        // The host hands out the same drawing while the file stays the same.
        const OdSmartPtr<OdDbDatabase> standards = readStandards(path);
        sources.emplace_back(path, standards);
        if (Plugin::kKeepsStandards && !standards.isNull()) {
            m_standards[path] = standards;
        }
    }
    if (takeUpIndexAside(sources)) {
        deleteRecords(m_cache);
        m_cache = std::move(m_cacheAside);
        return;
    }
    deleteRecords(m_cacheAside);
    for (const auto& [path, standards] : sources) {
        if (standards.isNull()) {
            continue;
        }
        const OdDbSymbolTablePtr table = Plugin::tableOf(*standards).safeOpenObject();
        for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
            const OdSmartPtr<Record> record = it->getRecord();
            if (record->isDependent() || !self().isStandard(*record)) {
                continue;
            }
            Cache* entry = self().makeCache(*standards, *record, path);
            indexName(entry->name, static_cast<int>(m_cache.size()));
            m_cache.append(entry);
        }
    }
    addSources(sources);
}

template <class Plugin, class Cache, class Record>
OdArray<OdDbObjectId> CKvStandardsPlugin<Plugin, Cache, Record>::drawingRecords() const
{
    OdArray<OdDbObjectId> ids;
    if (m_drawing.isNull()) {
        return ids;
    }
    const OdDbSymbolTablePtr table = Plugin::tableOf(*m_drawing).safeOpenObject();
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        const OdSmartPtr<Record> record = it->getRecord();
        if (!record->isDependent() && self().inFullList(*m_drawing, *record)) {
            ids.append(it->getRecordId());
        }
    }
    return ids;
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::Next()
{
    m_error.release();
    const OdArray<OdDbObjectId>& ids = activeIds();
    const int count = static_cast<int>(ids.size());
    if (count == 0 || m_cache.isEmpty() || m_cursor >= count - 1) {
        return;
    }
    for (++m_cursor; m_cursor < count; ++m_cursor) {
        const OdDbObjectId id = ids[static_cast<unsigned>(m_cursor)];
        const OdDbObjectPtr object = id.openObject(OdDb::kForRead);
        if (object.isNull()) {
            // Erased since the check began: nothing left to check.
            continue;
        }
        const OdSmartPtr<Record> record = object;
        const CKvString name(record->getName().c_str());
        const Violation violation = self().test(*record, firstMatch(name));
        if (violation == Violation::kNone) {
            continue;
        }
        m_error = newError(violation, id, name);
        if (m_error->GetPropertyCount() == 0) {
            self().addErrorValues(*m_error, *record);
        }
        return;
    }
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::GetAllFixes(OdSmartPtr<CKvStdsError> error,
                                                            OdArray<OdSmartPtr<CKvStdsFix>>& fixes,
                                                            int& recommended)
{
    if (error.isNull()) {
        return;
    }
    recommended = -1;
    const Violation violation = violationOf(*error);
    if (violation == Violation::kNone || m_cache.isEmpty()) {
        return;
    }
    const CandidatesPtr candidates = self().offerFor(violation, *error);
    if (fixes.isEmpty()) {
        // Shares the list: many violations are offered the same one.
        fixes = candidates->fixes;
    } else {
        fixes.append(candidates->fixes);
    }
    m_candidates = candidates;
    m_recommended = -1;
    GetRecommendedFix(error);
    m_candidates.reset();
    recommended = m_recommended;
}

template <class Plugin, class Cache, class Record>
OdSmartPtr<CKvStdsFix> CKvStandardsPlugin<Plugin, Cache, Record>::GetRecommendedFix(
    OdSmartPtr<CKvStdsError> error)
{
    OdSmartPtr<CKvStdsFix> fix = newFix(CKvString(), CKvString());
    if (!m_candidates || m_candidates->fixes.isEmpty() || error.isNull()) {
        return fix;
    }
    const OdDbObjectPtr object = error->GetObjectId().openObject(OdDb::kForRead);
    if (object.isNull()) {
        m_recommended = -1;
        return fix;
    }
    const OdDbSymbolTableRecordPtr record = object;
    // The first candidate of the record's name: the standards record of that name from the
    // earliest file among those offered.
    for (const int position : positionsOf(CKvString(record->getName().c_str()))) {
        const int index = m_candidates->indexOf(position);
        if (index >= 0) {
            m_recommended = index;
            self().fillRecommended(*fix, *m_cache[static_cast<unsigned>(position)]);
            return fix;
        }
    }
    m_recommended = -1;
    return fix;
}

template <class Plugin, class Cache, class Record>
void CKvStandardsPlugin<Plugin, Cache, Record>::GetPropertyDiffs(
    OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix, std::vector<CKvString>& names,
    OdArray<OdSmartPtr<OdResBuf>>& errorValues, OdArray<OdSmartPtr<OdResBuf>>& fixValues,
    std::vector<CKvString>&)
{
    if (error.isNull()) {
        return;
    }
    std::vector<CKvString> differing;
    OdArray<OdSmartPtr<OdResBuf>> current;
    OdArray<OdSmartPtr<OdResBuf>> standard;
    for (const auto& property : error->GetProperties()) {
        const OdResBufPtr fixValue =
            fix.isNull() ? OdResBufPtr() : fix->GetPropertyValue(property.first);
        if (self().valuesDiffer(property.first, property.second, fixValue)) {
            differing.push_back(property.first);
            current.append(property.second);
            standard.append(fixValue);
        }
    }
    names = std::move(differing);
    errorValues = current;
    fixValues = standard;
}

template <class Plugin, class Cache, class Record>
const Cache* CKvStandardsPlugin<Plugin, Cache, Record>::firstMatch(const CKvString& name) const
{
    const std::vector<int>& positions = positionsOf(name);
    return positions.empty() ? nullptr : m_cache[static_cast<unsigned>(positions.front())];
}

template <class Plugin, class Cache, class Record>
template <class Offered>
CKvStandardsPluginBase::Candidates CKvStandardsPlugin<Plugin, Cache, Record>::collectCandidates(
    Offered offered) const
{
    std::vector<int> excluded;
    for (int position = 0; position < static_cast<int>(m_cache.size()); ++position) {
        if (!offered(*m_cache[static_cast<unsigned>(position)])) {
            excluded.push_back(position);
        }
    }
    return collectCandidatesExcept(excluded);
}

template <class Plugin, class Cache, class Record>
CKvStandardsPluginBase::Candidates
CKvStandardsPlugin<Plugin, Cache, Record>::collectCandidatesExcept(
    const std::vector<int>& excluded) const
{
    // The list can hold nearly the whole cache, and one may be kept for every violation: sized
    // once, exactly, and its positions kept as the few that are left out.
    Candidates candidates;
    candidates.allBut = true;
    candidates.positions = excluded;
    candidates.fixes.reserve(m_cache.size() - static_cast<unsigned>(excluded.size()));
    auto next = excluded.begin();
    for (int position = 0; position < static_cast<int>(m_cache.size()); ++position) {
        if (next != excluded.end() && *next == position) {
            ++next;
        } else {
            candidates.fixes.append(m_cache[static_cast<unsigned>(position)]->fix);
        }
    }
    return candidates;
}

template <class Plugin, class Cache, class Record>
template <class Offered>
CKvStandardsPluginBase::Candidates CKvStandardsPlugin<Plugin, Cache, Record>::collectCandidates(
    const std::vector<int>& positions, Offered offered) const
{
    Candidates candidates;
    for (const int position : positions) {
        if (offered(*m_cache[static_cast<unsigned>(position)])) {
            candidates.positions.push_back(position);
            candidates.fixes.append(m_cache[static_cast<unsigned>(position)]->fix);
        }
    }
    return candidates;
}

#endif  // KV_CKV_STANDARDS_PLUGIN_H
