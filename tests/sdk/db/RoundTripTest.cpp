#include "DbTestUtil.h"

#include <DbEntity.h>
#include <OdError.h>

#include <gtest/gtest.h>

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
    struct Case
    {
        const char* what;
        std::string text;
        std::string expected;  // empty: the text itself
    };
    const Case cases[] = {
        {"unknown section, unknown entity, XDATA, application groups",
         dxf({{0, "SECTION"},        {2, "HEADER"},    {9, "$ACADVER"}, {1, "AC1015"},
              {9, "$HANDSEED"},      {5, "FF"},        {0, "ENDSEC"},   {0, "SECTION"},
              {2, "THUMBNAILIMAGE"}, {90, "3"},        {310, "ABCDEF"}, {0, "ENDSEC"},
              {0, "SECTION"},        {2, "ENTITIES"},  {0, "WHATEVER"}, {5, "20"},
              {102, "{MYAPP"},       {330, "21"},      {102, "}"},      {100, "AcDbEntity"},
              {8, "Walls"},          {1001, "KVTEST"}, {1000, "kept"},  {1070, "   7"},
              {0, "ENDSEC"},         {0, "EOF"}}),
         ""},
        {"a second ENTITIES section joins the first, each entity written once",
         dxf({{0, "SECTION"},
              {2, "HEADER"},
              {9, "$ACADVER"},
              {1, "AC1015"},
              {0, "ENDSEC"},
              {0, "SECTION"},
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
         dxf({{0, "SECTION"},
              {2, "HEADER"},
              {9, "$ACADVER"},
              {1, "AC1015"},
              {0, "ENDSEC"},
              {0, "SECTION"},
              {2, "ENTITIES"},
              {0, "LINE"},
              {5, "A"},
              {8, "0"},
              {0, "TEXT"},
              {5, "B"},
              {8, "0"},
              {0, "ENDSEC"},
              {0, "EOF"}})},
        {"layers named by entities without a table",
         dxf({{0, "SECTION"},
              {2, "HEADER"},
              {9, "$ACADVER"},
              {1, "AC1015"},
              {0, "ENDSEC"},
              {0, "SECTION"},
              {2, "ENTITIES"},
              {0, "CIRCLE"},
              {5, "C"},
              {8, "NoTable"},
              {40, "2.5"},
              {0, "ENDSEC"},
              {0, "EOF"}}),
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(convert(c.text), c.expected.empty() ? c.text : c.expected);
    }
}

TEST(RoundTrip, DrawingsOlderThan2000AreWrittenAs2000)
{
    // An R12 drawing: no handles, no owners, no subclasses, no block records, no objects.
    const std::string r12 =
        dxf({{0, "SECTION"},  {2, "HEADER"},     {9, "$ACADVER"}, {1, "AC1009"}, {9, "$CLAYER"},
             {8, "WALLS"},    {0, "ENDSEC"},     {0, "SECTION"},  {2, "TABLES"}, {0, "TABLE"},
             {2, "LAYER"},    {70, "2"},         {0, "LAYER"},    {2, "0"},      {70, "0"},
             {62, "7"},       {6, "CONTINUOUS"}, {0, "LAYER"},    {2, "WALLS"},  {70, "0"},
             {62, "1"},       {6, "CONTINUOUS"}, {0, "ENDTAB"},   {0, "ENDSEC"}, {0, "SECTION"},
             {2, "BLOCKS"},   {0, "BLOCK"},      {8, "0"},        {2, "DOOR"},   {70, "0"},
             {10, "0.0"},     {20, "0.0"},       {30, "0.0"},     {0, "LINE"},   {8, "WALLS"},
             {10, "0.0"},     {20, "0.0"},       {30, "0.0"},     {11, "1.0"},   {21, "0.0"},
             {31, "0.0"},     {0, "ENDBLK"},     {8, "0"},        {0, "ENDSEC"}, {0, "SECTION"},
             {2, "ENTITIES"}, {0, "INSERT"},     {8, "WALLS"},    {2, "DOOR"},   {10, "5.0"},
             {20, "5.0"},     {30, "0.0"},       {0, "ARC"},      {8, "WALLS"},  {10, "0.0"},
             {20, "0.0"},     {30, "0.0"},       {40, "1.0"},     {50, "0.0"},   {51, "90.0"},
             {0, "ENDSEC"},   {0, "EOF"}});
    const std::string converted = convert(r12);
    EXPECT_NE(converted.find("AC1015"), std::string::npos);
    EXPECT_NE(converted.find("AcDbBlockTableRecord"), std::string::npos);
    EXPECT_NE(converted.find("*Model_Space"), std::string::npos);
    EXPECT_NE(converted.find("ACAD_LAYOUT"), std::string::npos);
    // The arc's groups are split between its two subclasses.
    const size_t arc = converted.find("ARC\n");
    ASSERT_NE(arc, std::string::npos);
    const size_t circle = converted.find("AcDbCircle", arc);
    const size_t radius = converted.find(" 40\n1.0", arc);
    const size_t arcMarker = converted.find("AcDbArc", arc);
    const size_t start = converted.find(" 50\n0.0", arc);
    EXPECT_TRUE(circle < radius && radius < arcMarker && arcMarker < start) << converted;
    // Written again, it stays as it is.
    EXPECT_EQ(convert(converted), converted);

    TempFile file("upgraded.dxf");
    {
        std::ofstream out(file.path, std::ios::binary);
        out << converted;
    }
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(file.path));
    OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject();
    EXPECT_EQ(db->getCLAYER(), layers->getAt(OdString("walls")));
    OdDbBlockTableRecordPtr model = db->getModelSpaceId().safeOpenObject();
    int entities = 0;
    for (OdDbObjectIteratorPtr it = model->newIterator(); !it->done(); it->step()) {
        OdDbEntityPtr entity = it->entity();
        EXPECT_EQ(entity->layer(), OdString("WALLS"));
        EXPECT_EQ(entity->ownerId(), db->getModelSpaceId());
        EXPECT_FALSE(entity->getDbHandle().isNull());
        ++entities;
    }
    EXPECT_EQ(entities, 2);
}

TEST(RoundTrip, RefusesWhatIsNotDxfWithTheFileAndLine)
{
    struct Case
    {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"DWG file", "AC1032\0\0\0binary", "DWG"},
        {"bad group code", "  0\nSECTION\n  2\nENTITIES\nABC\nLINE\n", ":5: expected a group code"},
        {"empty file", "", "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile in("bad.dxf");
        {
            std::ofstream out(in.path, std::ios::binary);
            out << c.text;
        }
        try {
            OdDbDatabase::readFile(OdString(in.path));
            ADD_FAILURE() << "read without complaint";
        } catch (const OdError& e) {
            const std::string message = e.description().toUtf8();
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
    }
}
