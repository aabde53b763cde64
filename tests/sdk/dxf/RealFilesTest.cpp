// The reader and writer on drawings written by other programs.
#include "../RealDrawingFiles.h"
#include "DxfNumbers.h"
#include "DxfReader.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace kvdxf {
namespace {

using test::readBytes;
using test::tagList;
using test::writeToString;

TEST(RealFiles, EveryFileIsReadAndWrittenBackTagForTag)
{
    const std::vector<std::string> names = realDrawingFiles(KV_REAL_FIXTURES_DIR);
    if (names.empty()) {
        GTEST_SKIP() << "no real-world fixtures in " << KV_REAL_FIXTURES_DIR;
    }
    EXPECT_EQ(names.size(), 40u);
    // The repairs of damaged files, as reported; these others need none.
    const std::map<std::string, std::vector<std::string>> repairs = {
        {"ezdxf__itest__recover01.dxf",
         {"ezdxf__itest__recover01.dxf:29473: the file has no \"0 EOF\" tag; it was read to its "
          "end",
          "ezdxf__itest__recover01.dxf:1141: 9 tags outside any section; kept where they are"}},
        {"ezdxf__itest__R12_with_trash_beyond_EOF.dxf", {}},
        {"ixmilia-dxf__diamond-bin.dxf", {}},
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const ReadResult first =
            parse(readBytes(std::string(KV_REAL_FIXTURES_DIR) + '/' + name), name);
        ASSERT_TRUE(first.ok()) << (first.diagnostics.empty()
                                        ? std::string()
                                        : first.diagnostics.back().toString());
        if (const auto expected = repairs.find(name); expected != repairs.end()) {
            std::vector<std::string> found;
            for (const Diagnostic& d : first.diagnostics) {
                found.push_back(d.toString());
            }
            EXPECT_EQ(found, expected->second);
        }
        EXPECT_FALSE(first.file->sections.empty());
        std::string error;
        const std::string written = writeToString(*first.file, &error);
        ASSERT_EQ(error, "");
        const ReadResult second = parse(written, name);
        ASSERT_TRUE(second.ok());
        // Repairs that add or drop tags are not needed again; tags kept outside sections are.
        EXPECT_LE(second.diagnostics.size(), first.diagnostics.size());
        EXPECT_EQ(tagList(*second.file), tagList(*first.file));
        EXPECT_EQ(second.file->version, first.file->version);
        EXPECT_EQ(second.file->codepage, first.file->codepage);
        EXPECT_EQ(writeToString(*second.file), written);
    }
}

std::string hex(std::string_view bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        text += kDigits[static_cast<unsigned char>(c) >> 4];
        text += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return text;
}

// tests/data/<name>.tags.txt holds what ezdxf's binary tag loader reads from the same file.
TEST(RealFiles, BinaryFilesReadToTheTagsEzdxfReads)
{
    const char* names[] = {"ezdxf__itest__bin_dxf_r12", "ezdxf__itest__bin_dxf_r2000",
                           "ixmilia-dxf__diamond-bin"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string bytes =
            readBytes(std::string(KV_REAL_FIXTURES_DIR) + '/' + name + ".dxf");
        if (bytes.empty()) {
            GTEST_SKIP() << "fixture missing";
        }
        const ReadResult result = parse(bytes, name);
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result.file->binary);
        std::ifstream expected(std::string(KV_TEST_DATA_DIR) + '/' + name + ".tags.txt");
        std::string line;
        size_t index = 0;
        while (std::getline(expected, line)) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            std::istringstream fields(line);
            int code = 0;
            char kind = 0;
            std::string value;
            fields >> code >> kind;
            std::getline(fields >> std::ws, value);
            SCOPED_TRACE(line);
            ASSERT_LT(index, result.file->tags.size());
            const Tag& tag = result.file->tags[index++];
            EXPECT_EQ(tag.code, code);
            if (kind == 'd') {
                double ours = 0;
                double theirs = 0;
                ASSERT_TRUE(parseDouble(tag.value(), ours));
                ASSERT_TRUE(parseDouble(value, theirs));
                EXPECT_EQ(ours, theirs);
            } else if (kind == 'i') {
                EXPECT_EQ(tag.value(), value);
            } else if (kind == 's') {
                EXPECT_EQ(hex(tag.value()), value);
            } else {
                EXPECT_EQ(tag.value(), value);
            }
        }
        EXPECT_GT(index, 50u);
        EXPECT_EQ(index, result.file->tags.size());
    }
}

}  // namespace
}  // namespace kvdxf
