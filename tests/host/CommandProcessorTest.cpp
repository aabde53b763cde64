// The host's command processor. Scripts, commands that end inside others and commands invoked
// with arguments are exercised with those who use them: the manager's reactors, the standards
// commands and the Verify Standards dialog.
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

// A cancelled or failing command sends its event and ends only itself.
TEST(CommandProcessor, RunsCommandsByNameIgnoringCaseAndTellsHowTheyEnded)
{
    ServicesScope scope;
    ScopedCommand normal("ZNORMAL", done);
    ScopedCommand error("ZERROR", [](CKvCommandContext*) { return int(CKvCommand::kResultError); });
    ScopedCommand cancel("ZCANCEL", [](CKvCommandContext*) -> int { throw OdEdCancel(); });
    ScopedCommand failing("ZFAIL", [](CKvCommandContext*) -> int { throw OdError(eInvalidInput); });
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
        {"ZCANCEL", CKvCommand::kResultCancel, {"start:_ZCANCEL@1", "cancelled:_ZCANCEL@1"}},
        {"ZFAIL", CKvCommand::kResultFailed, {"start:_ZFAIL@1", "failed:_ZFAIL@1"}},
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

// A command queued as one ends, the way the manager queues its background check, is run by the
// module's background check tests.
TEST(CommandProcessor, QueuedCommandRunsOnceNoCommandIsInProgress)
{
    ServicesScope scope;
    ScopedCommand queued("ZQUEUED", done);
    ScopedCommand inner("ZINNER", done);
    ScopedCommand outer("ZOUTER", [](CKvCommandContext*) {
        GetKvSystemServices()->queueCommand(commandChain("_ZQUEUED").get());
        GetKvSystemServices()->commandProcessor().runCommand("_ZINNER");
        return int(CKvCommand::kResultNormal);
    });
    EventLog log;
    LoggingEditorReactor reactor(log);
    scope.services.commandProcessor().runCommand("_ZOUTER");
    EXPECT_EQ(log, (EventLog{"start:_ZOUTER@1", "start:_ZINNER@2", "ended:_ZINNER@2",
                             "ended:_ZOUTER@1", "start:_ZQUEUED@1", "ended:_ZQUEUED@1"}));
    EXPECT_EQ(scope.services.commandProcessor().queuedCommands(), 0);
    // Outside commands a queued command runs at once; a malformed chain is ignored.
    log.clear();
    scope.services.queueCommand(commandChain("_ZQUEUED").get());
    scope.services.queueCommand(nullptr);
    scope.services.queueCommand(OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(1)).get());
    EXPECT_EQ(log, (EventLog{"start:_ZQUEUED@1", "ended:_ZQUEUED@1"}));
}

// A quoted number stays a text: the _DWGSTANDARDS cases refuse "2".
TEST(CommandProcessor, CommandLineBecomesATypedChain)
{
    struct Case
    {
        const char* line;
        std::vector<int> types;
        std::string texts;  // the string items, joined by '|'
    };
    const Case cases[] = {
        {"  zoom   2.5 -3 ", {5005, 5001, 5003, 5000}, "zoom"},
        {"open \"/tmp/a b.dxf\" 40000", {5005, 5005, 5001, 5000}, "open|/tmp/a b.dxf"},
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
