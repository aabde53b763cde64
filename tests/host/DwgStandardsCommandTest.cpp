// The host's _DWGSTANDARDS command: registered on request, opening the standards configuration on
// the page its argument names.
#include "StandardsConfigTestUtil.h"

#include <CKvCommand.h>
#include <CKvCommandProcessor.h>
#include <CKvSystemServices.h>

#include <QDialog>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <ResBuf.h>
#include <string>

namespace {

// The command's name, the argument and the end of the chain.
OdResBufPtr chainWith(const OdResBufPtr& argument)
{
    OdResBufPtr chain = OdResBuf::newRb(OdResBuf::kRtString, L"_DWGSTANDARDS");
    chain->setNext(argument)->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
    return chain;
}

// The chain the standards module sends: the page as a 16-bit integer.
OdResBufPtr moduleChain(OdInt16 page)
{
    return chainWith(OdResBuf::newRb(OdResBuf::kRtInt16, page));
}

bool isRegistered(const char* name)
{
    return !odedRegCmds()->lookupCmd(OdString(name)).isNull();
}

}  // namespace

TEST(DwgStandardsCommand, IsRegisteredOnRequestUntilTheServicesEnd)
{
    ensureWidgetsApplication();
    EXPECT_FALSE(isRegistered("_DWGSTANDARDS"));
    {
        ServicesScope scope;
        EXPECT_FALSE(isRegistered("_DWGSTANDARDS"));
        scope.services.registerHostCommands();
        scope.services.registerHostCommands();
        EXPECT_TRUE(isRegistered("_DWGSTANDARDS"));
        EXPECT_TRUE(isRegistered("DWGSTANDARDS"));
    }
    EXPECT_FALSE(isRegistered("_DWGSTANDARDS"));
}

// Typed pages and a cancelled dialog are run from kvcad's command line.
TEST(DwgStandardsCommand, OpensThePageItsArgumentNames)
{
    struct Case
    {
        const char* what;
        bool withDrawing;
        OdResBufPtr chain;
        const char* page;  // null: no dialog, the command fails
    };
    const Case cases[] = {
        {"no argument", true, CKvCommandProcessor::parseCommandLine(L"DWGSTANDARDS"),
         "StandardsFilesPage"},
        {"the module's chain, page 2", true, moduleChain(2), "PluginsPage"},
        {"as a 32-bit integer", true, chainWith(OdResBuf::newRb(OdResBuf::kRtInt32, OdInt32(3))),
         "SettingsPage"},
        {"without a drawing", false, moduleChain(1), "StandardsFilesPage"},
        {"page 0", true, moduleChain(0), nullptr},
        {"page 4", true, moduleChain(4), nullptr},
        {"a text", true, CKvCommandProcessor::parseCommandLine(L"DWGSTANDARDS \"2\""), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigScope scope;
        scope.services.services.registerHostCommands();
        CKvDocument* document = c.withDrawing ? scope.openDrawing() : nullptr;
        std::string page = "(none)";
        bool noDrawingShown = false;
        DialogAnswers answers;
        answers.then([&](QDialog& dialog) {
            const auto* tabs = dialog.findChild<QTabWidget*>("ConfigTabs");
            const auto* label = dialog.findChild<QLabel*>("NoDrawingLabel");
            page = tabs != nullptr ? tabs->currentWidget()->objectName().toStdString() : "";
            noDrawingShown = label != nullptr && label->isVisible();
            clickButton(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(scope.services.services.commandProcessor().runCommandChain(c.chain.get()),
                  c.page ? CKvCommand::kResultNormal : CKvCommand::kResultError);
        EXPECT_EQ(page, c.page ? c.page : "(none)");
        EXPECT_EQ(noDrawingShown, c.page != nullptr && !c.withDrawing);
        const bool initialised = c.page != nullptr && c.withDrawing;
        ASSERT_EQ(scope.manager.inits.size(), initialised ? 1u : 0u);
        if (initialised) {
            EXPECT_EQ(scope.manager.inits[0].first, document);
        }
    }
}
