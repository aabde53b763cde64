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

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <ResBuf.h>
#include <list>
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
        ModalAnswers answers;  // the Verify Standards dialog of a drawing that has standards
        EXPECT_EQ(run(host, c.command), c.result);
        EXPECT_EQ(standardsPaths(), expected);
    }
}

namespace {

// Answers the next modal dialog: sets its check box (which starts ticked) as asked, then accepts
// or cancels it, and remembers which dialog it was.
struct DialogAnswer
{
    bool tick = false;
    bool accept = false;
    std::vector<std::string> shown;

    void arm()
    {
        QTimer::singleShot(0, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) {
                return;
            }
            shown.push_back(dialog->metaObject()->className());
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
                box->setChecked(tick);
            }
            QDialog* modal = qobject_cast<QDialog*>(dialog);
            if (accept) {
                modal->accept();
            } else {
                modal->reject();
            }
        });
    }
};

}  // namespace

TEST(StandardsCommands, VerifyStandardsGuidesWhenThereIsNothingToCheckWith)
{
    struct Case
    {
        const char* what;
        bool disablePlugins;
        bool existing, missing, notText;
        bool tick, accept;
        const char* dialog;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"no association, cancelled",
         false,
         false,
         false,
         false,
         true,
         false,
         "CKvNoStandardsFileDlg",
         {}},
        {"no association, asked to associate",
         false,
         false,
         false,
         false,
         true,
         true,
         "CKvNoStandardsFileDlg",
         {1}},
        {"only entries without a path",
         false,
         false,
         false,
         true,
         true,
         true,
         "CKvNoStandardsFileDlg",
         {1}},
        {"one file missing, accepted with the box cleared",
         false,
         true,
         true,
         false,
         false,
         true,
         "CKvMissingStandardsFileDlg",
         {}},
        {"one file missing, asked to associate",
         false,
         true,
         true,
         false,
         true,
         true,
         "CKvMissingStandardsFileDlg",
         {1}},
        {"no category enabled",
         true,
         false,
         false,
         false,
         true,
         true,
         "CKvNoDwgCategoriesSelectedDlg",
         {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        CKvDocument* document = host.open(host.writeDrawing("drawing.dxf", {}));
        OdDbDictionaryPtr named =
            document->database()->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        named->setAt(OdString(L"AcStStandard"), OdDbDictionary::createObject().get());
        if (c.existing) {
            associate(document, "1", host.writeStandardsFile("std/a.dxf"));
        }
        if (c.missing) {
            associate(document, "2", host.path("gone/b.dxf"));
        }
        if (c.notText) {
            OdDbDictionaryPtr standards = named->getAt(OdString(L"AcStStandard"), OdDb::kForWrite);
            OdDbXrecordPtr record = OdDbXrecord::createObject();
            standards->setAt(OdString("3"), record.get());
            record->setFromRbChain(OdResBuf::newRb(90, OdInt32(7)).get());
        }
        named.release();
        DwgStandardsCommand configuration;
        LoadedModule module;
        module.load();
        if (c.disablePlugins) {
            std::list<OdSmartPtr<CKvStdsPlugins>> plugins;
            GetKvStandardManager()->getPluginList(plugins);
            for (const auto& plugin : plugins) {
                plugin->setEnabled(false);
            }
        }
        DialogAnswer answer{c.tick, c.accept, {}};
        answer.arm();
        EXPECT_EQ(run(host, "VERIFYSTANDARDS"), CKvCommand::kResultNormal);
        EXPECT_EQ(answer.shown, std::vector<std::string>{c.dialog});
        EXPECT_EQ(configuration.pages, c.pages);
    }
}
