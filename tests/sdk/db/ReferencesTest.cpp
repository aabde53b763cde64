#include "DbTestUtil.h"

#include <DbEntity.h>
#include <DbIdMapping.h>
#include <DbLinetypeTableRecord.h>

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

TEST(Cloning, ReplacesTheSameNamedRecordAndKeepsItsIdentity)
{
    OdDbDatabasePtr source = OdDbDatabase::createObject();
    OdDbDatabasePtr dest = OdDbDatabase::createObject();
    const OdString inch(KV_RESOURCE_DIR "/inch.lin");
    source->loadLineTypeFile(OdString("BORDER"), inch);
    dest->loadLineTypeFile(OdString("DASHED"), inch);
    {
        OdDbSymbolTablePtr table = dest->getLinetypeTableId().safeOpenObject();
        OdDbLinetypeTableRecordPtr dashed = table->getAt(OdString("DASHED"), OdDb::kForWrite);
        dashed->setName(OdString("BORDER"));  // same name, other pattern
    }
    OdDbSymbolTablePtr destTable = dest->getLinetypeTableId().safeOpenObject();
    const OdDbObjectId existing = destTable->getAt(OdString("BORDER"));

    OdDbSymbolTablePtr sourceTable = source->getLinetypeTableId().safeOpenObject();
    OdDbObjectIdArray ids;
    ids.append(sourceTable->getAt(OdString("BORDER")));
    OdDbIdMappingPtr map = OdRxObjectImpl<OdDbIdMapping>::createObject();
    map->setDestDb(dest.get());
    source->wblockCloneObjects(ids, dest->getLinetypeTableId(), *map, OdDb::kDrcReplace);

    OdDbIdPair pair(ids[0]);
    ASSERT_TRUE(map->compute(pair));
    EXPECT_EQ(pair.value(), existing);
    OdDbLinetypeTableRecordPtr cloned = existing.safeOpenObject();
    OdDbLinetypeTableRecordPtr original = ids[0].safeOpenObject();
    EXPECT_EQ(cloned->numDashes(), original->numDashes());
    EXPECT_DOUBLE_EQ(cloned->patternLength(), original->patternLength());
    EXPECT_EQ(cloned->getName(), OdString("BORDER"));

    TempFile file("cloned.dxf");
    OdDbDatabasePtr back = roundTrip(dest.get(), file);
    OdDbSymbolTablePtr backTable = back->getLinetypeTableId().safeOpenObject();
    OdDbLinetypeTableRecordPtr saved = backTable->getAt(OdString("BORDER"), OdDb::kForRead);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved->numDashes(), original->numDashes());
}
