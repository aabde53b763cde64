// The standards manager linked directly: its plug-in registry, and when its reactors have the
// background check run. The check is played by a command of the test that notes the objects
// recorded for it ("-" for none) and empties the set, as the module's command does.
#include "CommandTestUtil.h"
#include "HostDoubles.h"

#include <CKvStdsManagerImpl.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>
#include <RxClass.h>

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

OdDbSymbolTableRecordPtr record(OdDbObjectId table, const char* name)
{
    OdDbSymbolTablePtr records = table.safeOpenObject();
    return records->getAt(OdString(name), OdDb::kForWrite);
}

void changeWalls(OdDbDatabase& db)
{
    OdDbLayerTableRecordPtr(record(db.getLayerTableId(), "Walls"))
        ->setColor(OdCmColor::fromIndex(2));
}

// A drawing with the layer Walls, open as the current document, watched by a manager published
// for the scope, with the commands of the cases registered.
class Editing
{
public:
    Editing()
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
        OdDbLayerTableRecordPtr walls = OdDbLayerTableRecord::createObject();
        walls->setName(OdString("Walls"));
        layers->add(walls.get());
        const QString file = m_folder.filePath("drawing.dxf");
        db->writeFile(CKvString(file).toOdString());
        document = services.services.documentManager()->open(CKvString(file));
        SetKvStandardManager(&manager);
        odedEditor()->addReactor(manager.editorReactor());
        manager.addReactor(document);
    }
    ~Editing()
    {
        manager.removeReactor(document);
        odedEditor()->removeReactor(manager.editorReactor());
        SetKvStandardManager(nullptr);
    }
    Editing(const Editing&) = delete;
    Editing& operator=(const Editing&) = delete;

    OdDbDatabase& db() { return *document->database(); }
    CKvCommandProcessor& processor() { return services.services.commandProcessor(); }
    void run(const char* command) { processor().runCommand(CKvString(command)); }
    void runScript(const char* script) { processor().runScript(CKvString(script)); }
    // The idle timer fires.
    void idle()
    {
        log.push_back("idle");
        manager.timerTimeout();
    }

    Log log;
    ServicesScope services;
    CKvStdsManagerImpl manager;
    CKvDocument* document = nullptr;

private:
    QTemporaryDir m_folder;
    const ScopedCommand m_check{
        "INTERSTATEVERIFY", [this](CKvCommandContext*) {
            std::string names;
            for (const OdDbObjectId& id : manager.getSet()) {
                const OdDbObjectPtr object = id.safeOpenObject();
                const OdDbSymbolTableRecordPtr named = OdDbSymbolTableRecord::cast(object.get());
                names += (names.empty() ? "" : " ") +
                         (named.isNull() ? object->isA()->dxfName() : named->getName()).toUtf8();
            }
            log.push_back(names.empty() ? "-" : names);
            manager.clearSet();
            return int(CKvCommand::kResultNormal);
        }};
    const ScopedCommand m_change{"ZCHANGE", [this](CKvCommandContext*) {
                                     changeWalls(db());
                                     return int(CKvCommand::kResultNormal);
                                 }};
    const ScopedCommand m_nothing{
        "ZNOTHING", [](CKvCommandContext*) { return int(CKvCommand::kResultNormal); }};
};

void changeWallsOf(Editing& e)
{
    changeWalls(e.db());
}

// A command of one case: registered for the scope under `name`, its body given.
struct CaseCommand : ScopedCommand
{
    CaseCommand(const char* name, std::function<void(Editing&)> body, Editing& e)
        : ScopedCommand(name, [body, &e](CKvCommandContext*) {
            body(e);
            return int(CKvCommand::kResultNormal);
        })
    {}
};

}  // namespace

TEST(ManagerRegistry, PluginsAreKeptInOrderFoundByClassIdIgnoringCaseAndRemovedEntirely)
{
    StubPlugin dimensions("Dimension Styles", "{DIM-1}", "Checks dimension styles.", "2.0");
    StubPlugin layers("Layers", "{Layer-1}");
    StubPlugin unknown("Unknown", "{UNKNOWN}");
    CKvStdsManagerImpl manager;
    for (CKvStdsPlugins* plugin :
         std::vector<CKvStdsPlugins*>{&dimensions, &layers, &dimensions, nullptr}) {
        manager.addPlugin(OdSmartPtr<CKvStdsPlugins>(plugin));
    }
    const auto listed = [&manager] {
        std::list<OdSmartPtr<CKvStdsPlugins>> plugins{OdSmartPtr<CKvStdsPlugins>()};
        manager.getPluginList(plugins);
        std::string names;
        for (const OdSmartPtr<CKvStdsPlugins>& plugin : plugins) {
            names += plugin->Name().toUtf8() + ";";
        }
        return names;
    };
    EXPECT_EQ(listed(), "Dimension Styles;Layers;Dimension Styles;");
    EXPECT_EQ(manager.getPluginAt(L"{layer-1}").get(), &layers);
    EXPECT_EQ(manager.getPluginAt(L"{DIM-1}").get(), &dimensions);
    EXPECT_EQ(manager.getPluginAt(L"{LAYER-2}").get(), nullptr);
    StubPlugin sameClass("Other", "{dim-1}");
    EXPECT_EQ(manager.getPluginInfo(OdSmartPtr<CKvStdsPlugins>(&sameClass)).get(), &dimensions);
    CKvString name, version, description, author, href;
    manager.getPluginDescription(OdSmartPtr<CKvStdsPlugins>(&dimensions), name, version,
                                 description, author, href);
    EXPECT_EQ(name + L"|" + version + L"|" + description + L"|" + href,
              CKvString(L"Dimension Styles|2.0|Checks dimension styles.|"));
    // A plug-in that is not registered, even one with the class id of a registered one, is no
    // entry; one registered twice goes with both entries, and removing it again changes nothing.
    manager.removePlugin(OdSmartPtr<CKvStdsPlugins>(&unknown));
    manager.removePlugin(OdSmartPtr<CKvStdsPlugins>(&sameClass));
    EXPECT_EQ(listed(), "Dimension Styles;Layers;Dimension Styles;");
    for (int round = 0; round < 2; ++round) {
        manager.removePlugin(OdSmartPtr<CKvStdsPlugins>(&dimensions));
        EXPECT_EQ(listed(), "Layers;");
        EXPECT_EQ(manager.getPluginAt(L"{dim-1}").get(), nullptr);
    }
}

TEST(BackgroundCheck, RunsWhenTheOutermostCommandOrScriptEndsWithWhatItChanged)
{
    struct Case
    {
        const char* what;
        std::function<void(Editing&)> act;
        Log checks;
    };
    const Case cases[] = {
        {"a command that changes a layer", [](Editing& e) { e.run("ZCHANGE"); }, {"Walls"}},
        {"a nested command leaves the check to the outer one",
         [](Editing& e) {
             const CaseCommand outer(
                 "ZOUTER", [](Editing& e) { e.run("ZCHANGE"); }, e);
             e.run("ZOUTER");
         },
         {"Walls"}},
        {"a cancelled command",
         [](Editing& e) {
             const ScopedCommand cancel("ZCANCEL", [&e](CKvCommandContext*) -> int {
                 changeWalls(e.db());
                 throw OdEdCancel();
             });
             e.run("ZCANCEL");
             e.idle();
         },
         {"idle"}},
        {"xrecords and dictionaries",
         [](Editing& e) {
             const CaseCommand notes(
                 "ZNOTES",
                 [](Editing& e) {
                     OdDbDictionaryPtr root =
                         e.db().getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
                     OdDbDictionaryPtr mine = OdDbDictionary::createObject();
                     root->setAt(OdString("KV_NOTES"), mine.get());
                     mine->setAt(OdString("NOTE"), OdDbXrecord::createObject().get());
                 },
                 e);
             e.run("ZNOTES");
         },
         {}},
        {"a dimension style changed",
         [](Editing& e) {
             const CaseCommand dim(
                 "ZDIM",
                 [](Editing& e) {
                     OdDbDimStyleTableRecordPtr(record(e.db().getDimStyleTableId(), "Standard"))
                         ->setDimasz(9.0);
                 },
                 e);
             e.run("ZDIM");
         },
         {"Standard"}},
        {"a dimension style written back unchanged",
         [](Editing& e) {
             const CaseCommand dim(
                 "ZDIM",
                 [](Editing& e) {
                     OdDbDimStyleTableRecordPtr style =
                         record(e.db().getDimStyleTableId(), "Standard");
                     style->setDimasz(style->dimasz());
                 },
                 e);
             e.run("ZDIM");
         },
         {}},
        {"a script: once, when it ends",
         [](Editing& e) { e.runScript("ZNOTHING\nZCHANGE"); },
         {"Walls"}},
        {"a script stopped by an unknown command",
         [](Editing& e) {
             e.runScript("ZCHANGE\nZNONE");
             e.idle();
         },
         {"idle"}},
        {"_LOADSCRIPT ending inside a script, and the script's end",
         [](Editing& e) {
             const CaseCommand load("LOADSCRIPT", changeWallsOf, e);
             e.runScript("_LOADSCRIPT");
         },
         {"Walls", "-"}},
        {"inserting a block keeps what was changed before it",
         [](Editing& e) {
             changeWalls(e.db());
             const CaseCommand insert(
                 "INSERTBLOCK", [](Editing&) {}, e);
             e.run("_INSERTBLOCK");
         },
         {"Walls"}},
        {"inserting a block from the command line too",
         [](Editing& e) {
             changeWalls(e.db());
             const CaseCommand insert(
                 "-INSERTBLOCK", [](Editing&) {}, e);
             e.run("_-INSERTBLOCK");
         },
         {"Walls"}},
        {"any other command starts afresh",
         [](Editing& e) {
             changeWalls(e.db());
             e.run("ZNOTHING");
             e.idle();
         },
         {"idle"}},
        {"saving checks nothing and stops the idle timer",
         [](Editing& e) {
             const CaseCommand save("QSAVE", changeWallsOf, e);
             e.run("_QSAVE");
             EXPECT_FALSE(e.manager.isTimerRunning());
         },
         {}},
        {"redoing checks nothing and leaves its changes to the idle check",
         [](Editing& e) {
             const CaseCommand redo("REDO", changeWallsOf, e);
             e.run("_REDO");
             e.idle();
         },
         {"idle", "Walls"}},
        {"redoing attaches the drawing again",
         [](Editing& e) {
             e.manager.removeReactor(e.document);
             const CaseCommand redo(
                 "REDO", [](Editing&) {}, e);
             e.run("_REDO");
             changeWalls(e.db());
             e.idle();
         },
         {"idle", "Walls"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editing e;
        c.act(e);
        EXPECT_EQ(e.log, c.checks);
    }
}

TEST(BackgroundCheck, IdleTimerChecksOnlyWhenTheEditorIsIdle)
{
    // Lets the idle timer fire at the start of every script.
    class ScriptStart : public CKvEditorReactor
    {
    public:
        explicit ScriptStart(std::function<void()> fire) : m_fire(std::move(fire)) {}
        void lispWillStart(OdEdCommandContext*, const OdString&) override { m_fire(); }
        void addRef() override {}
        void release() override {}
        long numRefs() const override { return 1; }

    private:
        std::function<void()> m_fire;
    };
    struct Case
    {
        const char* what;
        // Changes Walls and lets the timer fire in the condition, or not.
        std::function<void(Editing&, std::function<void()> fire)> within;
        Log checks;
    };
    const Case cases[] = {
        {"idle: the change started the timer",
         [](Editing& e, std::function<void()> fire) {
             EXPECT_FALSE(e.manager.isTimerRunning());
             changeWalls(e.db());
             EXPECT_TRUE(e.manager.isTimerRunning());
             fire();
         },
         {"idle", "Walls"}},
        {"a command in progress",
         [](Editing& e, std::function<void()> fire) {
             const ScopedCommand save("QSAVE", [&fire](CKvCommandContext*) {
                 fire();
                 return int(CKvCommand::kResultNormal);
             });
             e.run("_QSAVE");
         },
         {"idle"}},
        {"a modal dialog open",
         [](Editing&, std::function<void()> fire) {
             QDialog dialog;
             QTimer::singleShot(0, &dialog, [&] {
                 fire();
                 dialog.reject();
             });
             dialog.exec();
         },
         {"idle"}},
        {"the document busy",
         [](Editing& e, std::function<void()> fire) {
             e.document->setBusy(true);
             fire();
             e.document->setBusy(false);
         },
         {"idle"}},
        {"the host busy",
         [](Editing& e, std::function<void()> fire) {
             e.processor().setBusy(true);
             fire();
             e.processor().setBusy(false);
         },
         {"idle"}},
        {"a script running: only its end checks",
         [](Editing& e, std::function<void()> fire) {
             ScriptStart start(fire);
             odedEditor()->addReactor(&start);
             e.runScript("");
             odedEditor()->removeReactor(&start);
         },
         {"idle", "Walls"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editing e;
        c.within(e, [&e] {
            changeWalls(e.db());
            e.idle();
        });
        EXPECT_EQ(e.log, c.checks);
    }
    Editing e;
    e.idle();  // nothing changed
    EXPECT_EQ(e.log, Log{"idle"});
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
