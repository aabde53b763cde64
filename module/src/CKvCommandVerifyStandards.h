// CKvCommandVerifyStandards: VERIFYSTANDARDS (global name _VERIFYSTANDARDS, help topic 3072)
// checks the current drawing against its standards files. When no plug-in is enabled, or the
// drawing has no usable association (none, or a file missing), it guides the user to the host's
// standards configuration instead and verifies nothing. Otherwise it reads the association afresh
// and runs the manager's full check. Without a drawing in the command context it returns
// kResultError.
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

    // True when the drawing's association cannot be used (no usable entry, or a file that exists
    // neither where it was stored nor where the host's file search finds it). Shows the matching
    // guidance dialog then; the stop flag is set when the user declines to go on.
    bool CheckStandardsFileMissing();

private:
    bool m_stop = false;
};

#endif  // KV_CKV_COMMAND_VERIFY_STANDARDS_H
