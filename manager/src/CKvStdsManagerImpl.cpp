#include "CKvStdsManagerImpl.h"

#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvStandardsSettings.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>

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

bool CKvStdsManagerImpl::checkForErrors(const OdDbDatabase*, OdArray<OdDbObjectId>, bool)
{
    // No plug-in reports violations yet, so there is nothing to collect or show.
    return false;
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
    // Nothing starts the timer until objects are recorded; a tick without any has nothing to do.
    if (m_changedObjects.empty()) {
        m_timer->stop();
    }
}

void CKvStdsManagerImpl::addStandardsFile(const CKvString& path)
{
    m_dwsPaths.push_back(path);
    m_dwsNames.push_back(fileNameOf(path));
}
