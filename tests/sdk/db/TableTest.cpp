// Text styles of table entities: per row type, from the table style unless the table overrides
// them, and followed through renames, purges and saving.
#include "DbTestUtil.h"

#include <DbTable.h>
#include <DbTextStyleTableRecord.h>

#include <gtest/gtest.h>

namespace {

OdDbObjectId addStyle(OdDbDatabase* db, const char* name)
{
    OdDbSymbolTablePtr styles = db->getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::createObject();
    style->setName(OdString(name));
    return styles->add(style.get());
}

// A 3x1 table (title, header and data row) whose table style takes Body for data, Title for the
// title row and Head for the header row. `flags` and `tail` are the table's override flags (93)
// and the groups after its cells.
OdDbDatabasePtr drawingWithTable(const TempFile& file, const std::string& flags = "        0",
                                 const std::string& tail = "")
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    for (const char* name : {"Body", "Title", "Head", "Fancy", "Plain"}) {
        addStyle(db.get(), name);
    }
    db->writeFile(OdString(file.path));
    std::string text = file.read();
    std::string cells;
    for (int row = 0; row < 3; ++row) {
        cells +=
            "171\n     1\n172\n     0\n173\n     0\n174\n     0\n175\n     1\n176\n     1\n"
            "177\n     0\n178\n     0\n145\n0.0\n  1\ncell\n";
    }
    const std::string table =
        "  0\nACAD_TABLE\n  5\nA000\n330\n1F\n100\nAcDbEntity\n  8\n0\n"
        "100\nAcDbBlockReference\n  2\n*T1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
        "100\nAcDbTable\n342\nA001\n 11\n1.0\n 21\n0.0\n 31\n0.0\n"
        " 90\n       22\n 91\n        3\n 92\n        1\n 93\n" +
        flags +
        "\n 94\n        0\n 95\n        0\n 96\n        0\n"
        "141\n1.0\n141\n1.0\n141\n1.0\n142\n5.0\n" +
        cells + tail;
    std::string tableStyle =
        "  0\nTABLESTYLE\n  5\nA001\n330\nC\n100\nAcDbTableStyle\n  3\n"
        "Standard\n 70\n     0\n";
    for (const char* name : {"Body", "Title", "Head"}) {
        tableStyle += std::string("  7\n") + name + "\n140\n0.18\n";
    }
    // Model space's entities end at the ENDSEC that follows the ENTITIES marker.
    const size_t entities = text.find("ENTITIES\n");
    text.insert(text.find("  0\nENDSEC\n", entities), table);
    const size_t objects = text.find("OBJECTS\n");
    text.insert(text.find("  0\nENDSEC\n", objects), tableStyle);
    {
        std::ofstream out(file.path, std::ios::binary);
        out << text;
    }
    return OdDbDatabase::readFile(OdString(file.path));
}

OdDbObjectId styleId(OdDbDatabase* db, const char* name)
{
    OdDbSymbolTablePtr styles = db->getTextStyleTableId().safeOpenObject();
    return styles->getAt(OdString(name));
}

OdDbTablePtr openTable(OdDbDatabase* db, OdDb::OpenMode mode = OdDb::kForRead)
{
    return db->getOdDbObjectId(OdDbHandle(0xA000)).safeOpenObject(mode);
}

}  // namespace

TEST(TableTextStyle, RowTypesFollowTheTableStyleUntilTheTableOverridesThem)
{
    TempFile file("table.dxf");
    OdDbDatabasePtr db = drawingWithTable(file);
    {
        OdDbTablePtr table = openTable(db.get());
        EXPECT_EQ(table->textStyle(OdDbTable::kDataRow), styleId(db.get(), "Body"));
        EXPECT_EQ(table->textStyle(OdDbTable::kTitleRow), styleId(db.get(), "Title"));
        EXPECT_EQ(table->textStyle(OdDbTable::kHeaderRow), styleId(db.get(), "Head"));
    }
    // All three row types at once: the table style itself is shared and stays as it is.
    openTable(db.get(), OdDb::kForWrite)
        ->setTextStyle(styleId(db.get(), "Fancy"),
                       OdDbTable::kDataRow | OdDbTable::kTitleRow | OdDbTable::kHeaderRow);
    // Then one row type again: only its override changes.
    openTable(db.get(), OdDb::kForWrite)
        ->setTextStyle(styleId(db.get(), "Plain"), OdDbTable::kHeaderRow);

    TempFile saved("table-saved.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), saved);
    OdDbTablePtr table = openTable(back.get());
    EXPECT_EQ(table->textStyle(OdDbTable::kDataRow), styleId(back.get(), "Fancy"));
    EXPECT_EQ(table->textStyle(OdDbTable::kTitleRow), styleId(back.get(), "Fancy"));
    EXPECT_EQ(table->textStyle(OdDbTable::kHeaderRow), styleId(back.get(), "Plain"));
    const std::string text = saved.read();
    // Flags for the three text style overrides; their values after the last cell, in the order
    // title, header, data; the table style untouched.
    EXPECT_NE(text.find(" 93\n   917504\n"), std::string::npos);
    EXPECT_NE(text.find("  1\ncell\n  7\nFancy\n  7\nPlain\n  7\nFancy\n"), std::string::npos);
    EXPECT_NE(text.find("  7\nBody\n140\n0.18\n  7\nTitle\n140\n0.18\n  7\nHead\n"),
              std::string::npos);
}

TEST(TableTextStyle, OverridesGoBeforeRowHeightsAndDamagedFlagsAreLeftAlone)
{
    // A data row height override (0x400000) follows the text styles.
    TempFile file("heights.dxf");
    OdDbDatabasePtr db = drawingWithTable(file, "  4194304", "140\n0.5\n");
    openTable(db.get(), OdDb::kForWrite)
        ->setTextStyle(styleId(db.get(), "Fancy"), OdDbTable::kDataRow);
    TempFile saved("heights-saved.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), saved);
    EXPECT_NE(saved.read().find(" 93\n  4718592\n"), std::string::npos);
    EXPECT_NE(saved.read().find("  1\ncell\n  7\nFancy\n140\n0.5\n"), std::string::npos);
    EXPECT_EQ(openTable(back.get())->textStyle(OdDbTable::kDataRow), styleId(back.get(), "Fancy"));
    EXPECT_EQ(openTable(back.get())->textStyle(OdDbTable::kTitleRow), styleId(back.get(), "Title"));

    // Flags that promise a data-row text style the table does not hold: the table style is read,
    // and setting a style leaves the table as it is rather than guessing.
    TempFile damaged("damaged.dxf");
    OdDbDatabasePtr db2 = drawingWithTable(damaged, "   524288");
    EXPECT_EQ(openTable(db2.get())->textStyle(OdDbTable::kDataRow), styleId(db2.get(), "Body"));
    openTable(db2.get(), OdDb::kForWrite)
        ->setTextStyle(styleId(db2.get(), "Fancy"), OdDbTable::kDataRow);
    EXPECT_EQ(openTable(db2.get())->textStyle(OdDbTable::kDataRow), styleId(db2.get(), "Body"));
}

TEST(TableTextStyle, TableStylesAndTablesAreUsersOfTheirTextStyles)
{
    TempFile file("users.dxf");
    OdDbDatabasePtr db = drawingWithTable(file);
    openTable(db.get(), OdDb::kForWrite)
        ->setTextStyle(styleId(db.get(), "Fancy"), OdDbTable::kTitleRow);

    // Only the table style names Body, Title and Head; only the table names Fancy.
    OdDbObjectIdArray ids;
    for (const char* name : {"Body", "Title", "Head", "Fancy", "Plain"}) {
        ids.append(styleId(db.get(), name));
    }
    db->purge(ids);
    ASSERT_EQ(ids.length(), 1u);
    EXPECT_EQ(ids[0], styleId(db.get(), "Plain"));

    // Renaming a style renames it in the table style and in the table.
    OdDbTextStyleTableRecordPtr(styleId(db.get(), "Body").safeOpenObject(OdDb::kForWrite))
        ->setName(OdString("Notes"));
    OdDbTextStyleTableRecordPtr(styleId(db.get(), "Fancy").safeOpenObject(OdDb::kForWrite))
        ->setName(OdString("Banner"));
    TempFile saved("users-saved.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), saved);
    const std::string text = saved.read();
    EXPECT_EQ(text.find("Body"), std::string::npos);
    EXPECT_EQ(text.find("Fancy"), std::string::npos);
    OdDbTablePtr table = openTable(back.get());
    EXPECT_EQ(table->textStyle(OdDbTable::kDataRow), styleId(back.get(), "Notes"));
    EXPECT_EQ(table->textStyle(OdDbTable::kTitleRow), styleId(back.get(), "Banner"));
}
