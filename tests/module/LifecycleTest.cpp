// Loading, running and unloading the module as a host does.
#include "ModuleTestUtil.h"

#include <CKvCommandProcessor.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <RxModule.h>

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <list>
#include <string>
#include <vector>

namespace {

bool commandKnown(const char* name)
{
    return !odedRegCmds()->lookupCmd(OdString(name)).isNull();
}

std::vector<std::string> pluginFilters()
{
    std::list<OdSmartPtr<CKvStdsPlugins>> plugins;
    GetKvStandardManager()->getPluginList(plugins);
    std::vector<std::string> filters;
    for (const OdSmartPtr<CKvStdsPlugins>& plugin : plugins) {
        for (const CKvString& filter : plugin->GetObjectFilter()) {
            filters.push_back(filter.toUtf8());
        }
    }
    return filters;
}

}  // namespace

// Every class the module registers is unregistered again, or the second load would fail.
TEST(ModuleLifecycle, CommandsAndManagerWithItsPluginsInCheckOrderExistWhileTheModuleRuns)
{
    const auto known = [] {
        std::string found;
        for (const char* name : {"_DRAWINGSTANDARDS", "DRAWINGSTANDARDS", "_VERIFYSTANDARDS",
                                 "verifystandards", "_INTERSTATEVERIFY", "InterStateVerify"}) {
            found += commandKnown(name) ? std::string(name) + " " : "";
        }
        return found;
    };
    HostScope host;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        LoadedModule module;
        EXPECT_EQ(known(), "");
        EXPECT_EQ(GetKvStandardManager(), nullptr);
        ASSERT_NO_THROW(module.load());
        EXPECT_EQ(known(),
                  "_DRAWINGSTANDARDS DRAWINGSTANDARDS _VERIFYSTANDARDS verifystandards "
                  "_INTERSTATEVERIFY InterStateVerify ");
        ASSERT_NE(GetKvStandardManager(), nullptr);
        EXPECT_EQ(pluginFilters(),
                  (std::vector<std::string>{"DIMSTYLE", "LAYER", "LTYPE", "STYLE"}));
        ASSERT_NO_THROW(module.unload());
        EXPECT_EQ(known(), "");
        EXPECT_EQ(GetKvStandardManager(), nullptr);
    }
}

TEST(ModuleLifecycle, ReportsItsInterfaceVersionAndKeepsOneModuleObjectUntilItIsDeleted)
{
    HostScope host;
    LoadedModule module;
    int version[4] = {-1, -1, -1, -1};
    module.apiVersion(version[0], version[1], version[2], version[3]);
    EXPECT_EQ(std::vector<int>(version, version + 4), (std::vector<int>{3, 9, 1, 0}));
    OdRxModule* first = module.create(L"first");
    EXPECT_EQ(module.create(L"second"), first);
    EXPECT_EQ(first->moduleName(), OdString(L"first"));
    first->deleteModule();
    OdRxModule* next = module.create(L"second");
    EXPECT_EQ(next->moduleName(), OdString(L"second"));
    next->deleteModule();
}

TEST(ModuleLifecycle, NothingOfTheModuleIsCalledAfterItIsUnloaded)
{
    // Once the library is gone, any reactor it left behind would be called through code that
    // is no longer mapped: each case then crashes instead of passing.
    struct Case
    {
        const char* what;
        bool switchAway;  // a second drawing made current after the first got the reactor
    };
    const Case cases[] = {{"drawing current when unloading", false},
                          {"drawing left current before unloading", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        const std::string standards = host.writeStandardsFile("std/a.dxf");
        CKvDocument* checked = host.open(host.writeDrawing("checked.dxf", {{"1", 1, standards}}));
        {
            LoadedModule module;
            module.load();
            ASSERT_EQ(standardsPaths(), std::vector<std::string>{standards});
            if (c.switchAway) {
                host.open(host.writeDrawing("other.dxf", {}));
                ASSERT_TRUE(standardsPaths().empty());
            }
            module.unload();
            module.close();
        }
        ASSERT_TRUE(LoadedModule::isUnloaded());
        addLayer(*checked->database(), "AfterUnload");  // database reactors
        host.services.commandProcessor().runCommand(CKvString("VERIFYSTANDARDS"));  // editor
        host.open(host.writeDrawing("later.dxf", {}));                              // documents
        host.services.documentManager()->close(checked);
    }
}

TEST(ModuleEvents, TheCurrentDrawingsAssociationIsReadWheneverItBecomesCurrent)
{
    HostScope host;
    const std::string a = host.writeStandardsFile("std/a.dxf");
    const std::string b = host.writeStandardsFile("std/b.dxf");
    CKvDocument* first = host.open(host.writeDrawing("first.dxf", {{"1", 1, a}}));
    LoadedModule module;
    module.load();
    EXPECT_EQ(standardsPaths(), std::vector<std::string>{a}) << "drawing open at load";

    CKvDocument* second = host.open(host.writeDrawing("second.dxf", {{"1", 1, b}}));
    EXPECT_EQ(standardsPaths(), std::vector<std::string>{b}) << "opened drawing";
    host.services.documentManager()->activate(first);
    EXPECT_EQ(standardsPaths(), std::vector<std::string>{a}) << "switched back";

    // An association changed while the drawing was in the background is read afresh.
    {
        OdDbDictionaryPtr pNamed =
            second->database()->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        pNamed->remove(OdString(L"AcStStandard"));
    }
    host.services.documentManager()->activate(second);
    EXPECT_TRUE(standardsPaths().empty()) << "association removed";
    host.services.documentManager()->close(second);
    EXPECT_EQ(standardsPaths(), std::vector<std::string>{a}) << "closing made the first current";
}
