// The process's command stack: groups in creation order, commands in the order added.
#include "ReactorList.h"

#include <EdCommand.h>
#include <EdCommandContext.h>
#include <EdCommandStack.h>
#include <StaticRxObject.h>
#include <vector>

namespace {

bool sameName(const OdString& a, const OdString& b)
{
    return a.iCompare(b) == 0;
}

class CommandIterator : public OdRxIterator
{
public:
    void init(std::vector<OdEdCommandPtr> commands) { m_commands = std::move(commands); }

    bool done() const override { return m_index >= m_commands.size(); }
    bool next() override
    {
        if (!done()) {
            ++m_index;
        }
        return !done();
    }
    OdRxObjectPtr object() const override
    {
        return done() ? OdRxObjectPtr() : OdRxObjectPtr(m_commands[m_index].get());
    }

private:
    std::vector<OdEdCommandPtr> m_commands;
    std::size_t m_index = 0;
};

class CommandStack : public OdEdCommandStack
{
public:
    void addCommand(OdEdCommand* pCommand) override
    {
        if (!pCommand) {
            throw OdError(eNullObjectPointer);
        }
        const OdString group = pCommand->groupName();
        Group* pGroup = findGroup(group);
        if (!pGroup) {
            m_groups.push_back(Group{group, {}});
            pGroup = &m_groups.back();
        }
        for (const OdEdCommandPtr& pHeld : pGroup->commands) {
            if (sameName(pHeld->globalName(), pCommand->globalName())) {
                throw OdError(eDuplicateKey);
            }
        }
        pGroup->commands.push_back(OdEdCommandPtr(pCommand));
        m_reactors.fire([&](OdEdCommandStackReactor* r) { r->commandAdded(pCommand); });
    }

    OdEdCommandPtr lookupCmd(const OdString& sCmdName) const override
    {
        if (OdEdCommandPtr p = find(sCmdName, &OdEdCommand::globalName)) {
            return p;
        }
        if (OdEdCommandPtr p = find(sCmdName, &OdEdCommand::localName)) {
            return p;
        }
        if (sCmdName.getLength() > 1 && sCmdName.c_str()[0] == L'_') {
            return find(sCmdName.mid(1), &OdEdCommand::globalName);
        }
        return OdEdCommandPtr();
    }

    void removeCmd(const OdString& sCmdGroupName, const OdString& sCmdGlobalName) override
    {
        Group* pGroup = findGroup(sCmdGroupName);
        if (!pGroup) {
            return;
        }
        for (const OdEdCommandPtr& pHeld : pGroup->commands) {
            if (sameName(pHeld->globalName(), sCmdGlobalName)) {
                const OdEdCommandPtr pCommand = pHeld;
                removeCmd(pCommand.get());
                return;
            }
        }
    }

    void removeCmd(OdEdCommand* pCommand) override
    {
        for (Group& group : m_groups) {
            for (auto it = group.commands.begin(); it != group.commands.end(); ++it) {
                if (it->get() == pCommand) {
                    // The notification may change the stack, so the command is looked up again
                    // before it is dropped.
                    const OdEdCommandPtr pKeep = *it;
                    m_reactors.fire(
                        [&](OdEdCommandStackReactor* r) { r->commandWillBeRemoved(pCommand); });
                    drop(pCommand);
                    return;
                }
            }
        }
    }

    void removeGroup(const OdString& sGroupName) override
    {
        if (const Group* pGroup = findGroup(sGroupName)) {
            const std::vector<OdEdCommandPtr> commands = pGroup->commands;
            for (const OdEdCommandPtr& pCommand : commands) {
                removeCmd(pCommand.get());
            }
        }
    }

    OdRxIteratorPtr newIterator() const override
    {
        std::vector<OdEdCommandPtr> all;
        for (const Group& group : m_groups) {
            all.insert(all.end(), group.commands.begin(), group.commands.end());
        }
        OdSmartPtr<CommandIterator> pIter = OdRxObjectImpl<CommandIterator>::createObject();
        pIter->init(std::move(all));
        return OdRxIteratorPtr(pIter.get());
    }

    void executeCommand(OdEdCommand* pCommand, OdEdCommandContext* pCmdCtx) override
    {
        if (!pCommand) {
            throw OdError(eNullObjectPointer);
        }
        // Keeps the command alive should it remove itself from the stack while it runs.
        const OdEdCommandPtr pKeep(pCommand);
        m_reactors.fire(
            [&](OdEdCommandStackReactor* r) { r->commandWillStart(pCommand, pCmdCtx); });
        try {
            pCommand->execute(pCmdCtx);
        } catch (const OdEdCancel&) {
            m_reactors.fire(
                [&](OdEdCommandStackReactor* r) { r->commandCancelled(pCommand, pCmdCtx); });
            throw;
        } catch (...) {
            m_reactors.fire(
                [&](OdEdCommandStackReactor* r) { r->commandFailed(pCommand, pCmdCtx); });
            throw;
        }
        m_reactors.fire([&](OdEdCommandStackReactor* r) { r->commandEnded(pCommand, pCmdCtx); });
    }

    void fireUnknownCommand(const OdString& sCmdName, OdEdCommandContext* pCmdCtx) override
    {
        m_reactors.fire([&](OdEdCommandStackReactor* r) { r->unknownCommand(sCmdName, pCmdCtx); });
    }

    void addReactor(OdEdCommandStackReactor* pReactor) override { m_reactors.add(pReactor); }
    void removeReactor(OdEdCommandStackReactor* pReactor) override { m_reactors.remove(pReactor); }

private:
    struct Group
    {
        OdString name;
        std::vector<OdEdCommandPtr> commands;
    };

    Group* findGroup(const OdString& name)
    {
        for (Group& group : m_groups) {
            if (sameName(group.name, name)) {
                return &group;
            }
        }
        return nullptr;
    }

    OdEdCommandPtr find(const OdString& name, const OdString (OdEdCommand::*nameOf)() const) const
    {
        for (const Group& group : m_groups) {
            for (const OdEdCommandPtr& pCommand : group.commands) {
                if (!pCommand->isUndefined() && sameName(((*pCommand).*nameOf)(), name)) {
                    return pCommand;
                }
            }
        }
        return OdEdCommandPtr();
    }

    void drop(const OdEdCommand* pCommand)
    {
        for (Group& group : m_groups) {
            for (auto it = group.commands.begin(); it != group.commands.end(); ++it) {
                if (it->get() == pCommand) {
                    group.commands.erase(it);
                    return;
                }
            }
        }
    }

    std::vector<Group> m_groups;
    kved::ReactorList<OdEdCommandStackReactor> m_reactors;
};

}  // namespace

OdEdCommandStackPtr odedRegCmds()
{
    static OdStaticRxObject<CommandStack> s_stack;
    return OdEdCommandStackPtr(&s_stack);
}
