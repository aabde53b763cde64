// Applying a dimension style fix to the drawing: every property of the standards style copied
// into the violating style and the drawing's variables (with the records it names), the style
// renamed or its dimensions and leaders moved to the style of the standards name, the current
// style kept valid and the old style purged.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvObjectAnnotationContext.h>
#include <DbBlockTableRecord.h>
#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbDimension.h>
#include <DbLeader.h>
#include <DbTextStyleTableRecord.h>
#include <DbXrecord.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId styleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getDimStyleTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

OdDbObjectId addTextStyle(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbTextStyleTableRecordPtr record = OdDbTextStyleTableRecord::createObject();
    record->setName(OdString(name));
    return table->add(record.get());
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

// The name of the record an id names, and whether it belongs to `db`.
std::string nameIn(OdDbDatabase& db, OdDbObjectId id)
{
    if (id.isNull()) {
        return "<null>";
    }
    if (id.database() != &db) {
        return "<another drawing>";
    }
    return OdDbSymbolTableRecordPtr(id.safeOpenObject())->getName().toUtf8();
}

// Standards with ISO-25 and Standard: ISO-25 names a text style Notes, an arrow block Tick and a
// line style FENCE, has DIMASZ 3.5 and is annotative; Standard has DIMASZ 4.5.
OdDbDatabasePtr makeStandards()
{
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
    const OdDbObjectId notes = addTextStyle(*standards, "Notes");
    const OdDbObjectId tick = addBlock(*standards, "Tick");
    const OdDbObjectId fence = addLineStyle(standards.get(), "FENCE", {2.0, -1.0});
    OdDbDimStyleTableRecordPtr iso = dimStyle(*standards, "ISO-25");
    iso->setDimasz(3.5);
    iso->setDimtxsty(notes);
    iso->setDimblk(tick);
    iso->setDimldrblk(tick);
    iso->setDimltype(fence);
    iso->setDimltex1(fence);
    CKvObjectAnnotationContext::SetAnnotative(iso->objectId(), true, false);
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

TEST(DimStyleFixError, WithoutTheStandardsNameTheStyleTakesItAndEverythingTheStandardsStyleNames)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    const OdDbObjectId myDim = dimStyle(db, "MyDim")->objectId();
    // The drawing has a text style Notes of its own: that one is used, not copied again.
    const OdDbObjectId ownNotes = addTextStyle(db, "Notes");
    const OdDbObjectId dimension = addUser<OdDbDimension>(db, myDim);
    const Violation& violation = scene.check("MyDim");
    scene.fix(violation, fixNamed(violation, "ISO-25"));

    EXPECT_EQ(styleId(db, "ISO-25"), myDim);
    EXPECT_TRUE(styleId(db, "MyDim").isNull());
    EXPECT_EQ(styleOfDimension(dimension), myDim);
    OdDbDimStyleTableRecordPtr fixed = myDim.safeOpenObject();
    EXPECT_DOUBLE_EQ(fixed->dimasz(), 3.5);
    EXPECT_EQ(fixed->dimtxsty(), ownNotes);
    EXPECT_EQ(nameIn(db, fixed->dimblk()), "Tick");
    EXPECT_EQ(nameIn(db, fixed->dimldrblk()), "Tick");
    EXPECT_EQ(nameIn(db, fixed->dimltype()), "FENCE");
    EXPECT_EQ(nameIn(db, fixed->dimltex1()), "FENCE");
    EXPECT_EQ(nameIn(db, fixed->dimltex2()), "<null>");
    EXPECT_TRUE(CKvObjectAnnotationContext::IsAnnotative(myDim, nullptr));
    // The drawing's own dimension variables take the values too.
    EXPECT_DOUBLE_EQ(db.dimasz(), 3.5);
    EXPECT_EQ(db.dimtxsty(), ownNotes);
    EXPECT_EQ(nameIn(db, db.dimblk()), "Tick");
    // Nothing is left to show.
    std::vector<CKvString> names;
    std::vector<CKvString> extra;
    OdArray<OdSmartPtr<OdResBuf>> errorValues;
    OdArray<OdSmartPtr<OdResBuf>> fixValues;
    scene.plugin.GetPropertyDiffs(violation.error, fixNamed(violation, "ISO-25"), names,
                                  errorValues, fixValues, extra);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(errorValues.isEmpty());
    EXPECT_TRUE(fixValues.isEmpty());
}

TEST(DimStyleFixError, MergingMovesDimensionsAndLeadersAndPurgesTheOldStyleWhenUnused)
{
    for (const bool referencedElsewhere : {false, true}) {
        SCOPED_TRACE(referencedElsewhere ? "MyDim also named by an xrecord" : "MyDim unused");
        Scene scene;
        OdDbDatabase& db = *scene.drawing;
        const OdDbObjectId myDim = dimStyle(db, "MyDim")->objectId();
        const OdDbObjectId standard = styleId(db, "Standard");
        const double standardArrow =
            OdDbDimStyleTableRecordPtr(standard.safeOpenObject())->dimasz();
        std::vector<OdDbObjectId> dimensions;
        for (int i = 0; i < 3; ++i) {
            dimensions.push_back(addUser<OdDbDimension>(db, myDim));
        }
        const OdDbObjectId leader = addUser<OdDbLeader>(db, myDim);
        db.setDIMSTYLE(myDim);
        if (referencedElsewhere) {
            OdDbDictionaryPtr root =
                db.getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
            OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
            root->setAt(OdString("KV_USES_MYDIM"), xrecord.get());
            OdResBufPtr chain = OdResBuf::newRb(340);
            chain->setHandle(static_cast<OdUInt64>(myDim.getHandle()));
            xrecord->setFromRbChain(chain.get());
        }
        const Violation& violation = scene.check("MyDim");
        scene.fix(violation, fixNamed(violation, "Standard"));

        for (const OdDbObjectId& dimension : dimensions) {
            EXPECT_EQ(styleOfDimension(dimension), standard);
        }
        EXPECT_EQ(OdDbLeaderPtr(leader.safeOpenObject())->dimensionStyle(), standard);
        EXPECT_EQ(db.getDIMSTYLE(), standard);
        EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(standard.safeOpenObject())->dimasz(),
                         standardArrow);
        EXPECT_EQ(styleId(db, "MyDim").isNull(), !referencedElsewhere);
        if (referencedElsewhere) {
            EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(myDim.safeOpenObject())->dimasz(), 4.5);
        }
    }
}

TEST(DimStyleFixError, APropertiesFixRewritesTheStyleInPlaceAnnotativeFlagIncluded)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    // The drawing's ISO-25 differs and is annotative where the standards Standard is not.
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
}

TEST(DimStyleFixError, NothingChangesWithoutAFixToApply)
{
    Scene scene;
    OdDbDatabase& db = *scene.drawing;
    dimStyle(db, "Standard")->setDimasz(9.0);
    const Violation& violation = scene.check("Standard");
    CKvString message;
    // Outside the preparation of the candidates no fix is recommended.
    scene.plugin.FixError(violation.error, OdSmartPtr<CKvStdsFix>(), message);
    scene.plugin.FixError(OdSmartPtr<CKvStdsError>(), violation.fixes[0], message);
    EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(styleId(db, "Standard").safeOpenObject())->dimasz(),
                     9.0);
}
