#include <RxClass.h>
#include <RxObject.h>

OdRxClass* OdRxObject::g_pDesc = nullptr;

OdRxObject::~OdRxObject() = default;

void* OdRxObject::operator new(std::size_t nBytes)
{
    void* pMemBlock = ::odrxAlloc(nBytes);
    if (!pMemBlock) {
        throw std::bad_alloc();
    }
    return pMemBlock;
}

void OdRxObject::operator delete(void* pMemBlock) noexcept
{
    ::odrxFree(pMemBlock);
}

OdRxClass* OdRxObject::desc()
{
    return g_pDesc;
}

OdRxClass* OdRxObject::isA() const
{
    return g_pDesc;
}

OdRxObject* OdRxObject::queryX(const OdRxClass* pClass) const
{
    if (!pClass) {
        return nullptr;
    }
    OdRxClass* pOwnClass = isA();
    if (pClass == OdRxObject::desc() || (pOwnClass && pOwnClass->isDerivedFrom(pClass))) {
        OdRxObject* pMutable = const_cast<OdRxObject*>(this);
        pMutable->addRef();
        return pMutable;
    }
    return pOwnClass ? pOwnClass->getX(pClass).detach() : nullptr;
}

OdRxObjectPtr OdRxObject::cast(const OdRxObject* pObject)
{
    return OdRxObjectPtr(pObject);
}

bool OdRxObject::isKindOf(const OdRxClass* pClass) const
{
    const OdRxClass* pOwnClass = isA();
    return pOwnClass && pOwnClass->isDerivedFrom(pClass);
}

OdRxObjectPtr OdRxObject::x(const OdRxClass* pClass) const
{
    OdRxObject* pQueried = queryX(pClass);
    if (!pQueried) {
        throw OdError_NotThatKindOfClass(isA(), pClass);
    }
    return OdRxObjectPtr(pQueried, kOdRxObjAttach);
}
