// OdEdCommandStack: the registry of commands, grouped by group name, and the place where they run.
// There is one per process, odedRegCmds(); it lives in the shared TD_Db so that the host and every
// loaded module see the same one.
//
// Contract:
// - addCommand keeps a reference to the command and raises OdError(eDuplicateKey) when its group
//   already holds a command of the same global name (ignoring case), OdError(eNullObjectPointer)
//   for null. Each added command is announced with commandAdded.
// - lookupCmd finds, ignoring case, a defined command whose global name is the given name, else
//   one whose local name is, else (for a name with a leading underscore) one whose global name is
//   the name without it. Groups are searched in the order they were created. Null when none.
// - removeCmd and removeGroup announce each command with commandWillBeRemoved, then drop it; a
//   command or group the stack does not hold is ignored.
// - newIterator() walks the commands, group by group, each in the order added (a snapshot).
// - executeCommand runs one command with the events of OdEdCommandStackReactor and passes on
//   whatever it raises.
// - Reactors are called in the order they were added; one removed during a notification is not
//   called afterwards, one added during a notification first hears the next one. Adding a reactor
//   twice has no effect. The stack does not own its reactors.
#ifndef OD_ED_COMMAND_STACK_H
#define OD_ED_COMMAND_STACK_H

#include <OdString.h>
#include <RxIterator.h>
#include <RxObject.h>

#include <EdCommand.h>
#include <EdCommandStackReactor.h>

class OdEdCommandContext;

class OdEdCommandStack : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEdCommandStack);

    ~OdEdCommandStack() override;

    virtual void addCommand(OdEdCommand* pCommand) = 0;
    virtual OdEdCommandPtr lookupCmd(const OdString& sCmdName) const = 0;
    virtual void removeCmd(const OdString& sCmdGroupName, const OdString& sCmdGlobalName) = 0;
    virtual void removeCmd(OdEdCommand* pCommand) = 0;
    virtual void removeGroup(const OdString& sGroupName) = 0;
    virtual OdRxIteratorPtr newIterator() const = 0;
    virtual void executeCommand(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx) = 0;
    // Tells the reactors that sCmdName names no command.
    virtual void fireUnknownCommand(const OdString& sCmdName, OdEdCommandContext* pCmdCtx) = 0;
    virtual void addReactor(OdEdCommandStackReactor* pReactor) = 0;
    virtual void removeReactor(OdEdCommandStackReactor* pReactor) = 0;
};

typedef OdSmartPtr<OdEdCommandStack> OdEdCommandStackPtr;

// The process's command stack (never null).
OdEdCommandStackPtr odedRegCmds();

#endif  // OD_ED_COMMAND_STACK_H
