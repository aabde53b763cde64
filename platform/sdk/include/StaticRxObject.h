// OdStaticRxObject<T>: T without reference counting, for objects whose lifetime is a scope or the
// program (reactors, services held as members or statics). addRef and release do nothing,
// numRefs() is always 1, and no smart pointer ever deletes it: the owner of the storage must
// keep it alive while smart pointers to it exist.
#ifndef OD_STATIC_RX_OBJECT_H
#define OD_STATIC_RX_OBJECT_H

#include <RxObject.h>

template <class T>
class OdStaticRxObject : public T
{
public:
    OdStaticRxObject() = default;

    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }
};

#endif  // OD_STATIC_RX_OBJECT_H
