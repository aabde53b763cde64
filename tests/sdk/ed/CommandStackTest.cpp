#include "EdTestUtil.h"

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <stdexcept>

TEST(CommandStack, LookupIgnoresCaseAndKnowsGlobalAndLocalNames)
{
    StaticCommand verify("TESTLOOKUP", "_VERIFYSTD", "PRUEFEN");
    StaticCommand line("TESTLOOKUP", "ZLINE");
    GroupScope scope("TESTLOOKUP");
    odedRegCmds()->addCommand(&verify);
    odedRegCmds()->addCommand(&line);

    struct Case
    {
        const char* name;
        const OdEdCommand* expected;
    };
    const Case cases[] = {
        {"_VERIFYSTD", &verify},
        {"pruefen", &verify},
        {"VERIFYSTD", nullptr},  // the global name carries the underscore
        {"ZLINE", &line},
        {"_zline", &line},      // a leading underscore asks for the global name
        {"_PRUEFEN", nullptr},  // ... and never for a local one
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(odedRegCmds()->lookupCmd(OdString(c.name)).get(), c.expected);
    }
}

TEST(CommandStack, RemovedOrUndefinedCommandIsNoLongerFound)
{
    struct Case
    {
        const char* what;
        void (*remove)(OdEdCommand&);
    };
    const Case cases[] = {
        {"by group and global name, ignoring case",
         [](OdEdCommand&) { odedRegCmds()->removeCmd(L"testremove", L"_zgone"); }},
        {"by the command object", [](OdEdCommand& c) { odedRegCmds()->removeCmd(&c); }},
        {"with its group", [](OdEdCommand&) { odedRegCmds()->removeGroup(L"TESTREMOVE"); }},
        {"undefined", [](OdEdCommand& c) { c.undefine(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StaticCommand gone("TESTREMOVE", "_ZGONE", "ZGONE");
        StaticCommand kept("TESTREMOVE", "_ZKEPT");
        GroupScope scope("TESTREMOVE");
        odedRegCmds()->addCommand(&gone);
        odedRegCmds()->addCommand(&kept);
        c.remove(gone);
        EXPECT_TRUE(odedRegCmds()->lookupCmd(L"_ZGONE").isNull());
        EXPECT_TRUE(odedRegCmds()->lookupCmd(L"ZGONE").isNull());
        const bool groupRemoved = c.remove == cases[2].remove;
        EXPECT_EQ(odedRegCmds()->lookupCmd(L"_ZKEPT").get(), groupRemoved ? nullptr : &kept);
    }
}

TEST(CommandStack, AddingAndRemovingIsAnnouncedAndDuplicatesAreRefused)
{
    EventLog log;
    StaticReactor reactor(log);
    StackReactorScope hook(&reactor);
    StaticCommand first("TESTADD", "_ZFIRST");
    StaticCommand twin("TESTADD", "_zfirst");
    StaticCommand otherGroup("TESTADD2", "_ZFIRST");
    GroupScope scope("TESTADD");
    GroupScope scope2("TESTADD2");

    odedRegCmds()->addCommand(&first);
    EXPECT_THROW(odedRegCmds()->addCommand(&twin), OdError);
    odedRegCmds()->addCommand(&otherGroup);
    odedRegCmds()->removeCmd(L"TESTADD", L"_ZFIRST");
    odedRegCmds()->removeCmd(L"TESTADD", L"_ZFIRST");  // no longer there: nothing happens

    EXPECT_EQ(log, (EventLog{"added:_ZFIRST", "added:_ZFIRST", "removed:_ZFIRST"}));
    EXPECT_EQ(odedRegCmds()->lookupCmd(L"_ZFIRST").get(), &otherGroup);
}

TEST(CommandStack, RunningACommandReportsHowItEnded)
{
    struct Case
    {
        const char* what;
        std::function<void(OdEdCommandContext*)> run;
        EventLog expected;
    };
    const Case cases[] = {
        {"ends normally", [](OdEdCommandContext*) {}, {"start:_ZRUN", "ended:_ZRUN"}},
        {"cancelled",
         [](OdEdCommandContext*) { throw OdEdCancel(); },
         {"start:_ZRUN", "cancelled:_ZRUN"}},
        {"fails with an SDK error",
         [](OdEdCommandContext*) { throw OdError(eInvalidInput); },
         {"start:_ZRUN", "failed:_ZRUN"}},
        {"fails with another exception",
         [](OdEdCommandContext*) { throw std::runtime_error("disk"); },
         {"start:_ZRUN", "failed:_ZRUN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EventLog log;
        StaticReactor reactor(log);
        StackReactorScope hook(&reactor);
        StaticCommand cmd("TESTRUN", "_ZRUN");
        cmd.m_run = c.run;
        const bool throws = c.expected.back() != "ended:_ZRUN";
        if (throws) {
            EXPECT_ANY_THROW(odedRegCmds()->executeCommand(&cmd, nullptr));
        } else {
            EXPECT_NO_THROW(odedRegCmds()->executeCommand(&cmd, nullptr));
        }
        EXPECT_EQ(log, c.expected);
    }
}

TEST(CommandStack, ReactorsHearEventsInOrderAndNotAfterRemoval)
{
    // Takes another reactor off the stack when a command starts.
    class Remover : public OdEdCommandStackReactor
    {
    public:
        explicit Remover(OdEdCommandStackReactor* victim) : m_victim(victim) {}
        void commandWillStart(OdEdCommand*, OdEdCommandContext*) override
        {
            odedRegCmds()->removeReactor(m_victim);
        }
        void addRef() override {}
        void release() override {}
        long numRefs() const override { return 1; }

    private:
        OdEdCommandStackReactor* m_victim;
    };
    EventLog log;
    StaticReactor first(log, "1.");
    StaticReactor second(log, "2.");
    StaticReactor third(log, "3.");
    Remover remover(&third);
    StackReactorScope hook1(&first);
    StackReactorScope hook2(&remover);
    StackReactorScope hook3(&second);
    StackReactorScope hook4(&third);
    StaticCommand cmd("TESTORDER", "_ZORDER");

    odedRegCmds()->executeCommand(&cmd, nullptr);
    odedRegCmds()->fireUnknownCommand(L"NOPE", nullptr);

    EXPECT_EQ(log, (EventLog{"1.start:_ZORDER", "2.start:_ZORDER", "1.ended:_ZORDER",
                             "2.ended:_ZORDER", "1.unknown:NOPE", "2.unknown:NOPE"}));
}
