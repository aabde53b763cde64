// CKvCommand: the base of the host's commands. A command overrides globalName() (with the leading
// underscore, "_VERIFYSTANDARDS"), localName(), Execute() and GetHelpId(), and adds its flag bits
// with AddFlags() in its constructor. The SDK-facing execute() runs Execute() with the host's
// command context and hands the result to the command processor.
//
// Contract:
// - Execute() returns kResultNormal (5100) when done or kResultError (-5001) on an error; it is
//   given null when the SDK context is not the host's. It raises OdEdCancel when the user cancels.
// - The processor reports kResultCancel, kResultRejected (no such command) and kResultFailed
//   (the command raised an error) for the runs that did not end normally.
// - flags() are the bits added so far (none at first); the host passes them on unchanged.
// - Help() shows the topic of GetHelpId() (0: no topic).
#ifndef KV_CKV_COMMAND_H
#define KV_CKV_COMMAND_H

#include <OdString.h>
#include <OdTypes.h>

#include <EdCommand.h>

class CKvCommandContext;

class CKvCommand : public OdEdCommand
{
public:
    enum Result {
        kResultNormal = 5100,
        kResultError = -5001,
        kResultCancel = -5002,
        kResultRejected = -5003,
        kResultFailed = -5004
    };
    // The group every host and module command is registered in.
    static const wchar_t* const kGroupName;

    CKvCommand();
    ~CKvCommand() override;

    const OdString groupName() const override;
    OdInt32 flags() const override;
    void execute(OdEdCommandContext* pCmdCtx) override;

    virtual int Execute(CKvCommandContext* context) = 0;
    virtual int GetHelpId() const;
    virtual void Help();
    void AddFlags(OdInt32 flags);

private:
    OdInt32 m_flags = kModal;
};

#endif  // KV_CKV_COMMAND_H
