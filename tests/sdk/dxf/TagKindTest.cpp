#include "Tag.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace kvdxf {
namespace {

// tests/data/group-code-kinds.txt lists ezdxf's value type for every code 0-1100; a wrong kind
// would make binary files read out of step.
TEST(TagKind, EveryGroupCodeHasTheTypeEzdxfGivesIt)
{
    const std::map<std::string, ValueKind> kinds = {
        {"String", ValueKind::String}, {"Double", ValueKind::Double}, {"Int16", ValueKind::Int16},
        {"Int32", ValueKind::Int32},   {"Int64", ValueKind::Int64},   {"Bool", ValueKind::Bool},
        {"Handle", ValueKind::Handle}, {"Binary", ValueKind::Binary},
    };
    std::ifstream table(std::string(KV_TEST_DATA_DIR) + "/group-code-kinds.txt");
    ASSERT_TRUE(table.good());
    std::string line;
    int covered = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        int first = 0;
        int last = 0;
        std::string kind;
        fields >> first >> last >> kind;
        ASSERT_EQ(kinds.count(kind), 1u);
        for (int code = first; code <= last; ++code) {
            EXPECT_EQ(kindOf(code), kinds.at(kind)) << code;
            ++covered;
        }
    }
    EXPECT_EQ(covered, 1101);
}

}  // namespace
}  // namespace kvdxf
