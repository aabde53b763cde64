// OdRxClass, its implementation and the process-wide class dictionary.
#include <RxClass.h>

#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

ODRX_NO_CONS_DEFINE_MEMBERS(OdRxClass, OdRxObject)

bool OdRxClass::isDerivedFrom(const OdRxClass* pClass) const
{
    if (!pClass) {
        return false;
    }
    for (const OdRxClass* pCurrent = this; pCurrent; pCurrent = pCurrent->myParent()) {
        if (pCurrent == pClass) {
            return true;
        }
    }
    return false;
}

OdRxObjectPtr OdRxClass::create() const
{
    const OdPseudoConstructorType pseudoConstructor = constructor();
    if (!pseudoConstructor) {
        throw OdError(eNoClassDescription);
    }
    return pseudoConstructor();
}

namespace {

class OdRxClassImpl : public OdRxClass
{
public:
    struct Info
    {
        OdString name;
        OdString dxfName;
        OdString appName;
        OdRxClassPtr pParent;
        OdPseudoConstructorType pseudoConstructor = nullptr;
        int dwgVersion = 0;
        int maintVersion = 0;
        int proxyFlags = 0;
        int customFlags = 0;
    };

    void init(Info info) { m_info = std::move(info); }

    OdString name() const override { return m_info.name; }
    OdString dxfName() const override { return m_info.dxfName; }
    OdString appName() const override { return m_info.appName; }
    OdRxClass* myParent() const override { return m_info.pParent.get(); }
    OdPseudoConstructorType constructor() const override { return m_info.pseudoConstructor; }
    int getDwgVersion() const override { return m_info.dwgVersion; }
    int getMaintVersion() const override { return m_info.maintVersion; }
    int proxyFlags() const override { return m_info.proxyFlags; }
    int customFlags() const override { return m_info.customFlags; }

    OdRxObjectPtr addX(OdRxClass* pProtocolClass, OdRxObject* pProtocolObject) override
    {
        if (!pProtocolClass || !pProtocolObject) {
            return OdRxObjectPtr();
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        Extension& slot = m_extensions[pProtocolClass];
        OdRxObjectPtr pPrevious = std::move(slot.pObject);
        slot.pClass = pProtocolClass;
        slot.pObject = pProtocolObject;
        return pPrevious;
    }

    OdRxObjectPtr getX(const OdRxClass* pProtocolClass) override
    {
        if (!pProtocolClass) {
            return OdRxObjectPtr();
        }
        OdRxObjectPtr pFound = ownX(pProtocolClass);
        if (!pFound && myParent()) {
            pFound = myParent()->getX(pProtocolClass);
        }
        return pFound;
    }

    OdRxObjectPtr delX(OdRxClass* pProtocolClass) override
    {
        Extension removed;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const auto it = m_extensions.find(pProtocolClass);
            if (it == m_extensions.end()) {
                return OdRxObjectPtr();
            }
            removed = std::move(it->second);
            m_extensions.erase(it);
        }
        return removed.pObject;
    }

private:
    struct Extension
    {
        OdRxClassPtr pClass;  // keeps the key alive while the entry exists
        OdRxObjectPtr pObject;
    };

    OdRxObjectPtr ownX(const OdRxClass* pProtocolClass)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_extensions.find(pProtocolClass);
        return it == m_extensions.end() ? OdRxObjectPtr() : it->second.pObject;
    }

    Info m_info;
    std::mutex m_mutex;
    std::map<const OdRxClass*, Extension> m_extensions;
};

class ClassDictionary
{
public:
    static ClassDictionary& instance()
    {
        static ClassDictionary s_dictionary;
        return s_dictionary;
    }

    void add(const OdRxClassPtr& pClass)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_classes.emplace(pClass->name(), pClass).second) {
            throw OdError(eAlreadyRegistered);
        }
    }

    // Returns the dictionary's reference, for the caller to drop outside the lock.
    OdRxClassPtr remove(const OdRxClass* pClass)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Searched by address: a stale pointer must not be dereferenced.
        for (auto it = m_classes.begin(); it != m_classes.end(); ++it) {
            if (it->second.get() == pClass) {
                OdRxClassPtr pRemoved = std::move(it->second);
                m_classes.erase(it);
                return pRemoved;
            }
        }
        throw OdError(eNoClassDescription);
    }

    OdRxClass* find(const OdString& name) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_classes.find(name);
        return it == m_classes.end() ? nullptr : it->second.get();
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_map<OdString, OdRxClassPtr> m_classes;
};

}  // namespace

OdRxClass* newOdRxClass(const OdString& className, OdRxClass* pParentClass,
                        OdPseudoConstructorType pseudoConstructor, int dwgVer, int maintVer,
                        int proxyFlags, const OdString& dxfName, const OdString& appName,
                        void* /*appNameChangeFunc*/, int customFlags)
{
    if (className.isEmpty()) {
        throw OdError(eInvalidInput);
    }
    OdSmartPtr<OdRxClassImpl> pClass = OdRxObjectImpl<OdRxClassImpl>::createObject();
    pClass->init({className, dxfName, appName, OdRxClassPtr(pParentClass), pseudoConstructor,
                  dwgVer, maintVer, proxyFlags, customFlags});
    ClassDictionary::instance().add(pClass);
    return pClass.get();
}

void deleteOdRxClass(OdRxClass* pClass)
{
    if (pClass) {
        ClassDictionary::instance().remove(pClass);
    }
}

OdRxClass* odrxGetClassDesc(const OdString& className)
{
    return ClassDictionary::instance().find(className);
}
