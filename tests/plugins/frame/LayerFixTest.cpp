// Applying a layer fix to the drawing, beyond what the fixes on real content show: a missing line
// style loaded from the host's definitions or copied from the standards.
#include "PluginCheck.h"

#include <CKvLayerPluginImpl.h>
#include <DbEntity.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId lineStyleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getLinetypeTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

}  // namespace

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
