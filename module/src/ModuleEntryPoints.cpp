#include "CKvStandardsModule.h"

#include <KvStandardsEntryPoints.h>
#include <OdString.h>

namespace {

// The one module object, or null.
OdRxModule* g_pSingletonModule = nullptr;

}  // namespace

OdRxModule* odrxCreateModuleObject(void* sysData, const wchar_t* moduleName)
{
    if (!g_pSingletonModule) {
        // OdRxObject allocates with odrxAlloc and raises std::bad_alloc when that fails.
        g_pSingletonModule = new OdRxUnixModule<CKvStandardsModule>(
            sysData, moduleName ? OdString(moduleName) : OdString());
    }
    return g_pSingletonModule;
}

void odrxGetAPIVersion(int& major, int& minor, int& majorBuild, int& minorBuild)
{
    major = 3;
    minor = 9;
    majorBuild = 1;
    minorBuild = 0;
}

void deleteModuleObject()
{
    g_pSingletonModule = nullptr;
}

void odrxDeleteModuleObject(OdRxModule* pModule)
{
    deleteModuleObject();
    // The deleting destructor hands the memory back to odrxFree.
    delete pModule;
}
