// CKvCommandContext: the host's command context, owned by a document (or, with no drawing open,
// by the command processor). Commands and reactors read the state of the command processor
// through it: the current drawing, how many commands are in progress, whether a script runs and
// whether the host is busy with work of its own (opening or closing a drawing).
//
// The context lives as long as its owner; references to it do nothing.
#ifndef KV_CKV_COMMAND_CONTEXT_H
#define KV_CKV_COMMAND_CONTEXT_H

#include <DbDatabase.h>

#include <EdCommandContext.h>
#include <ResBuf.h>

class CKvCommandProcessor;
class CKvDocument;

class CKvCommandContext : public OdEdCommandContext
{
public:
    // Either may be null: a context without document has no drawing, one without processor
    // reports no command in progress and no script.
    CKvCommandContext(CKvDocument* document, const CKvCommandProcessor* processor);
    ~CKvCommandContext() override;
    CKvCommandContext(const CKvCommandContext&) = delete;
    CKvCommandContext& operator=(const CKvCommandContext&) = delete;

    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

    // The current drawing's database, as an OdRxObject.
    OdRxObject* baseDatabase() override;

    CKvDocument* document() const { return m_document; }
    // The current drawing, or null.
    OdDbDatabase* database() const;
    // 0 outside commands, 1 inside one, more inside nested (transparent) commands.
    int commandsInProgress() const;
    bool isScriptRunning() const;
    bool isBusy() const;

    // The items after the command name of the command being run, as they were given (the chain
    // may end with a 5000 terminator); null when there are none. Set by the command processor.
    OdResBufPtr arguments() const { return m_pArguments; }
    void setArguments(const OdResBufPtr& arguments) { m_pArguments = arguments; }
    // What the last CKvCommand run with this context returned.
    int result() const { return m_result; }
    void setResult(int result) { m_result = result; }

private:
    // Saves and restores the arguments and the result around nested commands.
    friend class CKvCommandProcessor;

    CKvDocument* m_document;
    const CKvCommandProcessor* m_processor;
    OdResBufPtr m_pArguments;
    int m_result = 0;
};

// The host's context behind an SDK context, or null (also for null).
CKvCommandContext* GetKvCommandContext(OdEdCommandContext* context);

#endif  // KV_CKV_COMMAND_CONTEXT_H
