// The fixes offered for a text style violation and the differences shown between a style and a
// fix.
#include "TextStyleCheck.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Values unlike a new style's in every field.
TextStyleCache unusualValues()
{
    TextStyleCache values;
    values.name = CKvString("Notes");
    values.font = CKvString("arial.ttf");
    values.bigFont = CKvString("gbcbig.shx");
    values.textHeight = 3.5;
    values.upsideDown = true;
    values.vertical = true;
    values.backwards = true;
    values.width = 0.75;
    values.obliqueAngle = 0.25;
    values.fontStyle = CKvString("Bold Italic");
    values.annotative = true;
    values.matchOrientation = true;
    return values;
}

// The fixes offered for the named style's error, as "name@file number", and the recommended index.
struct Offered
{
    std::vector<std::string> fixes;
    int recommended = -2;
};

Offered offeredFor(Check& check, const char* name)
{
    Offered offered;
    const OdSmartPtr<CKvStdsError> error = check.errorFor(name);
    if (error.isNull()) {
        return offered;
    }
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    check.plugin.GetAllFixes(error, fixes, offered.recommended);
    const std::vector<CKvString> paths = check.standardsPaths();
    for (const OdSmartPtr<CKvStdsFix>& fix : fixes) {
        const auto file = std::find(paths.begin(), paths.end(), fix->GetStandardsFile());
        offered.fixes.push_back(fix->GetFixObjectName().toUtf8() + "@" +
                                std::to_string(file - paths.begin() + 1));
    }
    return offered;
}

}  // namespace

TEST(TextStyleFixes, OfferedFixesDependOnTheViolation)
{
    struct Case
    {
        const char* what;
        std::function<void(Check&)> build;
        const char* style;
        std::vector<std::string> fixes;
        int recommended;
    };
    const Case cases[] = {
        {"name violation: every standards style, none recommended",
         [](Check& c) {
             OdDbDatabase& s = c.addStandards();
             textStyle(s, "Notes");
             textStyle(s, "Titles");
             textStyle(*c.drawing, "Labels");
         },
         "Labels",
         {"Standard@1", "Notes@1", "Titles@1"},
         -1},
        {"properties violation: every standards style, the same-named one recommended",
         [](Check& c) {
             OdDbDatabase& s = c.addStandards();
             textStyle(s, "Notes")->setTextSize(3.0);
             textStyle(s, "Titles");
             textStyle(*c.drawing, "Notes")->setTextSize(2.5);
         },
         "Notes",
         {"Standard@1", "Notes@1", "Titles@1"},
         1},
        {"an identical style of the name in a later file is not offered",
         [](Check& c) {
             textStyle(c.addStandards(), "Notes")->setTextSize(3.0);
             textStyle(c.addStandards(), "NOTES")->setTextSize(2.5);
             textStyle(*c.drawing, "Notes")->setTextSize(2.5);
         },
         "Notes",
         {"Standard@1", "Notes@1", "Standard@2"},
         1},
        {"Standard is offered the standards Standard styles only",
         [](Check& c) {
             OdDbDatabase& first = c.addStandards();
             textStyle(first, "Standard")->setTextSize(2.0);
             textStyle(first, "Notes");
             textStyle(c.addStandards(), "Standard")->setTextSize(1.0);
             textStyle(*c.drawing, "Standard")->setTextSize(0.5);
         },
         "Standard",
         {"Standard@1", "Standard@2"},
         0},
        {"Standard is not offered an identical Standard style",
         [](Check& c) {
             textStyle(c.addStandards(), "Standard")->setTextSize(2.0);
             textStyle(c.addStandards(), "Standard")->setTextSize(0.5);
             textStyle(*c.drawing, "Standard")->setTextSize(0.5);
         },
         "Standard",
         {"Standard@1"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        c.build(check);
        const Offered offered = offeredFor(check, c.style);
        EXPECT_EQ(offered.fixes, c.fixes);
        EXPECT_EQ(offered.recommended, c.recommended);
    }
}

TEST(TextStylePropertyDiffs, DiffsNameTheDifferingValuesInNameOrder)
{
    struct Case
    {
        const char* what;
        std::function<void(TextStyleCache& standard)> edit;
        std::vector<const char*> names;
    };
    const Case cases[] = {
        {"identical values", [](TextStyleCache&) {}, {}},
        {"font in another case, width within 1e-10",
         [](TextStyleCache& s) {
             s.font = "ARIAL.TTF";
             s.width += 5e-11;
         },
         {}},
        {"height differs", [](TextStyleCache& s) { s.textHeight = 2.5; }, {"Text Height"}},
        {"oblique angle and annotative differ",
         [](TextStyleCache& s) {
             s.obliqueAngle = 0.0;
             s.annotative = false;
         },
         {"Annotative", "Oblique Angle"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        TextStyleCache current = unusualValues();
        TextStyleCache standard = unusualValues();
        c.edit(standard);
        OdSmartPtr<CKvStdsError> error = CKvStdsError::createObject();
        OdSmartPtr<CKvStdsFix> fix = CKvStdsFix::createObject();
        check.plugin.makeResbufChain(false, fix, error, &current);
        check.plugin.makeResbufChain(true, fix, error, &standard);

        std::vector<CKvString> names{CKvString("stale")};
        OdArray<OdSmartPtr<OdResBuf>> errorValues;
        OdArray<OdSmartPtr<OdResBuf>> fixValues;
        std::vector<CKvString> extra{CKvString("kept")};
        check.plugin.GetPropertyDiffs(error, fix, names, errorValues, fixValues, extra);

        std::vector<CKvString> expectedNames(c.names.begin(), c.names.end());
        EXPECT_EQ(names, expectedNames);
        ASSERT_EQ(errorValues.size(), names.size());
        ASSERT_EQ(fixValues.size(), names.size());
        for (unsigned i = 0; i < names.size(); ++i) {
            EXPECT_EQ(errorValues[i].get(), error->GetPropertyValue(names[i]).get());
            EXPECT_EQ(fixValues[i].get(), fix->GetPropertyValue(names[i]).get());
        }
        EXPECT_EQ(extra, std::vector<CKvString>{CKvString("kept")});
    }
}
