#include "DbTestUtil.h"

#include <DbEntity.h>

#include <gtest/gtest.h>

TEST(References, RenamingARecordIsOneChangeThatEveryUserFollows)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId walls = addLayer(db.get(), "Walls");
    const OdDbObjectId line = addLine(db.get(), walls);
    db->setCLAYER(walls);
    TempFile before("before.dxf");
    db->writeFile(OdString(before.path));

    OdDbLayerTableRecordPtr(walls.safeOpenObject(OdDb::kForWrite))->setName(OdString("A-WALL"));
    TempFile file("renamed.dxf");
    OdDbDatabasePtr back = roundTrip(db.get(), file);
    const std::string text = file.read();
    EXPECT_EQ(text.find("Walls"), std::string::npos);

    OdDbEntityPtr entity = back->getOdDbObjectId(line.getHandle()).safeOpenObject();
    EXPECT_EQ(entity->layer(), OdString("A-WALL"));
    EXPECT_EQ(entity->layerId(), back->getCLAYER());
}

TEST(References, NamesKeepTheirSpellingUnlessTheRecordIsRenamed)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    TempFile file("spelling.dxf");
    db->writeFile(OdString(file.path));
    std::string text = file.read();
    // Some writers spell the built-in line style in capitals.
    const std::string from = "  6\nContinuous\n";
    ASSERT_NE(text.find(from), std::string::npos);
    text.replace(text.find(from), from.size(), "  6\nCONTINUOUS\n");
    {
        std::ofstream out(file.path, std::ios::binary);
        out << text;
    }
    OdDbDatabasePtr db2 = OdDbDatabase::readFile(OdString(file.path));
    TempFile copy("spelling-copy.dxf");
    db2->writeFile(OdString(copy.path));
    EXPECT_EQ(copy.read(), text);
}
