#include <CKvCommandContext.h>
#include <CKvCommandProcessor.h>
#include <CKvDocument.h>

CKvCommandContext::CKvCommandContext(CKvDocument* document, const CKvCommandProcessor* processor)
    : m_document(document), m_processor(processor)
{}

CKvCommandContext::~CKvCommandContext() = default;

OdRxObject* CKvCommandContext::baseDatabase()
{
    return database();
}

OdDbDatabase* CKvCommandContext::database() const
{
    return m_document ? m_document->database() : nullptr;
}

int CKvCommandContext::commandsInProgress() const
{
    return m_processor ? m_processor->commandsInProgress() : 0;
}

bool CKvCommandContext::isScriptRunning() const
{
    return m_processor && m_processor->isScriptRunning();
}

bool CKvCommandContext::isBusy() const
{
    return m_processor && m_processor->isBusy();
}

CKvCommandContext* GetKvCommandContext(OdEdCommandContext* context)
{
    return dynamic_cast<CKvCommandContext*>(context);
}
