// CKvStandardsPlugin<Plugin>: the run-time class of one plug-in class. A plug-in class derives
// from CKvStandardsPlugin<itself> and defines `static const CKvPluginInfo kInfo`; it then has
// the run-time members every plug-in has:
// - rxInit() registers a class named kInfo.className, derived from CKvStdsPlugins::desc(), whose
//   pseudo-constructor makes a new plug-in; it raises OdError 313 when the class is registered
//   already. rxUninit() removes it and raises OdError 254 when it is not registered.
// - desc() and isA() give the registered class (null while unregistered).
// - queryX(cls): the plug-in itself (with a reference) for its own class, else a protocol
//   extension of cls registered on its class, else whatever CKvStdsPlugins answers.
// - pseudoConstructor() allocates with odrxAlloc and raises std::bad_alloc when that fails.
//   Plug-ins are static objects: nothing ever frees what it allocates.
#ifndef KV_CKV_STANDARDS_PLUGIN_H
#define KV_CKV_STANDARDS_PLUGIN_H

#include <CKvStandardsPluginBase.h>
#include <CKvStdsPlugins.h>
#include <OdAlloc.h>
#include <OdError.h>
#include <OdString.h>
#include <RxClass.h>

#include <new>

template <class Plugin>
class CKvStandardsPlugin : public CKvStandardsPluginBase
{
public:
    static OdRxClass* g_pDesc;

    static OdRxClass* desc() { return g_pDesc; }
    OdRxClass* isA() const override { return g_pDesc; }
    OdRxObject* queryX(const OdRxClass* pClass) const override;

    static void rxInit();
    static void rxUninit();
    static OdRxObjectPtr pseudoConstructor();

protected:
    CKvStandardsPlugin() : CKvStandardsPluginBase(Plugin::kInfo) {}
};

template <class Plugin>
OdRxClass* CKvStandardsPlugin<Plugin>::g_pDesc = nullptr;

template <class Plugin>
OdRxObject* CKvStandardsPlugin<Plugin>::queryX(const OdRxClass* pClass) const
{
    if (!pClass) {
        return nullptr;
    }
    if (pClass == g_pDesc) {
        auto* pThis = const_cast<CKvStandardsPlugin*>(this);
        pThis->addRef();
        return pThis;
    }
    if (g_pDesc) {
        OdRxObjectPtr pExtension = g_pDesc->getX(pClass);
        if (pExtension) {
            return pExtension.detach();
        }
    }
    return CKvStdsPlugins::queryX(pClass);
}

template <class Plugin>
void CKvStandardsPlugin<Plugin>::rxInit()
{
    if (g_pDesc) {
        throw OdError(eAlreadyRegistered);
    }
    g_pDesc = ::newOdRxClass(OdString(Plugin::kInfo.className), CKvStdsPlugins::desc(),
                             &CKvStandardsPlugin::pseudoConstructor);
}

template <class Plugin>
void CKvStandardsPlugin<Plugin>::rxUninit()
{
    if (!g_pDesc) {
        throw OdError(eNoClassDescription);
    }
    ::deleteOdRxClass(g_pDesc);
    g_pDesc = nullptr;
}

template <class Plugin>
OdRxObjectPtr CKvStandardsPlugin<Plugin>::pseudoConstructor()
{
    void* pMemory = ::odrxAlloc(sizeof(Plugin));
    if (!pMemory) {
        throw std::bad_alloc();
    }
    try {
        Plugin* pPlugin = ::new (pMemory) Plugin;
        return OdRxObjectPtr(static_cast<OdRxObject*>(pPlugin), kOdRxObjAttach);
    } catch (...) {
        ::odrxFree(pMemory);
        throw;
    }
}

#endif  // KV_CKV_STANDARDS_PLUGIN_H
