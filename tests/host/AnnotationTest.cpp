#include "HostTestUtil.h"

#include <CKvObjectAnnotationContext.h>
#include <DbObject.h>

#include <gtest/gtest.h>

#include <ResBuf.h>
#include <fstream>
#include <string>

namespace {

// The XDATA groups of one record in a written DXF file, as "code value" lines.
std::string xdataOf(const std::string& dxf, const std::string& recordName, const char* app)
{
    const std::string nameTag = "\n  2\n" + recordName + "\n";
    const std::size_t record = dxf.find(nameTag);
    if (record == std::string::npos) {
        return "(record not found)";
    }
    const std::size_t end = dxf.find("\n  0\n", record);
    const std::size_t start = dxf.find("1001\n" + std::string(app) + "\n", record);
    if (start == std::string::npos || start > end) {
        return "";
    }
    std::string groups;
    std::size_t pos = start;
    while (pos < end) {
        const std::size_t codeEnd = dxf.find('\n', pos);
        const std::size_t valueEnd = dxf.find('\n', codeEnd + 1);
        std::string code = dxf.substr(pos, codeEnd - pos);
        code.erase(0, code.find_first_not_of(' '));
        if (code == "1001" && groups.size() > 0) {
            break;
        }
        groups += code + " " + dxf.substr(codeEnd + 1, valueEnd - codeEnd - 1) + "\n";
        pos = valueEnd + 1;
    }
    return groups;
}

}  // namespace

TEST(Annotation, FlagsSurviveSavingAndReadingInTheDxfForm)
{
    struct Case
    {
        const char* what;
        StyleKind kind;
        bool setBefore;  // both flags were set first
        bool annotative;
        bool matchOrientation;
        const char* annotativeGroups;   // what the file holds for AcadAnnotative
        const char* orientationGroups;  // and for AcadAnnoPO
    };
    const char* const kAnnotativeOn =
        "1001 AcadAnnotative\n1000 AnnotativeData\n1002 {\n1070 1\n1070 1\n1002 }\n";
    const Case cases[] = {
        {"annotative text style matching the layout", StyleKind::Text, false, true, true,
         kAnnotativeOn, "1001 AcadAnnoPO\n1070 1\n"},
        {"annotative dimension style", StyleKind::Dimension, false, true, false, kAnnotativeOn, ""},
        {"plain dimension style: no XDATA", StyleKind::Dimension, false, false, false, "", ""},
        {"orientation alone", StyleKind::Text, false, false, true, "", "1001 AcadAnnoPO\n1070 1\n"},
        {"flags that were set are cleared to 0", StyleKind::Text, true, false, false,
         "1001 AcadAnnotative\n1000 AnnotativeData\n1002 {\n1070 1\n1070 0\n1002 }\n",
         "1001 AcadAnnoPO\n1070 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        const OdDbObjectId style = addStyle(db.get(), c.kind, "Notes");
        if (c.setBefore) {
            CKvObjectAnnotationContext::SetAnnotative(style, true, true);
        }
        CKvObjectAnnotationContext::SetAnnotative(style, c.annotative, c.matchOrientation);

        TempFile file("annotation.dxf");
        OdDbDatabasePtr back = saveAndReload(db.get(), file);
        EXPECT_EQ(xdataOf(file.read(), "Notes", "AcadAnnotative"), c.annotativeGroups);
        EXPECT_EQ(xdataOf(file.read(), "Notes", "AcadAnnoPO"), c.orientationGroups);

        const OdDbObjectId reread = findStyle(back.get(), c.kind, "Notes");
        ASSERT_FALSE(reread.isNull());
        bool matchOrientation = !c.matchOrientation;
        EXPECT_EQ(CKvObjectAnnotationContext::IsAnnotative(reread, &matchOrientation),
                  c.annotative);
        EXPECT_EQ(matchOrientation, c.matchOrientation);
        EXPECT_EQ(CKvObjectAnnotationContext::IsAnnotative(reread), c.annotative);
    }
}

TEST(Annotation, ReadsTheFlagsOtherProgramsWrote)
{
    const std::string path =
        std::string(KV_REAL_FIXTURES_DIR) + "/ezdxf__examples_dxf__uncommon.dxf";
    if (!std::ifstream(path).good()) {
        GTEST_SKIP() << "real-world fixtures not present";
    }
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(path));
    struct Case
    {
        StyleKind kind;
        const char* name;
        bool annotative;
    };
    const Case cases[] = {
        {StyleKind::Text, "Annotative", true},
        {StyleKind::Text, "Standard", false},
        {StyleKind::Dimension, "Annotative", true},
        {StyleKind::Dimension, "Standard", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind == StyleKind::Text ? "text style " : "dim style ") +
                     c.name);
        const OdDbObjectId style = findStyle(db.get(), c.kind, c.name);
        ASSERT_FALSE(style.isNull());
        bool matchOrientation = true;
        EXPECT_EQ(CKvObjectAnnotationContext::IsAnnotative(style, &matchOrientation), c.annotative);
        EXPECT_FALSE(matchOrientation);
    }
}

TEST(Annotation, UnusualXdataAndMissingRecordsReadAsNotAnnotative)
{
    using Items = std::vector<std::pair<int, const wchar_t*>>;  // 1070 values as text
    struct Case
    {
        const char* what;
        const wchar_t* dataName;
        Items flags;  // after the AcadAnnotative application and the data name
        bool annotative;
    };
    const Case cases[] = {
        {"version only, no flag",
         L"AnnotativeData",
         {{1002, L"{"}, {1070, L"1"}, {1002, L"}"}},
         false},
        {"flag 0", L"AnnotativeData", {{1070, L"1"}, {1070, L"0"}}, false},
        {"other data name", L"Other", {{1070, L"1"}, {1070, L"1"}}, false},
        {"data name in another case", L"ANNOTATIVEDATA", {{1070, L"1"}, {1070, L"1"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        const OdDbObjectId style = addStyle(db.get(), StyleKind::Text, "Notes");
        Items xdata = {{1001, L"AcadAnnotative"}, {1000, c.dataName}};
        xdata.insert(xdata.end(), c.flags.begin(), c.flags.end());
        style.safeOpenObject(OdDb::kForWrite)->setXData(chainOf(xdata).get());
        EXPECT_EQ(CKvObjectAnnotationContext::IsAnnotative(style), c.annotative);
    }

    bool matchOrientation = true;
    EXPECT_FALSE(CKvObjectAnnotationContext::IsAnnotative(OdDbObjectId(), &matchOrientation));
    EXPECT_FALSE(matchOrientation);
    EXPECT_NO_THROW(CKvObjectAnnotationContext::SetAnnotative(OdDbObjectId(), true, true));
}
