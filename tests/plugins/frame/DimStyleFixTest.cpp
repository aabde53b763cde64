// Applying a dimension style fix to the drawing, beyond what the fixes on real content show: the
// annotative flag and a violating style that something else still points at.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvObjectAnnotationContext.h>
#include <DbBlockTableRecord.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbDimension.h>
#include <DbXrecord.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId styleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getDimStyleTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

template <class Entity>
OdDbObjectId addUser(OdDbDatabase& db, OdDbObjectId style)
{
    OdSmartPtr<Entity> entity = Entity::createObject();
    entity->setDimensionStyle(style);
    return OdDbBlockTableRecordPtr(db.getModelSpaceId().safeOpenObject(OdDb::kForWrite))
        ->appendOdDbEntity(entity.get());
}

OdDbObjectId styleOfDimension(OdDbObjectId id)
{
    return OdDbDimensionPtr(id.safeOpenObject())->dimensionStyle();
}

// Standards whose Standard has DIMASZ 4.5.
OdDbDatabasePtr makeStandards()
{
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    dimStyle(*standards, "Standard")->setDimasz(4.5);
    return standards;
}

struct Scene
{
    CheckScope scope;
    CKvDimStylePluginImpl plugin;
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = makeStandards();
    std::vector<Violation> found;

    const Violation& check(const char* violating)
    {
        found = CheckScope::check(plugin, drawing, {scope.save(standards.get(), "s.dws")});
        return violationOf(found, violating);
    }
    void fix(const Violation& violation, OdSmartPtr<CKvStdsFix> fix)
    {
        CKvString message("not cleared");
        plugin.FixError(violation.error, fix, message);
        EXPECT_TRUE(message.isEmpty());
    }
};

}  // namespace

TEST(DimStyleFixError, MergingKeepsTheOldStyleWhileAnotherObjectPointsAtIt)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    const OdDbObjectId myDim = dimStyle(db, "MyDim")->objectId();
    const OdDbObjectId standard = styleId(db, "Standard");
    const OdDbObjectId dimension = addUser<OdDbDimension>(db, myDim);
    OdDbDictionaryPtr root = db.getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
    OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
    root->setAt(OdString("KV_USES_MYDIM"), xrecord.get());
    OdResBufPtr chain = OdResBuf::newRb(340);
    chain->setHandle(static_cast<OdUInt64>(myDim.getHandle()));
    xrecord->setFromRbChain(chain.get());
    const Violation& violation = scene.check("MyDim");
    scene.fix(violation, fixNamed(violation, "Standard"));

    EXPECT_EQ(styleOfDimension(dimension), standard);
    // MyDim stays, with the values of the standards Standard.
    EXPECT_EQ(styleId(db, "MyDim"), myDim);
    EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(myDim.safeOpenObject())->dimasz(), 4.5);
}

TEST(DimStyleFixError, APropertiesFixRewritesTheStyleInPlaceAnnotativeFlagIncluded)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    // The drawing's Standard differs and is annotative where the standards Standard is not.
    OdDbDimStyleTableRecordPtr ownStandard = dimStyle(db, "Standard");
    ownStandard->setDimasz(9.0);
    const OdDbObjectId standard = ownStandard->objectId();
    CKvObjectAnnotationContext::SetAnnotative(standard, true, false);
    ownStandard.release();
    const OdDbObjectId dimension = addUser<OdDbDimension>(db, standard);
    const Violation& violation = scene.check("Standard");
    ASSERT_GE(violation.recommended, 0);
    scene.fix(violation, violation.fixes[violation.recommended]);

    EXPECT_EQ(styleId(db, "Standard"), standard);
    EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(standard.safeOpenObject())->dimasz(), 4.5);
    EXPECT_FALSE(CKvObjectAnnotationContext::IsAnnotative(standard, nullptr));
    EXPECT_EQ(styleOfDimension(dimension), standard);
    // Nothing is left to show.
    std::vector<CKvString> names;
    std::vector<CKvString> extra;
    OdArray<OdSmartPtr<OdResBuf>> errorValues;
    OdArray<OdSmartPtr<OdResBuf>> fixValues;
    scene.plugin.GetPropertyDiffs(violation.error, violation.fixes[violation.recommended], names,
                                  errorValues, fixValues, extra);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(errorValues.isEmpty());
    EXPECT_TRUE(fixValues.isEmpty());
}
