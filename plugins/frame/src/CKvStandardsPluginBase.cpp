#include "CKvStandardsPluginBase.h"

#include "UserIndex.h"

#include <CKvStdsFix.h>
#include <CKvSystemServices.h>
#include <DbBlockTableRecord.h>
#include <DbEntity.h>
#include <DbSymbolTable.h>
#include <DbSymbolTableRecord.h>
#include <RxClass.h>

#include <QCoreApplication>

#include <algorithm>

namespace {

const char kMessageContext[] = "CKvStandardsPluginImpl";
const char* const kNameViolation =
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "%1 name is non-standard.");
const char* const kPropertiesViolation =
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "%1 properties are non-standard.");
// The record-kind words as they appear inside the two messages (each plug-in names its own).
[[maybe_unused]] const char* const kRecordKinds[] = {
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "Layer"),
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "LineStyle"),
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "TextStyle"),
    QT_TRANSLATE_NOOP("CKvStandardsPluginImpl", "DimensionStyle"),
};

// The index key of a name: its upper-case form, folded as CKvString::CompareNoCase folds.
std::wstring nameKey(const CKvString& name)
{
    OdString folded(name.c_str());
    folded.makeUpper();
    return std::wstring(folded.c_str());
}

const std::vector<int> kNoPositions;

}  // namespace

CKvStandardsPluginBase::CKvStandardsPluginBase(const CKvPluginInfo& info) : m_info(info) {}

CKvStandardsPluginBase::~CKvStandardsPluginBase() = default;

void CKvStandardsPluginBase::Initialize(CKvStdsManager* manager)
{
    m_manager = manager;
}

void CKvStandardsPluginBase::SetContext(OdArray<OdDbObjectId> ids, bool checkAll)
{
    const std::vector<CKvString> filter = GetObjectFilter();
    OdArray<OdDbObjectId> accepted;
    for (const OdDbObjectId& id : ids) {
        const OdDbObjectPtr object = id.openObject(OdDb::kForRead);
        if (object.isNull() || object->isA() == nullptr) {
            continue;
        }
        const CKvString dxfName(object->isA()->dxfName().c_str());
        for (const CKvString& kind : filter) {
            if (kind.CompareNoCase(dxfName) != 0) {
                continue;
            }
            // Raises OdError_NotThatKindOfClass for an object of another class under that name.
            const OdDbSymbolTableRecordPtr record = object;
            if (!record->isDependent() && acceptsInContext(*record)) {
                accepted.append(id);
            }
        }
    }
    if (!checkAll && !accepted.isEmpty()) {
        m_checkAll = false;
        m_contextList.append(accepted);
        m_fullList.append(accepted);
    } else {
        m_checkAll = true;
        m_contextList.clear();
    }
}

std::vector<CKvString> CKvStandardsPluginBase::GetObjectFilter()
{
    return {CKvString(m_info.objectFilter)};
}

CKvString CKvStandardsPluginBase::Author()
{
    return CKvString();
}

CKvString CKvStandardsPluginBase::Description()
{
    return CKvString(QCoreApplication::translate(m_info.className, m_info.description));
}

CKvString CKvStandardsPluginBase::HRef()
{
    return CKvString();
}

CKvString CKvStandardsPluginBase::Name()
{
    return CKvString(QCoreApplication::translate(m_info.className, m_info.name));
}

CKvString CKvStandardsPluginBase::Version()
{
    return CKvString("1.0");
}

CKvString CKvStandardsPluginBase::classId()
{
    return CKvString(m_info.classId);
}

bool CKvStandardsPluginBase::Enabled()
{
    return m_enabled;
}

void CKvStandardsPluginBase::setEnabled(bool enabled)
{
    m_enabled = enabled;
}

void CKvStandardsPluginBase::Start(OdSmartPtr<CKvStdsError> from)
{
    if (from.isNull()) {
        m_cursor = -1;
        Next();
        return;
    }
    const OdDbObjectId id = from->GetObjectId();
    const OdArray<OdDbObjectId>& ids = activeIds();
    // Examines the error's record again, then nothing after the next violation: the walk runs
    // to the end of the list, so the following Next finds nothing more. A Next that examines
    // nothing (no standards records) leaves the cursor where it was: the walk ends there.
    for (m_cursor = 0; m_cursor >= 0 && m_cursor < static_cast<int>(ids.size()); ++m_cursor) {
        if (ids[static_cast<unsigned>(m_cursor)] == id) {
            const int before = --m_cursor;
            Next();
            if (m_cursor == before) {
                m_cursor = static_cast<int>(ids.size());
            }
        }
    }
}

bool CKvStandardsPluginBase::Done()
{
    return m_error.isNull();
}

void CKvStandardsPluginBase::Clear()
{
    m_cursor = -1;
    m_recommended = -1;
    if (!m_error.isNull()) {
        m_error->Reset();
    }
    // The next check takes the standards records up again while its standards are the same.
    putStandardsAside();
    m_userIndex.reset();
    m_drawing.release();
    m_candidates.reset();
    m_fullList.clear();
    m_drawingRecordsAt = -1;
    m_contextList.clear();
}

bool CKvStandardsPluginBase::CheckSysvar(CKvString, bool)
{
    return true;
}

void CKvStandardsPluginBase::FixError(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>,
                                      CKvString& message)
{
    message = CKvString();
}

OdSmartPtr<CKvStdsError> CKvStandardsPluginBase::GetError()
{
    return m_error;
}

void CKvStandardsPluginBase::UpdateStatus(OdSmartPtr<CKvStdsError>) {}

CKvString CKvStandardsPluginBase::violationMessage(Violation violation) const
{
    const char* text = violation == Violation::kName ? kNameViolation : kPropertiesViolation;
    return CKvString(QCoreApplication::translate(kMessageContext, text)
                         .arg(QCoreApplication::translate(kMessageContext, m_info.recordKind), 0,
                              QLatin1Char(' ')));
}

CKvStandardsPluginBase::Violation CKvStandardsPluginBase::violationOf(
    const CKvStdsError& error) const
{
    const CKvString description = error.GetDescription();
    if (description == violationMessage(Violation::kName)) {
        return Violation::kName;
    }
    if (description == violationMessage(Violation::kProperties)) {
        return Violation::kProperties;
    }
    return Violation::kNone;
}

const OdArray<OdDbObjectId>& CKvStandardsPluginBase::activeIds()
{
    if (!m_checkAll) {
        return m_contextList;
    }
    listDrawingRecords();
    return m_fullList;
}

void CKvStandardsPluginBase::listDrawingRecordsLater()
{
    // Those of a drawing set up before are listed now, while it is still at hand.
    listDrawingRecords();
    m_drawingRecordsAt = static_cast<int>(m_fullList.size());
}

void CKvStandardsPluginBase::listDrawingRecords()
{
    if (m_drawingRecordsAt < 0) {
        return;
    }
    const auto at = static_cast<unsigned>(m_drawingRecordsAt);
    m_drawingRecordsAt = -1;
    OdArray<OdDbObjectId> full;
    for (unsigned i = 0; i < at; ++i) {
        full.append(std::as_const(m_fullList)[i]);
    }
    full.append(drawingRecords());
    for (unsigned i = at; i < m_fullList.size(); ++i) {
        full.append(std::as_const(m_fullList)[i]);
    }
    m_fullList = full;
}

OdSmartPtr<CKvStdsError> CKvStandardsPluginBase::newError(Violation violation,
                                                          const OdDbObjectId& id,
                                                          const CKvString& name)
{
    OdSmartPtr<CKvStdsError> error = CKvStdsError::createObject();
    error->SetDescription(violationMessage(violation));
    error->SetObjectId(id);
    error->SetObjectType(
        CKvString(QCoreApplication::translate(m_info.className, m_info.recordKind)));
    error->SetObjectName(name);
    error->SetPlugin(OdSmartPtr<CKvStdsPlugins>(this));
    return error;
}

OdSmartPtr<CKvStdsFix> CKvStandardsPluginBase::newFix(const CKvString& name, const CKvString& path)
{
    if (CKvStdsFix::desc() == nullptr) {
        throw OdError(eNoClassDescription);
    }
    OdSmartPtr<CKvStdsFix> fix = CKvStdsFix::desc()->create();
    fix->SetFixObjectName(name);
    fix->SetStandardsFile(path);
    fix->SetFixDisplayName(name);
    return fix;
}

OdSmartPtr<OdDbDatabase> CKvStandardsPluginBase::readStandards(const CKvString& path)
{
    CKvSystemServices* services = GetKvSystemServices();
    if (services == nullptr) {
        return OdSmartPtr<OdDbDatabase>();
    }
    return services->readDrawing(path, false, true, 0x40, CKvString());
}

OdSmartPtr<OdDbDatabase> CKvStandardsPluginBase::standardsDatabase(const CKvString& path)
{
    const auto it = m_standards.find(path);
    if (it != m_standards.end() && !it->second.isNull()) {
        return it->second;
    }
    return readStandards(path);
}

OdSmartPtr<CKvStdsFix> CKvStandardsPluginBase::fixToApply(const OdSmartPtr<CKvStdsError>& error,
                                                          OdSmartPtr<CKvStdsFix> fix,
                                                          CKvString& message)
{
    message = CKvString();
    if (error.isNull() || m_drawing.isNull()) {
        return OdSmartPtr<CKvStdsFix>();
    }
    if (fix.isNull()) {
        fix = GetRecommendedFix(error);
    }
    if (fix.isNull() || fix->GetPropertyCount() == 0) {
        return OdSmartPtr<CKvStdsFix>();
    }
    return fix;
}

void CKvStandardsPluginBase::forEachUserOf(const OdDbObjectId& record,
                                           const std::function<void(OdDbObject&)>& apply)
{
    if (m_drawing.isNull()) {
        return;
    }
    if (!m_userIndex) {
        m_userIndex = std::make_unique<UserIndex>(
            *m_drawing, userTable(),
            [this](const OdDbObject& object, const std::function<void(OdDbObjectId)>& use) {
                recordsUsedBy(object, use);
            });
    }
    for (const OdDbObjectId& id : m_userIndex->take(record)) {
        if (const OdDbObjectPtr user = id.openObject(OdDb::kForWrite)) {
            apply(*user);
            // Listed again under what it uses now (the record itself when it could not change).
            m_userIndex->add(*user);
        }
    }
}

void CKvStandardsPluginBase::purgeUnused(OdDbObjectIdArray ids) const
{
    if (m_drawing.isNull()) {
        return;
    }
    m_drawing->purge(ids);
    for (const OdDbObjectId& id : ids) {
        // A purge candidate is a table record; anything else raises NotThatKindOfClass.
        const OdDbSymbolTableRecordPtr record = id.openObject(OdDb::kForWrite);
        if (!record.isNull() && !record->isDependent()) {
            record->erase(true);
        }
    }
}

int CKvStandardsPluginBase::Candidates::indexOf(int position) const
{
    const auto found = std::lower_bound(positions.begin(), positions.end(), position);
    const bool listed = found != positions.end() && *found == position;
    const auto before = static_cast<int>(found - positions.begin());
    if (!allBut) {
        return listed ? before : -1;
    }
    // Every position but the listed ones: the fixes before it are the positions before it less
    // those left out.
    const bool offered =
        !listed && position >= 0 && position - before < static_cast<int>(fixes.size());
    return offered ? position - before : -1;
}

bool CKvStandardsPluginBase::putIndexAside()
{
    const bool setUp = !m_index.sources.empty();
    if (setUp) {
        m_indexAside = std::move(m_index);
    }
    m_index = StandardsIndex();
    return setUp;
}

bool CKvStandardsPluginBase::takeUpIndexAside(const StandardsSources& sources)
{
    const StandardsSources& aside = m_indexAside.sources;
    const bool same =
        m_index.sources.empty() && !aside.empty() && aside.size() == sources.size() &&
        std::equal(aside.begin(), aside.end(), sources.begin(), [](const auto& a, const auto& b) {
            return a.first == b.first && a.second.get() == b.second.get();
        });
    if (same) {
        m_index = std::move(m_indexAside);
    }
    m_indexAside = StandardsIndex();
    return same;
}

void CKvStandardsPluginBase::addSources(const StandardsSources& sources)
{
    m_index.sources.insert(m_index.sources.end(), sources.begin(), sources.end());
    m_index.sharedCandidates.clear();
    m_index.groups.reset();
}

void CKvStandardsPluginBase::indexName(const CKvString& name, int position)
{
    m_index.names[nameKey(name)].push_back(position);
}

const std::vector<int>& CKvStandardsPluginBase::positionsOf(const CKvString& name) const
{
    const auto it = m_index.names.find(nameKey(name));
    return it == m_index.names.end() ? kNoPositions : it->second;
}
