#include "DbTestUtil.h"

#include <DbDictionary.h>
#include <DbDimStyleTableRecord.h>
#include <DbEntity.h>
#include <OdError.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A drawing as DXF text, one "code value" pair per entry, in the layout our writer uses.
std::string dxf(std::initializer_list<std::pair<int, const char*>> groups)
{
    std::string text;
    char code[8];
    for (const auto& [c, value] : groups) {
        std::snprintf(code, sizeof code, "%3d\n", c);
        text += code;
        text += value;
        text += "\n";
    }
    return text;
}

std::string convert(const std::string& text)
{
    TempFile in("in.dxf");
    {
        std::ofstream out(in.path, std::ios::binary);
        out << text;
    }
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(in.path));
    TempFile out("out.dxf");
    db->writeFile(OdString(out.path));
    return out.read();
}

}  // namespace

TEST(RoundTrip, WritesBackWhatItDoesNotInterpretUnchanged)
{
    // Each drawing lacks the tables every drawing has; they are added, the rest stays as it was.
    struct Case
    {
        const char* what;
        std::string text;
        std::vector<std::string> kept;  // parts written back byte for byte
    };
    const std::string entity = dxf({{0, "WHATEVER"},
                                    {5, "20"},
                                    {102, "{MYAPP"},
                                    {330, "21"},
                                    {102, "}"},
                                    {100, "AcDbEntity"},
                                    {8, "Walls"},
                                    {1001, "KVTEST"},
                                    {1000, "kept"},
                                    {1070, "   7"}});
    const std::string thumbnail =
        dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "3"}, {310, "ABCDEF"}, {0, "ENDSEC"}});
    const std::string header =
        dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"}});
    const Case cases[] = {
        {"unknown section, unknown entity, XDATA, application groups",
         header + thumbnail + dxf({{0, "SECTION"}, {2, "ENTITIES"}}) + entity +
             dxf({{0, "ENDSEC"}, {0, "EOF"}}),
         {thumbnail, entity}},
        {"a second ENTITIES section joins the first, each entity written once",
         header + dxf({{0, "SECTION"},
                       {2, "ENTITIES"},
                       {0, "LINE"},
                       {5, "A"},
                       {8, "0"},
                       {0, "ENDSEC"},
                       {0, "SECTION"},
                       {2, "ENTITIES"},
                       {0, "TEXT"},
                       {5, "B"},
                       {8, "0"},
                       {0, "ENDSEC"},
                       {0, "EOF"}}),
         {dxf({{0, "SECTION"},
               {2, "ENTITIES"},
               {0, "LINE"},
               {5, "A"},
               {8, "0"},
               {0, "TEXT"},
               {5, "B"},
               {8, "0"},
               {0, "ENDSEC"}})}},
        {"layers named by entities without a table",
         header + dxf({{0, "SECTION"},
                       {2, "ENTITIES"},
                       {0, "CIRCLE"},
                       {5, "C"},
                       {8, "NoTable"},
                       {40, "2.5"},
                       {0, "ENDSEC"},
                       {0, "EOF"}}),
         {dxf({{0, "CIRCLE"}, {5, "C"}, {8, "NoTable"}, {40, "2.5"}})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string converted = convert(c.text);
        for (const std::string& part : c.kept) {
            EXPECT_NE(converted.find(part), std::string::npos) << part;
        }
        EXPECT_EQ(convert(converted), converted);
    }
}

namespace {

// Groups written "code value|code value|..." (an empty value after the code's space).
std::string groups(const std::string& list)
{
    std::string text;
    size_t at = 0;
    while (at < list.size()) {
        size_t end = list.find('|', at);
        end = end == std::string::npos ? list.size() : end;
        const std::string item = list.substr(at, end - at);
        const size_t space = item.find(' ');
        char code[8];
        std::snprintf(code, sizeof code, "%3d\n", std::atoi(item.substr(0, space).c_str()));
        text += code + (space == std::string::npos ? "" : item.substr(space + 1)) + "\n";
        at = end + 1;
    }
    return text;
}

std::string nameOf(const OdDbObjectId& id)
{
    OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
    return record.isNull() ? "<none>" : record->getName().toUtf8();
}

OdDbObjectId recordOf(const OdDbObjectId& tableId, const char* name)
{
    OdDbSymbolTablePtr table = tableId.safeOpenObject();
    return table->getAt(OdString(name));
}

int entitiesOf(const OdDbObjectId& block)
{
    int count = 0;
    OdDbBlockTableRecordPtr record = block.safeOpenObject();
    for (OdDbObjectIteratorPtr it = record->newIterator(); !it->done(); it->step()) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(RoundTrip, OldAndDamagedDrawingsAreReadAsCadProgramsReadThem)
{
    struct Case
    {
        const char* what;
        std::string text;
        std::vector<std::string> repairs;  // parts of the messages of the first reading
        std::function<void(OdDbDatabase& converted, const std::string& written)> check;
    };
    const std::string header12 = groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC1009|0 ENDSEC");
    const std::string layers12 = groups(
        "0 SECTION|2 TABLES|0 TABLE|2 LTYPE|70 1|0 LTYPE|2 CONTINUOUS|70 0|3 Solid|72 65|73 0|"
        "40 0.0|0 LTYPE|2 DASHED|70 0|3 __|72 65|73 2|40 0.75|49 0.5|49 -0.25|0 ENDTAB|0 TABLE|"
        "2 LAYER|70 2|0 LAYER|2 0|70 0|62 7|6 CONTINUOUS|0 LAYER|100 AcDbSymbolTableRecord|"
        "2 WALLS|70 0|62 1|6 DASHED|370 999|0 ENDTAB|0 ENDSEC");
    const std::string entities12 = groups(
        "0 SECTION|2 BLOCKS|0 BLOCK|8 0|2 DOOR|70 0|10 0.0|20 0.0|30 0.0|0 LINE|8 WALLS|"
        "10 0.0|20 0.0|30 0.0|11 1.0|21 0.0|31 0.0|0 ENDBLK|8 0|0 BLOCK|8 0|70 0|10 0.0|"
        "20 0.0|30 0.0|0 CIRCLE|8 0|40 1.0|0 ENDBLK|8 0|0 BLOCK|8 0|70 0|10 0.0|20 0.0|30 0.0|"
        "0 ENDBLK|8 0|0 ENDSEC|0 SECTION|2 ENTITIES|0 INSERT|8 WALLS|2 DOOR|10 5.0|20 5.0|"
        "30 0.0|0 ARC|8 WALLS|10 0.0|20 0.0|30 0.0|40 1.0|50 0.0|51 90.0|0 ENDSEC|0 EOF");
    const auto r12 = [](OdDbDatabase& db, const std::string& written) {
        OdDbLayerTableRecordPtr walls = recordOf(db.getLayerTableId(), "WALLS").safeOpenObject();
        EXPECT_EQ(nameOf(walls->linetypeObjectId()), "DASHED");
        // A lineweight no enumerator can hold reads as the default.
        EXPECT_EQ(walls->lineWeight(), OdDb::kLnWtByLwDefault);
        EXPECT_NE(written.find("100\nAcDbLayerTableRecord\n  2\nWALLS"), std::string::npos);
        EXPECT_EQ(entitiesOf(db.getModelSpaceId()), 2);
        // Each block without a name is a block of its own.
        EXPECT_EQ(entitiesOf(recordOf(db.getBlockTableId(), "*U1")), 1);
        EXPECT_EQ(entitiesOf(recordOf(db.getBlockTableId(), "*U2")), 0);
        // The arc's groups are split between its two subclasses.
        const size_t arc = written.find("ARC\n");
        EXPECT_LT(written.find("AcDbCircle", arc), written.find(" 40\n1.0", arc));
        EXPECT_LT(written.find(" 40\n1.0", arc), written.find("AcDbArc", arc));
        EXPECT_LT(written.find("AcDbArc", arc), written.find(" 50\n0.0", arc));
    };
    const std::vector<std::string> r12Repairs = {
        "in.dxf: the drawing has no STYLE table; it is added with its text style \"Standard\"",
        "block definition without a name; it is named *U1",
        "block definition without a name; it is named *U2"};
    const Case cases[] = {
        {"R12: layers keep their line styles, records get their markers",
         header12 + layers12 + entities12, r12Repairs, r12},
        {"a version before R10 is upgraded as R12",
         groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC2.10|0 ENDSEC") + layers12 + entities12,
         r12Repairs, r12},
        {"R12 with an OBJECTS section keeps its dictionaries",
         header12 + groups("0 SECTION|2 OBJECTS|0 DICTIONARY|5 C|330 0|100 AcDbDictionary|"
                           "3 ACAD_LAYOUT|350 D|3 ACAD_MLINESTYLE|350 E|0 DICTIONARY|5 D|330 C|"
                           "100 AcDbDictionary|3 Model|350 F|0 DICTIONARY|5 E|330 C|"
                           "100 AcDbDictionary|0 LAYOUT|5 F|330 D|100 AcDbPlotSettings|"
                           "100 AcDbLayout|1 Model|330 99|0 ENDSEC|0 EOF"),
         {"in.dxf: layout \"Model\" names block 99, which does not exist; it is linked to block "
          "\"*Model_Space\""},
         [](OdDbDatabase& db, const std::string&) {
             OdDbDictionaryPtr root = db.getNamedObjectsDictionaryId().safeOpenObject();
             EXPECT_EQ(root->numEntries(), 3u);  // its own two and the groups
             OdDbDictionaryPtr layouts = root->getAt(OdString("ACAD_LAYOUT"), OdDb::kForRead);
             EXPECT_EQ(layouts->numEntries(), 1u);
         }},
        {"a paper space layout without a block keeps its cleared link",
         groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC1015|0 ENDSEC|0 SECTION|2 OBJECTS|"
                "0 DICTIONARY|5 C|330 0|100 AcDbDictionary|3 ACAD_LAYOUT|350 D|0 DICTIONARY|5 D|"
                "330 C|100 AcDbDictionary|3 Layout1|350 E|3 Layout2|350 F|0 LAYOUT|5 E|330 D|"
                "100 AcDbPlotSettings|100 AcDbLayout|1 Layout1|330 98|0 LAYOUT|5 F|330 D|"
                "100 AcDbPlotSettings|100 AcDbLayout|1 Layout2|330 99|0 ENDSEC|0 EOF"),
         {"in.dxf: layout \"Layout1\" names block 98, which does not exist; it is linked to block "
          "\"*Paper_Space\"",
          "in.dxf: layout \"Layout2\" names block 99, which does not exist; no block is left for "
          "it; the link is cleared"},
         [](OdDbDatabase&, const std::string& written) {
             EXPECT_NE(written.find("  1\nLayout2\n330\n0\n"), std::string::npos);
         }},
        {"a block record table without model space: it is added, with the entities",
         groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC1015|0 ENDSEC|0 SECTION|2 TABLES|0 TABLE|"
                "2 BLOCK_RECORD|5 C|330 0|100 AcDbSymbolTable|70 1|0 BLOCK_RECORD|5 D|330 C|"
                "100 AcDbSymbolTableRecord|100 AcDbBlockTableRecord|2 ARROW|0 ENDTAB|0 ENDSEC|"
                "0 SECTION|2 ENTITIES|0 LINE|5 20|100 AcDbEntity|8 0|100 AcDbLine|0 ENDSEC|0 EOF"),
         {"in.dxf: the drawing has no block records for the blocks \"*Model_Space\"; they are "
          "added"},
         [](OdDbDatabase& db, const std::string&) {
             EXPECT_EQ(entitiesOf(db.getModelSpaceId()), 1);
         }},
        {"R13: dimension variables and arrow names in the form of AC1015",
         groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC1012|0 ENDSEC|0 SECTION|2 TABLES|0 TABLE|"
                "2 DIMSTYLE|5 A|330 0|100 AcDbSymbolTable|70 1|0 DIMSTYLE|105 B|330 A|"
                "100 AcDbSymbolTableRecord|100 AcDbDimStyleTableRecord|2 FIT4|70 0|5 ARROW|6 |"
                "7 NOARROW|270 6|287 4|0 ENDTAB|0 TABLE|2 BLOCK_RECORD|5 C|330 0|"
                "100 AcDbSymbolTable|70 1|0 BLOCK_RECORD|5 D|330 C|100 AcDbSymbolTableRecord|"
                "100 AcDbBlockTableRecord|2 ARROW|0 ENDTAB|0 ENDSEC|0 EOF"),
         {"in.dxf: dimension style \"FIT4\" names the arrow block \"NOARROW\", which the drawing "
          "does not have; the style uses the default arrow"},
         [](OdDbDatabase& db, const std::string&) {
             OdDbDimStyleTableRecordPtr style =
                 recordOf(db.getDimStyleTableId(), "FIT4").safeOpenObject();
             EXPECT_EQ(style->dimatfit(), 3);
             EXPECT_EQ(style->dimtmove(), 1);
             EXPECT_EQ(style->dimlunit(), 4);
             EXPECT_EQ(style->dimfrac(), 2);
             EXPECT_EQ(nameOf(style->dimblk()), "ARROW");
             EXPECT_TRUE(style->dimblk2().isNull());
             // A style that names no text style uses Standard.
             EXPECT_EQ(style->dimtxsty(), db.getTextStyleStandardId());
         }},
        {"objects without a handle, records outside their table, a block defined twice (the "
         "second\n          under a damaged marker)",
         groups("0 SECTION|2 HEADER|9 $ACADVER|1 AC1015|9 $HANDSEED|5 2|0 ENDSEC|0 SECTION|"
                "2 TABLES|0 TABLE|2 LAYER|5 2|330 0|100 AcDbSymbolTable|0 ENDTAB|0 BLOCK_RECORD|"
                "5 10|330 0|100 AcDbSymbolTableRecord|100 AcDbBlockTableRecord|2 DOOR|0 ENDTAB|"
                "0 ENDSEC|0 SECTION|2 BLOCKS|0 BLOCK|5 11|330 10|100 AcDbEntity|8 0|"
                "100 AcDbBlockBegin|2 DOOR|70 0|0 LINE|5 |330 10|100 AcDbEntity|8 0|"
                "100 AcDbLine|0 ENDBLK|5 12|330 10|100 AcDbEntity|8 0|100 AcDbBlockEnd|0 BLOCK|"
                "5 13|330 10::|100 AcDbEntity|8 0|100 AcDbBlockDamaged|2 DOOR|70 0|0 CIRCLE|5 14|"
                "330 10|100 AcDbEntity|8 0|100 AcDbCircle|40 1.0|0 ENDBLK|5 15|330 10|"
                "100 AcDbEntity|8 0|100 AcDbBlockEnd|0 ENDSEC|0 EOF"),
         {"in.dxf:31: BLOCK_RECORD record outside its table; it goes to the BLOCK_RECORD table",
          "a second definition of block \"DOOR\"; it is named DOOR_2",
          "in.dxf:67: 1 object has no handle (the first a LINE); each gets a new one"},
         [](OdDbDatabase& db, const std::string& written) {
             EXPECT_EQ(entitiesOf(recordOf(db.getBlockTableId(), "DOOR")), 1);
             EXPECT_EQ(entitiesOf(recordOf(db.getBlockTableId(), "DOOR_2")), 1);
             EXPECT_EQ(written.find("LINE\n  5\n\n"), std::string::npos);
         }},
        {"blocks before the tables that hold their records",
         groups(
             "0 SECTION|2 HEADER|9 $ACADVER|1 AC1015|0 ENDSEC|0 SECTION|2 BLOCKS|0 BLOCK|"
             "5 11|330 10|100 AcDbEntity|8 0|100 AcDbBlockBegin|2 DOOR|70 0|0 ENDBLK|5 12|"
             "330 10|100 AcDbEntity|8 0|100 AcDbBlockEnd|0 ENDSEC|0 SECTION|2 TABLES|0 TABLE|"
             "2 BLOCK_RECORD|5 1|330 0|100 AcDbSymbolTable|0 BLOCK_RECORD|5 10|330 1|"
             "100 AcDbSymbolTableRecord|100 AcDbBlockTableRecord|2 DOOR|0 ENDTAB|0 ENDSEC|0 EOF"),
         {},
         [](OdDbDatabase& db, const std::string& written) {
             EXPECT_EQ(recordOf(db.getBlockTableId(), "DOOR").getHandle(), OdDbHandle(0x10));
             const size_t table = written.find("TABLE\n  2\nBLOCK_RECORD");
             EXPECT_EQ(written.find("TABLE\n  2\nBLOCK_RECORD", table + 1), std::string::npos);
         }},
        {"an entity of the old structure: what its XDATA holds stays XDATA",
         header12 + groups("0 SECTION|2 ENTITIES|0 LINE|10 0.0|20 0.0|11 1.0|21 0.0|1001 ACAD|"
                           "1000 x|8 GHOST|0 ENDSEC|0 EOF"),
         {},
         [](OdDbDatabase&, const std::string& written) {
             EXPECT_NE(written.find("AcDbEntity\n  8\n0\n100\nAcDbLine"), std::string::npos);
             EXPECT_NE(written.find("1001\nACAD\n1000\nx\n  8\nGHOST\n  0"), std::string::npos);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile in("in.dxf");
        {
            std::ofstream out(in.path, std::ios::binary);
            out << c.text;
        }
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(in.path));
        std::string messages;
        for (const OdString& message : db->messages()) {
            messages += message.toUtf8() + "\n";
        }
        for (const std::string& repair : c.repairs) {
            EXPECT_NE(messages.find(repair), std::string::npos) << repair << "\n" << messages;
        }
        TempFile out("out.dxf");
        db->writeFile(OdString(out.path));
        const std::string written = out.read();
        OdDbDatabasePtr converted = OdDbDatabase::readFile(OdString(out.path));
        EXPECT_TRUE(converted->messages().empty());
        EXPECT_EQ(converted->versionString(), OdString("AC1015"));
        c.check(*converted, written);
        // Written again, it stays as it is.
        EXPECT_EQ(convert(written), written);
    }
}

TEST(RoundTrip, RefusesWhatIsNotDxfWithTheFileAndLine)
{
    TempFile in("bad.dxf");
    {
        std::ofstream out(in.path, std::ios::binary);
        out << "  0\nSECTION\n  2\nENTITIES\nABC\nLINE\n";
    }
    try {
        OdDbDatabase::readFile(OdString(in.path));
        ADD_FAILURE() << "read without complaint";
    } catch (const OdError& e) {
        EXPECT_EQ(e.description().toUtf8(), in.path + ":5: expected a group code, found \"ABC\"");
    }
}
