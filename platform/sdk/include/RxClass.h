// OdRxClass: the run-time description of an OdRxObject class, kept in one process-wide class
// dictionary by name (the dictionary lives in TD_Root, so the host and every module share it).
//
// Contract:
// - newOdRxClass() registers a class under `className` and returns it; the dictionary owns it.
//   A name already registered raises OdError(eAlreadyRegistered). `parent` is kept alive by its
//   children.
// - deleteOdRxClass() unregisters the class and drops the dictionary's reference (the object goes
//   when nobody else holds it). A class that is not registered raises
//   OdError(eNoClassDescription); null is ignored.
// - odrxGetClassDesc() returns the registered class of that exact (case-sensitive) name or nullptr.
// - create() calls the pseudo-constructor; a class without one raises
//   OdError(eNoClassDescription).
// - Protocol extensions: addX(cls, obj) attaches `obj` as the `cls` extension of this class and
//   returns the one it replaces; getX(cls) looks in this class, then its parents; delX(cls)
//   removes it from this class and returns it. Null arguments give a null result.
#ifndef OD_RX_CLASS_H
#define OD_RX_CLASS_H

#include <OdString.h>
#include <RxObject.h>

typedef OdRxObjectPtr (*OdPseudoConstructorType)();

class OdRxClass : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdRxClass);

    virtual OdString name() const = 0;
    virtual OdString dxfName() const = 0;
    virtual OdString appName() const = 0;
    virtual OdRxClass* myParent() const = 0;
    virtual OdPseudoConstructorType constructor() const = 0;
    virtual int getDwgVersion() const = 0;
    virtual int getMaintVersion() const = 0;
    virtual int proxyFlags() const = 0;
    virtual int customFlags() const = 0;

    // This class is `pClass` or one of its descendants.
    bool isDerivedFrom(const OdRxClass* pClass) const;
    OdRxObjectPtr create() const;

    virtual OdRxObjectPtr addX(OdRxClass* pProtocolClass, OdRxObject* pProtocolObject) = 0;
    virtual OdRxObjectPtr getX(const OdRxClass* pProtocolClass) = 0;
    virtual OdRxObjectPtr delX(OdRxClass* pProtocolClass) = 0;
};

typedef OdSmartPtr<OdRxClass> OdRxClassPtr;

OdRxClass* newOdRxClass(const OdString& className, OdRxClass* pParentClass,
                        OdPseudoConstructorType pseudoConstructor = 0, int dwgVer = 0,
                        int maintVer = 0, int proxyFlags = 0, const OdString& dxfName = OdString(),
                        const OdString& appName = OdString(), void* appNameChangeFunc = 0,
                        int customFlags = 0);
void deleteOdRxClass(OdRxClass* pClass);
OdRxClass* odrxGetClassDesc(const OdString& className);

#endif  // OD_RX_CLASS_H
