#include <CKvValueText.h>

#include <gtest/gtest.h>

#include <CmColor.h>
#include <ResBuf.h>
#include <clocale>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

OdCmColor colorOf(OdInt16 index)
{
    OdCmColor color;
    color.setColorIndex(index);
    return color;
}

OdCmColor trueColor()
{
    OdCmColor color;
    color.setRGB(255, 128, 0);
    return color;
}

struct Case
{
    const char* what;
    std::function<OdResBufPtr()> value;
    const char* text;
};

void expectTexts(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(valueText(c.value()).toUtf8(), c.text);
    }
}

// Reals in the forms the dialog shows them, whatever the values.
const std::vector<Case> kRealCases = {
    {"four decimals", [] { return OdResBuf::newRb(5001, 2.5); }, "2.5000"},
    {"rounded to four decimals", [] { return OdResBuf::newRb(5001, 0.123456); }, "0.1235"},
    {"large", [] { return OdResBuf::newRb(5001, 1e15); }, "1000000000000000.0000"},
};

TEST(ValueText, RendersByTypeCode)
{
    std::vector<Case> cases = {
        {"8-bit integer", [] { return OdResBuf::newRb(280, OdInt8(-5)); }, "-5"},
        {"true", [] { return OdResBuf::newRb(290, true); }, "1"},
        {"16-bit integer", [] { return OdResBuf::newRb(5003, OdInt16(-32768)); }, "-32768"},
        {"text as it is", [] { return OdResBuf::newRb(5005, L" 0.25 mm \u00b0"); },
         " 0.25 mm \u00b0"},
        {"32-bit integer",
         [] { return OdResBuf::newRb(5010, OdInt32(std::numeric_limits<OdInt32>::max())); },
         "2147483647"},
        {"palette colour", [] { return OdResBuf::newRb(5011, colorOf(1)); }, "red"},
        {"ByLayer", [] { return OdResBuf::newRb(5011, colorOf(256)); }, "ByLayer"},
        {"true colour", [] { return OdResBuf::newRb(5011, trueColor()); }, "255,128,0"},
        // Codes the dialog does not show give the empty text, whatever the value holds.
        {"DXF text code", [] { return OdResBuf::newRb(1, L"text"); }, ""},
        {"32-bit DXF integer code", [] { return OdResBuf::newRb(90, OdInt32(7)); }, ""},
        {"angle", [] { return OdResBuf::newRb(5004, 1.5); }, ""},
        {"no value", [] { return OdResBuf::newRb(5000); }, ""},
        {"null", [] { return OdResBufPtr(); }, ""},
    };
    cases.insert(cases.end(), kRealCases.begin(), kRealCases.end());
    expectTexts(cases);
}

// The dialog and the batch report are read on machines of every language; a comma as the
// decimal separator would make the same value two texts.
TEST(ValueText, RealsKeepTheFullStopInEveryLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool commaLocale = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaLocale = true;
            break;
        }
    }
    if (!commaLocale) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    expectTexts(kRealCases);
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
