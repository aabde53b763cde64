// Helpers for the command, document and services tests: a reactor that logs what it hears.
#pragma once

#include "HostDoubles.h"

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvDocumentManagerReactor.h>
#include <CKvEditorReactor.h>
#include <CKvSystemServices.h>

#include <EdCommandStack.h>
#include <Editor.h>
#include <StaticRxObject.h>
#include <string>
#include <vector>

using EventLog = std::vector<std::string>;

// Logs command events as "event:name@commandsInProgress" for the scope.
class LoggingEditorReactor : public OdStaticRxObject<CKvEditorReactor>
{
public:
    explicit LoggingEditorReactor(EventLog& log) : m_log(log) { odedEditor()->addReactor(this); }
    ~LoggingEditorReactor() override { odedEditor()->removeReactor(this); }
    LoggingEditorReactor(const LoggingEditorReactor&) = delete;
    LoggingEditorReactor& operator=(const LoggingEditorReactor&) = delete;

    void commandWillStart(OdEdCommand* c, OdEdCommandContext* x) override { note("start", c, x); }
    void commandEnded(OdEdCommand* c, OdEdCommandContext* x) override { note("ended", c, x); }
    void commandCancelled(OdEdCommand* c, OdEdCommandContext* x) override
    {
        note("cancelled", c, x);
    }
    void commandFailed(OdEdCommand* c, OdEdCommandContext* x) override { note("failed", c, x); }
    void unknownCommand(const OdString& name, OdEdCommandContext*) override
    {
        m_log.push_back("unknown:" + name.toUtf8());
    }

private:
    void note(const char* what, OdEdCommand* c, OdEdCommandContext* x)
    {
        const CKvCommandContext* context = GetKvCommandContext(x);
        m_log.push_back(std::string(what) + ":" + c->globalName().toUtf8() + "@" +
                        std::to_string(context ? context->commandsInProgress() : -1));
    }
    EventLog& m_log;
};

// A chain of the command name and a terminator, as callers queue it.
inline OdResBufPtr commandChain(const char* name)
{
    OdResBufPtr chain = OdResBuf::newRb(OdResBuf::kRtString, name);
    chain->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
    return chain;
}
