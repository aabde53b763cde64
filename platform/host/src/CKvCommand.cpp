#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvHelp.h>

const wchar_t* const CKvCommand::kGroupName = L"KVSTANDARDS";

CKvCommand::CKvCommand() = default;
CKvCommand::~CKvCommand() = default;

const OdString CKvCommand::groupName() const
{
    return OdString(kGroupName);
}

OdInt32 CKvCommand::flags() const
{
    return m_flags;
}

void CKvCommand::execute(OdEdCommandContext* pCmdCtx)
{
    CKvCommandContext* context = GetKvCommandContext(pCmdCtx);
    const int result = Execute(context);
    if (context) {
        context->setResult(result);
    }
}

int CKvCommand::GetHelpId() const
{
    return 0;
}

void CKvCommand::Help()
{
    CKvHelp::showTopic(GetHelpId());
}

void CKvCommand::AddFlags(OdInt32 flags)
{
    m_flags |= flags;
}
