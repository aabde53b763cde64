// Helpers shared by the command stack and editor tests: a command whose behaviour is chosen per
// test and a reactor that writes every event it hears into a log.
#pragma once

#include <EdCommand.h>
#include <EdCommandStack.h>
#include <EdCommandStackReactor.h>
#include <EdLispEngineReactor.h>
#include <EditorReactor.h>
#include <StaticRxObject.h>
#include <functional>
#include <string>
#include <vector>

using EventLog = std::vector<std::string>;

class StaticCommand : public OdEdCommand
{
public:
    StaticCommand(const char* group, const char* global, const char* local = nullptr)
        : m_group(group), m_global(global), m_local(local ? local : global)
    {}
    const OdString groupName() const override { return m_group; }
    const OdString globalName() const override { return m_global; }
    const OdString localName() const override { return m_local; }
    void execute(OdEdCommandContext* pCmdCtx) override
    {
        if (m_run) {
            m_run(pCmdCtx);
        }
    }
    // Lives on the test's stack: references do nothing.
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

    std::function<void(OdEdCommandContext*)> m_run;

private:
    OdString m_group;
    OdString m_global;
    OdString m_local;
};

// Hears command-stack, script and editor events; each entry is "event name" or "event:command".
class StaticReactor : public OdEditorReactor,
                      public OdEdCommandStackReactor,
                      public OdEdLispEngineReactor
{
public:
    StaticReactor(EventLog& log, std::string tag = "") : m_log(log), m_tag(std::move(tag)) {}

    void commandAdded(OdEdCommand* c) override { note("added", c); }
    void commandWillBeRemoved(OdEdCommand* c) override { note("removed", c); }
    void commandWillStart(OdEdCommand* c, OdEdCommandContext*) override { note("start", c); }
    void commandEnded(OdEdCommand* c, OdEdCommandContext*) override { note("ended", c); }
    void commandCancelled(OdEdCommand* c, OdEdCommandContext*) override { note("cancelled", c); }
    void commandFailed(OdEdCommand* c, OdEdCommandContext*) override { note("failed", c); }
    void unknownCommand(const OdString& name, OdEdCommandContext*) override
    {
        m_log.push_back(m_tag + "unknown:" + name.toUtf8());
    }
    void lispWillStart(OdEdCommandContext*, const OdString& expression) override
    {
        m_log.push_back(m_tag + "lispStart:" + expression.toUtf8());
    }
    void lispEnded(OdEdCommandContext*) override { m_log.push_back(m_tag + "lispEnded"); }
    void lispCancelled(OdEdCommandContext*) override { m_log.push_back(m_tag + "lispCancelled"); }
    void beginDwgOpen(const OdString& path) override
    {
        m_log.push_back(m_tag + "open:" + path.toUtf8());
    }
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

private:
    void note(const char* what, OdEdCommand* c)
    {
        m_log.push_back(m_tag + what + ":" + c->globalName().toUtf8());
    }
    EventLog& m_log;
    std::string m_tag;
};

// Removes the group's commands from the process's stack at the end of a test; declare it after
// the commands so that it runs while they still exist.
struct GroupScope
{
    explicit GroupScope(const char* group) : name(group) {}
    ~GroupScope() { odedRegCmds()->removeGroup(name); }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;
    OdString name;
};

// Keeps a reactor on the process's stack for the scope.
struct StackReactorScope
{
    explicit StackReactorScope(OdEdCommandStackReactor* r) : reactor(r)
    {
        odedRegCmds()->addReactor(reactor);
    }
    ~StackReactorScope() { odedRegCmds()->removeReactor(reactor); }
    StackReactorScope(const StackReactorScope&) = delete;
    StackReactorScope& operator=(const StackReactorScope&) = delete;
    OdEdCommandStackReactor* reactor;
};
