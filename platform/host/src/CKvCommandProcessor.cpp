#include <CKvCommand.h>
#include <CKvCommandProcessor.h>
#include <CKvDocumentManager.h>

#include <QString>
#include <QStringList>

#include <EdCommandStack.h>
#include <Editor.h>
#include <exception>
#include <utility>

namespace {

// Restores a value when the scope ends, however it ends.
template <class T>
class Restore
{
public:
    Restore(T& target, T value) : m_target(target), m_saved(std::exchange(target, value)) {}
    ~Restore() { m_target = m_saved; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_target;
    T m_saved;
};

// The name of a command chain, or empty when the chain does not start with a string.
CKvString commandNameOf(const OdResBuf* chain)
{
    if (!chain || odResBufDataKind(chain->restype()) != OdResBuf::DataKind::kString) {
        return CKvString();
    }
    return CKvString(chain->getString());
}

OdResBufPtr wordItem(const QString& word, bool quoted)
{
    if (!quoted) {
        bool isInt = false;
        const int asInt = word.toInt(&isInt);
        if (isInt && asInt >= -32768 && asInt <= 32767) {
            return OdResBuf::newRb(OdResBuf::kRtInt16, static_cast<OdInt16>(asInt));
        }
        bool isReal = false;
        const double asReal = word.toDouble(&isReal);
        if (isReal) {
            return OdResBuf::newRb(OdResBuf::kRtDouble, asReal);
        }
    }
    return OdResBuf::newRb(OdResBuf::kRtString, CKvString(word).toOdString());
}

}  // namespace

CKvCommandProcessor::CKvCommandProcessor(const CKvDocumentManager* documents)
    : m_documents(documents)
{}

CKvCommandContext* CKvCommandProcessor::activeContext()
{
    CKvDocument* document = m_documents ? m_documents->activeDocument() : nullptr;
    return document ? document->commandContext() : &m_noDocumentContext;
}

int CKvCommandProcessor::runCommand(const CKvString& name, const OdResBufPtr& arguments)
{
    CKvCommandContext* context = activeContext();
    const OdEdCommandStackPtr pStack = odedRegCmds();
    const OdEdCommandPtr pCommand = pStack->lookupCmd(name.toOdString());
    if (!pCommand) {
        pStack->fireUnknownCommand(name.toOdString(), context);
        return CKvCommand::kResultRejected;
    }
    int result = CKvCommand::kResultNormal;
    {
        const Restore<int> depth(m_depth, m_depth + 1);
        const Restore<OdResBufPtr> args(context->m_pArguments, arguments);
        const Restore<int> previousResult(context->m_result, CKvCommand::kResultNormal);
        try {
            pStack->executeCommand(pCommand.get(), context);
            result = context->result();
        } catch (const OdEdCancel&) {
            result = CKvCommand::kResultCancel;
        } catch (const OdError& error) {
            // The command stack has reported the failure to its reactors; it ends this command
            // only, as it would in an interactive host.
            m_lastFailure = CKvString(error.description());
            result = CKvCommand::kResultFailed;
        } catch (const std::exception& error) {
            m_lastFailure = CKvString(error.what());
            result = CKvCommand::kResultFailed;
        }
    }
    runQueuedCommands();
    return result;
}

int CKvCommandProcessor::runCommandChain(const OdResBuf* chain)
{
    const CKvString name = commandNameOf(chain);
    if (name.isEmpty()) {
        return CKvCommand::kResultRejected;
    }
    return runCommand(name, chain->next());
}

int CKvCommandProcessor::runScript(const CKvString& script)
{
    CKvCommandContext* context = activeContext();
    const OdEditorPtr pEditor = odedEditor();
    bool cancelled = false;
    {
        const Restore<int> scriptDepth(m_scriptDepth, m_scriptDepth + 1);
        pEditor->fireLispWillStart(context, script.toOdString());
        const QStringList lines = script.toQString().split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            const OdResBufPtr chain = parseCommandLine(CKvString(line));
            if (chain && runCommandChain(chain.get()) != CKvCommand::kResultNormal) {
                cancelled = true;
                break;
            }
        }
    }
    if (cancelled) {
        pEditor->fireLispCancelled(context);
    } else {
        pEditor->fireLispEnded(context);
    }
    runQueuedCommands();
    return cancelled ? CKvCommand::kResultCancel : CKvCommand::kResultNormal;
}

void CKvCommandProcessor::queueCommand(const OdResBuf* chain)
{
    if (commandNameOf(chain).isEmpty()) {
        return;
    }
    m_queue.push_back(OdResBufPtr(chain));
    runQueuedCommands();
}

void CKvCommandProcessor::runQueuedCommands()
{
    // A queued command that queues another is followed by it in the same loop, never by a
    // nested drain.
    if (m_draining || m_depth > 0 || m_scriptDepth > 0) {
        return;
    }
    const Restore<bool> draining(m_draining, true);
    while (!m_queue.empty()) {
        const OdResBufPtr chain = m_queue.front();
        m_queue.pop_front();
        runCommandChain(chain.get());
    }
}

OdResBufPtr CKvCommandProcessor::parseCommandLine(const CKvString& line)
{
    OdResBufPtr pHead;
    OdResBufPtr pTail;
    auto append = [&](const OdResBufPtr& pItem) {
        if (pTail) {
            pTail = pTail->setNext(pItem);
        } else {
            pHead = pTail = pItem;
        }
    };
    const QString text = line.toQString();
    int i = 0;
    while (i < text.size()) {
        if (text.at(i).isSpace()) {
            ++i;
            continue;
        }
        const bool quoted = text.at(i) == QLatin1Char('"');
        int end = quoted ? text.indexOf(QLatin1Char('"'), i + 1) : i;
        if (quoted) {
            // An unclosed quote runs to the end of the line.
            end = end < 0 ? text.size() : end;
        } else {
            while (end < text.size() && !text.at(end).isSpace()) {
                ++end;
            }
        }
        const int first = quoted ? i + 1 : i;
        const QString word = text.mid(first, end - first);
        if (pHead) {
            append(wordItem(word, quoted));
        } else {
            append(OdResBuf::newRb(OdResBuf::kRtString, CKvString(word).toOdString()));
        }
        i = quoted ? end + 1 : end;
    }
    if (pHead) {
        append(OdResBuf::newRb(OdResBuf::kRtNone));
    }
    return pHead;
}
