#include <CKvDocumentManagerReactor.h>

CKvDocumentManagerReactor::~CKvDocumentManagerReactor() = default;
void CKvDocumentManagerReactor::DocumentCreateStarted(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentCreated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentToBeDestroyed(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentDestroyed(CKvDocument*, const CKvString&) {}
void CKvDocumentManagerReactor::DocumentCreateCanceled(CKvDocument*) {}
void CKvDocumentManagerReactor::DatabaseAttached(CKvDocument*, OdDbDatabase*) {}
void CKvDocumentManagerReactor::DatabaseDetached(CKvDocument*, OdDbDatabase*) {}
void CKvDocumentManagerReactor::DocumentBecameCurrent(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentToBeActivated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentToBeDeactivated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentActivated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentActivationModified(bool) {}
void CKvDocumentManagerReactor::DocumentPreOpen(const CKvString&) {}
