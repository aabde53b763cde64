// CKvCommandInterStateVerify: the internal command INTERSTATEVERIFY (global name
// _INTERSTATEVERIFY, no help topic) that the background check queues after a command changed
// objects: the manager checks the objects it recorded in the active drawing (its association
// read afresh) and forgets them. Always returns kResultNormal.
#ifndef KV_CKV_COMMAND_INTER_STATE_VERIFY_H
#define KV_CKV_COMMAND_INTER_STATE_VERIFY_H

#include <CKvCommand.h>

class CKvCommandInterStateVerify : public CKvCommand
{
public:
    CKvCommandInterStateVerify();

    const OdString globalName() const override;
    // "INTERSTATEVERIFY", never translated: users do not type it.
    const OdString localName() const override;
    int Execute(CKvCommandContext* context) override;
    int GetHelpId() const override;
};

#endif  // KV_CKV_COMMAND_INTER_STATE_VERIFY_H
