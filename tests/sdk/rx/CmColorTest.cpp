#include <OdString.h>

#include <gtest/gtest.h>

#include <CmColor.h>

namespace {

OdCmColor trueColor(OdUInt8 r, OdUInt8 g, OdUInt8 b, int index = 256)
{
    OdCmColor color = OdCmColor::fromIndex(index);
    color.setRGB(r, g, b);
    return color;
}

OdCmColor bookColor(const OdString& name, const OdString& book)
{
    OdCmColor color = trueColor(10, 20, 30);
    EXPECT_TRUE(color.setNames(name, book));
    return color;
}

}  // namespace

TEST(OdCmColor, NamesForDisplay)
{
    struct Case
    {
        const char* what;
        OdCmColor color;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"default", OdCmColor(), L"ByLayer"},
        {"index 0", OdCmColor::fromIndex(0), L"ByBlock"},
        {"index 1", OdCmColor::fromIndex(1), L"red"},
        {"index 8", OdCmColor::fromIndex(8), L"8"},
        {"true colour", trueColor(255, 128, 0), L"255,128,0"},
        {"true colour read with index 1", trueColor(0, 0, 0, 1), L"0,0,0"},
        {"book colour", bookColor(L"RED 100", L"PANTONE+"), L"PANTONE+$RED 100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.color.colorNameForDisplay(), c.expected);
    }
}

TEST(OdCmColor, EqualityComparesWhatTheColourMeans)
{
    struct Case
    {
        const char* what;
        OdCmColor a;
        OdCmColor b;
        bool equal;
    };
    const Case cases[] = {
        {"ByLayer ways", OdCmColor(), OdCmColor::byLayer(), true},
        {"same index", OdCmColor::fromIndex(3), OdCmColor::fromIndex(3), true},
        {"true colour vs ACI of the same index", trueColor(255, 0, 0, 1), OdCmColor::fromIndex(1),
         false},
        {"true colour vs ACI of the same RGB", trueColor(255, 0, 0), OdCmColor::fromIndex(1),
         false},
        {"true colours read with different indexes", trueColor(1, 2, 3, 5), trueColor(1, 2, 3, 9),
         true},
        {"book differs", bookColor(L"A", L"B1"), bookColor(L"A", L"B2"), false},
        {"named vs unnamed", bookColor(L"A", L"B"), trueColor(10, 20, 30), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
    }
}
