#include "LinFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kFamilies[] = {"BORDER", "CENTER", "DASHDOT", "DASHED",
                                 "DIVIDE", "DOT",    "HIDDEN",  "PHANTOM"};

kvlin::LinFile readResource(const std::string& fileName)
{
    std::ifstream in(std::string(KV_RESOURCE_DIR) + "/" + fileName, std::ios::binary);
    EXPECT_TRUE(in) << fileName;
    std::stringstream buffer;
    buffer << in.rdbuf();
    return kvlin::parse(buffer.str());
}

TEST(ShippedLinFiles, ReadWithoutProblems)
{
    for (const char* fileName : {"inch.lin", "mm.lin"}) {
        SCOPED_TRACE(fileName);
        const kvlin::LinFile file = readResource(fileName);
        for (const kvlin::Problem& problem : file.problems) {
            ADD_FAILURE() << fileName << ":" << problem.line << ": " << problem.message;
        }
        EXPECT_GE(file.definitions.size(), 3 * std::size(kFamilies));
        for (const kvlin::Definition& definition : file.definitions) {
            EXPECT_FALSE(definition.description.empty()) << definition.name;
            EXPECT_LE(definition.description.size(), 47u) << definition.name;
        }
        EXPECT_EQ(kvlin::find(file, "CONTINUOUS"), nullptr) << "Continuous is built in";
    }
}

// NAME2 is NAME at half size and NAMEX2 at double size, element by element.
TEST(ShippedLinFiles, EveryFamilyHasHalfAndDoubleVariants)
{
    for (const char* fileName : {"inch.lin", "mm.lin"}) {
        const kvlin::LinFile file = readResource(fileName);
        for (const char* family : kFamilies) {
            const kvlin::Definition* base = kvlin::find(file, family);
            ASSERT_NE(base, nullptr) << fileName << " " << family;
            for (const auto& [suffix, factor] : {std::pair{"2", 0.5}, std::pair{"X2", 2.0}}) {
                const std::string name = std::string(family) + suffix;
                SCOPED_TRACE(std::string(fileName) + " " + name);
                const kvlin::Definition* variant = kvlin::find(file, name);
                ASSERT_NE(variant, nullptr);
                EXPECT_NEAR(variant->patternLength(), base->patternLength() * factor, 1e-9);
                ASSERT_EQ(variant->elements.size(), base->elements.size());
                for (size_t i = 0; i < base->elements.size(); ++i) {
                    EXPECT_NEAR(variant->elements[i].length, base->elements[i].length * factor,
                                1e-9);
                }
            }
        }
    }
}

// The millimetre families are the inch ones times 25.4, each element rounded to 0.1 mm.
TEST(ShippedLinFiles, MillimetreFamiliesMatchTheInchFamilies)
{
    const kvlin::LinFile inch = readResource("inch.lin");
    const kvlin::LinFile mm = readResource("mm.lin");
    for (const char* family : kFamilies) {
        for (const char* suffix : {"", "2", "X2"}) {
            const std::string name = std::string(family) + suffix;
            SCOPED_TRACE(name);
            const kvlin::Definition* inchDefinition = kvlin::find(inch, name);
            const kvlin::Definition* mmDefinition = kvlin::find(mm, name);
            ASSERT_NE(inchDefinition, nullptr);
            ASSERT_NE(mmDefinition, nullptr);
            ASSERT_EQ(mmDefinition->elements.size(), inchDefinition->elements.size());
            for (size_t i = 0; i < mmDefinition->elements.size(); ++i) {
                EXPECT_NEAR(mmDefinition->elements[i].length,
                            inchDefinition->elements[i].length * 25.4, 0.11);
            }
        }
    }
}

// ISO line types at pen width 1 mm are built from dashes of 12, long dashes of 24, short dashes of
// 6 and dots, separated by gaps of 3 (18 for the spaced dash), starting with a visible element.
TEST(ShippedLinFiles, IsoLineTypesUseTheIsoProportions)
{
    const char* const names[] = {
        "ISO_DASH",
        "ISO_DASH_SPACE",
        "ISO_LONG_DASH_DOT",
        "ISO_LONG_DASH_DOUBLE_DOT",
        "ISO_LONG_DASH_TRIPLE_DOT",
        "ISO_DOT",
        "ISO_LONG_DASH_SHORT_DASH",
        "ISO_LONG_DASH_DOUBLE_SHORT_DASH",
        "ISO_DASH_DOT",
        "ISO_DOUBLE_DASH_DOT",
        "ISO_DASH_DOUBLE_DOT",
        "ISO_DOUBLE_DASH_DOUBLE_DOT",
        "ISO_DASH_TRIPLE_DOT",
        "ISO_DOUBLE_DASH_TRIPLE_DOT",
    };
    const kvlin::LinFile mm = readResource("mm.lin");
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const kvlin::Definition* definition = kvlin::find(mm, name);
        ASSERT_NE(definition, nullptr);
        ASSERT_EQ(definition->elements.size() % 2, 0u);
        for (size_t i = 0; i < definition->elements.size(); ++i) {
            const double length = definition->elements[i].length;
            if (i % 2 == 0) {
                EXPECT_TRUE(length == 0 || length == 6 || length == 12 || length == 24) << i;
            } else {
                EXPECT_TRUE(length == -3 || length == -18) << i;
            }
        }
    }
}

}  // namespace
