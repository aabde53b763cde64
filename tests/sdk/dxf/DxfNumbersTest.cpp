#include "DxfNumbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <random>

namespace kvdxf {
namespace {

TEST(DxfNumbers, ParsesOnlyWholeNumbersInCLocaleAndWritesHandlesBack)
{
    // Under a locale with a decimal comma the results must not change.
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    struct Case
    {
        const char* text;
        bool ok;
        double value;
    };
    const Case doubles[] = {
        {"1.5", true, 1.5},  {"  -0.25 ", true, -0.25}, {"1e5", true, 1e5}, {"-.5", true, -0.5},
        {"+2.", true, 2.0},  {"\t3\r", true, 3.0},      {"1,5", false, 0},  {"", false, 0},
        {"  ", false, 0},    {"1.5x", false, 0},        {"nan", false, 0},  {"inf", false, 0},
        {"1e400", false, 0}, {"+-1", false, 0},         {"--1", false, 0},  {"0x10", false, 0},
    };
    for (const Case& c : doubles) {
        SCOPED_TRACE(c.text);
        double value = 42;
        EXPECT_EQ(parseDouble(c.text, value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 42);
    }
    struct IntCase
    {
        const char* text;
        bool ok;
        int64_t value;
    };
    const IntCase ints[] = {
        {"     0", true, 0},
        {"-2147483648", true, -2147483648LL},
        {"+7", true, 7},
        {"9223372036854775807", true, INT64_MAX},
        {"9223372036854775808", false, 0},
        {"1.0", false, 0},
        {"", false, 0},
        {"12 3", false, 0},
    };
    for (const IntCase& c : ints) {
        SCOPED_TRACE(c.text);
        int64_t value = 42;
        EXPECT_EQ(parseInt(c.text, value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 42);
    }
    // Handles are written in uppercase hex without leading zeros.
    struct HandleCase
    {
        const char* text;
        bool ok;
        uint64_t value;
        const char* written;
    };
    const HandleCase handles[] = {
        {"1F", true, 0x1F, "1F"},
        {"1f", true, 0x1F, "1F"},
        {" 0 ", true, 0, "0"},
        {"00ABCDEF", true, 0xABCDEF, "ABCDEF"},
        {"FFFFFFFFFFFFFFFF", true, UINT64_MAX, "FFFFFFFFFFFFFFFF"},
        {"10000000000000000", false, 0, ""},
        {"", false, 0, ""},
        {"G1", false, 0, ""},
        {"-1", false, 0, ""},
    };
    for (const HandleCase& c : handles) {
        SCOPED_TRACE(c.text);
        uint64_t value = 42;
        EXPECT_EQ(parseHandle(c.text, value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 42);
        if (c.ok) {
            EXPECT_EQ(formatHandle(value), c.written);
        }
    }
    std::setlocale(LC_NUMERIC, previous ? previous : "C");
}

TEST(DxfNumbers, FormattedRealsReadBackExactlyAndLookLikeReals)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1.0, "1.0"},    {0.1, "0.1"},    {-0.5, "-0.5"}, {100.0, "100.0"},
        {1e20, "1e+20"}, {1e-7, "1e-07"}, {-0.0, "-0.0"}, {0.785398163397448, "0.785398163397448"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatDouble(c.value), c.text);
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 10000; ++i) {
        const uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string text = formatDouble(value);
        SCOPED_TRACE(text);
        double back = 0;
        ASSERT_TRUE(parseDouble(text, back));
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0);
        EXPECT_NE(text.find_first_of(".e"), std::string::npos);
    }
}

}  // namespace
}  // namespace kvdxf
