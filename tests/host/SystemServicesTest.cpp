#include "CommandTestUtil.h"

#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        std::vector<const char*> holders;  // folders that hold std.dws
        const char* asked;
        bool withDrawing;
        const char* found;  // folder of the result, or nullptr
    };
    const Case cases[] = {
        {"everywhere: the drawing's folder wins",
         {"drawing", "support1", "resources"},
         "std.dws",
         true,
         "drawing"},
        {"first support folder before the second",
         {"support2", "support1", "resources"},
         "std.dws",
         true,
         "support1"},
        {"resources last", {"resources"}, "std.dws", true, "resources"},
        {"a stored path keeps only its file name",
         {"support2"},
         "/old/place/std.dws",
         true,
         "support2"},
        {"a Windows path too", {"support2"}, "C:\\Standards\\std.dws", true, "support2"},
        {"no drawing: support and resources only",
         {"drawing", "resources"},
         "std.dws",
         false,
         "resources"},
        {"nowhere", {}, "std.dws", true, nullptr},
        {"empty name", {"drawing"}, "", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SearchFolders folders;
        for (const char* holder : c.holders) {
            folders.put(holder, "std.dws");
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

TEST(SystemServices, LineStyleFilesAreFoundInTheInstalledResources)
{
    CKvSystemServices services(CKvString(KV_RESOURCE_DIR));
    for (const char* name : {"inch.lin", "mm.lin"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(QFile::exists(services.findFile(CKvString(name), nullptr).toQString()));
    }
}

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
        {"a drawing", folders.path("drawing", "office.dxf"), true},
        {"an empty file", folders.path("support1", "empty.dxf"), false},
        {"no file", folders.path("support1", "none.dxf"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OdDbDatabasePtr db = services.readDrawing(CKvString(c.path), false, false, 0x40, "");
        EXPECT_EQ(!db.isNull(), c.read);
    }
}

TEST(SystemServices, SharedReadingHandsOutTheSameDrawingWhileTheFileIsUnchanged)
{
    SearchFolders folders;
    CKvSystemServices services{CKvString()};
    const CKvString path(folders.path("drawing", "office.dxf"));
    const auto read = [&] { return services.readDrawing(path, false, true, 0x40, ""); };

    // Off: every reader gets a drawing of its own.
    EXPECT_NE(read().get(), read().get());

    services.setSharesReadDrawings(true);
    const OdDbDatabasePtr first = read();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(read().get(), first.get());
    // The same file by another spelling of its path.
    EXPECT_EQ(
        services.readDrawing(CKvString(folders.path("drawing", "../drawing/office.dxf"))).get(),
        first.get());

    // Rewritten (another size): read again.
    OdDbDatabasePtr changed = OdDbDatabase::createObject();
    OdDbSymbolTablePtr layers = changed->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setName(OdString("Walls"));
    layers->add(layer.get());
    changed->writeFile(path.toOdString());
    const OdDbDatabasePtr again = read();
    ASSERT_FALSE(again.isNull());
    EXPECT_NE(again.get(), first.get());
    EXPECT_TRUE(
        OdDbSymbolTablePtr(again->getLayerTableId().safeOpenObject())->has(OdString("Walls")));

    // Turned off: what was kept is forgotten.
    services.setSharesReadDrawings(false);
    EXPECT_NE(read().get(), again.get());
}
