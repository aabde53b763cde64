// The dimension style plug-in's check and fix lists on drawings built through the SDK.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvObjectAnnotationContext.h>
#include <DbDimStyleTableRecord.h>

#include <gtest/gtest.h>

#include <DimStyleProperties.h>
#include <functional>
#include <map>

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
        {"large reals equal as they render",
         [](Pair& p) {
             style(p.standards.get(), "ISO-25")->setDimtxt(2500000.4);
             style(p.drawing.get(), "ISO-25")->setDimtxt(2500000.0);
         },
         {},
         nullptr},
        {"the same red as a true colour against an index colour",
         [](Pair& p) {
             // A dimension style's colours are index colours in a DXF file, so the true colour
             // is the drawing's, in memory.
             OdCmColor red;
             red.setRGB(255, 0, 0);
             style(p.standards.get(), "ISO-25")->setDimclrd(OdCmColor::fromIndex(1));
             style(p.drawing.get(), "ISO-25")->setDimclrd(red);
         },
         {"ISO-25"},
         kProperties},
        {"text styles of the same name in two drawings",
         [](Pair& p) {
             style(p.standards.get(), "ISO-25")
                 ->setDimtxsty(textStyle(*p.standards, "Notes")->objectId());
             style(p.drawing.get(), "ISO-25")
                 ->setDimtxsty(textStyle(*p.drawing, "Notes")->objectId());
         },
         {},
         nullptr},
        {"a name the standards lack",
         [](Pair& p) { style(p.drawing.get(), "Mine"); },
         {"Mine"},
         kName},
        {"child styles (a dollar sign and one of 0, 2-4, 6, 7 or a comma) are never examined",
         [](Pair& p) {
             for (const char* name : {"Standard$0", "ISO-25$7", "A$2", "A$,", "Standard$1",
                                      "Standard$5", "Standard$07", "$"}) {
                 style(p.drawing.get(), name)->setDimscale(3.0);
             }
         },
         {"Standard$1", "Standard$5", "Standard$07", "$"},
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

namespace {

// Sets a dimension variable to a value other than its default and gives the value's text.
using Change = std::function<std::string(OdDbDimStyleTableRecord&)>;

// A value other than the default of a variable of that kind, and its text.
std::pair<int, std::string> otherThan(int def, const std::string&, OdDbDatabase&)
{
    return {def == 1 ? 2 : 1, def == 1 ? "2" : "1"};
}
std::pair<bool, std::string> otherThan(bool def, const std::string&, OdDbDatabase&)
{
    return {!def, def ? "false" : "true"};
}
std::pair<double, std::string> otherThan(double, const std::string&, OdDbDatabase&)
{
    return {2.5, "2.5"};
}
std::pair<OdString, std::string> otherThan(const OdString&, const std::string&, OdDbDatabase&)
{
    return {OdString("<> mm"), "<> mm"};
}
std::pair<OdCmColor, std::string> otherThan(const OdCmColor&, const std::string&, OdDbDatabase&)
{
    return {OdCmColor::fromIndex(3), "green"};
}
std::pair<OdDb::LineWeight, std::string> otherThan(OdDb::LineWeight, const std::string&,
                                                   OdDbDatabase&)
{
    return {OdDb::kLnWt035, "0.35 mm"};
}
// A reference to the drawing's arrow block Tick, text style Notes or line style DASHED.
std::pair<OdDbObjectId, std::string> otherThan(OdDbObjectId, const std::string& kind,
                                               OdDbDatabase& db)
{
    const bool block = kind == "BlockRef";
    const bool text = kind == "TextStyleRef";
    const char* name = block ? "Tick" : text ? "Notes" : "DASHED";
    const OdDbObjectId table = block  ? db.getBlockTableId()
                               : text ? db.getTextStyleTableId()
                                      : db.getLinetypeTableId();
    return {OdDbSymbolTablePtr(table.safeOpenObject())->getAt(OdString(name)), name};
}

// A change of every dimension variable, by entry name, and of the annotative flag.
std::map<std::string, Change> changes()
{
    std::map<std::string, Change> all = {
#define DIMVAR(entry, get, setter, rec, hdr, type, def)                                    \
    {#entry, [](OdDbDimStyleTableRecord& r) {                                              \
         const auto changed = otherThan(KV_DIMVAR_TYPE_##type(def), #type, *r.database()); \
         r.setter(changed.first);                                                          \
         return changed.second;                                                            \
     }},
#include <DimVars.inc>
#undef DIMVAR
    };
    all["ANNOTATIVE"] = [](OdDbDimStyleTableRecord& r) {
        CKvObjectAnnotationContext::SetAnnotative(r.objectId(), true, false);
        return std::string("true");
    };
    return all;
}

std::string valueOf(const OdSmartPtr<CKvStdsError>& error, const std::string& property)
{
    const OdResBufPtr value = error->GetPropertyValue(CKvString(property.c_str()));
    return value.isNull() ? "<none>" : text(CKvString(value->getString().c_str()));
}

}  // namespace

// One standards style per compared property, and a drawing style of the same name that differs
// from it in that property alone: each is reported with exactly that difference, its fix makes
// the style conform again.
TEST(DimStyleCheck, ADifferenceInAnyOnePropertyAloneIsReportedAndFixed)
{
    CheckScope scope;
    CKvDimStylePluginImpl plugin;
    Pair pair;
    addBlock(*pair.drawing, "Tick");
    addLineStyle(pair.drawing.get(), "DASHED", {0.5, -0.25});
    textStyle(*pair.drawing, "Notes");
    const std::map<std::string, Change> change = changes();
    Names entries;
    std::map<std::string, std::string> changedText;
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const std::string entry = kDimStyleProperties[i].entry;
        entries.push_back(entry);
        style(pair.standards.get(), entry.c_str());
        const auto found = change.find(entry);
        ASSERT_NE(found, change.end()) << entry << " is no dimension variable";
        changedText[entry] = found->second(*style(pair.drawing.get(), entry.c_str()));
    }
    pair.drawing->setDimasz(9.0);
    const std::vector<Violation> found =
        CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
    ASSERT_EQ(CheckScope::names(found), entries);
    for (size_t i = 0; i < found.size(); ++i) {
        const Violation& v = found[i];
        const std::string& entry = entries[i];
        SCOPED_TRACE(entry);
        EXPECT_EQ(v.description(), kProperties);
        ASSERT_GE(v.recommended, 0);
        const OdSmartPtr<CKvStdsFix> fix = v.fixes[static_cast<unsigned>(v.recommended)];
        // The error and the fix hold every property; they differ in this one alone.
        for (const std::string& other : entries) {
            if (other != entry) {
                EXPECT_EQ(
                    valueOf(v.error, other),
                    text(CKvString(
                        fix->GetPropertyValue(CKvString(other.c_str()))->getString().c_str())))
                    << other;
            }
        }
        std::vector<CKvString> names;
        OdArray<OdSmartPtr<OdResBuf>> current;
        OdArray<OdSmartPtr<OdResBuf>> standard;
        std::vector<CKvString> extra;
        plugin.GetPropertyDiffs(v.error, fix, names, current, standard, extra);
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(text(names[0]), text(plugin.descriptionFor(CKvString(entry.c_str()))));
        EXPECT_EQ(text(CKvString(current[0]->getString().c_str())), changedText[entry]);
        EXPECT_EQ(valueOf(v.error, entry), changedText[entry]);
        // The standards value is the one every other drawing style keeps.
        EXPECT_EQ(text(CKvString(standard[0]->getString().c_str())),
                  valueOf(found[(i + 1) % found.size()].error, entry));
        CKvString message;
        plugin.FixError(v.error, fix, message);
        plugin.GetPropertyDiffs(v.error, fix, names, current, standard, extra);
        EXPECT_TRUE(names.empty() && current.isEmpty() && standard.isEmpty()) << "after the fix";
    }
    // Every property was copied, into the style and into the drawing's own variables.
    EXPECT_TRUE(CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")})
                    .empty());
    EXPECT_DOUBLE_EQ(pair.drawing->dimasz(), style(pair.standards.get(), "DIMASZ")->dimasz());
}
