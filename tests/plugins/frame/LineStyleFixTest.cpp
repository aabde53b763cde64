// Applying a line style fix to the drawing, beyond what the fixes on real content show: the fixes
// that change nothing.
#include "PluginCheck.h"

#include <CKvLineStylePluginImpl.h>
#include <DbEntity.h>

#include <gtest/gtest.h>

TEST(LineStyleFixError, NothingChangesWithoutAnErrorOrTheStandardsLineStyleNorForABuiltInOne)
{
    // The drawing's line style OLD is used by a line in a block, a layer and as the current line
    // style; the standards have FENCE.
    CheckScope scope;
    CKvLineStylePluginImpl plugin;
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    addLineStyle(standards.get(), "FENCE", {2.0, -1.0});
    const OdDbObjectId old = addLineStyle(drawing.get(), "OLD", {1.0, -0.5, 0.0, -0.5});
    const OdDbObjectId layer = addLayer(drawing.get(), "Site", indexColor(3), "OLD");
    const OdDbObjectId line = addLineOn(addBlock(*drawing, "Detail"), layer);
    OdDbEntityPtr(line.safeOpenObject(OdDb::kForWrite))->setLinetype(old);
    const OdDbObjectId onContinuous = addLineOn(drawing->getModelSpaceId(), layer);
    OdDbEntityPtr(onContinuous.safeOpenObject(OdDb::kForWrite))
        ->setLinetype(drawing->getLinetypeContinuousId());
    drawing->setCELTYPE(old);

    const std::vector<Violation> found =
        CheckScope::check(plugin, drawing, {scope.save(standards.get(), "s.dws")});
    const Violation& violation = violationOf(found, "OLD");
    CKvString message;
    // A name violation has no recommended fix.
    plugin.FixError(violation.error, OdSmartPtr<CKvStdsFix>(), message);
    plugin.FixError(OdSmartPtr<CKvStdsError>(), fixNamed(violation, "FENCE"), message);
    // A fix from a standards file that is gone.
    OdSmartPtr<CKvStdsFix> elsewhere = fixNamed(violation, "FENCE");
    elsewhere->SetStandardsFile(scope.missing("gone.dws"));
    plugin.FixError(violation.error, elsewhere, message);
    // The users of Continuous never move to another line style.
    OdSmartPtr<CKvStdsError> continuous = CKvStdsError::createObject();
    continuous->SetDescription(violation.error->GetDescription());
    continuous->SetObjectId(drawing->getLinetypeContinuousId());
    continuous->SetObjectName(CKvString("Continuous"));
    plugin.FixError(continuous, fixNamed(violation, "FENCE"), message);

    OdDbSymbolTablePtr lineStyles = drawing->getLinetypeTableId().safeOpenObject();
    EXPECT_FALSE(lineStyles->has(OdString("FENCE")));
    EXPECT_EQ(OdDbEntityPtr(line.safeOpenObject())->linetypeId(), old);
    EXPECT_EQ(OdDbLayerTableRecordPtr(layer.safeOpenObject())->linetypeObjectId(), old);
    EXPECT_EQ(drawing->getCELTYPE(), old);
    EXPECT_EQ(OdDbEntityPtr(onContinuous.safeOpenObject())->linetypeId(),
              drawing->getLinetypeContinuousId());
}
