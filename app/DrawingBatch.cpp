#include "DrawingBatch.h"

#include "CommandLine.h"
#include "DrawingList.h"
#include "ModuleHost.h"
#include "StandardsFiles.h"

#include <CKvDocument.h>
#include <CKvDocumentManager.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <OdError.h>

#include <QFileInfo>

#include <cstdio>

namespace {

// Empty for a file that does not exist.
QString canonicalPath(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).canonicalFilePath();
}

}  // namespace

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
    : m_host(host)
    , m_documents(*host.services().documentManager())
    , m_manager(manager)
    , m_stopped(std::move(stopped))
    , m_standardsFiles(std::make_unique<StandardsFiles>(host.services()))
{
    for (const std::string& path : given) {
        m_given.push_back(CKvString(path.c_str()));
    }
}

DrawingBatch::~DrawingBatch() = default;

void DrawingBatch::fail(const std::string& drawing, const std::string& why, Work& work)
{
    const std::string message = drawing + ": " + m_stopped + ": " + why;
    std::fprintf(stderr, "%s\n", message.c_str());
    work.failed(drawing, {}, message);
}

void DrawingBatch::runOne(const std::string& drawing, Work& work)
{
    const std::string refused = work.refusal(drawing);
    if (!refused.empty()) {
        fail(drawing, refused, work);
        return;
    }
    std::vector<CKvString> standards;
    std::string message;
    bool toldAlready = false;
    m_filesRead.insert(canonicalPath(drawing));
    const QFileInfo file(QString::fromStdString(drawing));
    try {
        // The module resolves the drawing's association when the document becomes current.
        CKvDocument* document = file.isFile()
                                    ? m_documents.open(CKvString(drawing.c_str()), work.readsOnly())
                                    : nullptr;
        if (!file.exists() || file.isDir()) {
            message = drawing + ": " + nothingAt(drawing);
        } else if (document == nullptr) {
            // The reader's message names the file.
            const std::string why = m_documents.lastError().toUtf8();
            message = why.empty() ? drawing + ": cannot read the drawing" : why;
        } else {
            standards = m_given.empty() ? m_manager.getDwsPathArray() : m_given;
            message = m_given.empty() ? missingStandards(*document, drawing) : std::string();
            for (size_t i = 0; i < standards.size() && message.empty(); ++i) {
                m_filesRead.insert(canonicalPath(standards[i].toUtf8()));
                // Said on stderr once per file, however many drawings use it.
                message = m_standardsFiles->problemWith(standards[i]);
                toldAlready = !message.empty();
            }
            if (message.empty()) {
                work.process(*document, drawing, standards);
            }
        }
    } catch (const OdError& e) {
        message = drawing + ": " + m_stopped + ": " + withoutFile(drawing, m_host.explain(e));
        toldAlready = false;
    }
    // Whatever was opened goes, also when opening it raised an error half-way.
    for (CKvDocument* open : m_documents.documents()) {
        m_documents.close(open);
    }
    if (message.empty()) {
        return;
    }
    if (!toldAlready) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    work.failed(drawing, toUtf8(standards), message);
}

std::string DrawingBatch::missingStandards(CKvDocument& document, const std::string& drawing) const
{
    std::string missing;
    int count = 0;
    for (const CKvString& path : CKvStandardsAssociation(document.database()).paths()) {
        if (CKvStandardsAssociation::resolve(path, document.database()).isEmpty()) {
            missing += (count++ == 0 ? "" : ", ") + path.toUtf8();
        }
    }
    return count == 0 ? std::string()
                      : drawing + ": " + m_stopped + ": " +
                            (count == 1 ? "its standards file is found nowhere: "
                                        : "its standards files are found nowhere: ") +
                            missing;
}

bool DrawingBatch::reads(const std::string& path) const
{
    const QString canonical = canonicalPath(path);
    return !canonical.isEmpty() && m_filesRead.count(canonical) > 0;
}
