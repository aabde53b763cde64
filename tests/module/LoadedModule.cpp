#include "LoadedModule.h"

#include "HostDoubles.h"

#include <KvStandardsEntryPoints.h>
#include <RxModule.h>

#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace {

template <class Function>
Function entryPoint(void* handle, const char* name)
{
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        throw std::runtime_error(std::string("missing entry point ") + name);
    }
    return reinterpret_cast<Function>(symbol);
}

}  // namespace

LoadedModule::LoadedModule()
{
    ensureWidgetsApplication();
    m_handle = dlopen(KV_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        throw std::runtime_error(dlerror());
    }
}

LoadedModule::~LoadedModule()
{
    if (m_module) {
        unload();
    }
    close();
}

OdRxModule* LoadedModule::create(const wchar_t* name)
{
    return entryPoint<KvCreateModuleObjectFunc>(m_handle, "odrxCreateModuleObject")(m_handle, name);
}

void LoadedModule::apiVersion(int& major, int& minor, int& majorBuild, int& minorBuild)
{
    entryPoint<KvGetAPIVersionFunc>(m_handle, "odrxGetAPIVersion")(major, minor, majorBuild,
                                                                   minorBuild);
}

void LoadedModule::load()
{
    m_module = create();
    m_module->initApp();
}

void LoadedModule::unload()
{
    m_module->uninitApp();
    m_module->deleteModule();
    m_module = nullptr;
}

void LoadedModule::close()
{
    if (m_handle) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

bool LoadedModule::isUnloaded()
{
    void* handle = dlopen(KV_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (handle) {
        dlclose(handle);
    }
    return handle == nullptr;
}
