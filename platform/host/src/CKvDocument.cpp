#include <CKvDocument.h>
#include <CKvSystemServices.h>

CKvDocument::CKvDocument(const CKvString& fileName, const CKvCommandProcessor* processor)
    : m_fileName(fileName), m_context(this, processor)
{}

CKvDocument* ACTIVE_DOCUMENT()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->documentManager()->activeDocument() : nullptr;
}
