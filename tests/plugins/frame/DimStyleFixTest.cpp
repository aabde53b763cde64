// Applying a dimension style fix to the drawing, beyond what the fixes on real content show: a
// violating style that something else still points at.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <DbBlockTableRecord.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbDimension.h>
#include <DbXrecord.h>

#include <gtest/gtest.h>

TEST(DimStyleFixError, MergingKeepsTheOldStyleWhileAnotherObjectPointsAtIt)
{
    CheckScope scope;
    CKvDimStylePluginImpl plugin;
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    dimStyle(*standards, "Standard")->setDimasz(4.5);
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId myDim = dimStyle(*db, "MyDim")->objectId();
    const OdDbObjectId standard = dimStyle(*db, "Standard")->objectId();
    OdDbDimensionPtr dimension = OdDbDimension::createObject();
    dimension->setDimensionStyle(myDim);
    const OdDbObjectId dimensionId =
        OdDbBlockTableRecordPtr(db->getModelSpaceId().safeOpenObject(OdDb::kForWrite))
            ->appendOdDbEntity(dimension.get());
    dimension.release();
    // Another program's object points at MyDim.
    OdDbDictionaryPtr root = db->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
    OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
    root->setAt(OdString("KV_USES_MYDIM"), xrecord.get());
    OdResBufPtr chain = OdResBuf::newRb(340);
    chain->setHandle(static_cast<OdUInt64>(myDim.getHandle()));
    xrecord->setFromRbChain(chain.get());
    const std::vector<Violation> found =
        CheckScope::check(plugin, db, {scope.save(standards.get(), "s.dws")});
    const Violation& violation = violationOf(found, "MyDim");
    CKvString message("not cleared");
    plugin.FixError(violation.error, fixNamed(violation, "Standard"), message);
    EXPECT_TRUE(message.isEmpty());

    EXPECT_EQ(OdDbDimensionPtr(dimensionId.safeOpenObject())->dimensionStyle(), standard);
    // MyDim stays, with the values of the standards Standard.
    EXPECT_EQ(
        OdDbSymbolTablePtr(db->getDimStyleTableId().safeOpenObject())->getAt(OdString("MyDim")),
        myDim);
    EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(myDim.safeOpenObject())->dimasz(), 4.5);
}
