#include "TextCodec.h"

#include <gtest/gtest.h>

namespace kvdxf {
namespace {

struct Drawing
{
    const char* version;
    const char* codepage;
};

TEST(TextCodec, DecodesInTheDrawingsEncodingAndMarksWhatItCannot)
{
    struct Case
    {
        const char* what;
        Drawing drawing;
        std::string raw;
        std::wstring text;
    };
    const Case cases[] = {
        {"ANSI_1252 umlaut", {"AC1015", "ANSI_1252"}, "T\xE4ler", L"T\u00E4ler"},
        {"no code page reads as 1252", {"AC1015", ""}, "\xE4\x80", L"\u00E4\u20AC"},
        {"ASCII code page reads as 1252", {"AC1018", "ASCII"}, "\xE4", L"\u00E4"},
        {"lower-case name", {"AC1009", "ansi_1252"}, "\xFC", L"\u00FC"},
        {"ANSI_1251 Cyrillic",
         {"AC1018", "ANSI_1251"},
         "\xCF\xF0\xE8\xE2\xE5\xF2",
         L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {"dos932 Japanese",
         {"AC1012", "dos932"},
         "\x93\xFA\x96\x7B\x8C\xEA",
         L"\u65E5\u672C\u8A9E"},
        {"ANSI_932 Japanese with ASCII", {"AC1015", "ANSI_932"}, "A\x93\xFA", L"A\u65E5"},
        {"dos850", {"AC1012", "dos850"}, "\x84", L"\u00E4"},
        {"AC1021 is UTF-8 whatever the code page",
         {"AC1021", "ANSI_1251"},
         "\xC3\xA4\xE6\x97\xA5",
         L"\u00E4\u65E5"},
        {"escape in a code page drawing",
         {"AC1015", "ANSI_1252"},
         "Tsch\\U+00FCss",
         L"Tsch\u00FCss"},
        {"escape in a UTF-8 drawing", {"AC1032", "ANSI_1252"}, "\\U+00fc", L"\u00FC"},
        {"surrogate pair as two escapes", {"AC1032", ""}, "\\U+D83D\\U+DE00", L"\U0001F600"},
        {"lone surrogate stays", {"AC1032", ""}, "\\U+D83Dx", std::wstring{wchar_t(0xD83D), L'x'}},
        {"mbcs escape kept verbatim", {"AC1015", "ANSI_1252"}, "\\M+18140", L"\\M+18140"},
        {"not an escape", {"AC1015", "ANSI_1252"}, "\\U+12G4 \\P \\", L"\\U+12G4 \\P \\"},
        {"old version name", {"AC2.10", "ANSI_1252"}, "\xE4", L"\u00E4"},
        // Bytes that cannot be decoded become replacement characters.
        {"byte that is not UTF-8",
         {"AC1027", ""},
         "a\xFF"
         "b",
         L"a\uFFFDb"},
        {"overlong UTF-8", {"AC1027", ""}, "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"UTF-8 cut short", {"AC1027", ""}, "\xE2\x82", L"\uFFFD\uFFFD"},
        {"UTF-8 surrogate", {"AC1027", ""}, "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"hole in 1252", {"AC1015", "ANSI_1252"}, "\x81", L"\uFFFD"},
        {"932 lead byte at the end", {"AC1015", "ANSI_932"}, "A\x93", L"A\uFFFD"},
        {"932 bad second byte",
         {"AC1015", "ANSI_932"},
         "\x93\x01"
         "B",
         L"\uFFFD\x01"
         L"B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TextCodec codec = TextCodec::forDrawing(c.drawing.version, c.drawing.codepage);
        EXPECT_EQ(codec.decode(c.raw), c.text);
    }
}

TEST(TextCodec, EncodesWithEscapesForWhatTheCodePageLacksAndDecodesThatBack)
{
    struct Case
    {
        const char* what;
        Drawing drawing;
        std::wstring text;
        std::string raw;
    };
    const Case cases[] = {
        {"1252 holds umlaut and euro", {"AC1015", "ANSI_1252"}, L"\u00E4\u20AC", "\xE4\x80"},
        {"1252 lacks Cyrillic", {"AC1015", "ANSI_1252"}, L"a\u0416", "a\\U+0416"},
        {"1251 holds Cyrillic", {"AC1015", "ANSI_1251"}, L"\u0416", "\xC6"},
        {"949 holds Hangul", {"AC1015", "ANSI_949"}, L"\uD55C\uAE00", "\xC7\xD1\xB1\xDB"},
        {"932 holds kanji, lacks umlaut",
         {"AC1015", "ANSI_932"},
         L"\u65E5\u00E4",
         "\x93\xFA\\U+00E4"},
        {"beyond U+FFFF as a surrogate pair",
         {"AC1015", "ANSI_1252"},
         L"\U0001F600",
         "\\U+D83D\\U+DE00"},
        {"UTF-8 drawing", {"AC1021", "ANSI_1252"}, L"\u00E4\U0001F600", "\xC3\xA4\xF0\x9F\x98\x80"},
        {"UTF-8 cannot hold a lone surrogate",
         {"AC1032", ""},
         std::wstring{wchar_t(0xDC00)},
         "\\U+DC00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TextCodec codec = TextCodec::forDrawing(c.drawing.version, c.drawing.codepage);
        EXPECT_EQ(codec.encode(c.text), c.raw);
        EXPECT_EQ(codec.decode(c.raw), c.text);
    }
}

}  // namespace
}  // namespace kvdxf
