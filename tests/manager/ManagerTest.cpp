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
#include <QStringList>
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

// A drawing with the layer Walls, open as the current document, watched by a manager published
// for the scope. play() takes steps separated by blanks: "change" recolours Walls outside any
// command, "idle" lets the idle timer fire (noted as "idle"), "detach" takes the drawing from the
// manager, "timer-on" and "timer-off" check the timer, "script:A,B" runs a script of commands,
// "modal", "busy-document" and "busy-host" change Walls and let the timer fire while a modal
// dialog is open or the document or host is busy, "script-start" does so when a script starts,
// anything else runs that command. Of the commands, ZCHANGE, LOADSCRIPT, REDO, REDON, and those
// that save or verify (QSAVE, SAVE, SAVEAS, VERIFYSTANDARDS, DRAWINGSTANDARDS) recolour Walls,
// ZOUTER runs ZCHANGE, ZCANCEL recolours Walls and is cancelled, ZFIRE changes Walls and lets the
// timer fire, ZNOTES adds a dictionary and an xrecord, ZDIM changes the dimension style Standard
// and ZSAME writes it back unchanged; ZNOTHING, INSERTBLOCK and -INSERTBLOCK do nothing.
class Editing : public CKvEditorReactor
{
public:
    Editing()
    {
        OdDbDatabasePtr drawing = OdDbDatabase::createObject();
        OdDbSymbolTablePtr layers = drawing->getLayerTableId().safeOpenObject(OdDb::kForWrite);
        OdDbLayerTableRecordPtr walls = OdDbLayerTableRecord::createObject();
        walls->setName(OdString("Walls"));
        layers->add(walls.get());
        const QString file = m_folder.filePath("drawing.dxf");
        drawing->writeFile(CKvString(file).toOdString());
        document = services.services.documentManager()->open(CKvString(file));
        SetKvStandardManager(&manager);
        odedEditor()->addReactor(manager.editorReactor());
        manager.addReactor(document);
        const auto dimension = [this] {
            return OdDbDimStyleTableRecordPtr(record(db().getDimStyleTableId(), "Standard"));
        };
        const std::pair<const char*, std::function<void()>> commands[] = {
            {"INTERSTATEVERIFY", [this] { check(); }},
            {"ZCHANGE", [this] { play("change"); }},
            {"LOADSCRIPT", [this] { play("change"); }},
            {"QSAVE", [this] { play("change"); }},
            {"REDO", [this] { play("change"); }},
            {"REDON", [this] { play("change"); }},
            {"SAVE", [this] { play("change"); }},
            {"SAVEAS", [this] { play("change"); }},
            {"VERIFYSTANDARDS", [this] { play("change"); }},
            {"DRAWINGSTANDARDS", [this] { play("change"); }},
            {"ZOUTER", [this] { play("ZCHANGE"); }},
            {"ZCANCEL",
             [this] {
                 play("change");
                 throw OdEdCancel();
             }},
            {"ZFIRE", [this] { play("change idle"); }},
            {"ZNOTES",
             [this] {
                 OdDbDictionaryPtr root =
                     db().getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
                 OdDbDictionaryPtr mine = OdDbDictionary::createObject();
                 root->setAt(OdString("KV_NOTES"), mine.get());
                 mine->setAt(OdString("NOTE"), OdDbXrecord::createObject().get());
             }},
            {"ZDIM", [dimension] { dimension()->setDimasz(9.0); }},
            {"ZSAME",
             [dimension] {
                 const OdDbDimStyleTableRecordPtr style = dimension();
                 style->setDimasz(style->dimasz());
             }},
            {"ZNOTHING", [] {}},
            {"INSERTBLOCK", [] {}},
            {"-INSERTBLOCK", [] {}},
        };
        for (const auto& command : commands) {
            m_commands.emplace_back(command.first, [body = command.second](CKvCommandContext*) {
                body();
                return int(CKvCommand::kResultNormal);
            });
        }
    }
    ~Editing() override
    {
        manager.removeReactor(document);
        odedEditor()->removeReactor(manager.editorReactor());
        SetKvStandardManager(nullptr);
    }
    Editing(const Editing&) = delete;
    Editing& operator=(const Editing&) = delete;

    OdDbDatabase& db() { return *document->database(); }
    CKvCommandProcessor& processor() { return services.services.commandProcessor(); }

    void play(const std::string& steps)
    {
        for (const QString& step : QString::fromStdString(steps).split(' ', Qt::SkipEmptyParts)) {
            playStep(step);
        }
    }

    Log log;
    ServicesScope services;
    CKvStdsManagerImpl manager;
    CKvDocument* document = nullptr;

    void lispWillStart(OdEdCommandContext*, const OdString&) override { play(m_atScriptStart); }
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

private:
    void playStep(const QString& step)
    {
        if (step == "change") {
            OdDbLayerTableRecordPtr(record(db().getLayerTableId(), "Walls"))
                ->setColor(OdCmColor::fromIndex(2));
        } else if (step == "idle") {
            log.push_back("idle");
            manager.timerTimeout();
        } else if (step == "detach") {
            manager.removeReactor(document);
        } else if (step.startsWith("timer-")) {
            EXPECT_EQ(manager.isTimerRunning(), step == "timer-on");
        } else if (step.startsWith("script:")) {
            processor().runScript(CKvString(step.mid(7).replace(',', '\n')));
        } else if (step == "modal") {
            QDialog dialog;
            QTimer::singleShot(0, &dialog, [&] {
                play("change idle");
                dialog.reject();
            });
            dialog.exec();
        } else if (step == "busy-document") {
            document->setBusy(true);
            play("change idle");
            document->setBusy(false);
        } else if (step == "busy-host") {
            processor().setBusy(true);
            play("change idle");
            processor().setBusy(false);
        } else if (step == "script-start") {
            m_atScriptStart = "change idle";
            odedEditor()->addReactor(this);
            processor().runScript(CKvString());
            odedEditor()->removeReactor(this);
        } else {
            processor().runCommand(CKvString(step));
        }
    }

    // The background check's stand-in.
    void check()
    {
        std::string names;
        for (const OdDbObjectId& id : manager.getSet()) {
            const OdDbObjectPtr object = id.safeOpenObject();
            const OdDbSymbolTableRecordPtr named = OdDbSymbolTableRecord::cast(object.get());
            names += (names.empty() ? "" : " ") +
                     (named.isNull() ? object->isA()->dxfName() : named->getName()).toUtf8();
        }
        log.push_back(names.empty() ? "-" : names);
        manager.clearSet();
    }

    QTemporaryDir m_folder;
    std::list<ScopedCommand> m_commands;
    std::string m_atScriptStart;
};

struct Case
{
    const char* what;
    const char* steps;
    Log checks;
};

void playCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editing e;
        e.play(c.steps);
        EXPECT_EQ(e.log, c.checks);
    }
}

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
    playCases({
        {"a command that changes a layer", "ZCHANGE", {"Walls"}},
        {"a nested command leaves the check to the outer one", "ZOUTER", {"Walls"}},
        {"a cancelled command", "ZCANCEL idle", {"idle"}},
        {"xrecords and dictionaries", "ZNOTES", {}},
        {"a dimension style changed", "ZDIM", {"Standard"}},
        {"a dimension style written back unchanged", "ZSAME", {}},
        {"a script: once, when it ends", "script:ZNOTHING,ZCHANGE", {"Walls"}},
        {"a script stopped by an unknown command", "script:ZCHANGE,ZNONE idle", {"idle"}},
        {"_LOADSCRIPT ending inside a script, and the script's end",
         "script:LOADSCRIPT",
         {"Walls", "-"}},
        {"inserting a block keeps what was changed before it", "change INSERTBLOCK", {"Walls"}},
        {"inserting a block from the command line too", "change -INSERTBLOCK", {"Walls"}},
        {"any other command starts afresh", "change ZNOTHING idle", {"idle"}},
        {"saving or verifying checks nothing and stops the idle timer",
         "QSAVE timer-off SAVE timer-off SAVEAS timer-off VERIFYSTANDARDS timer-off "
         "DRAWINGSTANDARDS timer-off",
         {}},
        {"redoing checks nothing and leaves its changes to the idle check",
         "REDO idle",
         {"idle", "Walls"}},
        {"redoing attaches the drawing again", "detach REDO change idle", {"idle", "Walls"}},
        {"redoing several steps too", "detach REDON change idle", {"idle", "Walls"}},
    });
}

TEST(BackgroundCheck, IdleTimerChecksOnlyWhenTheEditorIsIdle)
{
    playCases({
        {"idle: the change started the timer", "timer-off change timer-on idle", {"idle", "Walls"}},
        {"nothing changed", "idle", {"idle"}},
        {"a command in progress: its end checks", "ZFIRE", {"idle", "Walls"}},
        {"a modal dialog open", "modal", {"idle"}},
        {"the document busy", "busy-document", {"idle"}},
        {"the host busy", "busy-host", {"idle"}},
        {"a script running: only its end checks", "script-start", {"idle", "Walls"}},
    });
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
