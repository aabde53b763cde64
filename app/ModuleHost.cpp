#include "ModuleHost.h"

#include "Messages.h"

#include <CKvDocument.h>
#include <CKvDocumentManager.h>
#include <CKvPluginFlags.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <KvStandardsEntryPoints.h>
#include <OdError.h>
#include <RxModule.h>

#include <QByteArray>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace {

// Qt's notes about the session (no runtime folder, no display) are not the user's business on
// the command line, where stderr carries one line per failing drawing.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Without a display the dialogs of the module are drawn nowhere.
int prepareQt()
{
    qInstallMessageHandler(&quietQtNotes);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return 0;
}

std::string besideExecutable(const std::string& relative)
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return relative;
    }
    std::string exe(path, static_cast<size_t>(length));
    return exe.substr(0, exe.rfind('/') + 1) + relative;
}

std::string modulePath()
{
    const QByteArray configured = qgetenv("KV_MODULE");
    return configured.isEmpty() ? besideExecutable("../lib/libKvStandards.so.1")
                                : configured.toStdString();
}

CKvString resourcesFolder()
{
    const QByteArray configured = qgetenv("KV_RESOURCES");
    return CKvString(configured.isEmpty() ? KV_RESOURCE_DIR : configured.constData());
}

}  // namespace

ModuleHost::ModuleHost()
    : m_application((prepareQt(), m_argc), m_argv), m_services(resourcesFolder())
{
    // Qt switched the C library to the user's locale; numbers in files and messages stay in C.
    std::setlocale(LC_NUMERIC, "C");
    SetKvSystemServices(&m_services);
}

std::unique_ptr<ModuleHost> ModuleHost::start(std::string& error)
{
    std::unique_ptr<ModuleHost> host(new ModuleHost());
    const std::string path = modulePath();
    host->m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (host->m_library == nullptr) {
        error = "cannot load the standards module: " + std::string(dlerror());
        return nullptr;
    }
    auto create = reinterpret_cast<KvCreateModuleObjectFunc>(
        dlsym(host->m_library, "odrxCreateModuleObject"));
    if (create == nullptr) {
        error = path + ": not a standards module (no odrxCreateModuleObject)";
        return nullptr;
    }
    host->m_module = create(host->m_library, L"KvStandards");
    host->m_module->initApp();
    // The plug-ins start enabled; the user's choices from the standards configuration apply to
    // every run.
    restorePluginFlags(GetKvStandardManager(), host->m_services.standardsSettings());
    return host;
}

int ModuleHost::runOn(const std::string& drawing, const std::function<int(ModuleHost&)>& work)
{
    std::string error;
    std::unique_ptr<ModuleHost> host = start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    try {
        return work(*host);
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", aboutFile(drawing, host->explain(e)).c_str());
        return 2;
    }
}

std::string ModuleHost::explain(const OdError& error)
{
    // The module cannot read the association of a drawing it was given; the drawing is still
    // open.
    for (CKvDocument* open : m_services.documentManager()->documents()) {
        const CKvString problem = CKvStandardsAssociation(open->database()).problem();
        if (!problem.isEmpty()) {
            return problem.toUtf8();
        }
    }
    return error.description().toUtf8();
}

ModuleHost::~ModuleHost()
{
    // Documents left open by a command that ended with an error go first, while the module that
    // watches them is still there.
    if (CKvDocumentManager* documents = m_services.documentManager()) {
        for (CKvDocument* document : documents->documents()) {
            documents->close(document);
        }
    }
    if (m_module != nullptr) {
        m_module->uninitApp();
        m_module->deleteModule();
    }
    if (m_library != nullptr) {
        dlclose(m_library);
    }
    SetKvSystemServices(nullptr);
}
