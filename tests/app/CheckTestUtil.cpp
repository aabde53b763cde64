#include "CheckTestUtil.h"

#include <CKvIgnoredState.h>
#include <CKvStandardsAssociation.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>
#include <OdString.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <CmColor.h>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

std::string readAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace

QJsonObject KvcadRun::json() const
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
}

QJsonArray KvcadRun::drawings() const
{
    return json().value("drawings").toArray();
}

CheckScope::CheckScope()
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
    , m_hadConfigHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_scratch.filePath(".config")));
}

CheckScope::~CheckScope()
{
    if (m_hadConfigHome) {
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

std::string CheckScope::path(const std::string& relative) const
{
    const QString full = m_scratch.filePath(QString::fromStdString(relative));
    QDir().mkpath(QFileInfo(full).absolutePath());
    return full.toStdString();
}

std::string CheckScope::writeDrawing(const std::string& relative,
                                     const std::vector<LayerSpec>& layers,
                                     const std::vector<std::string>& standards) const
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    for (const LayerSpec& spec : layers) {
        OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
        layer->setName(OdString(spec.name));
        OdCmColor color;
        color.setColorIndex(static_cast<OdInt16>(spec.color));
        layer->setColor(color);
        table->add(layer.get());
    }
    std::vector<CKvString> paths;
    for (const std::string& file : standards) {
        paths.push_back(CKvString(file.c_str()));
    }
    CKvStandardsAssociation(db.get()).setPaths(paths);
    const std::string target = path(relative);
    db->writeFile(OdString(target));
    return target;
}

std::string CheckScope::writeGarbage(const std::string& relative) const
{
    const std::string target = path(relative);
    QFile file(QString::fromStdString(target));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a drawing\n");
    return target;
}

void CheckScope::ignoreLayer(const std::string& drawing, const std::string& layer,
                             const std::string& user) const
{
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing));
    OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject();
    const OdDbObjectId id = table->getAt(OdString(layer));
    ASSERT_FALSE(id.isNull()) << layer;
    ASSERT_TRUE(writeIgnoredState(id, true, CKvString(user.c_str())));
    db->writeFile(OdString(drawing));
}

void CheckScope::breakIgnoredMark(const std::string& drawing, const std::string& layer) const
{
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing));
    OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject();
    OdDbObjectPtr record = table->getAt(OdString(layer)).safeOpenObject(OdDb::kForWrite);
    record->createExtensionDictionary();
    OdDbDictionaryPtr extension = record->extensionDictionary().safeOpenObject(OdDb::kForWrite);
    OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
    extension->setAt(OdString(L"AcStStandard"), xrecord.get());
    db->writeFile(OdString(drawing));
}

void CheckScope::breakAssociation(const std::string& drawing) const
{
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing));
    OdDbDictionaryPtr root = db->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
    OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
    root->setAt(OdString(L"AcStStandard"), xrecord.get());
    db->writeFile(OdString(drawing));
}

KvcadRun CheckScope::kvcad(const std::vector<std::string>& args) const
{
    const std::string outPath = path(".run/out");
    const std::string errPath = path(".run/err");
    std::vector<std::string> argv = {KV_KVCAD_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, m_scratch.path().toLocal8Bit().constData());
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    KvcadRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot run " << KV_KVCAD_PATH;
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

QJsonObject violationNamed(const QJsonObject& drawing, const QString& name)
{
    for (const QJsonValue& violation : drawing.value("violations").toArray()) {
        if (violation.toObject().value("name").toString() == name) {
            return violation.toObject();
        }
    }
    return QJsonObject();
}
