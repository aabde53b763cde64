// The module's commands as the host runs them.
#include "ModuleTestUtil.h"

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvCommandProcessor.h>
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
class DwgStandardsCommand : public CKvCommand
{
public:
    DwgStandardsCommand() { odedRegCmds()->addCommand(this); }
    ~DwgStandardsCommand() override { odedRegCmds()->removeCmd(this); }
    DwgStandardsCommand(const DwgStandardsCommand&) = delete;
    DwgStandardsCommand& operator=(const DwgStandardsCommand&) = delete;

    const OdString globalName() const override { return OdString(L"_DWGSTANDARDS"); }
    int Execute(CKvCommandContext* context) override
    {
        const OdResBufPtr pPage = context ? context->arguments() : OdResBufPtr();
        pages.push_back(pPage && pPage->restype() == OdResBuf::kRtInt16 ? pPage->getInt16() : -1);
        return kResultNormal;
    }
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

    std::vector<int> pages;
};

// Adds a standards file to the drawing's association in memory.
void associate(CKvDocument* document, const char* key, const std::string& path)
{
    OdDbDictionaryPtr pNamed = document->database()->getNamedObjectsDictionaryId().safeOpenObject();
    OdDbDictionaryPtr pStandards = pNamed->getAt(OdString(L"AcStStandard"), OdDb::kForWrite);
    OdDbXrecordPtr pRecord = OdDbXrecord::createObject();
    pStandards->setAt(OdString(key), pRecord.get());
    pRecord->setFromRbChain(OdResBuf::newRb(OdResBuf::kDxfText, path.c_str()).get());
}

int run(HostScope& host, const char* name)
{
    return host.services.commandProcessor().runCommand(CKvString(name));
}

}  // namespace

TEST(StandardsCommands, DrawingStandardsOpensTheStandardsFilesPage)
{
    struct Case
    {
        const char* what;
        bool withDrawing;
    };
    const Case cases[] = {{"with a drawing", true}, {"without a drawing", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        if (c.withDrawing) {
            host.open(host.writeDrawing("drawing.dxf", {}));
        }
        DwgStandardsCommand configuration;
        LoadedModule module;
        module.load();
        EXPECT_EQ(run(host, "DRAWINGSTANDARDS"), CKvCommand::kResultNormal);
        EXPECT_EQ(configuration.pages, std::vector<int>{1});
    }
}

TEST(StandardsCommands, VerifyCommandsReadTheAssociationAfreshAndNeedADrawing)
{
    struct Case
    {
        const char* command;
        bool withDrawing;
        int result;
    };
    const Case cases[] = {
        {"VERIFYSTANDARDS", true, CKvCommand::kResultNormal},
        {"VERIFYSTANDARDS", false, CKvCommand::kResultError},
        {"_INTERSTATEVERIFY", true, CKvCommand::kResultNormal},
        {"_INTERSTATEVERIFY", false, CKvCommand::kResultNormal},
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
        LoadedModule module;
        module.load();
        EXPECT_EQ(run(host, c.command), c.result);
        EXPECT_EQ(standardsPaths(), expected);
    }
}
