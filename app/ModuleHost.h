#pragma once

#include <CKvSystemServices.h>
#include <CKvTranslator.h>

#include <QApplication>
#include <QLibraryInfo>

#include <functional>
#include <memory>
#include <string>

class OdError;
class OdRxModule;

// kvcad as the host of the standards module: the Qt application, the system services and the
// module, loaded with dlopen from beside kvcad ($KV_MODULE overrides the path) and started with
// initApp; the destructor stops and unloads it.
class ModuleHost
{
public:
    // Null, with a message in `error`, when the module cannot be loaded.
    static std::unique_ptr<ModuleHost> start(std::string& error);
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    // Runs `work` with the module started, for a command on one drawing. What stops it is said
    // on stderr naming the drawing, with exit 2: the module not loading, or an error the SDK or
    // the module raises (caught while the module that may have raised it is still loaded).
    static int runOn(const std::string& drawing, const std::function<int(ModuleHost&)>& work);

    CKvSystemServices& services() { return m_services; }

    // What is wrong, given an error raised on the open drawings: the host's reader tells why a
    // drawing's standards association cannot be read, the error itself anything else.
    std::string explain(const OdError& error);

private:
    ModuleHost();

    int m_argc = 1;
    char m_name[6] = "kvcad";
    char* m_argv[2] = {m_name, nullptr};
    QApplication m_application;
    // Qt's texts (the standard buttons) and the host's, in the user's language.
    CKvTranslator m_qtTexts{QStringLiteral("qtbase"),
                            QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
    CKvTranslator m_hostTexts{QStringLiteral("kvhost")};
    CKvSystemServices m_services;
    void* m_library = nullptr;
    OdRxModule* m_module = nullptr;
};
