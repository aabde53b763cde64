// OdEdCommandStackReactor: receives the events of the command stack. Every notification does
// nothing unless overridden. A reactor is not owned by the stack: keep it alive until removed.
//
// Order while a command runs: commandWillStart, then exactly one of commandEnded (normal end),
// commandCancelled (the command raised OdEdCancel) or commandFailed (it raised anything else).
// A name that matches no command gives unknownCommand.
#ifndef OD_ED_COMMAND_STACK_REACTOR_H
#define OD_ED_COMMAND_STACK_REACTOR_H

#include <OdString.h>
#include <RxObject.h>

class OdEdCommand;
class OdEdCommandContext;

class OdEdCommandStackReactor : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEdCommandStackReactor);

    ~OdEdCommandStackReactor() override;

    virtual void commandAdded(OdEdCommand* pCommand);
    virtual void commandWillBeRemoved(OdEdCommand* pCommand);
    virtual void commandWillStart(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx);
    virtual void commandEnded(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx);
    virtual void commandCancelled(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx);
    virtual void commandFailed(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx);
    virtual void unknownCommand(const OdString& sCmdName, OdEdCommandContext* pCmdCtx);
};

#endif  // OD_ED_COMMAND_STACK_REACTOR_H
