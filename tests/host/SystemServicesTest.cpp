#include "CommandTestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace {

// Folders "drawing", "support1", "support2" and "resources", and a drawing saved in "drawing".
class SearchFolders
{
public:
    SearchFolders()
    {
        for (const char* folder : {"drawing", "support1", "support2", "resources"}) {
            QDir(m_root.path()).mkpath(folder);
        }
        m_pDb = OdDbDatabase::createObject();
        m_pDb->writeFile(OdString(path("drawing", "office.dxf").toUtf8()));
        m_pDb = OdDbDatabase::readFile(OdString(path("drawing", "office.dxf").toUtf8()));
    }
    QString path(const char* folder, const char* name = "") const
    {
        return QDir(m_root.path()).filePath(QString(folder) + "/" + name);
    }
    void put(const char* folder, const char* name) const
    {
        QFile file(path(folder, name));
        file.open(QIODevice::WriteOnly);
    }
    OdDbDatabase* drawing() const { return m_pDb.get(); }

private:
    QTemporaryDir m_root;
    OdDbDatabasePtr m_pDb;
};

}  // namespace

TEST(SystemServices, FileSearchLooksBesideTheDrawingThenInSupportThenInResources)
{
    struct Case
    {
        const char* what;
        const char* holders;  // folders that hold std.dws
        const char* asked;
        bool withDrawing;
        const char* found;  // folder of the result, or nullptr
    };
    const Case cases[] = {
        {"everywhere: the drawing's folder wins", "drawing support1 resources", "std.dws", true,
         "drawing"},
        {"first support folder before the second", "support2 support1 resources", "std.dws", true,
         "support1"},
        {"resources last", "resources", "std.dws", true, "resources"},
        {"a stored path keeps only its file name", "support2", "/old/place/std.dws", true,
         "support2"},
        {"a Windows path too", "support2", "C:\\Standards\\std.dws", true, "support2"},
        {"no drawing: support and resources only", "drawing resources", "std.dws", false,
         "resources"},
        {"nowhere", "", "std.dws", true, nullptr},
        {"empty name", "drawing", "", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SearchFolders folders;
        for (const QString& holder : QString(c.holders).split(' ', Qt::SkipEmptyParts)) {
            folders.put(qPrintable(holder), "std.dws");
        }
        CKvSystemServices services(CKvString(folders.path("resources")));
        services.setSupportFolders(
            {CKvString(folders.path("support1")), CKvString(folders.path("support2"))});

        const CKvString found =
            services.findFile(CKvString(c.asked), c.withDrawing ? folders.drawing() : nullptr);

        const QString expected =
            c.found ? QFileInfo(folders.path(c.found, "std.dws")).absoluteFilePath() : QString();
        EXPECT_EQ(found.toQString(), expected);
    }
}

// What it reads is read in the cases below.
TEST(SystemServices, DrawingReaderGivesNullForWhatItCannotRead)
{
    SearchFolders folders;
    folders.put("support1", "empty.dxf");
    CKvSystemServices services{CKvString()};
    struct Case
    {
        const char* what;
        QString path;
        bool read;
    };
    const Case cases[] = {
        {"an empty file", folders.path("support1", "empty.dxf"), false},
        {"no file", folders.path("support1", "none.dxf"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OdDbDatabasePtr db = services.readDrawing(CKvString(c.path), false, false, 0x40, "");
        EXPECT_EQ(!db.isNull(), c.read);
    }
}

TEST(SystemServices, ADrawingIsReadAgainOnlyWhenItsFileChanged)
{
    // What tells the file from the one read: its size, modification time and identity.
    const auto setTime = [](const QString& path, const timespec& modified) {
        const timespec times[2] = {modified, modified};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    };
    struct Case
    {
        const char* what;
        std::function<void(const QString& path, const timespec& modified)> change;
        bool readAgain;
    };
    const Case cases[] = {
        {"other content of the same size in place, the time put back",
         [&](const QString& path, const timespec& modified) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.write(QByteArray(static_cast<int>(file.size()), 'x'));
             file.close();
             setTime(path, modified);
         },
         false},
        {"only the modification time",
         [&](const QString& path, const timespec& modified) {
             setTime(path, timespec{modified.tv_sec + 1, modified.tv_nsec});
         },
         true},
        {"saved again, the time put back",
         [&](const QString& path, const timespec& modified) {
             OdDbDatabase::createObject()->writeFile(OdString(path.toUtf8()));
             setTime(path, modified);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SearchFolders folders;
        CKvSystemServices services{CKvString()};
        const QString path = folders.path("drawing", "office.dxf");
        const auto read = [&] {
            return services.readDrawing(CKvString(path), false, true, 0x40, "");
        };
        const OdDbDatabasePtr first = read();
        ASSERT_FALSE(first.isNull());
        // The same file by another spelling of its path.
        EXPECT_EQ(
            services.readDrawing(CKvString(folders.path("drawing", "../drawing/office.dxf"))).get(),
            first.get());
        struct stat status = {};
        ASSERT_EQ(stat(QFile::encodeName(path).constData(), &status), 0);
        c.change(path, status.st_mtim);
        const OdDbDatabasePtr second = read();
        EXPECT_EQ(second.get() != first.get(), c.readAgain);
        EXPECT_FALSE(second.isNull());
    }
}

TEST(SystemServices, KeptDrawingsRefuseChangesWhileTheServicesLive)
{
    SearchFolders folders;
    OdDbDatabasePtr db;
    {
        CKvSystemServices services{CKvString()};
        db = services.readDrawing(CKvString(folders.path("drawing", "office.dxf")));
        ASSERT_FALSE(db.isNull());
        try {
            addLayer(*db, "Walls");
            ADD_FAILURE() << "a kept drawing took a new layer";
        } catch (const OdError& e) {
            EXPECT_EQ(e.code(), eIsWriteProtected);
        }
        EXPECT_FALSE(
            OdDbSymbolTablePtr(db->getLayerTableId().safeOpenObject())->has(OdString("Walls")));
    }
    // No longer kept by anyone: an ordinary drawing.
    addLayer(*db, "Walls");
    EXPECT_TRUE(OdDbSymbolTablePtr(db->getLayerTableId().safeOpenObject())->has(OdString("Walls")));
}
