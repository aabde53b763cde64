// Checking the drawing's text styles: which styles take part, when a style conforms, and what an
// error carries.
#include "TextStyleCheck.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

enum class Expect { kConforms, kNameViolation, kPropertiesViolation };

std::vector<Reported> expected(const char* name, Expect expect)
{
    if (expect == Expect::kConforms) {
        return {};
    }
    return {{name, expect == Expect::kNameViolation}};
}

}  // namespace

TEST(TextStyleAudit, StyleConformsWhenAllTwelveValuesMatch)
{
    using Edit = std::function<void(OdDbDatabase & drawing, OdDbDatabase & standards)>;
    struct Case
    {
        const char* what;
        Edit edit;
        Expect expect;
    };
    const auto both = [](void (*edit)(OdDbDatabase&)) {
        return [edit](OdDbDatabase& drawing, OdDbDatabase& standards) {
            edit(drawing);
            edit(standards);
        };
    };
    const Case cases[] = {
        {"identical styles", [](OdDbDatabase&, OdDbDatabase&) {}, Expect::kConforms},
        {"standards name differs only in letter case",
         [](OdDbDatabase&, OdDbDatabase& s) { textStyle(s, "Notes")->setName(OdString("NOTES")); },
         Expect::kConforms},
        {"font files differ",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Notes")->setFileName(OdString("romans.shx"));
             textStyle(s, "Notes")->setFileName(OdString("txt.shx"));
         },
         Expect::kPropertiesViolation},
        {"big font missing from the drawing style",
         [](OdDbDatabase&, OdDbDatabase& s) {
             textStyle(s, "Notes")->setBigFontFileName(OdString("bigfont.shx"));
         },
         Expect::kPropertiesViolation},
        {"heights within 1e-10",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Notes")->setTextSize(2.50000000005);
             textStyle(s, "Notes")->setTextSize(2.5);
         },
         Expect::kConforms},
        {"heights 1e-7 apart",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Notes")->setTextSize(2.5000001);
             textStyle(s, "Notes")->setTextSize(2.5);
         },
         Expect::kPropertiesViolation},
        {"upside down in the drawing only",
         [](OdDbDatabase& d, OdDbDatabase&) { textStyle(d, "Notes")->setIsUpsideDown(true); },
         Expect::kPropertiesViolation},
        {"all three orientation flags on both sides", both([](OdDbDatabase& db) {
             textStyle(db, "Notes")->setIsUpsideDown(true);
             textStyle(db, "Notes")->setIsVertical(true);
             textStyle(db, "Notes")->setIsBackwards(true);
         }),
         Expect::kConforms},
        {"widths differ",
         [](OdDbDatabase& d, OdDbDatabase&) { textStyle(d, "Notes")->setXScale(0.8); },
         Expect::kPropertiesViolation},
        {"SHX fonts whose TrueType descriptions differ",
         [](OdDbDatabase& d, OdDbDatabase&) {
             textStyle(d, "Notes")->setFont(OdString("Arial"), true, true, 0, 34);
         },
         Expect::kConforms},
        {"TrueType bold against regular",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             useTrueType(d, "Notes", true, false);
             useTrueType(s, "Notes", false, false);
         },
         Expect::kPropertiesViolation},
        {"TrueType bold italic on both sides",
         both([](OdDbDatabase& db) { useTrueType(db, "Notes", true, true); }), Expect::kConforms},
        {"annotative standards style, plain drawing style",
         [](OdDbDatabase&, OdDbDatabase& s) { makeAnnotative(s, "Notes", false); },
         Expect::kPropertiesViolation},
        {"both annotative, orientation matched in the drawing only",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             makeAnnotative(d, "Notes", true);
             makeAnnotative(s, "Notes", false);
         },
         Expect::kPropertiesViolation},
        {"no standards style of the name",
         [](OdDbDatabase&, OdDbDatabase& s) { textStyle(s, "Notes")->setName(OdString("Titles")); },
         Expect::kNameViolation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        OdDbDatabase& standards = check.addStandards();
        textStyle(*check.drawing, "Notes");
        textStyle(standards, "Notes");
        c.edit(*check.drawing, standards);
        EXPECT_EQ(check.reported(), expected("Notes", c.expect));
    }
}

TEST(TextStyleAudit, EveryNamedTextStyleIsCheckedOnceInTableOrder)
{
    struct Case
    {
        const char* what;
        std::function<void(OdDbDatabase& drawing, OdDbDatabase& standards)> edit;
        std::vector<Reported> reported;
    };
    const Case cases[] = {
        {"Standard is checked as any other style",
         [](OdDbDatabase&, OdDbDatabase& s) { textStyle(s, "Standard")->setTextSize(5.0); },
         {{"Standard", false}}},
        {"shape-file styles are not checked",
         [](OdDbDatabase& d, OdDbDatabase&) { makeShapeFile(d, "Shapes"); },
         {}},
        {"nameless styles are not checked",
         [](OdDbDatabase& d, OdDbDatabase&) { textStyle(d, ""); },
         {}},
        {"a shape-file style is no standard",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Notes");
             makeShapeFile(s, "Notes");
         },
         {{"Notes", true}}},
        {"each violation once, in table order",
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Titles");
             textStyle(d, "Notes")->setTextSize(2.5);
             textStyle(d, "Labels");
             textStyle(s, "Notes")->setTextSize(3.0);
         },
         {{"Titles", true}, {"Notes", false}, {"Labels", true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        OdDbDatabase& standards = check.addStandards();
        c.edit(*check.drawing, standards);
        EXPECT_EQ(check.reported(), c.reported);
    }
}

TEST(TextStyleAudit, RestrictedCheckExaminesOnlyTheNamedTextStyles)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> context;
        std::vector<Reported> reported;
    };
    // The drawing: Notes and Titles unknown to the standards, the shape-file style Shapes and a
    // nameless style.
    const Case cases[] = {
        {"the named text styles only", {"Shapes", "Titles"}, {{"Titles", true}}},
        {"only shape-file styles named: the whole drawing",
         {"Shapes"},
         {{"Notes", true}, {"Titles", true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        check.addStandards();
        std::map<std::string, OdDbObjectId> ids;
        for (const char* name : {"Notes", "Titles", "Shapes", ""}) {
            ids[name] = textStyle(*check.drawing, name)->objectId();
        }
        makeShapeFile(*check.drawing, "Shapes");
        std::vector<OdDbObjectId> context;
        for (const std::string& name : c.context) {
            context.push_back(ids[name]);
        }
        EXPECT_EQ(check.reported(context), c.reported);
    }
}

// The error holds the drawing's style's values, the recommended fix the standards style's, still
// after the standards drawing is closed.
TEST(TextStyleAudit, ErrorAndFixCarryTheTwelveValues)
{
    Check check;
    // The drawing's Notes and the standards' Notes differ in their height alone.
    for (OdDbDatabase* db : {check.drawing.get(), &check.addStandards()}) {
        {
            OdDbTextStyleTableRecordPtr notes = textStyle(*db, "Notes");
            notes->setBigFontFileName(OdString("gbcbig.shx"));
            notes->setTextSize(db == check.drawing.get() ? 3.5 : 2.5);
            notes->setIsUpsideDown(true);
            notes->setIsBackwards(true);
            notes->setXScale(0.75);
            notes->setObliquingAngle(0.25);
        }
        useTrueType(*db, "Notes", true, true);
        makeAnnotative(*db, "Notes", true);
    }
    const OdSmartPtr<CKvStdsError> error = check.errorFor("Notes");
    ASSERT_FALSE(error.isNull());
    EXPECT_EQ(error->GetDescription(), CKvString("TextStyle properties are non-standard."));
    EXPECT_EQ(error->GetObjectType(), CKvString("TextStyle"));
    EXPECT_EQ(error->GetObjectId(), textStyle(*check.drawing, "Notes")->objectId());
    EXPECT_EQ(error->GetPlugin().get(), &check.plugin);
    EXPECT_EQ(error->GetPropertyCount(), 12);
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    int recommended = -1;
    check.plugin.GetAllFixes(error, fixes, recommended);
    ASSERT_GE(recommended, 0);
    const OdSmartPtr<CKvStdsFix> fix = fixes[static_cast<unsigned>(recommended)];
    EXPECT_EQ(fix->GetFixDisplayName(), CKvString("Notes"));
    EXPECT_EQ(fix->GetStandardsFile(), check.standardsPaths()[0]);
    check.plugin.Clear();

    struct Row
    {
        const char* property;
        int code;
        const char* text;
        double real;  // of the error; the fix's height is 2.5
        bool flag;
    };
    const Row rows[] = {
        {"Name", 5005, "Notes", 0, false},
        {"Font", 5005, "arial.ttf", 0, false},
        {"BigFont", 5005, "gbcbig.shx", 0, false},
        {"Text Height", 5001, nullptr, 3.5, false},
        {"Upside Down", 290, nullptr, 0, true},
        {"Vertical", 290, nullptr, 0, false},
        {"Backwards", 290, nullptr, 0, true},
        {"Width", 5001, nullptr, 0.75, false},
        {"Oblique Angle", 5001, nullptr, 0.25, false},
        {"Font Style", 5005, "Bold Italic", 0, false},
        {"Annotative", 290, nullptr, 0, true},
        {"Match orientation to sheet", 290, nullptr, 0, true},
    };
    for (const Row& row : rows) {
        for (const bool ofFix : {false, true}) {
            SCOPED_TRACE(std::string(row.property) + (ofFix ? " of the fix" : " of the error"));
            const CKvString property(row.property);
            const OdResBufPtr value =
                ofFix ? fix->GetPropertyValue(property) : error->GetPropertyValue(property);
            ASSERT_FALSE(value.isNull());
            EXPECT_EQ(value->restype(), row.code);
            if (row.code == 5005) {
                EXPECT_EQ(CKvString(value->getString()), CKvString(row.text));
            } else if (row.code == 5001) {
                const bool height = std::string(row.property) == "Text Height";
                EXPECT_NEAR(value->getDouble(), ofFix && height ? 2.5 : row.real, 1e-12);
            } else {
                EXPECT_EQ(value->getBool(), row.flag);
            }
        }
    }
}

TEST(TextStyleAudit, FontStyleFollowsTheTrueTypeDescriptionOfTrueTypeFontsOnly)
{
    struct Case
    {
        const char* what;
        const char* fontFile;
        bool described;
        bool bold;
        bool italic;
        const char* fontStyle;
    };
    const Case cases[] = {
        {"SHX font described as bold", "txt.shx", true, true, false, ""},
        {"font file without extension", "romans", true, true, true, ""},
        {"TrueType regular", "arial.ttf", true, false, false, "Normal"},
        {"TrueType bold", "arial.ttf", true, true, false, "Bold"},
        {"TrueType italic", "ARIAL.TTF", true, false, true, "Italic"},
        {"TrueType bold italic", "arial.ttf", true, true, true, "Bold Italic"},
        {"TrueType without a description", "arial.ttf", false, false, false, "Normal"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        check.addStandards();
        OdDbTextStyleTableRecordPtr notes = textStyle(*check.drawing, "Notes");
        notes->setFileName(OdString(c.fontFile));
        if (c.described) {
            notes->setFont(OdString("Arial"), c.bold, c.italic, 0, 34);
        }
        const OdSmartPtr<CKvStdsError> error = check.errorFor("Notes");
        ASSERT_FALSE(error.isNull());
        const OdResBufPtr value = error->GetPropertyValue(CKvString("Font Style"));
        ASSERT_FALSE(value.isNull());
        EXPECT_EQ(CKvString(value->getString()), CKvString(c.fontStyle));
    }
}
