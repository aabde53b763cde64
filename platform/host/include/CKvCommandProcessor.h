// CKvCommandProcessor: runs commands of the SDK command stack by name, one after another or
// nested, runs scripts, and keeps the queue of commands to run once the current one has ended.
//
// Contract:
// - runCommand looks the name up ignoring case (odedRegCmds()->lookupCmd: global names carry the
//   leading underscore) and runs it with the active document's context, the arguments set on the
//   context. Events: commandWillStart, then commandEnded, commandCancelled (OdEdCancel) or
//   commandFailed (any other error); unknownCommand for a name that matches nothing. An error
//   raised by the command ends that command only: it is reported as above and in lastFailure().
// - During commandEnded of a command its own run still counts as in progress, so an outermost
//   command ends with commandsInProgress() == 1.
// - Queued commands run in the order queued, as soon as no command and no script is running:
//   at once when queued from outside, else after the outermost command (or the script) ends.
// - runScript runs one command per line ("NAME arg arg", see parseCommandLine) between
//   lispWillStart and lispEnded; a command that does not end normally stops the script with
//   lispCancelled.
// - A malformed command chain (null, or not starting with a string) runs nothing and gives
//   kResultRejected.
#ifndef KV_CKV_COMMAND_PROCESSOR_H
#define KV_CKV_COMMAND_PROCESSOR_H

#include <CKvCommandContext.h>
#include <CKvString.h>

#include <ResBuf.h>
#include <deque>

class CKvDocumentManager;

class CKvCommandProcessor
{
public:
    // The documents give the active document whose context commands get; may be null.
    explicit CKvCommandProcessor(const CKvDocumentManager* documents = nullptr);
    CKvCommandProcessor(const CKvCommandProcessor&) = delete;
    CKvCommandProcessor& operator=(const CKvCommandProcessor&) = delete;

    // Returns what the command returned, or a CKvCommand::Result for a run that did not end.
    int runCommand(const CKvString& name, const OdResBufPtr& arguments = OdResBufPtr());
    // A chain of the name (a string item) and the arguments.
    int runCommandChain(const OdResBuf* chain);
    // Returns kResultNormal, or kResultCancel when a command stopped the script.
    int runScript(const CKvString& script);

    void queueCommand(const OdResBuf* chain);
    void runQueuedCommands();
    int queuedCommands() const { return static_cast<int>(m_queue.size()); }

    int commandsInProgress() const { return m_depth; }
    bool isScriptRunning() const { return m_scriptDepth > 0; }
    // Set while the host opens or closes a drawing.
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }

    // The error that ended the last failed command, empty when none failed yet.
    CKvString lastFailure() const { return m_lastFailure; }

    // One command line as a chain: words separated by blanks ("double quotes" keep blanks); the
    // first word is the name (5005), a whole number from -32768 to 32767 becomes 5003, another
    // number 5001, anything else 5005; the chain ends with a 5000 item. Null for an empty line.
    static OdResBufPtr parseCommandLine(const CKvString& line);

private:
    CKvCommandContext* activeContext();

    const CKvDocumentManager* m_documents;
    CKvCommandContext m_noDocumentContext{nullptr, this};
    std::deque<OdResBufPtr> m_queue;
    int m_depth = 0;
    int m_scriptDepth = 0;
    bool m_busy = false;
    bool m_draining = false;
    CKvString m_lastFailure;
};

#endif  // KV_CKV_COMMAND_PROCESSOR_H
