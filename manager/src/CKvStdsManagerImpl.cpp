#include "CKvStdsManagerImpl.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvStandardViolationMessage.h>
#include <CKvStandardsSettings.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvSystemServices.h>
#include <CKvVerifyStandards.h>
#include <CKvVerifyStandardsInfo.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace {

// The dictionary of the named-objects dictionary that lists the drawing's standards files.
const wchar_t* const kAssociationKey = L"AcStStandard";
// The interval of the background-check timer.
const int kTimerIntervalMs = 50;

bool fileExists(const CKvString& path)
{
    return QFileInfo(path.toQString()).isFile();
}

bool sameFile(const CKvString& a, const CKvString& b)
{
    if (a == b) {
        return true;
    }
    const QString canonical = QFileInfo(a.toQString()).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b.toQString()).canonicalFilePath();
}

CKvString fileNameOf(const CKvString& path)
{
    return CKvString(QFileInfo(path.toQString()).fileName());
}

// The paths stored in the drawing's association, in key order, as stored: the first item of each
// xrecord when it is a text. Other entries are skipped.
std::vector<CKvString> associatedPaths(const OdDbDatabase& database)
{
    std::vector<CKvString> paths;
    OdDbDictionaryPtr pNamedObjects = database.getNamedObjectsDictionaryId().safeOpenObject();
    OdDbObjectPtr pEntry = pNamedObjects->getAt(OdString(kAssociationKey), OdDb::kForRead);
    if (pEntry.isNull()) {
        return paths;
    }
    OdDbDictionaryPtr pAssociation = pEntry;
    for (OdDbDictionaryIteratorPtr pIt = pAssociation->newIterator(); !pIt->done(); pIt->next()) {
        OdDbXrecordPtr pRecord = OdDbXrecord::cast(pIt->getObject());
        if (pRecord.isNull()) {
            continue;
        }
        OdResBufPtr pFirst = pRecord->rbChain();
        if (pFirst && pFirst->restype() == OdResBuf::kDxfText) {
            paths.push_back(CKvString(pFirst->getString()));
        }
    }
    return paths;
}

}  // namespace

CKvStdsManagerImpl::CKvStdsManagerImpl()
{
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &CKvStdsManagerImpl::timerTimeout);
    CKvStdsFix::rxInit();
    CKvStdsError::rxInit();
}

CKvStdsManagerImpl::~CKvStdsManagerImpl()
{
    // The reactor is a member: a database that outlives the manager must not keep it.
    while (!m_attachedDocuments.empty()) {
        removeReactor(m_attachedDocuments.begin()->first);
    }
    clear();
    delete m_timer;
    m_timer = nullptr;
    CKvStdsFix::rxUninit();
    CKvStdsError::rxUninit();
    m_pSavedDimStyle.release();
}

std::vector<CKvString> CKvStdsManagerImpl::getDwsPathArray()
{
    return m_dwsPaths;
}

void CKvStdsManagerImpl::setDwsPathArray(std::vector<CKvString>) {}

void CKvStdsManagerImpl::getPluginDescription(OdSmartPtr<CKvStdsPlugins> plugin, CKvString& name,
                                              CKvString& version, CKvString& description,
                                              CKvString& author, CKvString& href)
{
    if (plugin.isNull()) {
        return;
    }
    name = plugin->Name();
    version = plugin->Version();
    description = plugin->Description();
    author = plugin->Author();
    href = plugin->HRef();
}

void CKvStdsManagerImpl::addPlugin(OdSmartPtr<CKvStdsPlugins> plugin)
{
    if (plugin.isNull()) {
        return;
    }
    m_plugins.push_back(plugin);
}

void CKvStdsManagerImpl::removePlugin(OdSmartPtr<CKvStdsPlugins> plugin)
{
    m_plugins.remove(plugin);
}

bool CKvStdsManagerImpl::getPluginList(std::list<OdSmartPtr<CKvStdsPlugins>>& plugins)
{
    plugins = m_plugins;
    return true;
}

CKvString CKvStdsManagerImpl::getCurrentPlugin()
{
    return m_currentPlugin;
}

void CKvStdsManagerImpl::setCurrentPlugin(CKvString classId)
{
    m_currentPlugin = classId;
}

OdSmartPtr<CKvStdsPlugins> CKvStdsManagerImpl::getPluginAt(CKvString classId)
{
    for (const OdSmartPtr<CKvStdsPlugins>& plugin : m_plugins) {
        if (plugin->classId().CompareNoCase(classId) == 0) {
            return plugin;
        }
    }
    return OdSmartPtr<CKvStdsPlugins>();
}

OdSmartPtr<CKvStdsPlugins> CKvStdsManagerImpl::getPluginInfo(OdSmartPtr<CKvStdsPlugins> plugin)
{
    if (plugin.isNull()) {
        return OdSmartPtr<CKvStdsPlugins>();
    }
    return getPluginAt(plugin->classId());
}

bool CKvStdsManagerImpl::init(CKvDocument* document)
{
    if (!document || !document->database()) {
        return false;
    }
    OdDbDatabase* database = document->database();
    clear();
    CKvSystemServices* services = GetKvSystemServices();
    const CKvString preferred = services ? services->standardsSettings().preferredStandardsFile()
                                         : CKvString(CKvStandardsSettings::kNoPreferredFile);

    std::vector<CKvString> associated;
    for (CKvString path : associatedPaths(*database)) {
        path.replace(CKvString("\\"), CKvString("/"));
        associated.push_back(path);
        if (PathAlreadyAdded(path) || path.CompareNoCase(preferred) == 0) {
            // The preferred file goes first, below.
            continue;
        }
        if (fileExists(path)) {
            addStandardsFile(path);
            continue;
        }
        // A standards file moved since it was associated is used where the host finds it.
        const CKvString found =
            services ? services->findFile(fileNameOf(path), database) : CKvString();
        if (!found.isEmpty() && fileExists(found)) {
            addStandardsFile(found);
        }
    }

    const bool hasPreferred = preferred.CompareNoCase(CKvString(tr("None"))) != 0;
    const bool preferredIsAssociated =
        std::any_of(associated.begin(), associated.end(),
                    [&](const CKvString& path) { return path.CompareNoCase(preferred) == 0; });
    if (services && hasPreferred && preferredIsAssociated && fileExists(preferred)) {
        // Opened once through the host's reader, as every standards drawing is; one that cannot
        // be read is still listed, and the plug-ins skip it when they read it for a check.
        services->readDrawing(preferred, false, true, 0x40, CKvString());
        // Another entry may have led to the same file (moved and found by the file search).
        for (size_t i = m_dwsPaths.size(); i-- > 0;) {
            if (sameFile(m_dwsPaths[i], preferred)) {
                m_dwsPaths.erase(m_dwsPaths.begin() + static_cast<std::ptrdiff_t>(i));
                m_dwsNames.erase(m_dwsNames.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        m_dwsPaths.insert(m_dwsPaths.begin(), preferred);
        m_dwsNames.insert(m_dwsNames.begin(), fileNameOf(preferred));
    }

    if (canCheckStandards()) {
        addReactor(document);
    } else {
        removeReactor(document);
    }
    return canCheckStandards();
}

bool CKvStdsManagerImpl::checkForErrors(const OdDbDatabase* database, OdArray<OdDbObjectId> ids,
                                        bool verify)
{
    if (database == nullptr || !canCheckStandards()) {
        return false;
    }
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocument* document =
        services != nullptr ? services->documentManager()->documentOf(database) : nullptr;
    if (document == nullptr || document->database() == nullptr) {
        return false;
    }
    const OdDbDatabasePtr drawing(document->database());
    OdArray<CKvVerifyStandardsInfo> infos;
    bool anyRan = false;
    for (const OdSmartPtr<CKvStdsPlugins>& plugin : m_plugins) {
        if (!plugin->Enabled() || !pluginCanHandle(plugin, ids)) {
            continue;
        }
        plugin->Clear();
        setCurrentPlugin(plugin->classId());
        if (ids.isEmpty()) {
            plugin->SetContext(ids, true);
        } else {
            // The background check can be switched off in the drawing.
            const OdResBufPtr violations = database->getSysVar(OdString(L"STANDARDSVIOLATION"));
            if (!violations.isNull() && violations->getInt16() == 0) {
                return false;
            }
            plugin->SetContext(ids, false);
        }
        plugin->SetupForAudit(drawing, CKvString(drawing->getFilename()), m_dwsNames, m_dwsPaths);
        plugin->Start(OdSmartPtr<CKvStdsError>());
        while (!plugin->Done()) {
            const OdSmartPtr<CKvStdsError> error = plugin->GetError();
            if (!error.isNull()) {
                OdArray<OdSmartPtr<CKvStdsFix>> fixes;
                int recommended = -1;
                plugin->GetAllFixes(error, fixes, recommended);
                UpdateErrorIgnoredFlag(error);
                CKvVerifyStandardsInfo info;
                info.setCurrentPlugin(plugin);
                info.setError(error);
                info.setFixArray(fixes);
                info.setRecommendedFixIdx(recommended);
                bool ignored = false;
                CKvString user;
                error->GetIgnoredState(ignored, user);
                info.setIsIgnored(ignored);
                info.setIgnoredByUserName(user);
                infos.append(info);
            }
            plugin->Next();
        }
        anyRan = true;
    }
    if (!anyRan) {
        return false;
    }
    if (verify) {
        showDialog(infos);
    } else if (!infos.isEmpty() && showNotification()) {
        showDialog(infos);
    }
    return true;
}

bool CKvStdsManagerImpl::showNotification()
{
    CKvStandardViolationMessage message(this);
    return message.exec() != 0 && message.runStandardDlg();
}

void CKvStdsManagerImpl::showDialog(OdArray<CKvVerifyStandardsInfo> infos)
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocument* active =
        services != nullptr ? services->documentManager()->activeDocument() : nullptr;
    if (active != nullptr && !active->selectedIds().isEmpty()) {
        active->clearSelection();
    }
    CKvVerifyStandards dialog(services != nullptr ? services->mainWindow() : nullptr);
    dialog.setErrorInfoList(infos);
    dialog.exec();
}

void CKvStdsManagerImpl::processObjects(const OdArray<OdDbObjectId>& ids)
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocument* active =
        services != nullptr ? services->documentManager()->activeDocument() : nullptr;
    if (active == nullptr || active->database() == nullptr) {
        return;
    }
    // A check that raises still ends processing and leaves nothing recorded to check again.
    struct Processing
    {
        CKvStdsManagerImpl& manager;
        explicit Processing(CKvStdsManagerImpl& m) : manager(m) { manager.startProcessing(); }
        ~Processing()
        {
            manager.endProcessing();
            manager.clearSet();
        }
        Processing(const Processing&) = delete;
        Processing& operator=(const Processing&) = delete;
    } processing(*this);
    init(active);
    checkForErrors(active->database(), ids, false);
}

bool CKvStdsManagerImpl::pluginCanHandle(const OdSmartPtr<CKvStdsPlugins>& plugin,
                                         const OdArray<OdDbObjectId>& ids) const
{
    if (ids.isEmpty()) {
        return true;
    }
    const std::vector<CKvString> filter = plugin->GetObjectFilter();
    for (const OdDbObjectId& id : ids) {
        const OdDbObjectPtr object = id.openObject(OdDb::kForRead);
        if (object.isNull() || object->isA() == nullptr) {
            continue;
        }
        const CKvString dxfName(object->isA()->dxfName());
        if (std::find(filter.begin(), filter.end(), dxfName) != filter.end()) {
            return true;
        }
    }
    return false;
}

void CKvStdsManagerImpl::addObject(const OdDbObject* object)
{
    if (object == nullptr || object->isKindOf(OdDbXrecord::desc()) ||
        object->isKindOf(OdDbDictionary::desc())) {
        return;
    }
    if (object->isKindOf(OdDbDimStyleTableRecord::desc()) && !m_pSavedDimStyle.isNull()) {
        // Only a dimension style whose compared values changed counts as changed.
        const OdDbDimStyleTableRecordPtr current =
            OdDbDimStyleTableRecord::cast(object->objectId().openObject(OdDb::kForRead).get());
        if (CKvDimStylePluginImpl::compareDimStyleRecords(current, m_pSavedDimStyle, false)
                .empty()) {
            return;
        }
    }
    m_changedObjects.insert(object->objectId());
}

void CKvStdsManagerImpl::ConvertSetIntoArray(const std::set<OdDbObjectId>& set,
                                             OdArray<OdDbObjectId>& array)
{
    // The array starts empty and the set holds each id once, so every id is appended.
    array.clear();
    array.reserve(static_cast<OdArray<OdDbObjectId>::size_type>(set.size()));
    for (const OdDbObjectId& id : set) {
        array.append(id);
    }
}

void CKvStdsManagerImpl::setDimStyle(OdSmartPtr<OdDbDimStyleTableRecord> style)
{
    m_pSavedDimStyle = style;
}

void CKvStdsManagerImpl::queueBackgroundCheck()
{
    CKvSystemServices* services = GetKvSystemServices();
    if (services == nullptr || m_changedObjects.empty()) {
        return;
    }
    const OdResBufPtr chain = OdResBuf::newRb(OdResBuf::kRtString, OdString(L"_INTERSTATEVERIFY"));
    chain->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
    services->queueCommand(chain.get());
}

void CKvStdsManagerImpl::restartTimer()
{
    m_timer->stop();
    m_timer->start();
}

void CKvStdsManagerImpl::stopTimer()
{
    m_timer->stop();
}

bool CKvStdsManagerImpl::isTimerRunning() const
{
    return m_timer->isActive();
}

void CKvStdsManagerImpl::createVerficationDialog() {}

void CKvStdsManagerImpl::showVerficationDialog(bool) {}

void CKvStdsManagerImpl::restoreVerificationDialog(CKvDocument*) {}

void CKvStdsManagerImpl::startProcessing()
{
    m_processing = true;
}

void CKvStdsManagerImpl::endProcessing()
{
    m_processing = false;
}

bool CKvStdsManagerImpl::insideProcessing()
{
    return m_processing;
}

bool CKvStdsManagerImpl::canCheckStandards() const
{
    return !m_dwsPaths.empty();
}

bool CKvStdsManagerImpl::PathAlreadyAdded(const CKvString& path) const
{
    return std::find(m_dwsPaths.begin(), m_dwsPaths.end(), path) != m_dwsPaths.end();
}

void CKvStdsManagerImpl::clear()
{
    m_dwsPaths.clear();
    m_dwsNames.clear();
}

void CKvStdsManagerImpl::UpdateErrorIgnoredFlag(OdSmartPtr<CKvStdsError> error)
{
    loadIgnoredState(error);
}

void CKvStdsManagerImpl::addReactor(CKvDocument* document)
{
    if (!document || m_attachedDocuments.count(document) != 0) {
        return;
    }
    m_attachedDocuments[document] = true;
    if (OdDbDatabase* database = document->database()) {
        database->addReactor(&m_databaseReactor);
    }
}

void CKvStdsManagerImpl::removeReactor(CKvDocument* document)
{
    const auto it = m_attachedDocuments.find(document);
    if (it == m_attachedDocuments.end()) {
        return;
    }
    m_attachedDocuments.erase(it);
    if (OdDbDatabase* database = document->database()) {
        database->removeReactor(&m_databaseReactor);
    }
}

void CKvStdsManagerImpl::timerTimeout()
{
    // Changes made outside commands are checked once the editor is idle.
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocument* active =
        services != nullptr ? services->documentManager()->activeDocument() : nullptr;
    if (active == nullptr) {
        return;
    }
    const CKvCommandContext* context = active->commandContext();
    if (context->commandsInProgress() != 0 || QApplication::activeModalWidget() != nullptr ||
        active->isBusy() || context->isScriptRunning() || context->isBusy()) {
        return;
    }
    queueBackgroundCheck();
}

void CKvStdsManagerImpl::addStandardsFile(const CKvString& path)
{
    // One entry per file, however many stored paths lead to it (several moved files found in
    // one place by the file search, or the same file spelt in two ways).
    if (std::any_of(m_dwsPaths.begin(), m_dwsPaths.end(),
                    [&](const CKvString& listed) { return sameFile(listed, path); })) {
        return;
    }
    m_dwsPaths.push_back(path);
    m_dwsNames.push_back(fileNameOf(path));
}
