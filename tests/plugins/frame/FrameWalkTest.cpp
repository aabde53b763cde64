// The walk every plug-in shares, driven on the layer plug-in: restricted checks, resuming from
// an error, Clear, and the standards records kept from one check to the next.
#include "PluginCheck.h"

#include <CKvLayerPluginImpl.h>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// Standards: layer Walls (red). Drawing: A, B and C (name violations), Walls (green), a hidden
// layer and a layer of an external reference.
struct Walk
{
    CheckScope scope;
    CKvLayerPluginImpl plugin;
    OdDbDatabasePtr drawing;
    CKvString standards;
    OdDbObjectId a, b, c, walls, hidden, xref;

    Walk()
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        addLayer(db.get(), "Walls", indexColor(1));
        standards = scope.save(db.get(), "s.dws");
        OdDbDatabasePtr own = OdDbDatabase::createObject();
        for (const char* name : {"A", "B", "C"}) {
            addLayer(own.get(), name, indexColor(1));
        }
        addLayer(own.get(), "Walls", indexColor(3));
        addLayer(own.get(), "*Hidden", indexColor(3));
        addLayer(own.get(), "PLAN|Doors", indexColor(3));
        drawing = scope.withXrefRecords(own.get());
        OdDbSymbolTablePtr layers = drawing->getLayerTableId().safeOpenObject();
        a = layers->getAt(OdString("A"));
        b = layers->getAt(OdString("B"));
        c = layers->getAt(OdString("C"));
        walls = layers->getAt(OdString("Walls"));
        hidden = layers->getAt(OdString("*Hidden"));
        xref = layers->getAt(OdString("PLAN|Doors"));
    }
    std::vector<Violation> check(const std::vector<OdDbObjectId>& ids, bool checkAll)
    {
        OdArray<OdDbObjectId> list;
        for (const OdDbObjectId& id : ids) {
            list.append(id);
        }
        return CheckScope::check(plugin, drawing, {standards}, list, checkAll);
    }
};

}  // namespace

TEST(PluginWalk, SetContextRestrictsTheCheckToTheNamedRecordsOfItsKind)
{
    Walk walk;
    struct Case
    {
        const char* what;
        std::vector<OdDbObjectId> ids;
        bool checkAll;
        Names violations;
    };
    const OdDbObjectId lineStyle = walk.drawing->getLinetypeContinuousId();
    const Case cases[] = {
        {"two layers, in the order given", {walk.walls, walk.b}, false, {"Walls", "B"}},
        {"other kinds only: the whole drawing", {lineStyle}, false, {"A", "B", "C", "Walls"}},
        {"a hidden layer is not accepted", {walk.hidden}, false, {"A", "B", "C", "Walls"}},
        {"hidden and visible: only the visible", {walk.hidden, walk.c}, false, {"C"}},
        {"a layer of an external reference is not accepted",
         {walk.xref},
         false,
         {"A", "B", "C", "Walls"}},
        {"external and own: only the own", {walk.xref, walk.b}, false, {"B"}},
        {"checkAll wins over the ids", {walk.c}, true, {"A", "B", "C", "Walls"}},
        {"no ids", {}, false, {"A", "B", "C", "Walls"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckScope::names(walk.check(c.ids, c.checkAll)), c.violations);
    }
}

TEST(PluginWalk, StartFromAnErrorExaminesItsRecordAgainAndStopsAfterIt)
{
    Walk walk;
    std::vector<Violation> found = walk.check({}, true);
    ASSERT_EQ(CheckScope::names(found), (Names{"A", "B", "C", "Walls"}));

    // B still violates: it is the only error left.
    walk.plugin.Start(found[1].error);
    ASSERT_FALSE(walk.plugin.Done());
    EXPECT_EQ(text(walk.plugin.GetError()->GetObjectName()), "B");
    walk.plugin.Next();
    EXPECT_TRUE(walk.plugin.Done());

    // Walls made conforming: resuming from its error finds nothing after it.
    {
        OdDbLayerTableRecordPtr layer = walk.walls.safeOpenObject(OdDb::kForWrite);
        layer->setColor(indexColor(1));
    }
    walk.plugin.Start(found[3].error);
    EXPECT_TRUE(walk.plugin.Done());

    // A renamed is examined under its new name.
    {
        OdDbLayerTableRecordPtr layer = walk.a.safeOpenObject(OdDb::kForWrite);
        layer->setName(OdString("Walls0"));
    }
    walk.plugin.Start(found[0].error);
    ASSERT_FALSE(walk.plugin.Done());
    EXPECT_EQ(text(walk.plugin.GetError()->GetObjectName()), "Walls0");
}

TEST(PluginWalk, ClearKeepsTheCurrentErrorUntilTheNextStep)
{
    Walk walk;
    walk.plugin.Clear();
    walk.plugin.SetContext(OdArray<OdDbObjectId>(), true);
    walk.plugin.SetupForAudit(walk.drawing, CKvString("d.dxf"), {walk.standards}, {walk.standards});
    walk.plugin.Start(OdSmartPtr<CKvStdsError>());
    ASSERT_FALSE(walk.plugin.Done());
    const OdSmartPtr<CKvStdsError> error = walk.plugin.GetError();
    walk.plugin.Clear();
    EXPECT_FALSE(walk.plugin.Done());
    EXPECT_TRUE(walk.plugin.GetError().get() == error.get());
    EXPECT_TRUE(error->GetObjectId().isNull()) << "the error is reset";
    walk.plugin.Next();
    EXPECT_TRUE(walk.plugin.Done());
    // After Clear nothing is cached, so no fixes are offered.
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    int recommended = 0;
    const std::vector<Violation> found = walk.check({}, true);
    walk.plugin.Clear();
    walk.plugin.GetAllFixes(found[0].error, fixes, recommended);
    EXPECT_TRUE(fixes.isEmpty());
    EXPECT_EQ(recommended, -1);
}

TEST(PluginWalk, TheStandardsRecordsServeTheNextCheckWhileItsStandardsStayTheSame)
{
    Walk walk;
    const auto fixOfWalls = [](const std::vector<Violation>& found) {
        return fixNamed(violationOf(found, "Walls"), "Walls").get();
    };
    const std::vector<Violation> first = walk.check({}, true);
    const std::vector<Violation> again = walk.check({}, true);
    EXPECT_EQ(CheckScope::names(again), CheckScope::names(first));
    EXPECT_EQ(fixOfWalls(again), fixOfWalls(first)) << "the standards records were made again";

    // A file defining Walls green in front: its definition wins.
    OdDbDatabasePtr green = OdDbDatabase::createObject();
    addLayer(green.get(), "Walls", indexColor(3));
    const CKvString greenFile = walk.scope.save(green.get(), "green.dws");
    EXPECT_EQ(CheckScope::names(
                  CheckScope::check(walk.plugin, walk.drawing, {greenFile, walk.standards})),
              (Names{"A", "B", "C"}));
    EXPECT_EQ(CheckScope::names(walk.check({}, true)), CheckScope::names(first));

    // The standards file saved again with Walls green.
    walk.scope.save(green.get(), "s.dws");
    EXPECT_EQ(CheckScope::names(walk.check({}, true)), (Names{"A", "B", "C"}));
}
