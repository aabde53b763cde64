#include "HostTestUtil.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsPlugins.h>
#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

TEST(StdsRecords, NamedValuesAreFoundByNameAndListedInNameOrder)
{
    StdsRecordClasses records;
    struct Case
    {
        const char* what;
        std::vector<const wchar_t*> added;   // in the order added; the value is its index
        std::vector<const wchar_t*> listed;  // GetProperties order
        const wchar_t* lookedUp;
        int expectedIndex;  // -1: no value under that name
    };
    const Case cases[] = {
        {"no values", {}, {}, L"Name", -1},
        {"name order, not insertion order",
         {L"Name", L"LineColor", L"LineWeight", L"LineStyle"},
         {L"LineColor", L"LineStyle", L"LineWeight", L"Name"},
         L"LineWeight",
         2},
        {"names are case-sensitive", {L"name", L"Name"}, {L"Name", L"name"}, L"name", 0},
        {"unknown name gives null", {L"Name"}, {L"Name"}, L"Colour", -1},
        {"a name added twice keeps the later value", {L"Name", L"Name"}, {L"Name"}, L"Name", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CKvStdsErrorPtr error = CKvStdsError::createObject();
        const CKvStdsFixPtr fix = CKvStdsFix::createObject();
        for (std::size_t i = 0; i < c.added.size(); ++i) {
            const OdResBufPtr value = OdResBuf::newRb(OdResBuf::kRtInt32, OdInt32(i));
            error->AddProperty(c.added[i], value);
            fix->AddProperty(c.added[i], value);
        }
        // A null value is not stored.
        error->AddProperty(L"Null", OdResBufPtr());
        fix->AddProperty(L"Null", OdResBufPtr());
        const auto check = [&](int count, const std::map<CKvString, OdResBufPtr>& all,
                               const OdResBufPtr& found) {
            EXPECT_EQ(count, static_cast<int>(c.listed.size()));
            std::vector<CKvString> names;
            for (const auto& entry : all) {
                names.push_back(entry.first);
            }
            EXPECT_EQ(names, std::vector<CKvString>(c.listed.begin(), c.listed.end()));
            if (c.expectedIndex < 0) {
                EXPECT_TRUE(found.isNull());
            } else {
                ASSERT_FALSE(found.isNull());
                EXPECT_EQ(found->getInt32(), c.expectedIndex);
            }
        };
        check(error->GetPropertyCount(), error->GetProperties(),
              error->GetPropertyValue(c.lookedUp));
        check(fix->GetPropertyCount(), fix->GetProperties(), fix->GetPropertyValue(c.lookedUp));
    }
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
