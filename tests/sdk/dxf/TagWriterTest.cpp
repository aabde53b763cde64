#include "TagWriter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kvdxf {
namespace {

using test::FailingFileAccess;
using test::MemoryOutputFile;
using test::readBytes;
using test::ScratchDir;

TEST(TagWriter, WritesRightAlignedCodesAndValuesVerbatim)
{
    struct Case
    {
        const char* what;
        int code;
        std::string value;
        bool crlf;
        std::string bytes;
    };
    const Case cases[] = {
        {"structure", 0, "SECTION", false, "  0\nSECTION\n"},
        {"two digits", 10, "1.5", false, " 10\n1.5\n"},
        {"three digits", 100, "AcDbEntity", false, "100\nAcDbEntity\n"},
        {"four digits", 1001, "APP", false, "1001\nAPP\n"},
        {"CRLF", 8, "0", true, "  8\r\n0\r\n"},
        {"empty value", 3, "", false, "  3\n\n"},
        {"leading and trailing blanks", 1, "  x  ", true, "  1\r\n  x  \r\n"},
        {"carriage return inside", 1, "a\rb", false, "  1\na\rb\n"},
        {"bytes kept", 1, "\xE4\\U+0416", false, "  1\n\xE4\\U+0416\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes;
        MemoryOutputFile out(bytes);
        TagWriter writer(out, c.crlf);
        writer.write(c.code, c.value);
        std::string error;
        EXPECT_TRUE(writer.finish(error));
        EXPECT_EQ(bytes, c.bytes);
    }
}

// Counts what reaches the file, to see that the writer hands over bounded chunks.
class ChunkCounter : public OutputFile
{
public:
    bool write(std::string_view bytes) override
    {
        largest = std::max(largest, bytes.size());
        total += bytes.size();
        ++writes;
        return true;
    }
    bool close(std::string&) override { return true; }
    const std::string& path() const override { return m_path; }

    size_t largest = 0;
    size_t total = 0;
    int writes = 0;

private:
    std::string m_path = "counter";
};

TEST(TagWriter, WritesLargeFilesInBoundedChunks)
{
    ChunkCounter out;
    TagWriter writer(out, true);
    const std::string value(100, 'x');
    for (int i = 0; i < 50000; ++i) {  // about 5 MiB
        writer.write(1, value);
    }
    std::string error;
    ASSERT_TRUE(writer.finish(error));
    EXPECT_EQ(out.total, 50000u * (5 + 102));
    EXPECT_GE(out.writes, 5);
    EXPECT_LE(out.largest, (1u << 20) + 200);
}

bool writeSmallDrawing(TagWriter& writer)
{
    writer.write(0, "SECTION");
    writer.write(2, "ENTITIES");
    writer.write(0, "ENDSEC");
    writer.write(0, "EOF");
    return !writer.failed();
}

TEST(SaveAtomically, ReplacesTheTargetOnlyWhenEverythingSucceeded)
{
    struct Case
    {
        const char* what;
        FailingFileAccess::Step step;
        int failingWrite;
        std::function<bool(TagWriter&)> body;
        std::string reason;  // "" = saving succeeds
    };
    const std::function<bool(TagWriter&)> small = writeSmallDrawing;
    const std::function<bool(TagWriter&)> large = [](TagWriter& writer) {
        for (int i = 0; i < 30000; ++i) {
            writer.write(1, std::string(100, 'y'));
        }
        return writeSmallDrawing(writer);
    };
    const Case cases[] = {
        {"success", FailingFileAccess::None, 0, small, ""},
        {"temp file cannot be created", FailingFileAccess::CreateTemp, 0, small,
         "Permission denied"},
        {"disk full on the only write", FailingFileAccess::Write, 1, small, "cannot write "},
        {"disk full in the middle", FailingFileAccess::Write, 2, large, "cannot write "},
        {"fsync fails", FailingFileAccess::Close, 0, small, "No space left on device"},
        {"rename refused", FailingFileAccess::Rename, 0, small, "Operation not permitted"},
        {"body gives up", FailingFileAccess::None, 0, [](TagWriter&) { return false; },
         "the drawing could not be written"},
        {"value with a line break", FailingFileAccess::None, 0,
         [](TagWriter& writer) {
             writer.write(1, "a\nb");
             return writeSmallDrawing(writer);
         },
         "the value of group code 1 holds a line break and cannot be written to a DXF file"},
        {"value ending in a carriage return, which reads back without it", FailingFileAccess::None,
         0,
         [](TagWriter& writer) {
             writer.write(1, "a\r");
             return writeSmallDrawing(writer);
         },
         "the value of group code 1 holds a line break"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchDir dir;
        ASSERT_FALSE(dir.path().empty());
        const std::string target = dir.path() + "/office.dxf";
        std::ofstream(target) << "original";
        FailingFileAccess files(c.step, c.failingWrite);
        std::string error;
        const bool saved = saveAtomically(files, target, c.body, false, error);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"office.dxf"});  // no temp file left
        if (c.reason.empty()) {
            EXPECT_TRUE(saved);
            EXPECT_EQ(readBytes(target), "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n");
            continue;
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(readBytes(target), "original");
        EXPECT_EQ(error.rfind("cannot save " + target + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        if (c.step != FailingFileAccess::CreateTemp) {
            EXPECT_EQ(files.lastTemp.rfind(target + ".tmp-", 0), 0u) << files.lastTemp;
        }
    }
}

TEST(SaveAtomically, ReplacesTheFileAsItIsAndRefusesReadOnlyOnes)
{
    const std::string small =
        "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    struct Case
    {
        const char* what;
        mode_t mode;        // of the existing file; 0: there is none
        bool link;          // saved through a symbolic link to it
        uid_t owner;        // of the existing file, when we may give it away (as root)
        const char* error;  // part of the message when the save is refused
    };
    const uid_t me = ::geteuid();
    const Case cases[] = {
        {"a new file", 0, false, me, nullptr},
        {"an old one's permissions kept", 0640, false, me, nullptr},
        {"through a link: the file written, the link kept", 0664, true, me, nullptr},
        {"a read-only file refused", 0444, false, me, "read-only"},
        {"a read-only file behind a link refused", 0444, true, me, "read-only"},
        {"another user's file keeps its owner", 0666, false, me == 0 ? 1u : me, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchDir dir;
        const std::string file = dir.path() + "/drawing.dxf";
        const std::string saved = c.link ? dir.path() + "/link.dxf" : file;
        if (c.mode != 0) {
            std::ofstream(file) << "old";
            ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
            ASSERT_EQ(::chown(file.c_str(), c.owner, static_cast<gid_t>(-1)), 0);
        }
        if (c.link) {
            ASSERT_EQ(::symlink("drawing.dxf", saved.c_str()), 0);
        }
        std::string error;
        const bool ok = saveAtomically(FileAccess::system(), saved, writeSmallDrawing, true, error);
        EXPECT_EQ(ok, c.error == nullptr) << error;
        EXPECT_EQ(readBytes(file), c.error ? "old" : small);
        if (c.error != nullptr) {
            EXPECT_NE(error.find(saved), std::string::npos) << error;
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
        struct stat info
        {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, c.mode != 0 ? c.mode : 0644u);
        EXPECT_EQ(info.st_uid, c.owner);
        ASSERT_EQ(::lstat(saved.c_str(), &info), 0);
        EXPECT_EQ(S_ISLNK(info.st_mode), c.link);
    }
}

}  // namespace
}  // namespace kvdxf
