#include "HostTestUtil.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <DbLayerTableRecord.h>
#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

#include <StaticRxObject.h>
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

// A plug-in as the module writes one: a static object of its own class below CKvStdsPlugins.
class TestPlugin : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    static OdRxClass* g_pDesc;
    static OdRxClass* desc() { return g_pDesc; }
    OdRxClass* isA() const override { return g_pDesc; }
    OdRxObject* queryX(const OdRxClass* pClass) const override
    {
        return odQueryXImpl<TestPlugin, CKvStdsPlugins>(this, pClass);
    }

    void Initialize(CKvStdsManager*) override {}
    void SetContext(OdArray<OdDbObjectId>, bool) override {}
    void SetupForAudit(OdSmartPtr<OdDbDatabase>, CKvString, std::vector<CKvString>,
                       std::vector<CKvString>) override
    {}
    std::vector<CKvString> GetObjectFilter() override { return {L"LAYER"}; }
    CKvString Author() override { return CKvString(); }
    CKvString Description() override { return CKvString(); }
    CKvString HRef() override { return CKvString(); }
    CKvString Name() override { return L"Test"; }
    CKvString Version() override { return L"1.0"; }
    CKvString classId() override { return L"TEST"; }
    bool Enabled() override { return true; }
    void setEnabled(bool) override {}
    void Start(OdSmartPtr<CKvStdsError>) override {}
    void Next() override {}
    bool Done() override { return true; }
    void Clear() override {}
    bool CheckSysvar(CKvString, bool) override { return true; }
    void FixError(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>, CKvString&) override {}
    void GetAllFixes(OdSmartPtr<CKvStdsError>, OdArray<OdSmartPtr<CKvStdsFix>>&, int&) override {}
    OdSmartPtr<CKvStdsError> GetError() override { return OdSmartPtr<CKvStdsError>(); }
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>, std::vector<CKvString>&,
                          OdArray<OdSmartPtr<OdResBuf>>&, OdArray<OdSmartPtr<OdResBuf>>&,
                          std::vector<CKvString>&) override
    {}
    OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError>) override
    {
        return OdSmartPtr<CKvStdsFix>();
    }
    void UpdateStatus(OdSmartPtr<CKvStdsError>) override {}
};
OdRxClass* TestPlugin::g_pDesc = nullptr;

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

// Each slot directly follows the previous one.
void expectConsecutive(const char* what, std::ptrdiff_t firstSlot,
                       const std::vector<std::ptrdiff_t>& slots)
{
    SCOPED_TRACE(what);
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

TEST(StdsRecords, SmartPointersAcceptOnlyTheirOwnClass)
{
    StdsRecordClasses records;
    CKvStdsPlugins::rxInit();
    TestPlugin::g_pDesc = newOdRxClass(L"TestPlugin", CKvStdsPlugins::desc());
    TestPlugin plugin;

    const OdRxObjectPtr error = CKvStdsError::desc()->create();
    const OdRxObjectPtr fix = CKvStdsFix::desc()->create();
    const OdRxObjectPtr asObject(&plugin);
    EXPECT_NO_THROW(CKvStdsErrorPtr{error});
    EXPECT_NO_THROW(CKvStdsFixPtr{fix});
    EXPECT_NO_THROW(CKvStdsPluginsPtr{asObject});
    EXPECT_THROW(CKvStdsFixPtr{error}, OdError_NotThatKindOfClass);
    EXPECT_THROW(CKvStdsErrorPtr{fix}, OdError_NotThatKindOfClass);
    EXPECT_THROW(CKvStdsErrorPtr{asObject}, OdError_NotThatKindOfClass);
    EXPECT_THROW(CKvStdsPluginsPtr{error}, OdError_NotThatKindOfClass);

    deleteOdRxClass(TestPlugin::g_pDesc);
    TestPlugin::g_pDesc = nullptr;
    CKvStdsPlugins::rxUninit();
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

TEST(StdsRecords, NullValuesAreNotStoredAndValuesAreReleasedWithTheRecord)
{
    StdsRecordClasses records;
    const OdResBufPtr value = OdResBuf::newRb(OdResBuf::kRtString, L"Walls");
    {
        const CKvStdsErrorPtr error = CKvStdsError::createObject();
        const CKvStdsFixPtr fix = CKvStdsFix::createObject();
        error->AddProperty(L"Name", value);
        fix->AddProperty(L"Name", value);
        error->AddProperty(L"Empty", OdResBufPtr());
        fix->AddProperty(L"Empty", OdResBufPtr());
        EXPECT_EQ(error->GetPropertyCount(), 1);
        EXPECT_EQ(fix->GetPropertyCount(), 1);
        EXPECT_EQ(value->numRefs(), 3);
    }
    EXPECT_EQ(value->numRefs(), 1);
}

TEST(StdsRecords, ResetReturnsAnErrorToItsNewState)
{
    StdsRecordClasses records;
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    const CKvStdsErrorPtr error = CKvStdsError::createObject();
    error->SetObjectId(db->getLayerZeroId());
    error->SetObjectType(L"Layer");
    error->SetDescription(L"Layer name is non-standard.");
    error->SetObjectName(L"0");
    error->AddProperty(L"Name", OdResBuf::newRb(OdResBuf::kRtString, L"0"));
    error->SetIgnoredState(true, L"anna");

    error->Reset();
    bool ignored = true;
    CKvString user = L"someone";
    error->GetIgnoredState(ignored, user);
    EXPECT_TRUE(error->GetObjectId().isNull());
    EXPECT_TRUE(error->GetObjectType().isEmpty());
    EXPECT_TRUE(error->GetDescription().isEmpty());
    EXPECT_TRUE(error->GetObjectName().isEmpty());
    EXPECT_TRUE(error->GetPlugin().isNull());
    EXPECT_EQ(error->GetPropertyCount(), 0);
    EXPECT_FALSE(ignored);
    EXPECT_TRUE(user.isEmpty());
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
TEST(StdsRecords, OperationsKeepTheirSlotOrder)
{
    // OdRxObject's own slots: two for the destructor, isA, queryX, addRef, release, numRefs.
    const std::ptrdiff_t afterRxObject = slotOf(&OdRxObject::numRefs) + 1;
    expectConsecutive(
        "error", afterRxObject,
        {slotOf(&CKvStdsError::GetObjectTypeId), slotOf(&CKvStdsError::SetObjectId),
         slotOf(&CKvStdsError::GetObjectId), slotOf(&CKvStdsError::SetObjectType),
         slotOf(&CKvStdsError::GetObjectType), slotOf(&CKvStdsError::SetDescription),
         slotOf(&CKvStdsError::GetDescription), slotOf(&CKvStdsError::SetObjectName),
         slotOf(&CKvStdsError::GetObjectName), slotOf(&CKvStdsError::SetPlugin),
         slotOf(&CKvStdsError::GetPlugin), slotOf(&CKvStdsError::GetPropertyCount),
         slotOf(&CKvStdsError::GetPropertyValue), slotOf(&CKvStdsError::AddProperty),
         slotOf(&CKvStdsError::Reset), slotOf(&CKvStdsError::GetIgnoredState),
         slotOf(&CKvStdsError::SetIgnoredState), slotOf(&CKvStdsError::GetProperties)});
    expectConsecutive(
        "fix", afterRxObject,
        {slotOf(&CKvStdsFix::SetFixObjectName), slotOf(&CKvStdsFix::GetFixObjectName),
         slotOf(&CKvStdsFix::SetFixObjectId), slotOf(&CKvStdsFix::GetFixObjectId),
         slotOf(&CKvStdsFix::SetFixDisplayName), slotOf(&CKvStdsFix::GetFixDisplayName),
         slotOf(&CKvStdsFix::GetPropertyCount), slotOf(&CKvStdsFix::GetPropertyValue),
         slotOf(&CKvStdsFix::AddProperty), slotOf(&CKvStdsFix::GetProperties),
         slotOf(&CKvStdsFix::SetStandardsFile), slotOf(&CKvStdsFix::GetStandardsFile)});
    expectConsecutive("plug-in", afterRxObject,
                      {slotOf(&CKvStdsPlugins::Initialize),
                       slotOf(&CKvStdsPlugins::SetContext),
                       slotOf(&CKvStdsPlugins::SetupForAudit),
                       slotOf(&CKvStdsPlugins::GetObjectFilter),
                       slotOf(&CKvStdsPlugins::Author),
                       slotOf(&CKvStdsPlugins::Description),
                       slotOf(&CKvStdsPlugins::HRef),
                       slotOf(&CKvStdsPlugins::Name),
                       slotOf(&CKvStdsPlugins::Version),
                       slotOf(&CKvStdsPlugins::classId),
                       slotOf(&CKvStdsPlugins::Enabled),
                       slotOf(&CKvStdsPlugins::setEnabled),
                       slotOf(&CKvStdsPlugins::Start),
                       slotOf(&CKvStdsPlugins::Next),
                       slotOf(&CKvStdsPlugins::Done),
                       slotOf(&CKvStdsPlugins::Clear),
                       slotOf(&CKvStdsPlugins::CheckSysvar),
                       slotOf(&CKvStdsPlugins::FixError),
                       slotOf(&CKvStdsPlugins::GetAllFixes),
                       slotOf(&CKvStdsPlugins::GetError),
                       slotOf(&CKvStdsPlugins::GetPropertyDiffs),
                       slotOf(&CKvStdsPlugins::GetRecommendedFix),
                       slotOf(&CKvStdsPlugins::UpdateStatus)});
    // The manager interface starts with its destructor's two slots.
    expectConsecutive(
        "manager", 2,
        {slotOf(&CKvStdsManager::getDwsPathArray), slotOf(&CKvStdsManager::setDwsPathArray),
         slotOf(&CKvStdsManager::getPluginDescription), slotOf(&CKvStdsManager::addPlugin),
         slotOf(&CKvStdsManager::removePlugin), slotOf(&CKvStdsManager::getPluginList),
         slotOf(&CKvStdsManager::getCurrentPlugin), slotOf(&CKvStdsManager::setCurrentPlugin),
         slotOf(&CKvStdsManager::getPluginAt), slotOf(&CKvStdsManager::init),
         slotOf(&CKvStdsManager::checkForErrors), slotOf(&CKvStdsManager::createVerficationDialog),
         slotOf(&CKvStdsManager::showVerficationDialog),
         slotOf(&CKvStdsManager::restoreVerificationDialog),
         slotOf(&CKvStdsManager::startProcessing), slotOf(&CKvStdsManager::endProcessing),
         slotOf(&CKvStdsManager::insideProcessing)});
}
#endif
