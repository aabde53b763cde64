// OdRxObject: the root of the SDK's run-time class system. Objects are reference counted and
// live in OdSmartPtr; their class is described by an OdRxClass registered by name.
//
// Contract:
// - addRef/release/numRefs are supplied by the concrete wrapper: OdRxObjectImpl<T> (below: heap
//   object, deleted when the last reference goes) or OdStaticRxObject<T> (StaticRxObject.h: never
//   deleted).
// - queryX(cls) returns this object with a reference added when `cls` is its class or a base of
//   it, else the protocol extension registered for `cls` on its class or a base class (also with
//   a reference), else nullptr. A null `cls` gives nullptr.
// - isKindOf(cls): the object's class is `cls` or derived from it.
// - x(cls): queryX that raises OdError_NotThatKindOfClass instead of returning nullptr.
// - OdRxObject::desc() is registered when TD_Root is loaded, so every class can name it as parent.
// - Objects are allocated with odrxAlloc (TD_Alloc); exhaustion raises std::bad_alloc.
//
// Classes of the SDK declare their run-time members with ODRX_DECLARE_MEMBERS(Class) and define
// them with ODRX_DEFINE_MEMBERS(Class, Parent, DxfName) or, for abstract classes,
// ODRX_NO_CONS_DEFINE_MEMBERS(Class, Parent) in a source file that includes RxClass.h. Such a class
// is registered by Class::rxInit() (raises OdError(eAlreadyRegistered) when it already is,
// OdError(eNoClassDescription) when the parent is not registered) and unregistered by
// Class::rxUninit() (raises OdError(eNoClassDescription) when it is not registered). While it is
// not registered, desc() and isA() return nullptr and createObject() raises
// OdError(eNoClassDescription).
#ifndef OD_RX_OBJECT_H
#define OD_RX_OBJECT_H

#include <OdAlloc.h>

#include <SmartPtr.h>
#include <atomic>
#include <cstddef>
#include <new>

class OdRxClass;

class OdRxObject
{
public:
    OdRxObject() = default;
    OdRxObject(const OdRxObject&) = default;
    OdRxObject& operator=(const OdRxObject&) = default;
    virtual ~OdRxObject();

    static void* operator new(std::size_t nBytes);
    static void operator delete(void* pMemBlock) noexcept;

    static OdRxClass* desc();
    virtual OdRxClass* isA() const;
    virtual OdRxObject* queryX(const OdRxClass* pClass) const;
    static OdRxObjectPtr cast(const OdRxObject* pObject);

    bool isKindOf(const OdRxClass* pClass) const;
    OdRxObjectPtr x(const OdRxClass* pClass) const;

    virtual void addRef() = 0;
    virtual void release() = 0;
    virtual long numRefs() const = 0;

    static OdRxClass* g_pDesc;
};

// OdRxObjectImpl<T>: T with an atomic reference count, on the heap. createObject() returns the
// only reference; the object deletes itself when the count reaches zero.
template <class T, class TInterface = T>
class OdRxObjectImpl : public T
{
public:
    OdRxObjectImpl() = default;

    void addRef() override { m_nRefCounter.fetch_add(1, std::memory_order_relaxed); }
    void release() override
    {
        if (m_nRefCounter.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            delete this;
        }
    }
    long numRefs() const override { return m_nRefCounter.load(std::memory_order_acquire); }

    static OdSmartPtr<TInterface> createObject()
    {
        return OdSmartPtr<TInterface>(static_cast<TInterface*>(new OdRxObjectImpl), kOdRxObjAttach);
    }

private:
    std::atomic<long> m_nRefCounter{1};
};

// Implementation helper of the member macros: this object when `pClass` is Class itself,
// else whatever the parent class answers.
template <class Class, class Parent>
OdRxObject* odQueryXImpl(const Class* pThis, const OdRxClass* pClass)
{
    if (pClass && pClass == Class::desc()) {
        Class* pMutable = const_cast<Class*>(pThis);
        pMutable->addRef();
        return pMutable;
    }
    return pThis->Parent::queryX(pClass);
}

#define ODRX_DECLARE_MEMBERS(ClassName)                                                           \
public:                                                                                           \
    static OdRxClass* g_pDesc;                                                                    \
    static OdRxClass* desc();                                                                     \
    OdRxClass* isA() const override;                                                              \
    OdRxObject* queryX(const OdRxClass* pClass) const override;                                   \
    static OdSmartPtr<ClassName> cast(const OdRxObject* pObject)                                  \
    {                                                                                             \
        if (!pObject) {                                                                           \
            return OdSmartPtr<ClassName>();                                                       \
        }                                                                                         \
        return OdSmartPtr<ClassName>(static_cast<ClassName*>(pObject->queryX(ClassName::desc())), \
                                     kOdRxObjAttach);                                             \
    }                                                                                             \
    static OdSmartPtr<ClassName> createObject();                                                  \
    static OdRxObjectPtr pseudoConstructor();                                                     \
    static void rxInit();                                                                         \
    static void rxUninit()

#define ODRX_DEFINE_MEMBERS_COMMON(ClassName, ParentClass, Constructor, DxfName)                  \
    OdRxClass* ClassName::g_pDesc = nullptr;                                                      \
    OdRxClass* ClassName::desc()                                                                  \
    {                                                                                             \
        return g_pDesc;                                                                           \
    }                                                                                             \
    OdRxClass* ClassName::isA() const                                                             \
    {                                                                                             \
        return g_pDesc;                                                                           \
    }                                                                                             \
    OdRxObject* ClassName::queryX(const OdRxClass* pClass) const                                  \
    {                                                                                             \
        return ::odQueryXImpl<ClassName, ParentClass>(this, pClass);                              \
    }                                                                                             \
    OdSmartPtr<ClassName> ClassName::createObject()                                               \
    {                                                                                             \
        if (!g_pDesc) {                                                                           \
            throw OdError(eNoClassDescription);                                                   \
        }                                                                                         \
        return g_pDesc->create();                                                                 \
    }                                                                                             \
    void ClassName::rxInit()                                                                      \
    {                                                                                             \
        if (g_pDesc) {                                                                            \
            throw OdError(eAlreadyRegistered);                                                    \
        }                                                                                         \
        if (!ParentClass::desc()) {                                                               \
            throw OdError(eNoClassDescription);                                                   \
        }                                                                                         \
        g_pDesc = ::newOdRxClass(OdString(#ClassName), ParentClass::desc(), Constructor, 0, 0, 0, \
                                 OdString(DxfName));                                              \
    }                                                                                             \
    void ClassName::rxUninit()                                                                    \
    {                                                                                             \
        if (!g_pDesc) {                                                                           \
            throw OdError(eNoClassDescription);                                                   \
        }                                                                                         \
        ::deleteOdRxClass(g_pDesc);                                                               \
        g_pDesc = nullptr;                                                                        \
    }

// A concrete class: createObject() and OdRxClass::create() make a new OdRxObjectImpl<ClassName>.
#define ODRX_DEFINE_MEMBERS(ClassName, ParentClass, DxfName) \
    OdRxObjectPtr ClassName::pseudoConstructor()             \
    {                                                        \
        return OdRxObjectImpl<ClassName>::createObject();    \
    }                                                        \
    ODRX_DEFINE_MEMBERS_COMMON(ClassName, ParentClass, &ClassName::pseudoConstructor, DxfName)

// An abstract class: registered without a pseudo-constructor, so create() raises
// OdError(eNoClassDescription).
#define ODRX_NO_CONS_DEFINE_MEMBERS(ClassName, ParentClass) \
    ODRX_DEFINE_MEMBERS_COMMON(ClassName, ParentClass, nullptr, OdString())

#endif  // OD_RX_OBJECT_H
