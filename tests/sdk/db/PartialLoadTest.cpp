// A drawing read with partialLoad reads its entities from the file when they are needed: a file
// that another program changed meanwhile is said, naming the file and the entity, and nothing is
// read or written from it wrongly.
#include "DbTestUtil.h"

#include <DbEntity.h>
#include <OdError.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The names in the folder of `path` that start with its name.
std::vector<std::string> namesLike(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash);
    const std::string name = path.substr(slash + 1);
    std::vector<std::string> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (std::string(entry->d_name).rfind(name, 0) == 0) {
                found.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    return found;
}

// Opens every model-space entity; the first error's message, empty when all open.
std::string openEntities(OdDbDatabase& db)
{
    try {
        OdDbBlockTableRecordPtr model = db.getModelSpaceId().safeOpenObject();
        for (OdDbObjectIteratorPtr it = model->newIterator(); !it->done(); it->step()) {
            if (it->objectId().openObject().isNull()) {
                return "an entity did not open";
            }
        }
    } catch (const OdError& e) {
        return e.description().toUtf8();
    }
    return std::string();
}

}  // namespace

TEST(PartialLoad, AFileChangedAfterReadingIsSaidAndNothingIsWrittenFromIt)
{
    const TempFile drawing("partial.dxf");
    const TempFile other("partial-other.dxf");
    const TempFile saved("partial-saved.dxf");
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        const OdDbObjectId walls = addLayer(db.get(), "WALLS", 1);
        for (int i = 0; i < 40; ++i) {
            addLine(db.get(), walls);
        }
        db->writeFile(OdString(drawing.path));
    }
    const std::string original = drawing.read();
    // What a drawing read whole writes.
    OdDbDatabase::readFile(OdString(drawing.path))->writeFile(OdString(saved.path));
    const std::string expected = saved.read();
    std::remove(saved.path.c_str());

    std::string relabelled = original;
    for (size_t at = 0; (at = relabelled.find("\nLINE\n", at)) != std::string::npos; ++at) {
        relabelled.replace(at + 1, 4, "XXXX");
    }
    struct Case
    {
        const char* change;
        std::function<void()> apply;
        bool readable;
    };
    const Case cases[] = {
        // The database reads the file it read, which the new one replaced.
        {"saved by another program through a new file",
         [&] {
             writeBytes(other.path, relabelled);
             ASSERT_EQ(std::rename(other.path.c_str(), drawing.path.c_str()), 0);
         },
         true},
        {"rewritten in place with as many bytes", [&] { writeBytes(drawing.path, relabelled); },
         false},
        {"cut short",
         [&] { ASSERT_EQ(::truncate(drawing.path.c_str(), off_t(original.size() / 2)), 0); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        writeBytes(drawing.path, original);
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing.path), true);
        c.apply();
        const std::string error = openEntities(*db);
        bool written = true;
        try {
            db->writeFile(OdString(saved.path));
        } catch (const OdError& e) {
            written = false;
            EXPECT_NE(e.description().toUtf8().find(drawing.path), std::string::npos);
        }
        if (c.readable) {
            EXPECT_EQ(error, "");
            EXPECT_TRUE(written);
            EXPECT_TRUE(saved.read() == expected);
        } else {
            EXPECT_EQ(error.rfind(drawing.path + ": entity ", 0), 0u) << error;
            EXPECT_NE(error.find("changed by another program"), std::string::npos) << error;
            EXPECT_FALSE(written);
            // Neither the file nor a temp file beside it.
            EXPECT_EQ(namesLike(saved.path), std::vector<std::string>());
        }
        std::remove(saved.path.c_str());
    }
}

TEST(PartialLoad, APipeIsReadWhole)
{
    // A pipe cannot be read again where an entity was: asked to read it in parts, the reader reads
    // it whole, as `kvcad convert /dev/stdin out.dxf` needs.
    const TempFile drawing("pipe-source.dxf");
    const TempFile pipe("pipe.dxf");
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        addLine(db.get(), addLayer(db.get(), "WALLS"));
        db->writeFile(OdString(drawing.path));
    }
    const std::string bytes = drawing.read();
    ASSERT_EQ(::mkfifo(pipe.path.c_str(), 0600), 0);
    std::thread writer([&] { writeBytes(pipe.path, bytes); });
    OdDbDatabasePtr db;
    EXPECT_NO_THROW(db = OdDbDatabase::readFile(OdString(pipe.path), true));
    writer.join();
    ASSERT_FALSE(db.isNull());
    EXPECT_EQ(openEntities(*db), "");
    const TempFile saved("pipe-saved.dxf");
    db->writeFile(OdString(saved.path));
    EXPECT_TRUE(saved.read() == bytes);
}
