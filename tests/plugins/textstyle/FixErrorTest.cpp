// Applying a text style fix to the drawing: the style rewritten, renamed or merged into the
// standards one, its entities re-pointed, the current style kept valid and the old style purged.
#include "TextStyleTestUtil.h"

#include <CKvObjectAnnotationContext.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <DbArcAlignedText.h>
#include <DbAttributeDefinition.h>
#include <DbBlockReference.h>
#include <DbBlockTableRecord.h>
#include <DbDimStyleTableRecord.h>
#include <DbMText.h>
#include <DbRText.h>
#include <DbSymbolTable.h>
#include <DbTable.h>
#include <DbText.h>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The drawing saved and read back with text-bearing entities of every kind added to model space,
// all using `style`: a text, a multiline text, an arc-aligned text, a remote text, a block
// reference with an attribute, and a table that overrides the text style of every row type with
// the style (its table style takes Standard).
OdDbDatabasePtr withTextEntities(OdDbDatabase& db, const char* style)
{
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath("entities.dxf").toStdString();
    db.writeFile(OdString(path.c_str()));
    std::stringstream read;
    read << std::ifstream(path, std::ios::binary).rdbuf();
    std::string text = read.str();
    const std::string ms = db.getModelSpaceId().getHandle().ascii().toUtf8();
    const std::string s = style;
    const std::string common = "330\n" + ms + "\n100\nAcDbEntity\n  8\n0\n";
    const std::string entities =
        "  0\nTEXT\n  5\nB01\n" + common + "100\nAcDbText\n 10\n0.0\n 20\n0.0\n 30\n0.0\n" +
        " 40\n1.0\n  1\nx\n  7\n" + s + "\n100\nAcDbText\n" + "  0\nMTEXT\n  5\nB02\n" + common +
        "100\nAcDbMText\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n1.0\n  1\nx\n  7\n" + s + "\n" +
        "  0\nARCALIGNEDTEXT\n  5\nB03\n" + common + "100\nAcDbArcAlignedText\n  1\nx\n  7\n" + s +
        "\n" + "  0\nRTEXT\n  5\nB04\n" + common + "100\nRText\n  7\n" + s + "\n  1\nx\n" +
        "  0\nINSERT\n  5\nB05\n" + common + "100\nAcDbBlockReference\n 66\n1\n  2\nB\n" +
        " 10\n0.0\n 20\n0.0\n 30\n0.0\n" +
        "  0\nATTRIB\n  5\nB06\n330\nB05\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n" +
        " 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n1.0\n  1\nv\n  7\n" + s +
        "\n100\nAcDbAttribute\n  2\nTAG\n 70\n0\n" +
        "  0\nSEQEND\n  5\nB07\n330\nB05\n100\nAcDbEntity\n  8\n0\n" +
        "  0\nACAD_TABLE\n  5\nB08\n" + common +
        "100\nAcDbBlockReference\n  2\n*T1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n" +
        "100\nAcDbTable\n342\nB09\n 90\n22\n 91\n1\n 92\n1\n 93\n917504\n 94\n0\n 95\n0\n" +
        " 96\n0\n141\n1.0\n142\n1.0\n171\n1\n172\n0\n173\n0\n174\n0\n175\n1\n176\n1\n" +
        "177\n0\n178\n0\n145\n0.0\n  1\ncell\n  7\n" + s + "\n  7\n" + s + "\n  7\n" + s + "\n";
    const std::string tableStyle =
        "  0\nTABLESTYLE\n  5\nB09\n330\nC\n100\nAcDbTableStyle\n  3\nStandard\n"
        "  7\nStandard\n  7\nStandard\n  7\nStandard\n";
    text.insert(text.find("  0\nENDSEC\n", text.find("ENTITIES\n")), entities);
    text.insert(text.find("  0\nENDSEC\n", text.find("OBJECTS\n")), tableStyle);
    std::ofstream(path, std::ios::binary) << text;
    return OdDbDatabase::readFile(OdString(path.c_str()));
}

// Block B, holding an attribute definition in `style`; added before the drawing is saved.
void addBlockWithAttributeDefinition(OdDbDatabase& db, const char* style)
{
    OdDbSymbolTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
    block->setName(OdString("B"));
    blocks->add(block.get());
    OdDbAttributeDefinitionPtr definition = OdDbAttributeDefinition::createObject();
    definition->setTextStyle(textStyle(db, style)->objectId());
    block->appendOdDbEntity(definition.get());
}

OdDbObjectId styleId(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getTextStyleTableId().safeOpenObject();
    return table->getAt(OdString(name));
}

// The text style of each text-bearing entity of the drawing, as "kind:style".
std::vector<std::string> stylesInUse(OdDbDatabase& db)
{
    std::vector<std::string> used;
    auto nameOf = [](OdDbObjectId id) {
        if (id.isNull()) {
            return std::string("none");
        }
        return OdDbSymbolTableRecordPtr(id.safeOpenObject())->getName().toUtf8();
    };
    OdDbSymbolTablePtr blocks = db.getBlockTableId().safeOpenObject();
    for (OdDbSymbolTableIteratorPtr b = blocks->newIterator(); !b->done(); b->step()) {
        OdDbBlockTableRecordPtr block = b->getRecord();
        for (OdDbObjectIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
            OdDbEntityPtr entity = it->entity();
            const std::string kind = entity->isA()->name().toUtf8();
            if (OdDbTable* table = OdDbTable::cast(entity).get()) {
                for (auto row :
                     {OdDbTable::kTitleRow, OdDbTable::kHeaderRow, OdDbTable::kDataRow}) {
                    used.push_back(kind + ":" + nameOf(table->textStyle(row)));
                }
            } else if (OdDbText* text = OdDbText::cast(entity).get()) {
                used.push_back(kind + ":" + nameOf(text->textStyle()));
            } else if (OdDbMText* mtext = OdDbMText::cast(entity).get()) {
                used.push_back(kind + ":" + nameOf(mtext->textStyle()));
            } else if (OdDbArcAlignedText* arc = OdDbArcAlignedText::cast(entity).get()) {
                used.push_back(kind + ":" + nameOf(arc->textStyle()));
            } else if (RText* remote = RText::cast(entity).get()) {
                used.push_back(kind + ":" + nameOf(remote->textStyleId()));
            }
            if (OdDbBlockReference* insert = OdDbBlockReference::cast(entity).get()) {
                for (const OdDbObjectId& id : insert->attributeIds()) {
                    OdDbTextPtr attribute = id.safeOpenObject();
                    used.push_back("OdDbAttribute:" + nameOf(attribute->textStyle()));
                }
            }
        }
    }
    std::sort(used.begin(), used.end());
    return used;
}

std::vector<std::string> everyKindIn(const char* style)
{
    const std::string s = style;
    std::vector<std::string> all = {
        "OdDbArcAlignedText:" + s, "OdDbAttribute:" + s, "OdDbAttributeDefinition:" + s,
        "OdDbMText:" + s,          "OdDbTable:" + s,     "OdDbTable:" + s,
        "OdDbTable:" + s,          "OdDbText:" + s,      "RText:" + s,
    };
    std::sort(all.begin(), all.end());
    return all;
}

// The standards "Notes": a TrueType font, bold, and values unlike a new style's.
void addStandardNotes(Check& check)
{
    OdDbDatabase& standards = check.addStandards();
    useTrueType(standards, "Notes", true, false);
    OdDbTextStyleTableRecordPtr notes = textStyle(standards, "Notes");
    notes->setTextSize(2.5);
    notes->setXScale(0.8);
    makeAnnotative(standards, "Notes", true);
}

void expectStandardNotesValues(OdDbDatabase& db, OdDbObjectId id)
{
    OdDbTextStyleTableRecordPtr style = id.safeOpenObject();
    EXPECT_EQ(style->getName(), OdString("Notes"));
    EXPECT_EQ(style->fileName(), OdString("arial.ttf"));
    EXPECT_DOUBLE_EQ(style->textSize(), 2.5);
    EXPECT_DOUBLE_EQ(style->xScale(), 0.8);
    OdString typeface;
    bool bold = false;
    bool italic = true;
    int charset = 0;
    int pitch = 0;
    style->font(typeface, bold, italic, charset, pitch);
    EXPECT_TRUE(bold);
    EXPECT_FALSE(italic);
    bool matchOrientation = false;
    EXPECT_TRUE(CKvObjectAnnotationContext::IsAnnotative(id, &matchOrientation));
    EXPECT_TRUE(matchOrientation);
    static_cast<void>(db);
}

OdSmartPtr<CKvStdsFix> offeredFix(Check& check, const OdSmartPtr<CKvStdsError>& error,
                                  const char* name)
{
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    int recommended = -1;
    check.plugin.GetAllFixes(error, fixes, recommended);
    for (const OdSmartPtr<CKvStdsFix>& fix : fixes) {
        if (fix->GetFixObjectName() == CKvString(name)) {
            return fix;
        }
    }
    ADD_FAILURE() << "no fix " << name;
    return OdSmartPtr<CKvStdsFix>();
}

}  // namespace

TEST(TextStyleFixError, MergingIntoTheStandardsStyleMovesEveryTextAndPurgesTheOldStyle)
{
    for (const bool stillUsed : {false, true}) {
        SCOPED_TRACE(stillUsed ? "old style still used by a dimension style" : "old style unused");
        Check check;
        addStandardNotes(check);
        textStyle(*check.drawing, "Notes");  // the drawing's own Notes, not yet standard
        addBlockWithAttributeDefinition(*check.drawing, "Notes2");
        check.drawing = withTextEntities(*check.drawing, "Notes2");
        OdDbDatabase& db = *check.drawing;
        db.setTEXTSTYLE(styleId(db, "Notes2"));
        if (stillUsed) {
            OdDbSymbolTablePtr dimStyles = db.getDimStyleTableId().safeOpenObject();
            OdDbDimStyleTableRecordPtr standard =
                dimStyles->getAt(OdString("Standard"), OdDb::kForWrite);
            standard->setDimtxsty(styleId(db, "Notes2"));
        }
        ASSERT_EQ(stylesInUse(db), everyKindIn("Notes2"));

        const OdSmartPtr<CKvStdsError> error = check.errorFor("Notes2");
        ASSERT_FALSE(error.isNull());
        CKvString message("not cleared");
        check.plugin.FixError(error, offeredFix(check, error, "Notes"), message);

        EXPECT_TRUE(message.isEmpty());
        EXPECT_EQ(stylesInUse(db), everyKindIn("Notes"));
        EXPECT_EQ(db.getTEXTSTYLE(), styleId(db, "Notes"));
        expectStandardNotesValues(db, styleId(db, "Notes"));
        EXPECT_EQ(styleId(db, "Notes2").isNull(), !stillUsed);
    }
}

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

TEST(TextStyleFixError, NothingChangesWithoutValuesToApply)
{
    // Without a chosen fix the recommended one would apply, but a name violation has none, and
    // outside the preparation of the candidates none is known: nothing to apply. Nor is there
    // without an error.
    Check check;
    addStandardNotes(check);
    OdDbDatabase& db = *check.drawing;
    textStyle(db, "Notes2")->setTextSize(7.0);
    textStyle(db, "Notes")->setTextSize(7.0);
    auto sizeOf = [&](const char* name) {
        return OdDbTextStyleTableRecordPtr(styleId(db, name).safeOpenObject())->textSize();
    };
    for (const char* name : {"Notes2", "Notes"}) {
        SCOPED_TRACE(name);
        const OdSmartPtr<CKvStdsError> error = check.errorFor(name);
        ASSERT_FALSE(error.isNull());
        CKvString message;
        check.plugin.FixError(error, OdSmartPtr<CKvStdsFix>(), message);
        EXPECT_DOUBLE_EQ(sizeOf(name), 7.0);
    }
    const OdSmartPtr<CKvStdsError> error = check.errorFor("Notes2");
    CKvString message;
    check.plugin.FixError(OdSmartPtr<CKvStdsError>(), offeredFix(check, error, "Notes"), message);
    EXPECT_DOUBLE_EQ(sizeOf("Notes2"), 7.0);
    EXPECT_DOUBLE_EQ(sizeOf("Notes"), 7.0);
}
