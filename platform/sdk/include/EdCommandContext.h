// OdEdCommandContext: what a running command is given: the database it works on. The host
// derives its own context from it with whatever else its commands need.
#ifndef OD_ED_COMMAND_CONTEXT_H
#define OD_ED_COMMAND_CONTEXT_H

#include <RxObject.h>

class OdEdCommandContext : public OdRxObject
{
public:
    ODRX_DECLARE_MEMBERS(OdEdCommandContext);

    ~OdEdCommandContext() override;

    // The database the command works on, or null when there is none.
    virtual OdRxObject* baseDatabase() = 0;
};

typedef OdSmartPtr<OdEdCommandContext> OdEdCommandContextPtr;

#endif  // OD_ED_COMMAND_CONTEXT_H
