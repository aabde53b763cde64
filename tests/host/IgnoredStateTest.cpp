#include "HostTestUtil.h"

#include <CKvIgnoredState.h>
#include <DbDictionary.h>
#include <DbLayerTableRecord.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <gtest/gtest.h>

#include <ResBuf.h>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Item
{
    int type;
    const wchar_t* text;  // 90 items: the number as text
};
using Chain = std::vector<Item>;

OdResBufPtr buildChain(const Chain& items)
{
    OdResBufPtr head;
    OdResBufPtr tail;
    for (const Item& item : items) {
        OdResBufPtr rb =
            item.type == OdResBuf::kDxfInt32
                ? OdResBuf::newRb(item.type, OdInt32(std::wcstol(item.text, nullptr, 10)))
                : OdResBuf::newRb(item.type, item.text);
        if (head.isNull()) {
            head = rb;
        } else {
            tail->setNext(rb);
        }
        tail = rb;
    }
    return head;
}

// The layer "Walls" of a new drawing, the record the marks are put on.
struct Drawing
{
    Drawing() : db(OdDbDatabase::createObject())
    {
        OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
        OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
        layer->setName(OdString("Walls"));
        walls = layers->add(layer.get());
    }

    OdDbDictionaryPtr extensionDictionary()
    {
        OdDbObjectPtr layer = walls.safeOpenObject(OdDb::kForWrite);
        layer->createExtensionDictionary();
        return layer->extensionDictionary().safeOpenObject(OdDb::kForWrite);
    }

    // "AcStStandard" holding the given xrecords, as another program might store it.
    void storeEntries(const std::vector<std::pair<const wchar_t*, Chain>>& entries)
    {
        OdDbDictionaryPtr standard = OdDbDictionary::createObject();
        extensionDictionary()->setAt(OdString(L"AcStStandard"), standard.get());
        for (const auto& entry : entries) {
            OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
            standard->setAt(OdString(entry.first), xrecord.get());
            EXPECT_EQ(xrecord->setFromRbChain(buildChain(entry.second).get()), eOk);
        }
    }

    OdDbDatabasePtr db;
    OdDbObjectId walls;
};

void expectState(const CKvIgnoredState& state, bool ignored, const wchar_t* user, bool hasRecord)
{
    EXPECT_EQ(state.ignored, ignored);
    EXPECT_EQ(state.user, CKvString(user));
    EXPECT_EQ(state.hasRecord, hasRecord);
}

}  // namespace

TEST(IgnoredState, MarkSurvivesSavingAndReopening)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<bool, const wchar_t*>> writes;  // in order
        bool ignored;
        const wchar_t* user;
    };
    const Case cases[] = {
        {"ignored by a user", {{true, L"anna"}}, true, L"anna"},
        {"non-ASCII user name", {{true, L"J\u00F6rg"}}, true, L"J\u00F6rg"},
        {"un-ignored: flag 0 and no name", {{true, L"anna"}, {false, L"anna"}}, false, L""},
        {"ignored again by someone else",
         {{true, L"anna"}, {false, L""}, {true, L"bob"}},
         true,
         L"bob"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        for (const auto& write : c.writes) {
            EXPECT_TRUE(writeIgnoredState(d.walls, write.first, write.second));
        }
        expectState(readIgnoredState(d.walls), c.ignored, c.user, true);
        TempFile file("ignored.dxf");
        OdDbDatabasePtr back = saveAndReload(d.db.get(), file);
        OdDbSymbolTablePtr layers = back->getLayerTableId().safeOpenObject();
        expectState(readIgnoredState(layers->getAt(OdString("Walls"))), c.ignored, c.user, true);
    }
}

TEST(IgnoredState, WriterBuildsOneXrecordWithAnUntypedItemThenNameThenFlag)
{
    Drawing d;
    {
        OdDbDictionaryPtr ext = d.extensionDictionary();
        OdDbDictionaryPtr old = OdDbDictionary::createObject();
        ext->setAt(OdString(L"AcStStandard"), old.get());
        OdDbXrecordPtr stale = OdDbXrecord::createObject();
        old->setAt(OdString(L"Stale"), stale.get());
        OdDbXrecordPtr other = OdDbXrecord::createObject();
        ext->setAt(OdString(L"OtherApp"), other.get());
    }
    ASSERT_TRUE(writeIgnoredState(d.walls, true, L"anna"));

    OdDbDictionaryPtr ext = d.extensionDictionary();
    EXPECT_TRUE(ext->has(OdString(L"OtherApp")));  // other applications' entries stay
    OdDbDictionaryPtr standard = ext->getAt(OdString(L"AcStStandard"), OdDb::kForRead);
    ASSERT_FALSE(standard.isNull());
    EXPECT_EQ(standard->numEntries(), 1u);  // earlier content under the key is dropped
    OdDbXrecordPtr flags = standard->getAt(OdString(L"AcStFlags"), OdDb::kForRead);
    ASSERT_FALSE(flags.isNull());
    std::vector<int> types;
    for (OdResBufPtr rb = flags->rbChain(); !rb.isNull(); rb = rb->next()) {
        types.push_back(rb->restype());
    }
    EXPECT_EQ(types, (std::vector<int>{OdResBuf::kRtNone, 300, 90}));
}

TEST(IgnoredState, ReaderFollowsTheStoredItemsWhateverTheirOrder)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<const wchar_t*, Chain>> entries;
        bool ignored;
        const wchar_t* user;
    };
    const Case cases[] = {
        {"name then flag, as written",
         {{L"AcStFlags", {{300, L"anna"}, {90, L"1"}}}},
         true,
         L"anna"},
        {"flag then name", {{L"AcStFlags", {{90, L"1"}, {300, L"anna"}}}}, true, L"anna"},
        {"flag 0", {{L"AcStFlags", {{90, L"0"}, {300, L""}}}}, false, L""},
        {"any other non-zero flag ignores", {{L"AcStFlags", {{90, L"7"}}}}, true, L""},
        {"no flag item: the flag stays -1", {{L"AcStFlags", {{300, L"anna"}}}}, true, L"anna"},
        {"last item of a type wins",
         {{L"AcStFlags", {{90, L"1"}, {300, L"anna"}, {90, L"0"}, {300, L"bob"}}}},
         false,
         L"bob"},
        {"items of other types are skipped",
         {{L"AcStFlags", {{1, L"note"}, {90, L"0"}, {1000, L"x"}, {300, L"anna"}}}},
         false,
         L"anna"},
        {"entries in key order, values carried over, the last entry wins",
         {{L"B", {{90, L"0"}}}, {L"A", {{300, L"anna"}, {90, L"1"}}}},
         false,
         L"anna"},
        {"an empty xrecord still reports the flag's start value", {{L"AcStFlags", {}}}, true, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        d.storeEntries(c.entries);
        expectState(readIgnoredState(d.walls), c.ignored, c.user, true);
    }
}

TEST(IgnoredState, RecordsWithoutAMarkReadAsNotIgnored)
{
    struct Case
    {
        const char* what;
        void (*prepare)(Drawing&);
        bool hasRecord;
    };
    const Case cases[] = {
        {"no extension dictionary", [](Drawing&) {}, false},
        {"extension dictionary with other entries only",
         [](Drawing& d) {
             OdDbXrecordPtr other = OdDbXrecord::createObject();
             d.extensionDictionary()->setAt(OdString(L"AcStOther"), other.get());
             EXPECT_EQ(other->setFromRbChain(buildChain({{90, L"1"}, {300, L"anna"}}).get()), eOk);
         },
         false},
        {"empty AcStStandard dictionary", [](Drawing& d) { d.storeEntries({}); }, false},
        {"erased record",
         [](Drawing& d) {
             writeIgnoredState(d.walls, true, L"anna");
             d.walls.safeOpenObject(OdDb::kForWrite)->erase();
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        c.prepare(d);
        expectState(readIgnoredState(d.walls), false, L"", c.hasRecord);
    }
    expectState(readIgnoredState(OdDbObjectId()), false, L"", false);
    EXPECT_FALSE(writeIgnoredState(OdDbObjectId(), true, L"anna"));
}

TEST(IgnoredState, ForeignObjectsInTheRecordRaiseNotThatKindOfClass)
{
    struct Case
    {
        const char* what;
        void (*prepare)(Drawing&);
    };
    const Case cases[] = {
        {"AcStStandard is an xrecord",
         [](Drawing& d) {
             OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
             d.extensionDictionary()->setAt(OdString(L"AcStStandard"), xrecord.get());
         }},
        {"an entry of AcStStandard is a dictionary",
         [](Drawing& d) {
             d.storeEntries({{L"AcStFlags", {{90, L"1"}}}});
             OdDbDictionaryPtr standard =
                 d.extensionDictionary()->getAt(OdString(L"AcStStandard"), OdDb::kForWrite);
             OdDbDictionaryPtr nested = OdDbDictionary::createObject();
             standard->setAt(OdString(L"Nested"), nested.get());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        c.prepare(d);
        EXPECT_THROW(readIgnoredState(d.walls), OdError_NotThatKindOfClass);
    }
}

TEST(IgnoredState, LoadingIntoAnErrorLeavesItAloneOnlyForAnEmptyRecord)
{
    StdsRecordClasses records;
    struct Case
    {
        const char* what;
        void (*prepare)(Drawing&);
        bool ignored;
        const wchar_t* user;
    };
    const Case cases[] = {
        {"marked", [](Drawing& d) { writeIgnoredState(d.walls, true, L"anna"); }, true, L"anna"},
        {"no mark: not ignored", [](Drawing&) {}, false, L""},
        {"empty AcStStandard: the error's own state", [](Drawing& d) { d.storeEntries({}); }, true,
         L"plug-in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        c.prepare(d);
        const CKvStdsErrorPtr error = CKvStdsError::createObject();
        error->SetObjectId(d.walls);
        error->SetIgnoredState(true, L"plug-in");
        loadIgnoredState(error);
        bool ignored = !c.ignored;
        CKvString user;
        error->GetIgnoredState(ignored, user);
        EXPECT_EQ(ignored, c.ignored);
        EXPECT_EQ(user, CKvString(c.user));
    }
    EXPECT_NO_THROW(loadIgnoredState(CKvStdsErrorPtr()));
}
