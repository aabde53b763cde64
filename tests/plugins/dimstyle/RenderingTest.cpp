#include <CKvDimStylePluginImpl.h>

#include <gtest/gtest.h>

#include <LineweightNames.h>

using Impl = CKvDimStylePluginImpl;

TEST(Rendering, RealsKeepFourDecimalsAndOneDigitAfterThePoint)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {2.5, "2.5"},
        {3.0, "3.0"},
        {0.18, "0.18"},
        {1.00004, "1.0"},
        {0.00005, "0.0001"},
        {-2.25, "-2.25"},
        {0.0, "0.0"},
        {12.3, "12.3"},
        {999999.99999, "1000000.0"},
        {1000000.0, "1.0000E+06"},
        {-1000000.0, "-1.0000E+06"},
        {2500000.4, "2.5000E+06"},
        {1.0001, "1.0001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Impl::toString(c.value).toUtf8(), c.text);
    }
}

TEST(Rendering, OtherValueKindsRenderAsTheChecksCompareThem)
{
    OdCmColor trueColor;
    trueColor.setRGB(255, 0, 0);
    OdCmColor none;
    none.setColorMethod(OdCmEntityColor::kNone);
    OdCmColor foreground;
    foreground.setColorMethod(OdCmEntityColor::kForeground);
    struct Case
    {
        const char* what;
        CKvString text;
        const char* expected;
    };
    const Case cases[] = {
        {"empty text", Impl::toString(OdString()), "\"\""},
        {"null wide text", Impl::toString(static_cast<const wchar_t*>(nullptr)), "\"\""},
        {"by layer", Impl::toString(OdCmColor::byLayer()), "ByLayer"},
        {"by block", Impl::toString(OdCmColor::byBlock()), "ByBlock"},
        {"true colour", Impl::toString(trueColor), "ByColor r255:g0:b0"},
        {"no colour", Impl::toString(none), "None"},
        {"foreground", Impl::toString(foreground), "Foreground"},
        {"leader kBlockRef", Impl::toString(OdDbLeader::kBlockRef), "kBlockRef"},
        {"rgb", Impl::toRGBString(0x0080FFu), "r255:g128:b0"},
        {"caller's format", Impl::toString(CKvString("%05.1f"), 2.25), "002.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.text.toUtf8(), c.expected);
    }
    // An index colour and the same red as a true colour differ.
    EXPECT_NE(Impl::toString(OdCmColor::fromIndex(1)).toUtf8(), Impl::toString(trueColor).toUtf8());
}

TEST(LineweightNames, ConvertBothWays)
{
    const int standard[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                            53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    for (int value : standard) {
        SCOPED_TRACE(value);
        const auto lineweight = static_cast<OdDb::LineWeight>(value);
        CKvString name = ConvertLineweightToName(lineweight);
        EXPECT_FALSE(name.isEmpty());
        OdDb::LineWeight back = OdDb::kLnWtByLayer;
        EXPECT_TRUE(convertStringToLineweight(name, back));
        EXPECT_EQ(back, lineweight);
    }
    for (auto special : {OdDb::kLnWtByLayer, OdDb::kLnWtByBlock, OdDb::kLnWtByLwDefault}) {
        CKvString name = ConvertLineweightToName(special);
        OdDb::LineWeight back = OdDb::kLnWt000;
        EXPECT_TRUE(convertStringToLineweight(name, back));
        EXPECT_EQ(back, special);
    }
    EXPECT_EQ(ConvertLineweightToName(static_cast<OdDb::LineWeight>(10)).toUtf8(), "");
    EXPECT_EQ(ConvertLineweightToName(OdDb::kLnWt100).toUtf8(), "1.00 mm");
}

TEST(LineweightNames, ReadingBackFollowsTheKeywordRules)
{
    struct Case
    {
        const char* text;
        bool result;
        int expected;  // the value after the call; it starts at 50
    };
    const Case cases[] = {
        {"layer", true, -1},   {"LAYER", true, -1}, {"Lay", true, -1},     {"Block", true, -2},
        {"Default", true, -3}, {"By", false, 50},   {"b", false, 50},      {"y", false, 50},
        {"a", false, 50},      {"", false, 50},     {"0.25 MM", true, 25}, {"0.25mm", true, 50},
        {"3.00 mm", true, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CKvString text(c.text);
        OdDb::LineWeight value = OdDb::kLnWt050;
        EXPECT_EQ(convertStringToLineweight(text, value), c.result);
        EXPECT_EQ(static_cast<int>(value), c.expected);
    }
}
