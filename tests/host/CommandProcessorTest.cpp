// The host's command processor. Scripts, and commands that end inside others, are exercised with
// the reactors that listen to them in the manager's tests.
#include "CommandTestUtil.h"

#include <CKvCommandProcessor.h>

#include <gtest/gtest.h>

#include <EdCommand.h>

namespace {
int done(CKvCommandContext*)
{
    return CKvCommand::kResultNormal;
}
}  // namespace

TEST(CommandProcessor, RunsCommandsByNameIgnoringCase)
{
    ServicesScope scope;
    ScopedCommand normal("ZNORMAL", done);
    ScopedCommand error("ZERROR", [](CKvCommandContext*) { return int(CKvCommand::kResultError); });
    struct Case
    {
        const char* name;
        int result;
        EventLog log;
    };
    const Case cases[] = {
        {"_ZNORMAL", 5100, {"start:_ZNORMAL@1", "ended:_ZNORMAL@1"}},
        {"_znormal", 5100, {"start:_ZNORMAL@1", "ended:_ZNORMAL@1"}},
        {"zNormal", 5100, {"start:_ZNORMAL@1", "ended:_ZNORMAL@1"}},
        {"_ZERROR", -5001, {"start:_ZERROR@1", "ended:_ZERROR@1"}},
        {"ZNORMA", CKvCommand::kResultRejected, {"unknown:ZNORMA"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventLog log;
        LoggingEditorReactor reactor(log);
        EXPECT_EQ(scope.services.commandProcessor().runCommand(c.name), c.result);
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(scope.services.commandProcessor().commandsInProgress(), 0);
    }
}

TEST(CommandProcessor, NestedCommandEndsInsideTheOuterOne)
{
    ServicesScope scope;
    int innerArgument = 0;
    ScopedCommand inner("ZINNER", [&](CKvCommandContext* context) {
        innerArgument = context->arguments() ? context->arguments()->getInt16() : -1;
        return int(CKvCommand::kResultNormal);
    });
    OdResBufPtr result;
    ScopedCommand outer("ZOUTER", [&](CKvCommandContext*) {
        OdResBufPtr chain = OdResBuf::newRb(OdResBuf::kRtString, "_ZINNER");
        chain->setNext(OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(2)))
            ->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
        CKvSystemServices::CKvExpressionParserData data;
        data.m_bSynchronous = true;
        result = GetKvSystemServices()->invokeCommand(data, chain.get());
        return int(CKvCommand::kResultNormal);
    });
    EventLog log;
    LoggingEditorReactor reactor(log);

    EXPECT_EQ(scope.services.commandProcessor().runCommand("_ZOUTER"), 5100);

    EXPECT_EQ(log, (EventLog{"start:_ZOUTER@1", "start:_ZINNER@2", "ended:_ZINNER@2",
                             "ended:_ZOUTER@1"}));
    EXPECT_EQ(innerArgument, 2);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->getInt32(), 5100);
}

TEST(CommandProcessor, CancelledOrFailingCommandSendsItsEventAndEndsOnlyItself)
{
    struct Case
    {
        const char* what;
        std::function<void()> body;
        int result;
        const char* event;
    };
    const Case cases[] = {
        {"cancelled", [] { throw OdEdCancel(); }, CKvCommand::kResultCancel, "cancelled"},
        {"SDK error", [] { throw OdError(eInvalidInput); }, CKvCommand::kResultFailed, "failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServicesScope scope;
        ScopedCommand bad("ZBAD", [&](CKvCommandContext*) {
            c.body();
            return int(CKvCommand::kResultNormal);
        });
        ScopedCommand good("ZGOOD", done);
        EventLog log;
        LoggingEditorReactor reactor(log);
        CKvCommandProcessor& processor = scope.services.commandProcessor();

        EXPECT_EQ(processor.runCommand("_ZBAD"), c.result);
        EXPECT_EQ(processor.commandsInProgress(), 0);
        EXPECT_EQ(processor.runCommand("_ZGOOD"), 5100);
        EXPECT_EQ(log, (EventLog{"start:_ZBAD@1", std::string(c.event) + ":_ZBAD@1",
                                 "start:_ZGOOD@1", "ended:_ZGOOD@1"}));
    }
}

TEST(CommandProcessor, QueuedCommandRunsOnceNoCommandIsInProgress)
{
    struct Case
    {
        const char* what;
        bool queueFromCommand;  // else from the reactor when the outer command ends
    };
    const Case cases[] = {{"queued by the running command", true},
                          {"queued when the command ends", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServicesScope scope;
        ScopedCommand queued("ZQUEUED", done);
        ScopedCommand inner("ZINNER", done);
        ScopedCommand outer("ZOUTER", [&](CKvCommandContext*) {
            if (c.queueFromCommand) {
                GetKvSystemServices()->queueCommand(commandChain("_ZQUEUED").get());
            }
            GetKvSystemServices()->commandProcessor().runCommand("_ZINNER");
            return int(CKvCommand::kResultNormal);
        });
        EventLog log;
        LoggingEditorReactor reactor(log);
        reactor.onEnded = [&](OdEdCommand* cmd, OdEdCommandContext*) {
            if (!c.queueFromCommand && cmd == &outer) {
                GetKvSystemServices()->queueCommand(commandChain("_ZQUEUED").get());
            }
        };

        scope.services.commandProcessor().runCommand("_ZOUTER");

        EXPECT_EQ(log, (EventLog{"start:_ZOUTER@1", "start:_ZINNER@2", "ended:_ZINNER@2",
                                 "ended:_ZOUTER@1", "start:_ZQUEUED@1", "ended:_ZQUEUED@1"}));
        EXPECT_EQ(scope.services.commandProcessor().queuedCommands(), 0);
    }
    // Outside commands a queued command runs at once; a malformed chain is ignored.
    ServicesScope scope;
    ScopedCommand queued("ZQUEUED", done);
    EventLog log;
    LoggingEditorReactor reactor(log);
    scope.services.queueCommand(commandChain("_ZQUEUED").get());
    scope.services.queueCommand(nullptr);
    scope.services.queueCommand(OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(1)).get());
    EXPECT_EQ(log, (EventLog{"start:_ZQUEUED@1", "ended:_ZQUEUED@1"}));
}

TEST(CommandProcessor, CommandLineBecomesATypedChain)
{
    struct Case
    {
        const char* line;
        std::vector<int> types;
        std::string texts;  // the string items, joined by '|'
    };
    const Case cases[] = {
        {"_DWGSTANDARDS 1", {5005, 5003, 5000}, "_DWGSTANDARDS"},
        {"  zoom   2.5 -3 ", {5005, 5001, 5003, 5000}, "zoom"},
        {"open \"/tmp/a b.dxf\" 40000", {5005, 5005, 5001, 5000}, "open|/tmp/a b.dxf"},
        {"open \"12\"", {5005, 5005, 5000}, "open|12"},
        {"open \"unclosed", {5005, 5005, 5000}, "open|unclosed"},
        {"   ", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<int> types;
        std::string texts;
        for (OdResBufPtr p = CKvCommandProcessor::parseCommandLine(c.line); p; p = p->next()) {
            types.push_back(p->restype());
            if (p->restype() == OdResBuf::kRtString) {
                texts += (texts.empty() ? "" : "|") + p->getString().toUtf8();
            }
        }
        EXPECT_EQ(types, c.types);
        EXPECT_EQ(texts, c.texts);
    }
}
