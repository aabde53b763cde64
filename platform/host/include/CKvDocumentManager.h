// CKvDocumentManager: the host's open drawings, which of them is current, and the reactors told
// of every change (CKvDocumentManagerReactor lists the events and their order).
//
// Contract:
// - open() reads a DXF drawing (OdDbDatabase::readFile), makes it current and returns it; an
//   unreadable file gives null and lastError() says why. While it reads, the document and the
//   command processor report themselves busy. A drawing opened read-only is only looked at
//   (checked), never saved: it is read with partialLoad, its entities read from the file when
//   needed.
// - activate() and close() ignore null and documents of another manager; activating the current
//   document sends nothing. Closing the current document makes the last opened of the others
//   current.
// - Reactors are called in the order added; one removed during a notification is not called
//   afterwards. The destructor closes nothing and sends nothing.
#ifndef KV_CKV_DOCUMENT_MANAGER_H
#define KV_CKV_DOCUMENT_MANAGER_H

#include <CKvDocument.h>
#include <CKvDocumentManagerReactor.h>
#include <CKvString.h>
#include <DbDatabase.h>

#include <memory>
#include <vector>

class CKvCommandProcessor;

class CKvDocumentManager
{
public:
    // The processor (may be null) is marked busy while drawings are opened and closed.
    explicit CKvDocumentManager(CKvCommandProcessor* processor = nullptr);
    ~CKvDocumentManager();
    CKvDocumentManager(const CKvDocumentManager&) = delete;
    CKvDocumentManager& operator=(const CKvDocumentManager&) = delete;

    CKvDocument* open(const CKvString& path, bool readOnly = false);
    CKvString lastError() const { return m_lastError; }
    void activate(CKvDocument* document);
    void close(CKvDocument* document);

    CKvDocument* activeDocument() const { return m_active; }
    // In the order opened.
    std::vector<CKvDocument*> documents() const;
    // The document whose database that is, or null.
    CKvDocument* documentOf(const OdDbDatabase* database) const;

    void addReactor(CKvDocumentManagerReactor* reactor);
    void removeReactor(CKvDocumentManagerReactor* reactor);

private:
    template <class Notify>
    void fire(Notify&& notify) const;

    CKvCommandProcessor* m_processor;
    std::vector<std::unique_ptr<CKvDocument>> m_documents;
    CKvDocument* m_active = nullptr;
    std::vector<CKvDocumentManagerReactor*> m_reactors;
    CKvString m_lastError;
};

#endif  // KV_CKV_DOCUMENT_MANAGER_H
