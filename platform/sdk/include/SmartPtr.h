// OdSmartPtr<T>: the reference-counting pointer for SDK run-time objects (T derives from
// OdRxObject and has a static desc()).
//
// Contract:
// - From a T* (or a pointer/smart pointer to a class derived from T): adds a reference.
//   With kOdRxObjAttach: takes over the reference the caller holds, adds none.
// - From a pointer or smart pointer of any other OdRxObject class: asks the object for T::desc()
//   with queryX. An object that is not a T raises OdError_NotThatKindOfClass and leaves the
//   target unchanged; a null source gives a null pointer. Attaching such a pointer consumes the
//   caller's reference even when the cast fails.
// - The destructor, release() and every reassignment drop the reference held.
// - operator-> and operator* on a null pointer raise OdError(eNullObjectPointer); get() and the
//   conversion to T* return null.
#ifndef OD_SMART_PTR_H
#define OD_SMART_PTR_H

#include <OdError.h>

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

class OdRxObject;

enum OdRxObjMod { kOdRxObjAttach };

template <class T>
class OdSmartPtr
{
    template <class U>
    using EnableIfConvertible = std::enable_if_t<std::is_convertible<U*, T*>::value, int>;
    template <class U>
    using EnableIfOther = std::enable_if_t<!std::is_convertible<U*, T*>::value, int>;

public:
    OdSmartPtr() noexcept = default;
    OdSmartPtr(std::nullptr_t) noexcept {}
    OdSmartPtr(const T* pObject) : m_pObject(const_cast<T*>(pObject)) { internalAddRef(); }
    OdSmartPtr(const T* pObject, OdRxObjMod) noexcept : m_pObject(const_cast<T*>(pObject)) {}
    template <class U, EnableIfOther<U> = 0>
    OdSmartPtr(const U* pObject)
    {
        internalQueryX(pObject);
    }
    template <class U, EnableIfOther<U> = 0>
    OdSmartPtr(const U* pObject, OdRxObjMod)
    {
        attachQueried(pObject);
    }
    OdSmartPtr(const OdSmartPtr& other) : m_pObject(other.m_pObject) { internalAddRef(); }
    OdSmartPtr(OdSmartPtr&& other) noexcept : m_pObject(std::exchange(other.m_pObject, nullptr)) {}
    template <class U, EnableIfConvertible<U> = 0>
    OdSmartPtr(const OdSmartPtr<U>& other) : m_pObject(other.get())
    {
        internalAddRef();
    }
    template <class U, EnableIfOther<U> = 0>
    OdSmartPtr(const OdSmartPtr<U>& other)
    {
        internalQueryX(other.get());
    }
    ~OdSmartPtr() { release(); }

    OdSmartPtr& operator=(const OdSmartPtr& other)
    {
        OdSmartPtr(other).swap(*this);
        return *this;
    }
    OdSmartPtr& operator=(OdSmartPtr&& other) noexcept
    {
        OdSmartPtr(std::move(other)).swap(*this);
        return *this;
    }
    OdSmartPtr& operator=(std::nullptr_t) noexcept
    {
        release();
        return *this;
    }
    OdSmartPtr& operator=(const T* pObject)
    {
        OdSmartPtr(pObject).swap(*this);
        return *this;
    }
    template <class U>
    OdSmartPtr& operator=(const U* pObject)
    {
        OdSmartPtr(pObject).swap(*this);
        return *this;
    }
    template <class U>
    OdSmartPtr& operator=(const OdSmartPtr<U>& other)
    {
        OdSmartPtr(other).swap(*this);
        return *this;
    }

    T* get() const noexcept { return m_pObject; }
    operator T*() const noexcept { return m_pObject; }
    T* operator->() const
    {
        checkNotNull();
        return m_pObject;
    }
    T& operator*() const
    {
        checkNotNull();
        return *m_pObject;
    }
    bool isNull() const noexcept { return m_pObject == nullptr; }
    explicit operator bool() const noexcept { return m_pObject != nullptr; }

    // Drops the reference and becomes null.
    void release()
    {
        T* pObject = std::exchange(m_pObject, nullptr);
        if (pObject) {
            pObject->release();
        }
    }
    // Drops the current reference and takes over the caller's reference to `pObject`.
    void attach(const T* pObject) { OdSmartPtr(pObject, kOdRxObjAttach).swap(*this); }
    // Becomes null without releasing; the caller now owns the reference.
    T* detach() noexcept { return std::exchange(m_pObject, nullptr); }

    void swap(OdSmartPtr& other) noexcept { std::swap(m_pObject, other.m_pObject); }

    bool operator==(const T* pObject) const noexcept { return m_pObject == pObject; }
    bool operator!=(const T* pObject) const noexcept { return m_pObject != pObject; }
    template <class U>
    bool operator==(const OdSmartPtr<U>& other) const noexcept
    {
        return asRxObject(m_pObject) == asRxObject(other.get());
    }
    template <class U>
    bool operator!=(const OdSmartPtr<U>& other) const noexcept
    {
        return !(*this == other);
    }
    bool operator<(const OdSmartPtr& other) const noexcept
    {
        return std::less<const T*>()(m_pObject, other.m_pObject);
    }

private:
    template <class U>
    static const OdRxObject* asRxObject(const U* pObject) noexcept
    {
        return pObject;
    }
    void internalAddRef() const
    {
        if (m_pObject) {
            m_pObject->addRef();
        }
    }
    void checkNotNull() const
    {
        if (!m_pObject) {
            throw OdError(eNullObjectPointer);
        }
    }
    template <class U>
    void internalQueryX(const U* pObject)
    {
        if (!pObject) {
            return;
        }
        // queryX returns the object (or the protocol extension registered for T) with a
        // reference added for us.
        auto* pQueried = pObject->queryX(T::desc());
        if (!pQueried) {
            throw OdError_NotThatKindOfClass(pObject->isA(), T::desc());
        }
        m_pObject = static_cast<T*>(pQueried);
    }
    template <class U>
    void attachQueried(const U* pObject)
    {
        struct ReleaseSource
        {
            const U* p;
            ~ReleaseSource()
            {
                if (p) {
                    const_cast<U*>(p)->release();
                }
            }
        } releaseSource{pObject};
        internalQueryX(pObject);
    }

    T* m_pObject = nullptr;
};

typedef OdSmartPtr<OdRxObject> OdRxObjectPtr;

#endif  // OD_SMART_PTR_H
