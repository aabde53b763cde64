// The dimension style plug-in's check and fix lists on drawings built through the SDK.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <DbDimStyleTableRecord.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;

const char kName[] = "DimensionStyle name is non-standard.";
const char kProperties[] = "DimensionStyle properties are non-standard.";

OdDbDimStyleTableRecordPtr style(OdDbDatabase* db, const char* name)
{
    return dimStyle(*db, name);
}

struct Pair
{
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();
};

}  // namespace

TEST(DimStyleCheck, ChildStyleNames)
{
    struct Case
    {
        const char* name;
        bool child;
    };
    const Case cases[] = {{"Standard$0", true},   {"ISO-25$7", true},    {"A$2", true},
                          {"A$,", true},          {"Standard$1", false}, {"Standard$5", false},
                          {"Standard$07", false}, {"Standard", false},   {"$", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CKvDimStylePluginImpl::isChildStyleName(CKvString(c.name)), c.child);
    }
}

TEST(DimStyleCheck, StylesCompareByRenderedValuesOfTheSameNamedStandardsStyle)
{
    struct Case
    {
        const char* what;
        std::function<void(Pair&)> build;
        Names violations;
        const char* description;
    };
    const Case cases[] = {
        {"other capitalisation, equal values",
         [](Pair& p) {
             style(p.standards.get(), "ISO-25");
             style(p.drawing.get(), "iso-25");
         },
         {},
         nullptr},
        {"DIMSCALE equal to four decimals",
         [](Pair& p) {
             style(p.standards.get(), "ISO-25")->setDimscale(1.0);
             style(p.drawing.get(), "ISO-25")->setDimscale(1.00004);
         },
         {},
         nullptr},
        {"DIMSCALE off in the fourth decimal",
         [](Pair& p) {
             style(p.standards.get(), "ISO-25")->setDimscale(1.0);
             style(p.drawing.get(), "ISO-25")->setDimscale(1.0001);
         },
         {"ISO-25"},
         kProperties},
        {"a name the standards lack",
         [](Pair& p) { style(p.drawing.get(), "Mine"); },
         {"Mine"},
         kName},
        {"child styles are never examined",
         [](Pair& p) {
             style(p.drawing.get(), "Standard$0")->setDimscale(3.0);
             style(p.drawing.get(), "Standard$1")->setDimscale(3.0);
         },
         {"Standard$1"},
         kName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope;
        CKvDimStylePluginImpl plugin;
        Pair pair;
        c.build(pair);
        const std::vector<Violation> found =
            CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
        ASSERT_EQ(CheckScope::names(found), c.violations);
        if (!found.empty()) {
            EXPECT_EQ(found[0].description(), c.description);
            EXPECT_EQ(text(found[0].error->GetObjectType()), "DimensionStyle");
            // Every property, as text, even when one differs.
            EXPECT_EQ(found[0].error->GetPropertyCount(), 79);
            const OdResBufPtr scale = found[0].error->GetPropertyValue(CKvString("DIMSCALE"));
            ASSERT_FALSE(scale.isNull());
            EXPECT_EQ(scale->restype(), 5005);
        }
    }
}

TEST(DimStyleFixes, Iso25IsOfferedOnlyIso25StylesAndTheFirstFileIsRecommended)
{
    CheckScope scope;
    CKvDimStylePluginImpl plugin;
    Pair first;
    Pair second;
    style(first.standards.get(), "ISO-25")->setDimasz(3.0);
    style(first.standards.get(), "Arch")->setDimasz(4.0);
    style(second.standards.get(), "iso-25")->setDimasz(3.5);
    style(first.drawing.get(), "iso-25")->setDimasz(2.0);
    style(first.drawing.get(), "Arch")->setDimasz(2.0);
    style(first.drawing.get(), "Mine");
    const std::vector<Violation> found = CheckScope::check(
        plugin, first.drawing,
        {scope.save(first.standards.get(), "1.dws"), scope.save(second.standards.get(), "2.dws")});
    ASSERT_EQ(CheckScope::names(found), (Names{"iso-25", "Arch", "Mine"}));
    EXPECT_EQ(found[0].fixNames(), (Names{"ISO-25", "iso-25"}));
    EXPECT_EQ(found[0].recommended, 0);
    // Any other style is offered every standards style, the same-named one recommended.
    EXPECT_EQ(found[1].fixNames(), (Names{"Standard", "ISO-25", "Arch", "Standard", "iso-25"}));
    EXPECT_EQ(found[1].recommended, 2);
    EXPECT_EQ(found[2].fixNames(), found[1].fixNames());
    EXPECT_EQ(found[2].recommended, -1);
    // Standards fixes carry their style's id and all its values.
    EXPECT_FALSE(found[1].fixes[2]->GetFixObjectId().isNull());
    EXPECT_EQ(found[1].fixes[2]->GetPropertyCount(), 79);
}

TEST(DimStyleFixes, PropertyDiffsListTheDescriptionsOfWhatDiffersNow)
{
    CheckScope scope;
    CKvDimStylePluginImpl plugin;
    Pair pair;
    style(pair.standards.get(), "ISO-25")->setDimasz(3.0);
    style(pair.drawing.get(), "ISO-25")->setDimasz(2.0);
    const std::vector<Violation> found =
        CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
    ASSERT_EQ(found.size(), 1u);
    const Violation& v = found[0];
    ASSERT_GE(v.recommended, 0);
    const OdSmartPtr<CKvStdsFix> fix = v.fixes[static_cast<unsigned>(v.recommended)];

    std::vector<CKvString> names;
    OdArray<OdSmartPtr<OdResBuf>> current;
    OdArray<OdSmartPtr<OdResBuf>> standard;
    std::vector<CKvString> extra;
    plugin.GetPropertyDiffs(v.error, fix, names, current, standard, extra);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(text(names[0]), text(plugin.descriptionFor(CKvString("DIMASZ"))));
    EXPECT_FALSE(names[0].isEmpty());
    EXPECT_EQ(text(CKvString(current[0]->getString().c_str())), "2.0");
    EXPECT_EQ(text(CKvString(standard[0]->getString().c_str())), "3.0");

    // Only DIMMZF differs: one row whose name is empty.
    style(pair.drawing.get(), "ISO-25")->setDimasz(3.0);
    style(pair.drawing.get(), "ISO-25")->setDimmzf(50.0);
    plugin.GetPropertyDiffs(v.error, fix, names, current, standard, extra);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].isEmpty());

    // The drawing's style made equal to the standards: nothing differs any more.
    style(pair.drawing.get(), "ISO-25")->setDimmzf(style(pair.standards.get(), "ISO-25")->dimmzf());
    plugin.GetPropertyDiffs(v.error, fix, names, current, standard, extra);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(current.isEmpty());
}
