// OdEdLispEngineReactor: receives the events of the script engine. Every notification does
// nothing unless overridden. Order: lispWillStart, then lispEnded when the script ran to its end
// or lispCancelled when it stopped early.
#ifndef OD_ED_LISP_ENGINE_REACTOR_H
#define OD_ED_LISP_ENGINE_REACTOR_H

#include <OdString.h>
#include <RxObject.h>

class OdEdCommandContext;

class OdEdLispEngineReactor : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEdLispEngineReactor);

    ~OdEdLispEngineReactor() override;

    virtual void lispWillStart(OdEdCommandContext* pCmdCtx, const OdString& expression);
    virtual void lispEnded(OdEdCommandContext* pCmdCtx);
    virtual void lispCancelled(OdEdCommandContext* pCmdCtx);
};

#endif  // OD_ED_LISP_ENGINE_REACTOR_H
