#include "HostTestUtil.h"

#include <CKvString.h>
#include <OdError.h>

#include <QString>

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

TEST(KvString, ConvertsToAndFromQtAndSdkStringsWithoutLoss)
{
    struct Case
    {
        const char* what;
        const char* utf8;
        int codePoints;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"ASCII", "Walls", 5},
        {"umlaut and sharp s",
         "Gr\xC3\xB6\xC3\x9F"
         "e",
         5},
        {"outside the basic plane (a surrogate pair in Qt)",
         "A\xF0\x9F\x98\x80"
         "B",
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString qt = QString::fromUtf8(c.utf8);
        const CKvString fromQt(qt);
        EXPECT_EQ(fromQt.getLength(), c.codePoints);
        EXPECT_EQ(fromQt.toQString(), qt);
        EXPECT_EQ(fromQt.toUtf8(), std::string(c.utf8));

        const OdString sdk = OdString::fromUtf8(c.utf8);
        const CKvString fromSdk(sdk);
        EXPECT_EQ(fromSdk, fromQt);
        EXPECT_EQ(fromSdk.toOdString(), sdk);
        EXPECT_EQ(CKvString(c.utf8), fromQt);
        EXPECT_EQ(fromQt.isEmpty(), c.codePoints == 0);
    }
}

TEST(KvString, ComparesExactlyOrIgnoringCase)
{
    struct Case
    {
        const char* a;
        const char* b;
        int exact;   // sign of Compare
        int noCase;  // sign of CompareNoCase
    };
    const Case cases[] = {
        {"Layer", "Layer", 0, 0},
        {"Layer", "LAYER", 1, 0},
        {"\xC3\x84"
         "BC",
         "\xC3\xA4"
         "bc",
         -1, 0},  // non-ASCII letters fold too
        {"Walls", "Wall", 1, 1},
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const CKvString a(c.a);
        const CKvString b(c.b);
        EXPECT_EQ(sign(a.Compare(b)), c.exact);
        EXPECT_EQ(sign(a.CompareNoCase(b)), c.noCase);
        EXPECT_EQ(sign(a.compareNoCase(b)), c.noCase);
        if (c.noCase == 0) {
            EXPECT_EQ(CKvStringNoCaseHash()(a), CKvStringNoCaseHash()(b));
            EXPECT_TRUE(CKvStringNoCaseEqual()(a, b));
        }
    }
}

TEST(KvString, FormatsLikePrintf)
{
    struct Case
    {
        const char* what;
        CKvString (*build)();
        CKvString expected;
    };
    const Case cases[] = {
        {"wide format with a wide string, a narrow string and numbers",
         [] { return CKvString().format(L"%ls: %d of %.2f %s", L"Layer", 3, 1.5, "Gr\xC3\xB6"); },
         CKvString(L"Layer: 3 of 1.50 Gr\u00F6")},
        {"narrow format reads the result as UTF-8",
         [] { return CKvString().formatA("%s=%d %ls %.1f", "Gr\xC3\xB6", -7, L"\u00E4", 0.5); },
         CKvString(L"Gr\u00F6=-7 \u00E4 0.5")},
        {"long result beyond the first buffer", [] { return CKvString().format(L"%0600d", 1); },
         CKvString(std::wstring(599, L'0') + L"1")},
        {"long narrow result",
         [] { return CKvString().formatA("%s", std::string(5000, 'x').c_str()); },
         CKvString(std::wstring(5000, L'x'))},
    };
    // The same whatever the process locale: full stops in numbers, UTF-8 between narrow and wide
    // text.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) {
            continue;
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(locale) + ": " + c.what);
            EXPECT_EQ(c.build(), c.expected);
        }
    }
    std::setlocale(LC_ALL, before.c_str());
    // A format that cannot be expanded raises and keeps the text.
    CKvString text(L"kept");
    EXPECT_THROW(text.format(nullptr), OdError);
    EXPECT_THROW(text.formatA(nullptr), OdError);
    EXPECT_EQ(text, CKvString(L"kept"));
}

TEST(KvString, ReplacesAndUpperCases)
{
    struct Case
    {
        const char* what;
        CKvString text;
        CKvString oldText;
        CKvString newText;
        int replaced;
        CKvString expected;
    };
    const Case cases[] = {
        {"replacement is not rescanned", L"aaa", L"a", L"aa", 3, L"aaaaaa"},
        {"case-sensitive search", L"Abc abc", L"abc", L"x", 1, L"Abc x"},
        {"empty search replaces nothing", L"abc", L"", L"x", 0, L"abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvString text = c.text;
        EXPECT_EQ(text.replace(c.oldText, c.newText), c.replaced);
        EXPECT_EQ(text, c.expected);
    }

    CKvString upper(L"Stra\u00DFe \u00E4bc-1");
    EXPECT_EQ(upper.makeUpper(), CKvString(L"STRA\u00DFE \u00C4BC-1"));
}
