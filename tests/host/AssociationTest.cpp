#include "HostTestUtil.h"

#include <CKvStandardsAssociation.h>
#include <DbDatabase.h>
#include <DbDictionary.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<std::string> utf8(const std::vector<CKvString>& paths)
{
    std::vector<std::string> out;
    for (const CKvString& p : paths) {
        out.push_back(p.toUtf8());
    }
    return out;
}

}  // namespace

TEST(StandardsAssociation, EditsKeepTheOrderAndRefuseWhatChangesNothing)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    CKvStandardsAssociation association(db.get());
    EXPECT_TRUE(association.paths().empty());
    EXPECT_TRUE(association.add(CKvString("/std/a.dxf")));
    EXPECT_TRUE(association.add(CKvString("C:\\std\\b.dws")));
    EXPECT_TRUE(association.add(CKvString("/std/c.dxf")));
    EXPECT_FALSE(association.add(CKvString("/std/a.dxf")));
    EXPECT_EQ(utf8(association.paths()),
              (std::vector<std::string>{"/std/a.dxf", "C:\\std\\b.dws", "/std/c.dxf"}));

    EXPECT_TRUE(association.moveUp(CKvString("/std/c.dxf")));
    EXPECT_FALSE(association.moveUp(CKvString("/std/a.dxf")));
    EXPECT_TRUE(association.moveDown(CKvString("/std/a.dxf")));
    EXPECT_TRUE(association.moveDown(CKvString("/std/a.dxf")));
    EXPECT_FALSE(association.moveDown(CKvString("/std/a.dxf")));
    EXPECT_EQ(utf8(association.paths()),
              (std::vector<std::string>{"/std/c.dxf", "C:\\std\\b.dws", "/std/a.dxf"}));

    EXPECT_TRUE(association.remove(CKvString("C:\\std\\b.dws")));
    EXPECT_FALSE(association.remove(CKvString("C:\\std\\b.dws")));
    EXPECT_FALSE(association.moveUp(CKvString("/std/missing.dxf")));
    EXPECT_EQ(utf8(association.paths()), (std::vector<std::string>{"/std/c.dxf", "/std/a.dxf"}));
}

TEST(StandardsAssociation, SurvivesSavingWithoutTheEntriesItReplaced)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    CKvStandardsAssociation association(db.get());
    for (int i = 0; i < 12; ++i) {  // more than nine: keys must sort as numbers do
        association.add(CKvString(("/std/" + std::to_string(i) + ".dxf").c_str()));
    }
    association.remove(CKvString("/std/0.dxf"));
    const TempFile file("association.dxf");
    OdDbDatabasePtr back = saveAndReload(db.get(), file);
    const std::vector<CKvString> paths = CKvStandardsAssociation(back.get()).paths();
    ASSERT_EQ(paths.size(), 11u);
    EXPECT_EQ(paths.front().toUtf8(), "/std/1.dxf");
    EXPECT_EQ(paths.back().toUtf8(), "/std/11.dxf");
    OdDbDictionaryPtr root = back->getNamedObjectsDictionaryId().safeOpenObject();
    OdDbDictionaryPtr dict = root->getAt(OdString("AcStStandard"), OdDb::kForRead);
    EXPECT_EQ(dict->numEntries(), 11u);
}
