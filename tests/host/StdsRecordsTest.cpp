#include "HostTestUtil.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsPlugins.h>
#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

#include <vector>

// Errors and fixes keep one value per name (the later one, never a null one), listed in name
// order by code point.
TEST(StdsRecords, NamedValuesAreFoundByNameAndListedInNameOrder)
{
    StdsRecordClasses records;
    const auto check = [](auto record) {
        const auto value = [](int v) { return OdResBuf::newRb(OdResBuf::kRtInt32, OdInt32(v)); };
        EXPECT_TRUE(record->GetPropertyValue(L"Name").isNull());
        record->AddProperty(L"name", value(0));
        record->AddProperty(L"Name", value(1));
        record->AddProperty(L"LineWeight", value(2));
        record->AddProperty(L"Name", value(3));
        record->AddProperty(L"Null", OdResBufPtr());
        EXPECT_EQ(record->GetPropertyCount(), 3);
        std::vector<CKvString> names;
        for (const auto& entry : record->GetProperties()) {
            names.push_back(entry.first);
        }
        EXPECT_EQ(names, (std::vector<CKvString>{L"LineWeight", L"Name", L"name"}));
        EXPECT_EQ(record->GetPropertyValue(L"Name")->getInt32(), 3);
        EXPECT_EQ(record->GetPropertyValue(L"name")->getInt32(), 0);
        EXPECT_TRUE(record->GetPropertyValue(L"Colour").isNull());
    };
    check(CKvStdsError::createObject());
    check(CKvStdsFix::createObject());
}

TEST(StdsRecords, ErrorNamesTheDxfClassOfItsRecord)
{
    StdsRecordClasses records;
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const OdDbObjectId erased = addStyle(db.get(), StyleKind::Text, "Gone");
    erased.safeOpenObject(OdDb::kForWrite)->erase();
    struct Case
    {
        const char* what;
        OdDbObjectId id;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"layer", db->getLayerZeroId(), L"LAYER"},
        {"text style", db->getTextStyleStandardId(), L"STYLE"},
        {"dimension style", db->getDimStyleStandardId(), L"DIMSTYLE"},
        {"null id", OdDbObjectId(), L""},
        {"erased record", erased, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CKvStdsErrorPtr error = CKvStdsError::createObject();
        error->SetObjectId(c.id);
        EXPECT_EQ(error->GetObjectTypeId(), CKvString(c.expected));
    }
}
