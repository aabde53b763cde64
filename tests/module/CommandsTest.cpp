// The module's commands as the host runs them.
#include "ModuleTestUtil.h"

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvCommandProcessor.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <ResBuf.h>
#include <string>
#include <vector>

namespace {

// Stands in for the host's standards configuration: records the page of every run.
struct DwgStandardsCommand
{
    std::vector<int> pages;
    const ScopedCommand command{
        "DWGSTANDARDS", [this](CKvCommandContext* context) {
            const OdResBufPtr page = context->arguments();
            pages.push_back(page && page->restype() == OdResBuf::kRtInt16 ? page->getInt16() : -1);
            return int(CKvCommand::kResultNormal);
        }};
};

// Adds an entry to the drawing's association in memory: a standards file's path, or the chain.
void associate(CKvDocument* document, const char* key, const OdResBufPtr& chain)
{
    OdDbDictionaryPtr pNamed = document->database()->getNamedObjectsDictionaryId().safeOpenObject();
    OdDbDictionaryPtr pStandards = pNamed->getAt(OdString(L"AcStStandard"), OdDb::kForWrite);
    OdDbXrecordPtr pRecord = OdDbXrecord::createObject();
    pStandards->setAt(OdString(key), pRecord.get());
    pRecord->setFromRbChain(chain.get());
}

void associate(CKvDocument* document, const char* key, const std::string& path)
{
    associate(document, key, OdResBuf::newRb(OdResBuf::kDxfText, path.c_str()));
}

int run(HostScope& host, const char* name)
{
    return host.services.commandProcessor().runCommand(CKvString(name));
}

}  // namespace

// DRAWINGSTANDARDS opens the standards files page; the verify commands read the association
// afresh, and VERIFYSTANDARDS needs a drawing.
TEST(StandardsCommands, RunWithOrWithoutADrawing)
{
    struct Case
    {
        const char* command;
        bool withDrawing;
        int result;
        int page;  // of the standards configuration opened; 0 for none
    };
    const Case cases[] = {
        {"DRAWINGSTANDARDS", true, CKvCommand::kResultNormal, 1},
        {"DRAWINGSTANDARDS", false, CKvCommand::kResultNormal, 1},
        {"VERIFYSTANDARDS", true, CKvCommand::kResultNormal, 0},
        {"VERIFYSTANDARDS", false, CKvCommand::kResultError, 0},
        {"_INTERSTATEVERIFY", true, CKvCommand::kResultNormal, 0},
        {"_INTERSTATEVERIFY", false, CKvCommand::kResultNormal, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + (c.withDrawing ? " with" : " without") + " drawing");
        HostScope host;
        const std::string a = host.writeStandardsFile("std/a.dxf");
        const std::string b = host.writeStandardsFile("std/b.dxf");
        std::vector<std::string> expected;
        if (c.withDrawing) {
            CKvDocument* document = host.open(host.writeDrawing("drawing.dxf", {{"1", 1, a}}));
            associate(document, "2", b);  // no event tells the module of this one
            expected = {a, b};
        }
        DwgStandardsCommand configuration;
        LoadedModule module;
        module.load();
        ModalAnswers answers;  // the Verify Standards dialog of a drawing that has standards
        EXPECT_EQ(run(host, c.command), c.result);
        EXPECT_EQ(configuration.pages, c.page == 0 ? std::vector<int>() : std::vector<int>{c.page});
        if (c.page == 0) {
            EXPECT_EQ(standardsPaths(), expected);
        }
    }
}

// A guiding dialog cancelled opens nothing: kvcad's German desktop test cancels each of them.
TEST(StandardsCommands, VerifyStandardsGuidesWhenThereIsNothingToCheckWith)
{
    struct Case
    {
        const char* what;
        const char* association;  // an existing file 'a', one found nowhere 'g', no path 'n'
        bool disablePlugins;
        bool tick, accept;
        const char* dialog;
        int page;  // of the standards configuration opened; 0 for none
    };
    const Case cases[] = {
        {"no association, asked to associate", "", false, true, true, "CKvNoStandardsFileDlg", 1},
        {"only entries without a path", "n", false, true, true, "CKvNoStandardsFileDlg", 1},
        {"one file missing, accepted with the box cleared", "ag", false, false, true,
         "CKvMissingStandardsFileDlg", 0},
        {"one file missing, asked to associate", "ag", false, true, true,
         "CKvMissingStandardsFileDlg", 1},
        {"no category enabled", "", true, true, true, "CKvNoDwgCategoriesSelectedDlg", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        CKvDocument* document = host.open(host.writeDrawing("drawing.dxf", {}));
        OdDbDictionaryPtr named =
            document->database()->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        named->setAt(OdString(L"AcStStandard"), OdDbDictionary::createObject().get());
        named.release();
        for (const char* entry = c.association; *entry != '\0'; ++entry) {
            const std::string key(1, *entry);
            if (*entry == 'a') {
                associate(document, key.c_str(), host.writeStandardsFile("std/a.dxf"));
            } else if (*entry == 'g') {
                associate(document, key.c_str(), host.path("gone/b.dxf"));
            } else {
                associate(document, key.c_str(), OdResBuf::newRb(90, OdInt32(7)));
            }
        }
        DwgStandardsCommand configuration;
        LoadedModule module;
        module.load();
        if (c.disablePlugins) {
            setPluginsEnabled(false);
        }
        ModalAnswers answers(c.accept, c.tick);
        EXPECT_EQ(run(host, "VERIFYSTANDARDS"), CKvCommand::kResultNormal);
        // No verification follows.
        EXPECT_EQ(answers.shown, std::vector<std::string>{c.dialog});
        EXPECT_EQ(configuration.pages, c.page == 0 ? std::vector<int>() : std::vector<int>{c.page});
    }
}
