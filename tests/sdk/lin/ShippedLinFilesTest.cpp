#include "LinFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

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

}  // namespace
