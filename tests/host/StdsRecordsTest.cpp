#include "HostTestUtil.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace {

void expectCode(const std::function<void()>& action, OdResult code)
{
    try {
        action();
        ADD_FAILURE() << "no error raised";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), code);
    }
}

// The vtable slot of a virtual member function, from its pointer-to-member representation in
// the Itanium C++ ABI (1 + the byte offset into the vtable).
template <class MemberFunction>
std::ptrdiff_t slotOf(MemberFunction function)
{
    struct Representation
    {
        std::uintptr_t ptr;
        std::ptrdiff_t adjust;
    };
    static_assert(sizeof(MemberFunction) == sizeof(Representation), "Itanium ABI only");
    Representation r{};
    std::memcpy(&r, &function, sizeof(r));
    return static_cast<std::ptrdiff_t>((r.ptr - 1) / sizeof(void*));
}

// The operations occupy consecutive slots from firstSlot on, in the order given.
template <class... MemberFunctions>
void expectConsecutive(const char* what, std::ptrdiff_t firstSlot, MemberFunctions... functions)
{
    SCOPED_TRACE(what);
    const std::vector<std::ptrdiff_t> slots{slotOf(functions)...};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i], firstSlot + static_cast<std::ptrdiff_t>(i)) << "operation " << i;
    }
}

}  // namespace

TEST(StdsRecords, ClassesAreCreatedOnlyWhileRegistered)
{
    struct Case
    {
        const char* what;
        OdRxClass* (*desc)();
        void (*rxInit)();
        void (*rxUninit)();
        void (*create)();
    };
    const Case cases[] = {
        {"error", &CKvStdsError::desc, &CKvStdsError::rxInit, &CKvStdsError::rxUninit,
         [] { CKvStdsError::createObject(); }},
        {"fix", &CKvStdsFix::desc, &CKvStdsFix::rxInit, &CKvStdsFix::rxUninit,
         [] { CKvStdsFix::createObject(); }},
        {"plug-in interface (abstract: never created)", &CKvStdsPlugins::desc,
         &CKvStdsPlugins::rxInit, &CKvStdsPlugins::rxUninit,
         [] { CKvStdsPlugins::createObject(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.desc(), nullptr);
        expectCode(c.create, eNoClassDescription);
        expectCode(c.rxUninit, eNoClassDescription);

        c.rxInit();
        ASSERT_NE(c.desc(), nullptr);
        EXPECT_EQ(c.desc()->myParent(), OdRxObject::desc());
        expectCode(c.rxInit, eAlreadyRegistered);
        if (c.desc()->constructor() != nullptr) {
            OdRxObjectPtr created = c.desc()->create();
            ASSERT_FALSE(created.isNull());
            EXPECT_EQ(created->isA(), c.desc());
        } else {
            expectCode(c.create, eNoClassDescription);
        }
        c.rxUninit();
        EXPECT_EQ(c.desc(), nullptr);
    }
}

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

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__aarch64__))
// The host calls the interfaces through their vtables: each operation keeps its slot.
TEST(StdsRecords, OperationsKeepTheirSlotOrder)
{
    using E = CKvStdsError;
    using F = CKvStdsFix;
    using P = CKvStdsPlugins;
    using M = CKvStdsManager;
    // OdRxObject's own slots: two for the destructor, isA, queryX, addRef, release, numRefs.
    const std::ptrdiff_t afterRxObject = slotOf(&OdRxObject::numRefs) + 1;
    expectConsecutive("error", afterRxObject, &E::GetObjectTypeId, &E::SetObjectId, &E::GetObjectId,
                      &E::SetObjectType, &E::GetObjectType, &E::SetDescription, &E::GetDescription,
                      &E::SetObjectName, &E::GetObjectName, &E::SetPlugin, &E::GetPlugin,
                      &E::GetPropertyCount, &E::GetPropertyValue, &E::AddProperty, &E::Reset,
                      &E::GetIgnoredState, &E::SetIgnoredState, &E::GetProperties);
    expectConsecutive("fix", afterRxObject, &F::SetFixObjectName, &F::GetFixObjectName,
                      &F::SetFixObjectId, &F::GetFixObjectId, &F::SetFixDisplayName,
                      &F::GetFixDisplayName, &F::GetPropertyCount, &F::GetPropertyValue,
                      &F::AddProperty, &F::GetProperties, &F::SetStandardsFile,
                      &F::GetStandardsFile);
    expectConsecutive("plug-in", afterRxObject, &P::Initialize, &P::SetContext, &P::SetupForAudit,
                      &P::GetObjectFilter, &P::Author, &P::Description, &P::HRef, &P::Name,
                      &P::Version, &P::classId, &P::Enabled, &P::setEnabled, &P::Start, &P::Next,
                      &P::Done, &P::Clear, &P::CheckSysvar, &P::FixError, &P::GetAllFixes,
                      &P::GetError, &P::GetPropertyDiffs, &P::GetRecommendedFix, &P::UpdateStatus);
    // The manager interface starts with its destructor's two slots.
    expectConsecutive("manager", 2, &M::getDwsPathArray, &M::setDwsPathArray,
                      &M::getPluginDescription, &M::addPlugin, &M::removePlugin, &M::getPluginList,
                      &M::getCurrentPlugin, &M::setCurrentPlugin, &M::getPluginAt, &M::init,
                      &M::checkForErrors, &M::createVerficationDialog, &M::showVerficationDialog,
                      &M::restoreVerificationDialog, &M::startProcessing, &M::endProcessing,
                      &M::insideProcessing);
}
#endif
