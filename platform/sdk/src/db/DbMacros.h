#pragma once

#include <OdError.h>
#include <RxClass.h>

// Defines the members declared by ODDB_DECLARE_MEMBERS. Database objects count their own
// references, so createObject hands out the first one.
#define ODDB_DEFINE_MEMBERS(Class, Parent, DxfName)                                              \
    OdRxClass* Class::g_pDesc = nullptr;                                                         \
    OdRxClass* Class::desc()                                                                     \
    {                                                                                            \
        return g_pDesc;                                                                          \
    }                                                                                            \
    OdRxClass* Class::isA() const                                                                \
    {                                                                                            \
        return g_pDesc;                                                                          \
    }                                                                                            \
    OdRxObject* Class::queryX(const OdRxClass* pClass) const                                     \
    {                                                                                            \
        if (pClass != nullptr && pClass == g_pDesc) {                                            \
            const_cast<Class*>(this)->addRef();                                                  \
            return const_cast<Class*>(this);                                                     \
        }                                                                                        \
        return Parent::queryX(pClass);                                                           \
    }                                                                                            \
    OdSmartPtr<Class> Class::cast(const OdRxObject* pObj)                                        \
    {                                                                                            \
        if (pObj == nullptr || g_pDesc == nullptr) {                                             \
            return OdSmartPtr<Class>();                                                          \
        }                                                                                        \
        OdRxObject* found = pObj->queryX(g_pDesc);                                               \
        return found ? OdSmartPtr<Class>(static_cast<Class*>(found), kOdRxObjAttach)             \
                     : OdSmartPtr<Class>();                                                      \
    }                                                                                            \
    OdSmartPtr<Class> Class::createObject()                                                      \
    {                                                                                            \
        if (g_pDesc == nullptr) {                                                                \
            throw OdError(eNoClassDescription);                                                  \
        }                                                                                        \
        return OdSmartPtr<Class>(new Class());                                                   \
    }                                                                                            \
    OdRxObjectPtr Class::pseudoConstructor()                                                     \
    {                                                                                            \
        return OdRxObjectPtr(new Class());                                                       \
    }                                                                                            \
    void Class::rxInit()                                                                         \
    {                                                                                            \
        if (g_pDesc != nullptr) {                                                                \
            throw OdError(eAlreadyRegistered);                                                   \
        }                                                                                        \
        g_pDesc = ::newOdRxClass(OdString(#Class), Parent::desc(), &Class::pseudoConstructor, 0, \
                                 0, 0, OdString(DxfName));                                       \
    }                                                                                            \
    void Class::rxUninit()                                                                       \
    {                                                                                            \
        if (g_pDesc == nullptr) {                                                                \
            throw OdError(eNoClassDescription);                                                  \
        }                                                                                        \
        ::deleteOdRxClass(g_pDesc);                                                              \
        g_pDesc = nullptr;                                                                       \
    }
