// The standards module loaded as a host loads it, shared by the module and desktop tests.
#pragma once

class OdRxModule;

// libKvStandards opened with dlopen; load() creates the module object and runs initApp(),
// unload() runs uninitApp() and deletes the module object, close() unloads the library. The
// destructor does whatever of this is left.
class LoadedModule
{
public:
    LoadedModule();
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    OdRxModule* create(const wchar_t* name = L"KvStandards");
    void apiVersion(int& major, int& minor, int& majorBuild, int& minorBuild);
    void load();
    void unload();
    void close();
    // The library is no longer mapped into the process.
    static bool isUnloaded();

private:
    void* m_handle = nullptr;
    OdRxModule* m_module = nullptr;
};
