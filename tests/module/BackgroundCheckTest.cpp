// The background check in the loaded module: it checks only the objects a command changed, and
// tells the user when something is wrong. When the check runs is the manager's tests' business.
#include "ModuleTestUtil.h"

#include <CKvCommand.h>
#include <CKvCommandProcessor.h>
#include <CKvStdsManager.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>

#include <QObject>

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <EdCommandStackReactor.h>
#include <StaticRxObject.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// A command of the test that runs `body` on the current drawing.
ScopedCommand changing(const char* name, std::function<void(OdDbDatabase&)> body)
{
    return ScopedCommand(name, [body](CKvCommandContext* context) {
        body(*context->database());
        return int(CKvCommand::kResultNormal);
    });
}

// Counts the runs of the background check.
class CheckRuns : public OdStaticRxObject<OdEdCommandStackReactor>
{
public:
    CheckRuns() { odedRegCmds()->addReactor(this); }
    ~CheckRuns() override { odedRegCmds()->removeReactor(this); }
    CheckRuns(const CheckRuns&) = delete;
    CheckRuns& operator=(const CheckRuns&) = delete;
    void commandWillStart(OdEdCommand* command, OdEdCommandContext*) override
    {
        count += command->globalName() == OdString(L"_INTERSTATEVERIFY") ? 1 : 0;
    }
    int count = 0;
};

void setLayerColor(OdDbDatabase& db, const char* name, int color)
{
    OdDbSymbolTablePtr layers = db.getLayerTableId().safeOpenObject();
    OdDbLayerTableRecordPtr layer = layers->getAt(OdString(name), OdDb::kForWrite);
    layer->setColor(OdCmColor::fromIndex(color));
}

void setArrowSize(OdDbDatabase& db, double size)
{
    OdDbSymbolTablePtr styles = db.getDimStyleTableId().safeOpenObject();
    OdDbDimStyleTableRecordPtr standard = styles->getAt(OdString("Standard"), OdDb::kForWrite);
    standard->setDimasz(size);
}

// A drawing associated with a standards file whose layer Walls is red, as the drawing's is. The
// drawing's layer Doors, unknown to the standards, violates them from the start (unless told
// otherwise): a background check that looked beyond what changed would report it.
struct Scene
{
    HostScope host;
    LoadedModule module;
    CheckRuns runs;
    CKvDocument* document = nullptr;

    explicit Scene(bool withDoors = true)
    {
        const std::string standards = host.path("std/walls.dws");
        {
            OdDbDatabasePtr db = OdDbDatabase::createObject();
            addLayer(*db, "Walls", 1);
            db->writeFile(OdString(standards.c_str()));
        }
        const std::string drawing = host.writeDrawing("drawing.dxf", {{"1", 1, standards}});
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing.c_str()));
        if (withDoors) {
            addLayer(*db, "Doors", 3);
        }
        addLayer(*db, "Walls", 1);
        db->writeFile(OdString(drawing.c_str()));
        module.load();
        document = host.open(drawing);
    }
    int run(const char* command)
    {
        return host.services.commandProcessor().runCommand(CKvString(command));
    }
};

}  // namespace

TEST(BackgroundCheck, OnlyWhatACommandChangedIsCheckedAndTheUserAskedAboutIt)
{
    struct Case
    {
        const char* what;
        std::function<void(OdDbDatabase&)> change;
        bool showViolations;
        int checks;
        std::vector<std::string> shown;
    };
    const std::vector<std::string> declined = {"CKvStandardViolationMessage"};
    const Case cases[] = {
        {"layer recoloured, the user declines",
         [](OdDbDatabase& db) { setLayerColor(db, "Walls", 2); }, false, 1, declined},
        {"layer recoloured, the user asks to see it: Walls alone",
         [](OdDbDatabase& db) { setLayerColor(db, "Walls", 2); },
         true,
         1,
         {"CKvStandardViolationMessage", "CKvVerifyStandards Walls"}},
        {"layer recoloured to its standard colour: Doors is not reported",
         [](OdDbDatabase& db) { setLayerColor(db, "Walls", 1); },
         true,
         1,
         {}},
        {"a new layer unknown to the standards",
         [](OdDbDatabase& db) { addLayer(db, "Roof", 3); },
         true,
         1,
         {"CKvStandardViolationMessage", "CKvVerifyStandards Roof"}},
        {"nothing changed", [](OdDbDatabase&) {}, false, 0, {}},
        {"dimension style written back unchanged",
         [](OdDbDatabase& db) { setArrowSize(db, db.dimasz() + 0.0); },
         false,
         0,
         {}},
        {"dimension style changed", [](OdDbDatabase& db) { setArrowSize(db, 9.0); }, false, 1,
         declined},
        {"layer recoloured, but the background check is off",
         [](OdDbDatabase& db) {
             db.setSysVar(OdString("STANDARDSVIOLATION"), OdResBuf::newRb(5003, OdInt16(0)).get());
             setLayerColor(db, "Walls", 2);
         },
         true,
         1,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene;
        const ScopedCommand command = changing("KVTEST_CHANGE", c.change);
        ModalAnswers answers(c.showViolations);
        EXPECT_EQ(scene.run("KVTEST_CHANGE"), CKvCommand::kResultNormal);
        EXPECT_EQ(scene.runs.count, c.checks);
        EXPECT_EQ(answers.shown, c.shown);
    }
}

// The drawing's switch for the background check does not stop it either.
TEST(BackgroundCheck, VerifyStandardsShowsTheDialogEvenWithNothingFound)
{
    for (const bool withDoors : {false, true}) {
        SCOPED_TRACE(withDoors ? "Doors, the background check off" : "nothing to find");
        Scene scene(withDoors);
        scene.document->database()->setSysVar(OdString("STANDARDSVIOLATION"),
                                              OdResBuf::newRb(5003, OdInt16(0)).get());
        ModalAnswers answers;
        EXPECT_EQ(scene.run("VERIFYSTANDARDS"), CKvCommand::kResultNormal);
        // Nothing to walk through: the summary comes at once, over the dialog.
        const std::vector<std::string> shown =
            withDoors ? std::vector<std::string>{"CKvVerifyStandards Doors"}
                      : std::vector<std::string>{"CKvVerfiyCompleteMessage", "CKvVerifyStandards"};
        EXPECT_EQ(answers.shown, shown);
        EXPECT_EQ(scene.runs.count, 0);
    }
}

TEST(BackgroundCheck, ACheckThatFailsLeavesNothingToCheckAgain)
{
    Scene scene;
    const ScopedCommand command = changing("KVTEST_BREAK", [](OdDbDatabase& db) {
        setLayerColor(db, "Walls", 2);
        // The association can no longer be read: its entry is not a dictionary.
        OdDbDictionaryPtr root = db.getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        root->setAt(OdString("AcStStandard"), OdDbXrecord::createObject().get());
    });
    ModalAnswers answers;
    scene.run("KVTEST_BREAK");
    EXPECT_EQ(scene.runs.count, 1);
    CKvStdsManager* manager = GetKvStandardManager();
    EXPECT_FALSE(manager->insideProcessing());
    // The timer finds nothing left to check.
    QMetaObject::invokeMethod(dynamic_cast<QObject*>(manager), "timerTimeout");
    EXPECT_EQ(scene.runs.count, 1);
}
