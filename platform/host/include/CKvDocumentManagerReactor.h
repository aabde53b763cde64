// CKvDocumentManagerReactor: receives the events of the host's document manager. Every
// notification does nothing unless overridden. The manager does not own its reactors.
//
// The manager sends, in this order:
// - opening: DocumentPreOpen, DocumentCreateStarted, then either DatabaseAttached and
//   DocumentCreated, or (unreadable drawing) DocumentCreateCanceled; then the switch to it;
// - switching: DocumentToBeDeactivated (the old document, if any), DocumentToBeActivated,
//   DocumentBecameCurrent, DocumentActivated (the new one);
// - closing: DocumentToBeDeactivated (when it is current), DocumentToBeDestroyed,
//   DatabaseDetached, DocumentDestroyed; then the switch to the last opened of the others.
// DocumentActivationModified is never sent: activation cannot be switched off in this host.
#ifndef KV_CKV_DOCUMENT_MANAGER_REACTOR_H
#define KV_CKV_DOCUMENT_MANAGER_REACTOR_H

#include <CKvString.h>

class CKvDocument;
class OdDbDatabase;

class CKvDocumentManagerReactor
{
public:
    virtual ~CKvDocumentManagerReactor();

    virtual void DocumentCreateStarted(CKvDocument* document);
    virtual void DocumentCreated(CKvDocument* document);
    virtual void DocumentToBeDestroyed(CKvDocument* document);
    // The document is no longer in the manager; the pointer is valid during the call only.
    virtual void DocumentDestroyed(CKvDocument* document, const CKvString& fileName);
    virtual void DocumentCreateCanceled(CKvDocument* document);
    virtual void DatabaseAttached(CKvDocument* document, OdDbDatabase* database);
    virtual void DatabaseDetached(CKvDocument* document, OdDbDatabase* database);
    virtual void DocumentBecameCurrent(CKvDocument* document);
    virtual void DocumentToBeActivated(CKvDocument* document);
    virtual void DocumentToBeDeactivated(CKvDocument* document);
    virtual void DocumentActivated(CKvDocument* document);
    virtual void DocumentActivationModified(bool enabled);
    virtual void DocumentPreOpen(const CKvString& path);
};

#endif  // KV_CKV_DOCUMENT_MANAGER_REACTOR_H
