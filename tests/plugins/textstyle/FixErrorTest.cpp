// Applying a text style fix to the drawing, beyond what the fixes on real content show: the font
// style of the standards style.
#include "TextStyleCheck.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <DbBlockTableRecord.h>
#include <DbSymbolTable.h>
#include <DbText.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId styleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getTextStyleTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

}  // namespace

TEST(TextStyleFixError, APropertiesFixRewritesTheStyleInPlaceAndSetsTheFontStyle)
{
    struct Case
    {
        const char* what;
        bool standardBold;
        bool standardItalic;
        bool trueType;  // else the standards style uses an SHX font: no font style
        bool bold;
        bool italic;
    };
    // The drawing's style starts as italic only.
    const Case cases[] = {
        {"bold italic", true, true, true, true, true},
        {"bold", true, false, true, true, false},
        {"italic", false, true, true, false, true},
        {"normal", false, false, true, false, false},
        {"SHX font: the description is left alone", true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Check check;
        OdDbDatabase& standards = check.addStandards();
        if (c.trueType) {
            useTrueType(standards, "Notes", c.standardBold, c.standardItalic);
        }
        textStyle(standards, "Notes")->setTextSize(4.0);
        useTrueType(*check.drawing, "Notes", false, true);
        OdDbDatabase& db = *check.drawing;
        const OdDbObjectId notes = styleId(db, "Notes");
        OdDbTextPtr text = OdDbText::createObject();
        text->setTextStyle(notes);
        OdDbBlockTableRecordPtr(db.getModelSpaceId().safeOpenObject(OdDb::kForWrite))
            ->appendOdDbEntity(text.get());

        const OdSmartPtr<CKvStdsError> error = check.errorFor("Notes");
        ASSERT_FALSE(error.isNull());
        // The recommended fix: the standards style of the same name.
        OdArray<OdSmartPtr<CKvStdsFix>> fixes;
        int recommended = -1;
        check.plugin.GetAllFixes(error, fixes, recommended);
        ASSERT_GE(recommended, 0);
        ASSERT_EQ(fixes[recommended]->GetFixObjectName(), CKvString("Notes"));
        CKvString message;
        check.plugin.FixError(error, fixes[recommended], message);

        OdDbTextStyleTableRecordPtr style = notes.safeOpenObject();
        EXPECT_EQ(styleId(db, "Notes"), notes);
        EXPECT_DOUBLE_EQ(style->textSize(), 4.0);
        OdString typeface;
        bool bold = false;
        bool italic = false;
        int charset = 0;
        int pitch = 0;
        style->font(typeface, bold, italic, charset, pitch);
        EXPECT_EQ(bold, c.bold);
        EXPECT_EQ(italic, c.italic);
        EXPECT_EQ(typeface, OdString("Arial"));  // the typeface stays
        EXPECT_EQ(pitch, 34);
        EXPECT_EQ(OdDbTextPtr(text->objectId().safeOpenObject())->textStyle(), notes);
    }
}
