// The entry points of the standards module (libKvStandards.so.1), exported under these plain
// names for a host that loads the module with dlopen:
// - odrxCreateModuleObject(sysData, moduleName) returns the one module object, creating it on the
//   first call (sysData is kept as the module's sysData(), moduleName copied as its
//   moduleName()); later calls return the same object until it is deleted. Raises
//   std::bad_alloc when it cannot be allocated.
// - odrxGetAPIVersion gives the SDK interface version the module was built against: 3, 9, 1, 0.
// - deleteModuleObject() forgets the module object without destroying it; the host destroys it
//   with OdRxModule::deleteModule(), which forgets it too.
// The host calls initApp() after creating the module object and uninitApp() before deleting it.
#ifndef KV_STANDARDS_ENTRY_POINTS_H
#define KV_STANDARDS_ENTRY_POINTS_H

class OdRxModule;

#define KV_MODULE_EXPORT __attribute__((visibility("default")))

extern "C" {
KV_MODULE_EXPORT OdRxModule* odrxCreateModuleObject(void* sysData, const wchar_t* moduleName);
KV_MODULE_EXPORT void odrxGetAPIVersion(int& major, int& minor, int& majorBuild, int& minorBuild);
KV_MODULE_EXPORT void deleteModuleObject();
}

// The same functions as the host looks them up.
typedef OdRxModule* (*KvCreateModuleObjectFunc)(void*, const wchar_t*);
typedef void (*KvGetAPIVersionFunc)(int&, int&, int&, int&);
typedef void (*KvDeleteModuleObjectFunc)();

#endif  // KV_STANDARDS_ENTRY_POINTS_H
