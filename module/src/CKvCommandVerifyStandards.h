// CKvCommandVerifyStandards: VERIFYSTANDARDS (global name _VERIFYSTANDARDS, help topic 3072)
// checks the current drawing against its standards files. For now it reads the drawing's
// standards association afresh (the manager's init) and returns kResultNormal; the checks, the
// guidance when there is nothing to check with, and the Verify Standards dialog come with the
// verification dialogs. Without a drawing in the command context it returns kResultError.
#ifndef KV_CKV_COMMAND_VERIFY_STANDARDS_H
#define KV_CKV_COMMAND_VERIFY_STANDARDS_H

#include <CKvCommand.h>

class CKvCommandVerifyStandards : public CKvCommand
{
public:
    CKvCommandVerifyStandards();

    const OdString globalName() const override;
    // "VERIFYSTANDARDS", translated.
    const OdString localName() const override;
    int Execute(CKvCommandContext* context) override;
    int GetHelpId() const override;
};

#endif  // KV_CKV_COMMAND_VERIFY_STANDARDS_H
