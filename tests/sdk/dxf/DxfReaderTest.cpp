#include "DxfReader.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvdxf {
namespace {

using test::tagList;
using TagList = std::vector<std::pair<int, std::string>>;

const std::string kEntities = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWalls\n";

std::vector<std::string> messages(const std::vector<Diagnostic>& diagnostics)
{
    std::vector<std::string> texts;
    for (const Diagnostic& d : diagnostics) {
        texts.push_back(d.toString());
    }
    return texts;
}

// Read from a file in parts, through windows shorter than a tag, the contents give what reading
// them whole gave: the same tags, the same repairs or refusal, at the same places.
void expectSameInParts(const std::string& contents, const ReadResult& whole)
{
    auto places = [](const std::vector<Diagnostic>& diagnostics) {
        std::vector<std::pair<uint64_t, uint64_t>> found;
        for (const Diagnostic& d : diagnostics) {
            found.emplace_back(d.line, d.offset);
        }
        return found;
    };
    for (const size_t window : {5, 16, 61}) {
        SCOPED_TRACE("read in parts, window " + std::to_string(window));
        const ReadResult inParts = test::readInParts(contents, window);
        EXPECT_EQ(messages(inParts.diagnostics), messages(whole.diagnostics));
        EXPECT_EQ(places(inParts.diagnostics), places(whole.diagnostics));
        ASSERT_EQ(inParts.ok(), whole.ok());
        if (whole.ok()) {
            EXPECT_EQ(tagList(*inParts.file), tagList(*whole.file));
            EXPECT_EQ(inParts.file->crlf, whole.file->crlf);
        }
    }
}

TEST(DxfReader, RefusesFilesThatAreNotDxf)
{
    struct Case
    {
        const char* what;
        std::string contents;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", "t.dxf: not a DXF file: the file is empty"},
        {"only blank lines", "\n  \r\n\n", "t.dxf: not a DXF file: the file is empty"},
        {"DWG file", std::string("AC1015\0\0\0\x1f", 10),
         "t.dxf: DWG files are not supported; save the drawing as DXF"},
        {"old DWG file", "AC1.50\x01\x02",
         "t.dxf: DWG files are not supported; save the drawing as DXF"},
        {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0", 10),
         "t.dxf:1: not a DXF file: the first line is not a group code (found \"?PNG\")"},
        {"plain text", "Dear reader,\nthis is a letter.\n",
         "t.dxf:1: not a DXF file: the first line is not a group code (found \"Dear reader,\")"},
        {"tags but no section", "  0\nLINE\n  8\n0\n  0\nEOF\n",
         "t.dxf: not a DXF file: it has no \"0 SECTION\""},
        {"only EOF", "  0\nEOF\n", "t.dxf: not a DXF file: it has no \"0 SECTION\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult result = parse(c.contents, "t.dxf");
        expectSameInParts(c.contents, result);
        EXPECT_FALSE(result.ok());
        ASSERT_FALSE(result.diagnostics.empty());
        EXPECT_EQ(result.diagnostics.back().kind, Diagnostic::Refused);
        EXPECT_EQ(result.diagnostics.back().toString(), c.message);
    }
}

TEST(DxfReader, RefusesAGroupCodeLineThatIsNotAnInteger)
{
    struct Case
    {
        const char* what;
        std::string contents;
        uint64_t line;
        uint64_t offset;
        std::string message;
    };
    const Case cases[] = {
        {"word", kEntities + "ABC\nx\n", 9, 44, "t.dxf:9: expected a group code, found \"ABC\""},
        {"padded word, CRLF", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  ABC \r\nx\r\n", 5, 29,
         "t.dxf:5: expected a group code, found \"ABC\""},
        {"real number", kEntities + " 1.5\n0\n", 9, 44,
         "t.dxf:9: expected a group code, found \"1.5\""},
        // Longer than a window of a file read in parts: no end of the file.
        {"blank lines inside", kEntities + std::string(40, '\n') + "  0\nEOF\n", 9, 44,
         "t.dxf:9: expected a group code, found \"\""},
        {"lines shifted by a missing value", kEntities + " 62\n  0\nEOF\n", 11, 52,
         "t.dxf:11: expected a group code, found \"EOF\""},
        {"too many digits", kEntities + "1234567890\nx\n", 9, 44,
         "t.dxf:9: expected a group code, found \"1234567890\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult result = parse(c.contents, "t.dxf");
        expectSameInParts(c.contents, result);
        EXPECT_FALSE(result.ok());
        ASSERT_EQ(result.diagnostics.size(), 1u);
        const Diagnostic& refusal = result.diagnostics.back();
        EXPECT_EQ(refusal.kind, Diagnostic::Refused);
        EXPECT_EQ(refusal.line, c.line);
        EXPECT_EQ(refusal.offset, c.offset);
        EXPECT_EQ(refusal.toString(), c.message);
    }
}

TEST(DxfReader, RepairsDamagedStructureAndReportsIt)
{
    struct Case
    {
        const char* what;
        std::string contents;
        std::vector<std::string> repairs;
        TagList tags;
    };
    const TagList entities = {{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "Walls"}};
    auto with = [](TagList tags, const TagList& more) {
        tags.insert(tags.end(), more.begin(), more.end());
        return tags;
    };
    const Case cases[] = {
        {"no EOF",
         kEntities + "  0\nENDSEC\n",
         {"t.dxf:11: the file has no \"0 EOF\" tag; it was read to its end"},
         with(entities, {{0, "ENDSEC"}})},
        {"truncated last tag (odd number of lines)",
         kEntities + "  0\nENDSEC\n  0\n",
         {"t.dxf:11: the file ends after group code 0 without its value; the tag was dropped",
          "t.dxf:11: the file has no \"0 EOF\" tag; it was read to its end"},
         with(entities, {{0, "ENDSEC"}})},
        {"last group code without line end",
         kEntities + "  0\nENDSEC\n 62",
         {"t.dxf:11: the file ends after group code 62 without its value; the tag was dropped",
          "t.dxf:11: the file has no \"0 EOF\" tag; it was read to its end"},
         with(entities, {{0, "ENDSEC"}})},
        {"no ENDSEC before EOF",
         kEntities + "  0\nEOF\n",
         {"t.dxf:7: section ENTITIES has no \"0 ENDSEC\"; one was added"},
         with(entities, {{0, "ENDSEC"}})},
        {"no ENDSEC before the next SECTION",
         kEntities + "  0\nSECTION\n  2\nOBJECTS\n  0\nENDSEC\n  0\nEOF\n",
         {"t.dxf:9: section ENTITIES has no \"0 ENDSEC\"; one was added"},
         with(entities, {{0, "ENDSEC"}, {0, "SECTION"}, {2, "OBJECTS"}, {0, "ENDSEC"}})},
        {"SECTION without a name",
         "  0\nSECTION\n  0\nLINE\n  0\nENDSEC\n  0\nEOF\n",
         {"t.dxf:1: SECTION without a name (group code 2); read as a section named \"\""},
         {{0, "SECTION"}, {0, "LINE"}, {0, "ENDSEC"}}},
        {"tags between sections",
         kEntities +
             "  0\nENDSEC\n999\nnote\n  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n  0\nENDSEC\n"
             "  0\nEOF\n",
         {"t.dxf:13: 1 tag outside any section; kept where they are"},
         with(entities, {{0, "ENDSEC"},
                         {999, "note"},
                         {0, "ENDSEC"},
                         {0, "SECTION"},
                         {2, "OBJECTS"},
                         {0, "ENDSEC"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult result = parse(c.contents, "t.dxf");
        expectSameInParts(c.contents, result);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(messages(result.diagnostics), c.repairs);
        EXPECT_EQ(messages(result.file->diagnostics), c.repairs);
        for (const Diagnostic& d : result.diagnostics) {
            EXPECT_EQ(d.kind, Diagnostic::Repaired);
        }
        EXPECT_EQ(tagList(*result.file), c.tags);
        for (const Section& section : result.file->sections) {
            ASSERT_LT(section.end, result.file->tags.size());
            EXPECT_EQ(result.file->tags[section.end].value(), "ENDSEC");
        }
    }
}

TEST(DxfReader, AcceptsEveryLineEndStyleAndIgnoresWhatFollowsEof)
{
    struct Case
    {
        const char* what;
        std::string contents;
        bool crlf;
    };
    const std::string lf = "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";
    const Case cases[] = {
        {"LF", lf, false},
        {"CRLF", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n", true},
        {"CRLF, lone CR at the end",
         "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r", true},
        {"LF, no line end at the end", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF", false},
        {"mixed", "  0\nSECTION\r\n  2\nENTITIES\r\n  0\r\nENDSEC\n  0\nEOF\n", false},
        // Whatever follows "0 EOF" is ignored.
        {"text after EOF", lf + "garbage\nnot a tag\n", false},
        {"bytes after EOF", lf + std::string("\0\xff\x01", 3), false},
        {"a section after EOF", lf + "  0\nSECTION\n  2\nOBJECTS\n", false},
    };
    const TagList expected = {{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult result = parse(c.contents, "t.dxf");
        expectSameInParts(c.contents, result);
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result.diagnostics.empty());
        EXPECT_EQ(tagList(*result.file), expected);
        EXPECT_EQ(result.file->sections.size(), 1u);
        EXPECT_EQ(result.file->crlf, c.crlf);
    }
}

TEST(DxfReader, KeepsValuesExactlyAsWritten)
{
    struct Case
    {
        const char* what;
        std::string lines;  // one tag inside ENTITIES
        int code;
        std::string value;
    };
    const Case cases[] = {
        {"empty string", "  3\n\n", 3, ""},
        {"empty string, CRLF", "  3\r\n\r\n", 3, ""},
        {"leading spaces", "  1\n   indented\n", 1, "   indented"},
        {"trailing spaces", "  2\nname  \n", 2, "name  "},
        {"tab and backslash", "  1\na\tb\\P\n", 1, "a\tb\\P"},
        {"number with padding", " 10\n     0.5\n", 10, "     0.5"},
        {"comment", "999\nwritten by hand\n", 999, "written by hand"},
        {"unpadded and padded codes", "1001\nAPP\n", 1001, "APP"},
        {"code padded on both sides", "  62 \n7\n", 62, "7"},
        {"code with tab", "\t8\nLayer\n", 8, "Layer"},
        {"negative code", " -3\nx\n", -3, "x"},
        {"nine digits", "123456789\r\nx\r\n", 123456789, "x"},
        {"bytes that are not ASCII", "  1\n\xE4\xF6\xFC\n", 1, "\xE4\xF6\xFC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string contents =
            "  0\nSECTION\n  2\nENTITIES\n" + c.lines + "  0\nENDSEC\n  0\nEOF\n";
        const ReadResult result = parse(contents, "t.dxf");
        expectSameInParts(contents, result);
        ASSERT_TRUE(result.ok());
        ASSERT_EQ(result.file->tags.size(), 4u);
        EXPECT_EQ(result.file->tags[2].code, c.code);
        EXPECT_EQ(result.file->tags[2].value(), c.value);
    }
}

TEST(DxfReader, FindsSectionsVersionAndCodepage)
{
    const std::string contents =
        "999\nmade by hand\n"
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$INSBASE\n 10\n0.0\n"
        "  9\n$DWGCODEPAGE\n  3\nANSI_1251\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nTHUMBNAILIMAGE\n 90\n0\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n  9\n$ACADVER\n  1\nAC1032\n  0\nENDSEC\n  0\nEOF\n";
    const ReadResult result = parse(contents, "t.dxf");
    ASSERT_TRUE(result.ok());
    const DxfFile& file = *result.file;
    EXPECT_EQ(file.version, "AC1015");  // only the HEADER section declares it
    EXPECT_EQ(file.codepage, "ANSI_1251");
    ASSERT_EQ(file.sections.size(), 3u);
    struct Expected
    {
        const char* name;
        size_t begin;
        size_t end;
    };
    const Expected expected[] = {
        {"HEADER", 3, 9}, {"THUMBNAILIMAGE", 12, 13}, {"ENTITIES", 16, 18}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(file.sections[i].name, expected[i].name);
        EXPECT_EQ(file.sections[i].begin, expected[i].begin);
        EXPECT_EQ(file.sections[i].end, expected[i].end);
    }
    EXPECT_EQ(file.strayTags, std::vector<size_t>{0});
    // A comment before the first section is kept, and it is no damage.
    EXPECT_TRUE(result.diagnostics.empty());
}

TEST(DxfReader, LocatesTagsInTheFile)
{
    struct Case
    {
        const char* what;
        std::string prefix;  // before "  0\nSECTION\n..."
        size_t tag;
        uint64_t line;
        uint64_t offset;
    };
    const std::string body = "  0\nSECTION\n  2\nENTITIES\n  3\n\n  0\nENDSEC\n  0\nEOF\n";
    const Case cases[] = {
        {"first tag", "", 0, 1, 0},
        {"third tag", "", 2, 5, 25},
        {"tag after an empty value", "", 3, 7, 30},
        {"after a byte order mark", "\xEF\xBB\xBF", 0, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult result = parse(c.prefix + body, "t.dxf");
        ASSERT_TRUE(result.ok());
        const DxfFile::Location where = result.file->locate(result.file->tags[c.tag]);
        EXPECT_EQ(where.line, c.line);
        EXPECT_EQ(where.offset, c.offset);
        // Read in parts, the tag is where the bytes kept of it came from.
        const ReadResult inParts = test::readInParts(c.prefix + body, 7);
        ASSERT_TRUE(inParts.ok());
        const DxfFile::Location kept = inParts.file->locate(inParts.file->tags[c.tag]);
        EXPECT_EQ(kept.line, c.line);
        EXPECT_EQ(kept.offset, c.offset);
    }
    const ReadResult result = parse(body, "t.dxf");
    const Tag stored{"x", 1, 1};
    EXPECT_EQ(result.file->locate(stored).line, 0u);
}

// A binary file with 1-byte group codes (AC1009 layout), XDATA behind the 255 escape.
std::string r12Binary(bool withEof)
{
    std::string b("AutoCAD Binary DXF\r\n\x1a\0", 22);
    auto code = [&b](int c) {
        if (c >= 255) {
            b += '\xff';
            b += static_cast<char>(c & 0xff);
            b += static_cast<char>(c >> 8);
        } else {
            b += static_cast<char>(c);
        }
    };
    auto str = [&](int c, const std::string& s) {
        code(c);
        b += s;
        b += '\0';
    };
    auto raw = [&](int c, const std::string& bytes) {
        code(c);
        b += bytes;
    };
    str(0, "SECTION");
    str(2, "ENTITIES");
    str(0, "LINE");
    str(8, "0");
    raw(10, std::string("\0\0\0\0\0\0\xf8\x3f", 8));  // 1.5
    raw(62, std::string("\xff\xff", 2));              // -1
    raw(290, std::string("\x01", 1));                 // bool
    str(1001, "APP");
    raw(1004, std::string("\x03\x00\xab\x10", 4));                  // 3 bytes
    raw(1040, std::string("\x9a\x99\x99\x99\x99\x99\xb9\x3f", 8));  // 0.1
    raw(1070, std::string("\x2a\x00", 2));                          // 42
    raw(1071, std::string("\x00\x00\x00\x80", 4));                  // INT32_MIN
    str(0, "ENDSEC");
    if (withEof) {
        str(0, "EOF");
    }
    return b;
}

TEST(DxfReader, ReadsBinaryValuesAsTheirAsciiText)
{
    const ReadResult result = parse(r12Binary(true), "t.dxf");
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.diagnostics.empty());
    EXPECT_TRUE(result.file->binary);
    const TagList expected = {{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"},
                              {8, "0"},       {10, "1.5"},     {62, "-1"},
                              {290, "1"},     {1001, "APP"},   {1004, "00AB10"},
                              {1040, "0.1"},  {1070, "42"},    {1071, "-2147483648"},
                              {0, "ENDSEC"}};
    EXPECT_EQ(tagList(*result.file), expected);
    // Strings view into the file: their place is known.
    EXPECT_EQ(result.file->locate(result.file->tags[3]).offset, 22u + (1 + 8) + (1 + 9) + (1 + 5));
}

TEST(DxfReader, CutBinaryFileIsRepairedAtATagBoundaryElseRefused)
{
    const std::string whole = r12Binary(false);
    const ReadResult full = parse(whole, "t.dxf");
    ASSERT_TRUE(full.ok());
    const TagList allTags = tagList(*full.file);
    size_t repaired = 0;
    for (size_t size = 23; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        // A copy of exactly `size` bytes, so reading past the end is caught by the sanitizers.
        const ReadResult cut = parse(whole.substr(0, size), "t.dxf");
        ASSERT_FALSE(cut.diagnostics.empty());
        const Diagnostic& last = cut.diagnostics.back();
        if (cut.ok()) {
            ++repaired;
            const TagList tags = tagList(*cut.file);
            // Only whole tags, then the ENDSEC the reader adds.
            ASSERT_LE(tags.size(), allTags.size());
            EXPECT_TRUE(std::equal(tags.begin(), tags.end() - 1, allTags.begin()));
        } else {
            EXPECT_EQ(last.kind, Diagnostic::Refused);
            EXPECT_EQ(last.line, 0u);
            EXPECT_GE(last.offset, 22u);
            EXPECT_LT(last.offset, size);
            EXPECT_EQ(last.message, "the binary DXF file is cut off inside a tag");
        }
    }
    EXPECT_EQ(repaired, allTags.size() - 1);  // every tag boundary
}

}  // namespace
}  // namespace kvdxf

// A binary file whose "0 EOF" carries blanks ends there, as the same file in ASCII does;
// otherwise writing it as ASCII and reading that back gives other tags.
TEST(DxfReader, BinaryEofWithBlanksEndsTheFileLikeAscii)
{
    const std::string sentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);
    auto tag = [](int code, const std::string& text) {
        std::string bytes;
        bytes += static_cast<char>(code & 0xFF);
        bytes += static_cast<char>(code >> 8);
        return bytes + text + '\0';
    };
    const std::string bytes = sentinel + tag(0, "SECTION") + tag(2, "ENTITIES") + tag(0, "ENDSEC") +
                              tag(0, "EOF \t ") + tag(0, "JUNK");
    const kvdxf::ReadResult binary = kvdxf::parse(bytes, "blanks.dxf");
    ASSERT_TRUE(binary.ok());
    const kvdxf::ReadResult ascii =
        kvdxf::parse(kvdxf::test::writeToString(*binary.file), "again.dxf");
    ASSERT_TRUE(ascii.ok());
    EXPECT_EQ(kvdxf::test::tagList(*ascii.file), kvdxf::test::tagList(*binary.file));
    EXPECT_EQ(binary.file->tags.size(), 3u);
}
