// Applying a layer fix to the drawing: the layer rewritten, renamed or merged into the standards
// layer, its entities moved, the current layer kept valid, the old layer and line style purged,
// and a missing line style loaded from the host's definitions or copied from the standards.
#include "PluginCheck.h"

#include <CKvLayerPluginImpl.h>
#include <DbBlockTableRecord.h>
#include <DbLine.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId layerId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getLayerTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

OdDbObjectId lineStyleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getLinetypeTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

OdDbObjectId layerOf(OdDbObjectId entity)
{
    return OdDbEntityPtr(entity.safeOpenObject())->layerId();
}

void expectValues(OdDbObjectId layer, int color, OdDbObjectId lineStyle,
                  OdDb::LineWeight lineWeight)
{
    OdDbLayerTableRecordPtr record = layer.safeOpenObject();
    EXPECT_EQ(record->color().colorIndex(), color);
    EXPECT_EQ(record->linetypeObjectId(), lineStyle);
    EXPECT_EQ(record->lineWeight(), lineWeight);
}

// A drawing whose layer OLD (line style OLDSTYLE) is not in the standards, which have Walls.
struct Scene
{
    CheckScope scope{CKvString(KV_RESOURCE_DIR)};
    CKvLayerPluginImpl plugin;
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    OdDbObjectId inModelSpace;
    OdDbObjectId inBlock;

    Scene()
    {
        addLineStyle(standards.get(), "HIDDEN", {0.25, -0.125});
        addLayer(standards.get(), "Walls", indexColor(5), "HIDDEN", OdDb::kLnWt050);
        addLineStyle(drawing.get(), "OLDSTYLE", {1.0, -0.5});
        const OdDbObjectId old = addLayer(drawing.get(), "OLD", indexColor(3), "OLDSTYLE");
        inModelSpace = addLineOn(drawing->getModelSpaceId(), old);
        inBlock = addLineOn(addBlock(*drawing, "Detail"), old);
        drawing->setCLAYER(old);
    }

    // Checks, then applies the fix of that name to OLD's violation.
    void fixOld(const char* fixName)
    {
        const std::vector<Violation> found =
            CheckScope::check(plugin, drawing, {scope.save(standards.get(), "s.dws")});
        const Violation& old = violationOf(found, "OLD");
        CKvString message("not cleared");
        plugin.FixError(old.error, fixNamed(old, fixName), message);
        EXPECT_TRUE(message.isEmpty());
    }
};

}  // namespace

TEST(LayerFixError, MergingMovesTheEntitiesAndTheCurrentLayerAndPurgesWhatIsUnused)
{
    for (const bool lineStyleShared : {false, true}) {
        SCOPED_TRACE(lineStyleShared ? "OLDSTYLE also used by another layer" : "OLDSTYLE unused");
        Scene scene;
        OdDbDatabase& db = *scene.drawing;
        addLineStyle(&db, "HIDDEN", {0.25, -0.125});
        const OdDbObjectId walls = addLayer(&db, "Walls", indexColor(1), "Continuous");
        if (lineStyleShared) {
            addLayer(&db, "Keep", indexColor(2), "OLDSTYLE");
        }
        scene.fixOld("Walls");

        expectValues(walls, 5, lineStyleId(db, "HIDDEN"), OdDb::kLnWt050);
        EXPECT_EQ(layerOf(scene.inModelSpace), walls);
        EXPECT_EQ(layerOf(scene.inBlock), walls);
        EXPECT_EQ(db.getCLAYER(), walls);
        EXPECT_TRUE(layerId(db, "OLD").isNull());
        EXPECT_EQ(lineStyleId(db, "OLDSTYLE").isNull(), !lineStyleShared);
    }
}

TEST(LayerFixError, WithoutTheStandardsNameTheLayerIsRenamedAndKeepsItsEntities)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    const OdDbObjectId old = layerId(db, "OLD");
    scene.fixOld("Walls");

    EXPECT_EQ(layerId(db, "Walls"), old);
    EXPECT_TRUE(layerId(db, "OLD").isNull());
    // HIDDEN was missing from the drawing: it comes from the host's inch.lin.
    ASSERT_FALSE(lineStyleId(db, "HIDDEN").isNull());
    expectValues(old, 5, lineStyleId(db, "HIDDEN"), OdDb::kLnWt050);
    EXPECT_EQ(layerOf(scene.inModelSpace), old);
    EXPECT_EQ(db.getCLAYER(), old);
    EXPECT_FALSE(lineStyleId(db, "OLDSTYLE").isNull());  // nothing is purged
}

TEST(LayerFixError, APropertiesFixRewritesTheLayerInPlace)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    const OdDbObjectId walls = addLayer(&db, "WALLS", indexColor(1), "OLDSTYLE");
    const OdDbObjectId line = addLineOn(db.getModelSpaceId(), walls);
    const std::vector<Violation> found = CheckScope::check(
        scene.plugin, scene.drawing, {scene.scope.save(scene.standards.get(), "s.dws")});
    const Violation& violation = violationOf(found, "WALLS");
    ASSERT_GE(violation.recommended, 0);
    CKvString message;
    scene.plugin.FixError(violation.error, violation.fixes[violation.recommended], message);

    EXPECT_EQ(layerId(db, "Walls"), walls);
    EXPECT_EQ(OdDbLayerTableRecordPtr(walls.safeOpenObject())->getName(), OdString("WALLS"));
    expectValues(walls, 5, lineStyleId(db, "HIDDEN"), OdDb::kLnWt050);
    EXPECT_EQ(layerOf(line), walls);
    EXPECT_FALSE(lineStyleId(db, "OLDSTYLE").isNull());
}

TEST(LayerFixError, AMissingLineStyleComesFromTheDefinitionsOfTheMeasurementSystemElseTheStandards)
{
    struct Case
    {
        const char* what;
        const char* lineStyle;
        int measurement;
        bool resources;    // the host has its resources folder with inch.lin and mm.lin
        double firstDash;  // of the line style the layer gets; 0: it keeps its own
    };
    const Case cases[] = {
        {"imperial drawing: inch.lin", "BORDER2", 0, true, 0.25},
        {"metric drawing: mm.lin", "BORDER2", 1, true, 6.35},
        {"defined in mm.lin only, imperial drawing: the standards' copy", "ISO_DASH", 0, true, 7.0},
        {"in no definition file: the standards' copy", "COMPANY", 1, true, 7.0},
        {"no definition file at all: the layer keeps its line style", "BORDER2", 0, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope(c.resources ? CKvString(KV_RESOURCE_DIR) : CKvString());
        CKvLayerPluginImpl plugin;
        OdDbDatabasePtr drawing = OdDbDatabase::createObject();
        OdDbDatabasePtr standards = OdDbDatabase::createObject();
        drawing->setMEASUREMENT(c.measurement);
        // The standards' own definition, unlike the host's.
        addLineStyle(standards.get(), c.lineStyle, {7.0, -1.0});
        addLayer(standards.get(), "Walls", indexColor(5), c.lineStyle, OdDb::kLnWt050);
        addLineStyle(drawing.get(), "OLDSTYLE", {1.0, -0.5});
        const OdDbObjectId walls = addLayer(drawing.get(), "Walls", indexColor(1), "OLDSTYLE");

        const std::vector<Violation> found =
            CheckScope::check(plugin, drawing, {scope.save(standards.get(), "s.dws")});
        const Violation& violation = violationOf(found, "Walls");
        ASSERT_GE(violation.recommended, 0);
        CKvString message;
        plugin.FixError(violation.error, violation.fixes[violation.recommended], message);

        OdDbLayerTableRecordPtr layer = walls.safeOpenObject();
        EXPECT_EQ(layer->color().colorIndex(), 5);
        EXPECT_EQ(layer->lineWeight(), OdDb::kLnWt050);
        if (c.firstDash == 0.0) {
            EXPECT_EQ(layer->linetypeObjectId(), lineStyleId(*drawing, "OLDSTYLE"));
            EXPECT_TRUE(lineStyleId(*drawing, c.lineStyle).isNull());
            continue;
        }
        ASSERT_EQ(layer->linetypeObjectId(), lineStyleId(*drawing, c.lineStyle));
        OdDbLinetypeTableRecordPtr lineStyle = layer->linetypeObjectId().safeOpenObject();
        EXPECT_DOUBLE_EQ(lineStyle->dashLengthAt(0), c.firstDash);
    }
}

TEST(LayerFixError, NothingChangesWithoutAnErrorOrValuesToApply)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    const std::vector<Violation> found = CheckScope::check(
        scene.plugin, scene.drawing, {scene.scope.save(scene.standards.get(), "s.dws")});
    const Violation& old = violationOf(found, "OLD");
    CKvString message;
    // A name violation has no recommended fix.
    scene.plugin.FixError(old.error, OdSmartPtr<CKvStdsFix>(), message);
    scene.plugin.FixError(OdSmartPtr<CKvStdsError>(), fixNamed(old, "Walls"), message);
    EXPECT_FALSE(layerId(db, "OLD").isNull());
    EXPECT_TRUE(layerId(db, "Walls").isNull());
    expectValues(layerId(db, "OLD"), 3, lineStyleId(db, "OLDSTYLE"), OdDb::kLnWtByLwDefault);
}
