#include <CKvCommandDwgStandards.h>
#include <CKvSystemServices.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <EdCommandStack.h>
#include <StaticRxObject.h>
#include <algorithm>

namespace {

CKvSystemServices* g_services = nullptr;

// The file name after the last separator of either kind: associations written on other systems
// keep backslashes.
QString bareFileName(const CKvString& fileName)
{
    const QString path = fileName.toQString();
    const int cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

}  // namespace

CKvSystemServices::CKvSystemServices(const CKvString& resourcesFolder, QWidget* mainWindow)
    : m_resourcesFolder(resourcesFolder)
    , m_mainWindow(mainWindow)
    , m_processor(&m_documents)
    , m_documents(&m_processor)
{}

CKvSystemServices::~CKvSystemServices()
{
    for (const std::unique_ptr<OdEdCommand>& command : m_hostCommands) {
        odedRegCmds()->removeCmd(command.get());
    }
}

CKvString CKvSystemServices::applicationName() const
{
    return CKvString(L"kvcad");
}

OdDbDatabasePtr CKvSystemServices::readDrawing(const CKvString& path, bool, bool, int,
                                               const CKvString&) const
{
    const QFileInfo file(path.toQString());
    const QString key = file.absoluteFilePath();
    if (m_sharesReadDrawings) {
        const auto kept = m_sharedDrawings.find(key);
        if (kept != m_sharedDrawings.end() && kept->second.size == file.size() &&
            kept->second.modified == file.lastModified()) {
            return kept->second.database;
        }
    }
    OdDbDatabasePtr database;
    try {
        database = OdDbDatabase::readFile(path.toOdString());
    } catch (const OdError&) {
        // Callers ask for a drawing or nothing: an unreadable file is "nothing".
        return OdDbDatabasePtr();
    }
    if (m_sharesReadDrawings) {
        m_sharedDrawings[key] = SharedDrawing{file.size(), file.lastModified(), database};
    }
    return database;
}

void CKvSystemServices::setSharesReadDrawings(bool share)
{
    m_sharesReadDrawings = share;
    if (!share) {
        m_sharedDrawings.clear();
    }
}

CKvString CKvSystemServices::findFile(const CKvString& fileName, const OdDbDatabase* database) const
{
    const QString name = bareFileName(fileName);
    if (name.isEmpty()) {
        return CKvString();
    }
    QStringList folders;
    if (database && !database->getFilename().isEmpty()) {
        folders << QFileInfo(CKvString(database->getFilename()).toQString()).absolutePath();
    }
    for (const CKvString& folder : m_supportFolders) {
        folders << folder.toQString();
    }
    folders << m_resourcesFolder.toQString();
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (candidate.isFile()) {
            return CKvString(candidate.absoluteFilePath());
        }
    }
    return CKvString();
}

OdResBufPtr CKvSystemServices::invokeCommand(const CKvExpressionParserData& data,
                                             const OdResBuf* chain)
{
    if (!data.m_bSynchronous) {
        queueCommand(chain);
        return OdResBufPtr();
    }
    if (!chain || odResBufDataKind(chain->restype()) != OdResBuf::DataKind::kString) {
        return OdResBufPtr();
    }
    const int result = m_processor.runCommandChain(chain);
    return OdResBuf::newRb(OdResBuf::kRtInt32, static_cast<OdInt32>(result));
}

void CKvSystemServices::queueCommand(const OdResBuf* chain)
{
    m_processor.queueCommand(chain);
}

void CKvSystemServices::runQueuedCommands()
{
    m_processor.runQueuedCommands();
}

CKvStandardsSettings CKvSystemServices::standardsSettings() const
{
    return CKvStandardsSettings::load();
}

bool CKvSystemServices::setStandardsSettings(const CKvStandardsSettings& settings)
{
    return settings.save();
}

void CKvSystemServices::registerHostCommands()
{
    if (!m_hostCommands.empty()) {
        return;
    }
    auto dwgStandards = std::make_unique<OdStaticRxObject<CKvCommandDwgStandards>>();
    odedRegCmds()->addCommand(dwgStandards.get());
    m_hostCommands.push_back(std::move(dwgStandards));
}

void SetKvSystemServices(CKvSystemServices* services)
{
    g_services = services;
}

CKvSystemServices* GetKvSystemServices()
{
    return g_services;
}
