#pragma once

#include <CKvString.h>

#include <QString>

#include <memory>
#include <set>
#include <string>
#include <vector>

class CKvDocument;
class CKvDocumentManager;
class CKvStdsManager;
class ModuleHost;
class StandardsFiles;

// The drawings of a batch command, each opened in turn as the current document, whose association
// the module then resolves, with the standards files it is to be checked with. Whatever stops a
// drawing (it cannot be read, one of its associated standards files is found nowhere or cannot
// be read, its association cannot be read, the SDK or a plug-in raises an error on it) is said on
// stderr and handed to the work with the drawing's path; the batch goes on with the next drawing,
// and the document is closed whatever happens.
class DrawingBatch
{
public:
    // What a command does with each drawing.
    class Work
    {
    public:
        virtual ~Work() = default;
        // The drawing is open and current. May raise what the SDK and the plug-ins raise.
        virtual void process(CKvDocument& document, const std::string& drawing,
                             const std::vector<CKvString>& standards) = 0;
        // The drawing was not processed, or not to the end: `message` names the file and says
        // what was wrong; `standards` are its files as far as they are known.
        virtual void failed(const std::string& drawing, const std::vector<std::string>& standards,
                            const std::string& message) = 0;
        // Whether the work only looks at the drawing, which is then never saved: a large drawing
        // is opened faster and in less memory.
        virtual bool readsOnly() const { return false; }
        // Why the drawing is not to be opened at all; empty when it is.
        virtual std::string refusal(const std::string& /*drawing*/) const { return std::string(); }
    };

    // `given`: standards files that replace every drawing's association; none: each drawing's own.
    // `stopped`: what the message of an error raised while processing calls it ("check stopped").
    DrawingBatch(ModuleHost& host, CKvStdsManager& manager, const std::vector<std::string>& given,
                 std::string stopped);
    ~DrawingBatch();
    DrawingBatch(const DrawingBatch&) = delete;
    DrawingBatch& operator=(const DrawingBatch&) = delete;

    // Does the drawing, unless the work refuses it.
    void runOne(const std::string& drawing, Work& work);
    // Says on stderr that the drawing stopped and why ("DRAWING: check stopped: why"), and hands
    // that to the work.
    void fail(const std::string& drawing, const std::string& why, Work& work);
    // Whether the file is one of the drawings or standards files read so far.
    bool reads(const std::string& path) const;

private:
    // Empty when every associated standards file is found, else a message naming those that
    // are not.
    std::string missingStandards(CKvDocument& document, const std::string& drawing) const;

    ModuleHost& m_host;
    CKvDocumentManager& m_documents;
    CKvStdsManager& m_manager;
    std::vector<CKvString> m_given;
    std::string m_stopped;
    std::unique_ptr<StandardsFiles> m_standardsFiles;
    // Canonical paths.
    std::set<QString> m_filesRead;
};

// The paths in UTF-8, as reports write them.
std::vector<std::string> toUtf8(const std::vector<CKvString>& paths);
