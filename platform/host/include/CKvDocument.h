// CKvDocument: one open drawing of the host: its database, its selection set, its command context
// and whether it is busy. Documents are created and destroyed by CKvDocumentManager.
#ifndef KV_CKV_DOCUMENT_H
#define KV_CKV_DOCUMENT_H

#include <CKvCommandContext.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbObjectId.h>
#include <OdArray.h>

class CKvCommandProcessor;

class CKvDocument
{
public:
    CKvDocument(const CKvString& fileName, const CKvCommandProcessor* processor);
    CKvDocument(const CKvDocument&) = delete;
    CKvDocument& operator=(const CKvDocument&) = delete;

    // Null until the drawing has been read.
    OdDbDatabase* database() const { return m_pDb.get(); }
    void setDatabase(const OdDbDatabasePtr& pDb) { m_pDb = pDb; }
    // The path the drawing was opened from.
    CKvString fileName() const { return m_fileName; }

    // The selected objects, in selection order.
    OdDbObjectIdArray selectedIds() const { return m_selection; }
    void setSelectedIds(const OdDbObjectIdArray& ids) { m_selection = ids; }
    void clearSelection() { m_selection.clear(); }

    CKvCommandContext* commandContext() { return &m_context; }

    // Busy while the document is being read or written.
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }

private:
    CKvString m_fileName;
    OdDbDatabasePtr m_pDb;
    OdDbObjectIdArray m_selection;
    CKvCommandContext m_context;
    bool m_busy = false;
};

// The current document of the host, or null (also when there are no system services).
CKvDocument* ACTIVE_DOCUMENT();

#endif  // KV_CKV_DOCUMENT_H
