// OdEdCommand: a command the command stack knows by its global and local names. An abstract
// run-time class; commands are usually static objects (OdStaticRxObject) owned by the module that
// adds them to the stack, and must be removed from the stack before they are destroyed.
//
// Contract:
// - globalName() is the language-independent name, localName() the name users type (the global
//   name unless overridden); both are looked up ignoring case (OdEdCommandStack::lookupCmd).
// - flags() are bits the host interprets; the SDK passes them on unchanged.
// - An undefined command (undefine(true)) stays on the stack but is no longer found by name.
// - execute() raises OdEdCancel when the user cancels and OdError when it fails; the command
//   stack reports both to its reactors (OdEdCommandStack::executeCommand).
#ifndef OD_ED_COMMAND_H
#define OD_ED_COMMAND_H

#include <OdError.h>
#include <OdString.h>
#include <OdTypes.h>
#include <RxObject.h>

class OdEdCommandContext;

class OdEdCommand : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEdCommand);

    enum { kModal = 0x00000000, kTransparent = 0x00000001, kUsePickset = 0x00000002 };

    ~OdEdCommand() override;

    virtual const OdString groupName() const = 0;
    virtual const OdString globalName() const = 0;
    virtual const OdString localName() const;
    virtual OdInt32 flags() const;
    virtual void execute(OdEdCommandContext* pCmdCtx) = 0;
    virtual void undefine(bool undefIt);
    bool isUndefined() const noexcept { return m_undefined; }

private:
    bool m_undefined = false;
};

typedef OdSmartPtr<OdEdCommand> OdEdCommandPtr;

// Raised by a command the user cancelled. It is an OdError (code eExtendedError, description
// "Cancelled by the user") so that code catching OdError also stops on it.
class OdEdCancel : public OdError
{
public:
    OdEdCancel();
};

#endif  // OD_ED_COMMAND_H
