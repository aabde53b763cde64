#include <CKvCommandDwgStandards.h>
#include <CKvSystemServices.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <EdCommandStack.h>
#include <StaticRxObject.h>
#include <algorithm>
#include <sys/stat.h>

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

// Refuses every change to the drawings it watches: a change is announced before it is made.
class WriteProtection : public OdStaticRxObject<OdDbDatabaseReactor>
{
public:
    void objectOpenedForModify(const OdDbDatabase*, const OdDbObject*) override
    {
        throw OdError(eIsWriteProtected);
    }
};

}  // namespace

CKvSystemServices::CKvSystemServices(const CKvString& resourcesFolder, QWidget* mainWindow)
    : m_resourcesFolder(resourcesFolder)
    , m_mainWindow(mainWindow)
    , m_processor(&m_documents)
    , m_documents(&m_processor)
    , m_writeProtection(std::make_unique<WriteProtection>())
{}

CKvSystemServices::~CKvSystemServices()
{
    for (const std::unique_ptr<OdEdCommand>& command : m_hostCommands) {
        odedRegCmds()->removeCmd(command.get());
    }
    // Whoever still holds a kept drawing holds an ordinary one from now on.
    while (!m_sharedDrawings.empty()) {
        forget(m_sharedDrawings.begin());
    }
}

CKvString CKvSystemServices::applicationName() const
{
    return CKvString(L"kvcad");
}

bool CKvSystemServices::FileStamp::operator==(const FileStamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

std::optional<CKvSystemServices::FileStamp> CKvSystemServices::stampOf(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::int64_t>(status.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    return stamp;
}

OdDbDatabasePtr CKvSystemServices::readDrawing(const CKvString& path, bool, bool, int,
                                               const CKvString&) const
{
    const QString key = QFileInfo(path.toQString()).absoluteFilePath();
    const std::optional<FileStamp> stamp = stampOf(key);
    const auto kept = m_sharedDrawings.find(key);
    if (kept != m_sharedDrawings.end()) {
        if (stamp && kept->second.stamp == *stamp) {
            return kept->second.database;
        }
        forget(kept);
    }
    if (!stamp) {
        return OdDbDatabasePtr();
    }
    OdDbDatabasePtr database;
    try {
        database = OdDbDatabase::readFile(path.toOdString());
    } catch (const OdError&) {
        // Callers ask for a drawing or nothing: an unreadable file is "nothing".
        return OdDbDatabasePtr();
    }
    database->addReactor(m_writeProtection.get());
    m_sharedDrawings[key] = SharedDrawing{*stamp, database};
    return database;
}

void CKvSystemServices::forget(std::map<QString, SharedDrawing>::iterator kept) const
{
    kept->second.database->removeReactor(m_writeProtection.get());
    m_sharedDrawings.erase(kept);
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
