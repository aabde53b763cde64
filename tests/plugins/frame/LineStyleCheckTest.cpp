// The line style plug-in's check and fix lists on drawings built through the SDK.
#include "PluginCheck.h"

#include <CKvLineStylePluginImpl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Names = std::vector<std::string>;

const char kName[] = "LineStyle name is non-standard.";
const char kProperties[] = "LineStyle properties are non-standard.";

struct Pair
{
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
};

}  // namespace

TEST(LineStyleCheck, ComparesDashCountAndPatternLengthWithinTheTolerance)
{
    struct Case
    {
        const char* what;
        std::vector<double> standard;
        const char* name;
        std::vector<double> drawing;
        Names violations;
        const char* description;
    };
    const Case cases[] = {
        {"other capitalisation, length 5e-11 off",
         {0.5, -0.25},
         "dashed",
         {0.5, -0.25 - 5e-11},
         {},
         nullptr},
        {"length 2e-10 off", {0.5, -0.25}, "DASHED", {0.5, -0.25 - 2e-10}, {"DASHED"}, kProperties},
        {"one dash more, same length",
         {0.5, -0.25},
         "DASHED",
         {0.25, 0.25, -0.25},
         {"DASHED"},
         kProperties},
        {"a name the standards lack", {0.5, -0.25}, "CENTER", {0.5, -0.25}, {"CENTER"}, kName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope;
        CKvLineStylePluginImpl plugin;
        Pair pair;
        addLineStyle(pair.standards.get(), "DASHED", c.standard);
        addLineStyle(pair.drawing.get(), c.name, c.drawing);
        const std::vector<Violation> found =
            CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
        ASSERT_EQ(CheckScope::names(found), c.violations);
        if (!found.empty()) {
            EXPECT_EQ(found[0].description(), c.description);
            EXPECT_EQ(text(found[0].error->GetObjectType()), "LineStyle");
            EXPECT_EQ(found[0].error->GetPropertyValue(CKvString("Dashes"))->restype(), 5010);
            EXPECT_EQ(found[0].error->GetPropertyValue(CKvString("Dashes"))->getInt32(),
                      static_cast<int>(c.drawing.size()));
            EXPECT_EQ(found[0].error->GetPropertyValue(CKvString("Pattern Length"))->restype(),
                      5001);
        }
    }
}

TEST(LineStyleCheck, BuiltInLineStylesAreCheckedOnlyWhenNamed)
{
    CheckScope scope;
    CKvLineStylePluginImpl plugin;
    Pair pair;
    // The standards drawing's built-in line styles differ from the drawing's.
    addLineStyle(pair.standards.get(), "DASHED", {0.5, -0.25});
    {
        OdDbSymbolTablePtr table = pair.standards->getLinetypeTableId().safeOpenObject();
        OdArray<double> dash;
        dash.append(0.5);
        for (const char* name : {"ByLayer", "ByBlock", "Continuous"}) {
            OdDbLinetypeTableRecordPtr record = table->getAt(OdString(name), OdDb::kForWrite);
            record->setDashes(dash);
        }
    }
    const CKvString path = scope.save(pair.standards.get(), "s.dws");
    EXPECT_TRUE(CheckScope::check(plugin, pair.drawing, {path}).empty());

    // Named in a restricted check, Continuous is examined (and here differs from its standard).
    OdArray<OdDbObjectId> ids;
    ids.append(pair.drawing->getLinetypeContinuousId());
    EXPECT_EQ(CheckScope::names(CheckScope::check(plugin, pair.drawing, {path}, ids, false)),
              Names{"Continuous"});
}

TEST(LineStyleFixes, OfferedLineStylesAndRecommendation)
{
    CheckScope scope;
    CKvLineStylePluginImpl plugin;
    Pair first;
    Pair second;
    addLineStyle(first.standards.get(), "DASHED", {0.5, -0.25});
    addLineStyle(second.standards.get(), "dashed", {0.25, -0.25});
    addLineStyle(first.drawing.get(), "Dashed", {0.25, -0.25});
    addLineStyle(first.drawing.get(), "Odd", {1.0});
    const std::vector<Violation> found = CheckScope::check(
        plugin, first.drawing,
        {scope.save(first.standards.get(), "1.dws"), scope.save(second.standards.get(), "2.dws")});
    ASSERT_EQ(CheckScope::names(found), (Names{"Dashed", "Odd"}));
    // The properties violation is offered every standards line style but the equal copy from
    // the second file; the first file's DASHED is recommended.
    EXPECT_EQ(found[0].fixNames(), (Names{"ByBlock", "ByLayer", "Continuous", "DASHED", "ByBlock",
                                          "ByLayer", "Continuous"}));
    EXPECT_EQ(found[0].recommended, 3);
    // The name violation is offered everything, and nothing is recommended.
    EXPECT_EQ(found[1].fixes.size(), 8u);
    EXPECT_EQ(found[1].recommended, -1);

    // Names differing only in case with equal values show no difference.
    std::vector<CKvString> names;
    OdArray<OdSmartPtr<OdResBuf>> current;
    OdArray<OdSmartPtr<OdResBuf>> standard;
    std::vector<CKvString> extra;
    const OdSmartPtr<CKvStdsFix> equalCopy = found[1].fixes[7];
    ASSERT_EQ(text(equalCopy->GetFixDisplayName()), "dashed");
    plugin.GetPropertyDiffs(found[0].error, equalCopy, names, current, standard, extra);
    EXPECT_TRUE(names.empty());
    plugin.GetPropertyDiffs(found[0].error, found[0].fixes[3], names, current, standard, extra);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(text(names[0]), "Pattern Length");
}
