#include "HostTestUtil.h"

#include <CKvIgnoredState.h>
#include <DbDictionary.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <gtest/gtest.h>

#include <ResBuf.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Chain = std::vector<std::pair<int, const wchar_t*>>;  // 90 items: the number as text

// The layer "Walls" of a new drawing, the record the marks are put on.
struct Drawing
{
    Drawing() : db(OdDbDatabase::createObject()), walls(addLayer(*db, "Walls")) {}

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
            EXPECT_EQ(xrecord->setFromRbChain(chainOf(entry.second).get()), eOk);
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

// What a reader finds: the mark is stored by another writer, in any order, or not at all.
struct Stored
{
    const char* what;
    std::function<void(Drawing&)> prepare;
    bool ignored;
    const wchar_t* user;
    bool hasRecord;
    // Loading it into an error leaves the error's own state alone.
    bool leftAlone = false;
};

std::function<void(Drawing&)> entries(std::vector<std::pair<const wchar_t*, Chain>> stored)
{
    return [stored](Drawing& d) { d.storeEntries(stored); };
}

}  // namespace

// Written, rewritten, saved and read again; the writer keeps other applications' entries, drops
// what was stored under its key before, and builds an untyped item, then the name, then the flag.
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
        d.storeEntries({{L"Stale", {{90, L"0"}}}});
        OdDbXrecordPtr other = OdDbXrecord::createObject();
        d.extensionDictionary()->setAt(OdString(L"OtherApp"), other.get());
        for (const auto& write : c.writes) {
            EXPECT_TRUE(writeIgnoredState(d.walls, write.first, write.second));
        }
        OdDbDictionaryPtr ext = d.extensionDictionary();
        EXPECT_TRUE(ext->has(OdString(L"OtherApp")));
        OdDbDictionaryPtr standard = ext->getAt(OdString(L"AcStStandard"), OdDb::kForRead);
        ASSERT_FALSE(standard.isNull());
        EXPECT_EQ(standard->numEntries(), 1u);
        OdDbXrecordPtr flags = standard->getAt(OdString(L"AcStFlags"), OdDb::kForRead);
        ASSERT_FALSE(flags.isNull());
        std::vector<int> types;
        for (OdResBufPtr rb = flags->rbChain(); !rb.isNull(); rb = rb->next()) {
            types.push_back(rb->restype());
        }
        EXPECT_EQ(types, (std::vector<int>{OdResBuf::kRtNone, 300, 90}));

        TempFile file("ignored.dxf");
        OdDbDatabasePtr back = saveAndReload(d.db.get(), file);
        OdDbSymbolTablePtr layers = back->getLayerTableId().safeOpenObject();
        expectState(readIgnoredState(layers->getAt(OdString("Walls"))), c.ignored, c.user, true);
    }
    EXPECT_FALSE(writeIgnoredState(OdDbObjectId(), true, L"anna"));
}

// Read as it is, and loaded into an error as the manager does for every violation it reports;
// the form written is read in the cases above.
TEST(IgnoredState, ReaderFollowsWhateverIsStored)
{
    StdsRecordClasses records;
    const Stored cases[] = {
        {"flag then name", entries({{L"AcStFlags", {{90, L"1"}, {300, L"anna"}}}}), true, L"anna",
         true},
        {"flag 0", entries({{L"AcStFlags", {{90, L"0"}, {300, L""}}}}), false, L"", true},
        {"any other non-zero flag ignores", entries({{L"AcStFlags", {{90, L"7"}}}}), true, L"",
         true},
        {"no flag item: the flag stays -1", entries({{L"AcStFlags", {{300, L"anna"}}}}), true,
         L"anna", true},
        {"last item of a type wins",
         entries({{L"AcStFlags", {{90, L"1"}, {300, L"anna"}, {90, L"0"}, {300, L"bob"}}}}), false,
         L"bob", true},
        {"items of other types are skipped",
         entries({{L"AcStFlags", {{1, L"note"}, {90, L"0"}, {1000, L"x"}, {300, L"anna"}}}}), false,
         L"anna", true},
        {"entries in key order, values carried over, the last entry wins",
         entries({{L"B", {{90, L"0"}}}, {L"A", {{300, L"anna"}, {90, L"1"}}}}), false, L"anna",
         true},
        {"no extension dictionary", [](Drawing&) {}, false, L"", false},
        {"extension dictionary with other entries only",
         [](Drawing& d) {
             OdDbXrecordPtr other = OdDbXrecord::createObject();
             d.extensionDictionary()->setAt(OdString(L"AcStOther"), other.get());
             other->setFromRbChain(chainOf({{90, L"1"}, {300, L"anna"}}).get());
         },
         false, L"", false},
        {"empty AcStStandard dictionary", entries({}), false, L"", false, true},
        {"erased record",
         [](Drawing& d) {
             writeIgnoredState(d.walls, true, L"anna");
             d.walls.safeOpenObject(OdDb::kForWrite)->erase();
         },
         false, L"", false},
    };
    for (const Stored& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        c.prepare(d);
        expectState(readIgnoredState(d.walls), c.ignored, c.user, c.hasRecord);
        const CKvStdsErrorPtr error = CKvStdsError::createObject();
        error->SetObjectId(d.walls);
        error->SetIgnoredState(true, L"plug-in");
        loadIgnoredState(error);
        CKvIgnoredState loaded;
        error->GetIgnoredState(loaded.ignored, loaded.user);
        expectState(loaded, c.leftAlone || c.ignored, c.leftAlone ? L"plug-in" : c.user, false);
    }
    expectState(readIgnoredState(OdDbObjectId()), false, L"", false);
    EXPECT_NO_THROW(loadIgnoredState(CKvStdsErrorPtr()));
}

TEST(IgnoredState, ForeignObjectsInTheRecordRaiseNotThatKindOfClass)
{
    const std::function<void(Drawing&)> cases[] = {
        [](Drawing& d) {  // AcStStandard is an xrecord
            OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
            d.extensionDictionary()->setAt(OdString(L"AcStStandard"), xrecord.get());
        },
        [](Drawing& d) {  // an entry of AcStStandard is a dictionary
            d.storeEntries({{L"AcStFlags", {{90, L"1"}}}});
            OdDbDictionaryPtr standard =
                d.extensionDictionary()->getAt(OdString(L"AcStStandard"), OdDb::kForWrite);
            OdDbDictionaryPtr nested = OdDbDictionary::createObject();
            standard->setAt(OdString(L"Nested"), nested.get());
        },
    };
    for (const auto& prepare : cases) {
        Drawing d;
        prepare(d);
        EXPECT_THROW(readIgnoredState(d.walls), OdError_NotThatKindOfClass);
    }
}
