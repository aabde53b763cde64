#include "DrawingBatch.h"

#include "ModuleHost.h"
#include "StandardsFiles.h"

#include <CKvDocumentManager.h>
#include <CKvStdsManager.h>
#include <OdError.h>

#include <cstdio>

std::vector<std::string> toUtf8(const std::vector<CKvString>& paths)
{
    std::vector<std::string> out;
    for (const CKvString& path : paths) {
        out.push_back(path.toUtf8());
    }
    return out;
}

DrawingBatch::DrawingBatch(ModuleHost& host, CKvStdsManager& manager,
                           const std::vector<std::string>& given, std::string stopped)
    : m_documents(*host.services().documentManager())
    , m_manager(manager)
    , m_stopped(std::move(stopped))
    , m_standardsFiles(std::make_unique<StandardsFiles>(host.services()))
{
    for (const std::string& path : given) {
        m_given.push_back(CKvString(path.c_str()));
    }
}

DrawingBatch::~DrawingBatch() = default;

bool DrawingBatch::run(const std::vector<std::string>& drawings, Work& work)
{
    bool allDone = true;
    for (const std::string& drawing : drawings) {
        allDone = runOne(drawing, work) && allDone;
    }
    return allDone;
}

bool DrawingBatch::runOne(const std::string& drawing, Work& work)
{
    std::vector<CKvString> standards;
    std::string message;
    bool toldAlready = false;
    try {
        // The module resolves the drawing's association when the document becomes current.
        CKvDocument* document = m_documents.open(CKvString(drawing.c_str()));
        if (document == nullptr) {
            // The reader's message names the file.
            const std::string why = m_documents.lastError().toUtf8();
            message = why.empty() ? drawing + ": cannot read the drawing" : why;
        } else {
            standards = m_given.empty() ? m_manager.getDwsPathArray() : m_given;
            for (const CKvString& path : standards) {
                // Said on stderr once per file, however many drawings use it.
                message = m_standardsFiles->problemWith(path);
                if (!message.empty()) {
                    toldAlready = true;
                    break;
                }
            }
            if (message.empty()) {
                work.process(*document, drawing, standards);
            }
        }
    } catch (const OdError& e) {
        message = drawing + ": " + m_stopped + ": " + e.description().toUtf8();
        toldAlready = false;
    }
    // Whatever was opened goes, also when opening it raised an error half-way.
    for (CKvDocument* open : m_documents.documents()) {
        m_documents.close(open);
    }
    if (message.empty()) {
        return true;
    }
    if (!toldAlready) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    work.failed(drawing, toUtf8(standards), message);
    return false;
}
