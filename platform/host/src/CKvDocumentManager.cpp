#include <CKvCommandProcessor.h>
#include <CKvDocumentManager.h>

#include <Editor.h>
#include <algorithm>
#include <utility>

namespace {

// Marks the command processor busy for the scope.
class BusyScope
{
public:
    explicit BusyScope(CKvCommandProcessor* processor)
        : m_processor(processor), m_wasBusy(processor && processor->isBusy())
    {
        if (m_processor) {
            m_processor->setBusy(true);
        }
    }
    ~BusyScope()
    {
        if (m_processor) {
            m_processor->setBusy(m_wasBusy);
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    CKvCommandProcessor* m_processor;
    bool m_wasBusy;
};

}  // namespace

CKvDocumentManager::CKvDocumentManager(CKvCommandProcessor* processor) : m_processor(processor) {}

CKvDocumentManager::~CKvDocumentManager() = default;

template <class Notify>
void CKvDocumentManager::fire(Notify&& notify) const
{
    const std::vector<CKvDocumentManagerReactor*> snapshot = m_reactors;
    for (CKvDocumentManagerReactor* reactor : snapshot) {
        if (std::find(m_reactors.begin(), m_reactors.end(), reactor) != m_reactors.end()) {
            notify(reactor);
        }
    }
}

CKvDocument* CKvDocumentManager::open(const CKvString& path, bool readOnly)
{
    m_lastError = CKvString();
    fire([&](CKvDocumentManagerReactor* r) { r->DocumentPreOpen(path); });
    auto document = std::make_unique<CKvDocument>(path, m_processor);
    CKvDocument* pDocument = document.get();
    {
        const BusyScope busy(m_processor);
        pDocument->setBusy(true);
        fire([&](CKvDocumentManagerReactor* r) { r->DocumentCreateStarted(pDocument); });
        odedEditor()->fireBeginDwgOpen(path.toOdString());
        try {
            pDocument->setDatabase(OdDbDatabase::readFile(path.toOdString(), readOnly));
        } catch (const OdError& error) {
            // An unreadable drawing is the user's problem, not the host's: it is reported and
            // the other documents stay as they were.
            m_lastError = CKvString(error.description());
            fire([&](CKvDocumentManagerReactor* r) { r->DocumentCreateCanceled(pDocument); });
            return nullptr;
        }
        pDocument->setBusy(false);
        OdDbDatabase* pDb = pDocument->database();
        odedEditor()->fireEndDwgOpen(path.toOdString(), pDb);
        m_documents.push_back(std::move(document));
        fire([&](CKvDocumentManagerReactor* r) { r->DatabaseAttached(pDocument, pDb); });
        fire([&](CKvDocumentManagerReactor* r) { r->DocumentCreated(pDocument); });
    }
    activate(pDocument);
    return pDocument;
}

void CKvDocumentManager::activate(CKvDocument* document)
{
    if (!document || document == m_active || !documentOf(document->database())) {
        return;
    }
    if (CKvDocument* previous = m_active) {
        fire([&](CKvDocumentManagerReactor* r) { r->DocumentToBeDeactivated(previous); });
    }
    fire([&](CKvDocumentManagerReactor* r) { r->DocumentToBeActivated(document); });
    m_active = document;
    fire([&](CKvDocumentManagerReactor* r) { r->DocumentBecameCurrent(document); });
    fire([&](CKvDocumentManagerReactor* r) { r->DocumentActivated(document); });
}

void CKvDocumentManager::close(CKvDocument* document)
{
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [&](const auto& held) { return held.get() == document; });
    if (!document || it == m_documents.end()) {
        return;
    }
    const bool wasActive = document == m_active;
    const CKvString fileName = document->fileName();
    OdDbDatabasePtr pDb = document->database();
    std::unique_ptr<CKvDocument> closing;
    {
        const BusyScope busy(m_processor);
        document->setBusy(true);
        if (wasActive) {
            fire([&](CKvDocumentManagerReactor* r) { r->DocumentToBeDeactivated(document); });
        }
        odedEditor()->fireBeginClose(pDb.get());
        fire([&](CKvDocumentManagerReactor* r) { r->DocumentToBeDestroyed(document); });
        // A reactor may have closed this document (or others) meanwhile.
        const auto again = std::find_if(m_documents.begin(), m_documents.end(),
                                        [&](const auto& held) { return held.get() == document; });
        if (again == m_documents.end()) {
            return;
        }
        closing = std::move(*again);
        m_documents.erase(again);
        if (m_active == document) {
            m_active = nullptr;
        }
        fire([&](CKvDocumentManagerReactor* r) { r->DatabaseDetached(document, pDb.get()); });
    }
    fire([&](CKvDocumentManagerReactor* r) { r->DocumentDestroyed(document, fileName); });
    closing.reset();
    if (wasActive && !m_active && !m_documents.empty()) {
        activate(m_documents.back().get());
    }
}

std::vector<CKvDocument*> CKvDocumentManager::documents() const
{
    std::vector<CKvDocument*> all;
    for (const auto& document : m_documents) {
        all.push_back(document.get());
    }
    return all;
}

CKvDocument* CKvDocumentManager::documentOf(const OdDbDatabase* database) const
{
    if (!database) {
        return nullptr;
    }
    for (const auto& document : m_documents) {
        if (document->database() == database) {
            return document.get();
        }
    }
    return nullptr;
}

void CKvDocumentManager::addReactor(CKvDocumentManagerReactor* reactor)
{
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end()) {
        m_reactors.push_back(reactor);
    }
}

void CKvDocumentManager::removeReactor(CKvDocumentManagerReactor* reactor)
{
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}
