// OdRxModule: a loadable application (a shared library the host dlopens). The module supplies
// the concrete class, built on OdRxUnixModule<T>, and its entry points.
//
// Contract:
// - initApp() is called once after loading, uninitApp() once before unloading.
// - sysData() is the handle the loader gave the module (the dlopen handle), moduleName() the name
//   it was loaded under.
// - The reference count of OdRxUnixModule only counts users: reaching zero deletes nothing. The
//   loader calls deleteModule() when it unloads the module, which hands the object to
//   odrxDeleteModuleObject(), a function every module defines: it destroys the module object it
//   created and forgets any pointer to it.
#ifndef OD_RX_MODULE_H
#define OD_RX_MODULE_H

#include <OdString.h>
#include <OdTypes.h>
#include <RxObject.h>

#include <atomic>

class OdRxModule : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdRxModule);

    virtual void initApp() = 0;
    virtual void uninitApp() = 0;
    virtual void* sysData() = 0;
    virtual OdString moduleName() const = 0;
    virtual void deleteModule() = 0;
};

typedef OdSmartPtr<OdRxModule> OdRxModulePtr;

// Defined by each module (see above).
void odrxDeleteModuleObject(OdRxModule* pModule);

template <class T>
class OdRxUnixModule : public T
{
public:
    OdRxUnixModule(void* sysData, const OdString& name) : m_hModule(sysData), m_sName(name) {}

    void addRef() override { m_nLockCount.fetch_add(1, std::memory_order_relaxed); }
    void release() override { m_nLockCount.fetch_sub(1, std::memory_order_acq_rel); }
    long numRefs() const override { return m_nLockCount.load(std::memory_order_acquire); }

    void* sysData() override { return m_hModule; }
    OdString moduleName() const override { return m_sName; }
    void deleteModule() override { odrxDeleteModuleObject(this); }

private:
    std::atomic<OdInt32> m_nLockCount{0};
    void* m_hModule;
    OdString m_sName;
};

#endif  // OD_RX_MODULE_H
