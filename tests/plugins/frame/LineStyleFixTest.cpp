// Applying a line style fix to the drawing: the standards line style brought in (as a new record
// or into the record of its name), the users of the violating line style moved to it, the current
// line style kept valid and the old line style purged; the standards drawing left alone.
#include "PluginCheck.h"

#include <CKvLineStylePluginImpl.h>
#include <DbEntity.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId lineStyleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getLinetypeTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

std::vector<double> dashesOf(OdDbObjectId lineStyle)
{
    OdDbLinetypeTableRecordPtr record = lineStyle.safeOpenObject();
    std::vector<double> dashes;
    for (int i = 0; i < record->numDashes(); ++i) {
        dashes.push_back(record->dashLengthAt(i));
    }
    return dashes;
}

OdDbObjectId lineStyleOfEntity(OdDbObjectId entity)
{
    return OdDbEntityPtr(entity.safeOpenObject())->linetypeId();
}

OdDbObjectId lineStyleOfLayer(OdDbObjectId layer)
{
    return OdDbLayerTableRecordPtr(layer.safeOpenObject())->linetypeObjectId();
}

// A drawing whose line style OLD is used by a line (in a block), a layer and as the current line
// style; the standards have FENCE (dashes 2, -1) and, as every drawing, Continuous.
struct Scene
{
    CheckScope scope;
    CKvLineStylePluginImpl plugin;
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    OdDbObjectId old;
    OdDbObjectId line;
    OdDbObjectId layer;

    Scene()
    {
        addLineStyle(standards.get(), "FENCE", {2.0, -1.0});
        old = addLineStyle(drawing.get(), "OLD", {1.0, -0.5, 0.0, -0.5});
        layer = addLayer(drawing.get(), "Site", indexColor(3), "OLD");
        line = addLineOn(addBlock(*drawing, "Detail"), layer);
        OdDbEntityPtr(line.safeOpenObject(OdDb::kForWrite))->setLinetype(old);
        drawing->setCELTYPE(old);
    }

    // Checks, then applies the fix of that name to the violation of the named line style.
    void fix(const char* violating, const char* fixName)
    {
        standardsPath = scope.save(standards.get(), "s.dws");
        const std::vector<Violation> found = CheckScope::check(plugin, drawing, {standardsPath});
        const Violation& violation = violationOf(found, violating);
        CKvString message("not cleared");
        plugin.FixError(violation.error, fixNamed(violation, fixName), message);
        EXPECT_TRUE(message.isEmpty());
    }

    void expectUsersOn(OdDbObjectId lineStyle)
    {
        EXPECT_EQ(lineStyleOfEntity(line), lineStyle);
        EXPECT_EQ(lineStyleOfLayer(layer), lineStyle);
        EXPECT_EQ(drawing->getCELTYPE(), lineStyle);
    }

    CKvString standardsPath;
};

}  // namespace

TEST(LineStyleFixError, AStandardsLineStyleTheDrawingLacksComesInAndTakesTheUsersOver)
{
    Scene scene;
    scene.fix("OLD", "FENCE");
    OdDbDatabase& db = *scene.drawing;
    const OdDbObjectId fence = lineStyleId(db, "FENCE");
    ASSERT_FALSE(fence.isNull());
    EXPECT_EQ(dashesOf(fence), (std::vector<double>{2.0, -1.0}));
    scene.expectUsersOn(fence);
    EXPECT_TRUE(lineStyleId(db, "OLD").isNull());
    // The standards drawing as read from its file still has its line style.
    EXPECT_FALSE(lineStyleId(*scene.standards, "FENCE").isNull());
}

TEST(LineStyleFixError, TheDrawingsRecordOfTheStandardsNameKeepsItsIdentity)
{
    struct Case
    {
        const char* what;
        const char* drawingHas;  // the drawing's record of the fix's name, with dashes 5, -5
        const char* violating;
        const char* fixName;
        bool takesStandardsDashes;
    };
    const Case cases[] = {
        {"properties violation, the same-named standards line style", "FENCE", "FENCE", "FENCE",
         true},
        {"name violation, another record of the standards name", "fence", "OLD", "FENCE", true},
        {"name violation fixed with Continuous: the built-in one stays as it is", nullptr, "OLD",
         "Continuous", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene;
        OdDbDatabase& db = *scene.drawing;
        OdDbObjectId target = lineStyleId(db, "Continuous");
        if (c.drawingHas != nullptr) {
            target = addLineStyle(&db, c.drawingHas, {5.0, -5.0});
        }
        const std::vector<double> before = dashesOf(target);
        if (std::string(c.violating) != "OLD") {
            // The drawing's own line style is the one in violation: it has all the users.
            OdDbEntityPtr(scene.line.safeOpenObject(OdDb::kForWrite))->setLinetype(target);
            OdDbLayerTableRecordPtr(scene.layer.safeOpenObject(OdDb::kForWrite))
                ->setLinetypeObjectId(target);
            db.setCELTYPE(target);
        }
        scene.fix(c.violating, c.fixName);

        EXPECT_EQ(lineStyleId(db, c.fixName), target);
        const std::vector<double> standardsDashes = {2.0, -1.0};
        EXPECT_EQ(dashesOf(target), c.takesStandardsDashes ? standardsDashes : before);
        scene.expectUsersOn(target);
        EXPECT_TRUE(lineStyleId(db, "OLD").isNull() || std::string(c.violating) != "OLD");
    }
}

TEST(LineStyleFixError, NothingChangesWithoutAnErrorOrTheStandardsLineStyle)
{
    Scene scene;
    scene.standardsPath = scene.scope.save(scene.standards.get(), "s.dws");
    const std::vector<Violation> found =
        CheckScope::check(scene.plugin, scene.drawing, {scene.standardsPath});
    const Violation& old = violationOf(found, "OLD");
    CKvString message;
    // A name violation has no recommended fix.
    scene.plugin.FixError(old.error, OdSmartPtr<CKvStdsFix>(), message);
    scene.plugin.FixError(OdSmartPtr<CKvStdsError>(), fixNamed(old, "FENCE"), message);
    // A fix from a standards file that is gone.
    OdSmartPtr<CKvStdsFix> elsewhere = fixNamed(old, "FENCE");
    elsewhere->SetStandardsFile(scene.scope.missing("gone.dws"));
    scene.plugin.FixError(old.error, elsewhere, message);

    OdDbDatabase& db = *scene.drawing;
    EXPECT_TRUE(lineStyleId(db, "FENCE").isNull());
    scene.expectUsersOn(scene.old);
}
