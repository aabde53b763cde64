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
         dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "0"}, {10, "1"}, {0, "ENDSEC"},
              {0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"}, {8, "0"}, {1, "second"},
              {0, "ENDSEC"}, {0, "EOF"}}),
         dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "0"}, {10, "1"}, {0, "TEXT"},
              {8, "0"}, {1, "second"}, {0, "ENDSEC"}, {0, "EOF"}})},
        {"R12 layers named by entities without a table",
         dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "CIRCLE"}, {8, "NoTable"}, {40, "2.5"},
              {0, "ENDSEC"}, {0, "EOF"}}),
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(convert(c.text), c.expected.empty() ? c.text : c.expected);
    }
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
