#include <OdString.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <unordered_map>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

TEST(OdString, CaseInsensitiveComparisonFoldsNonAsciiLetters)
{
    // Name lookups must not depend on the locale the host runs in.
    std::setlocale(LC_ALL, "C");
    struct Case
    {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"ÄBC", "äbc", 0},  {"École", "ÉCOLE", 0}, {"Ωμέγα", "ΩΜΈΓΑ", 0}, {"Layer-1", "LAYER-1", 0},
        {"ÄBC", "ÄBD", -1}, {"abc", "ab", 1},      {"", "", 0},           {"a", "", 1},
        {"Ä", "A", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const OdString a(c.a);
        const OdString b(c.b);
        EXPECT_EQ(sign(a.iCompare(b)), c.expected);
        EXPECT_EQ(sign(b.iCompare(a)), -c.expected);
        EXPECT_EQ(OdStringNoCaseEqual()(a, b), c.expected == 0);
        if (c.expected == 0) {
            EXPECT_EQ(OdStringNoCaseHash()(a), OdStringNoCaseHash()(b));
            EXPECT_EQ(OdString(a).makeUpper(), OdString(b).makeUpper());
            EXPECT_EQ(OdString(a).makeLower(), OdString(b).makeLower());
        }
    }
    EXPECT_NE(OdString("ÄBC"), OdString("äbc"));  // operator== stays case-sensitive

    std::unordered_map<OdString, int, OdStringNoCaseHash, OdStringNoCaseEqual> names;
    names[OdString("Wände")] = 1;
    EXPECT_EQ(names.count(OdString("WÄNDE")), 1u);
    EXPECT_EQ(names.count(OdString("WANDE")), 0u);
}

TEST(OdString, Utf8ConvertsBothWays)
{
    struct Case
    {
        const char* what;
        std::string utf8;
        std::wstring wide;
        std::string back;
    };
    const Case cases[] = {
        {"ascii", "Layer 0", L"Layer 0", "Layer 0"},
        {"two-byte", "Wände", L"W\u00e4nde", "Wände"},
        {"four-byte", "A\U0001F600", L"A\U0001F600", "A\U0001F600"},
        {"truncated sequence", "a\xC3", L"a\uFFFD", "a\xEF\xBF\xBD"},
        {"stray continuation", "\x80z", L"\uFFFDz", "\xEF\xBF\xBDz"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD", "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OdString s = OdString::fromUtf8(c.utf8);
        EXPECT_EQ(std::wstring(s.c_str()), c.wide);
        EXPECT_EQ(OdString(c.utf8), s);
        EXPECT_EQ(s.toUtf8(), c.back);
    }
}
