#include "RxTestClasses.h"

#include <OdArray.h>
#include <OdString.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Strings = OdArray<OdString>;

Strings strings(std::initializer_list<const wchar_t*> items)
{
    Strings result;
    for (const wchar_t* item : items) {
        result.append(item);
    }
    return result;
}

std::vector<std::wstring> contents(const Strings& array)
{
    std::vector<std::wstring> result;
    for (const OdString& item : array) {
        result.push_back(item.c_str());
    }
    return result;
}

}  // namespace

TEST(OdArray, CopiesAreIsolatedUntilOneOfThemChanges)
{
    struct Case
    {
        const char* what;
        std::function<void(Strings&)> change;
        std::vector<std::wstring> changed;
    };
    const Case cases[] = {
        {"append", [](Strings& a) { a.append(L"d"); }, {L"a", L"b", L"c", L"d"}},
        {"setAt", [](Strings& a) { a.setAt(1, L"x"); }, {L"a", L"x", L"c"}},
        {"operator[] write", [](Strings& a) { a[0] = L"x"; }, {L"x", L"b", L"c"}},
        {"write through begin()", [](Strings& a) { *a.begin() = L"x"; }, {L"x", L"b", L"c"}},
        {"insertAt", [](Strings& a) { a.insertAt(0, L"x"); }, {L"x", L"a", L"b", L"c"}},
        {"removeAt", [](Strings& a) { a.removeAt(1); }, {L"a", L"c"}},
        {"removeAll", [](Strings& a) { a.removeAll(); }, {}},
        {"append own element", [](Strings& a) { a.append(a[0]); }, {L"a", L"b", L"c", L"a"}},
        {"insert own element", [](Strings& a) { a.insertAt(0, a[2]); }, {L"c", L"a", L"b", L"c"}},
    };
    const std::vector<std::wstring> original = {L"a", L"b", L"c"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool changeTheCopy : {true, false}) {
            SCOPED_TRACE(changeTheCopy ? "copy changed" : "original changed");
            Strings first = strings({L"a", L"b", L"c"});
            Strings second = first;
            EXPECT_EQ(first.getPtr(), second.getPtr());  // shared until written
            Strings& changed = changeTheCopy ? second : first;
            const Strings& untouched = changeTheCopy ? first : second;
            c.change(changed);
            EXPECT_EQ(contents(changed), c.changed);
            EXPECT_EQ(contents(untouched), original);
        }
    }
}

TEST(OdArray, SharedElementsAreReleasedExactlyOnce)
{
    Tracked::s_destroyed = 0;
    OdRxObjectPtr pFirst = OdRxObjectImpl<Tracked>::createObject();
    OdRxObjectPtr pSecond = OdRxObjectImpl<Tracked>::createObject();
    {
        OdArray<OdRxObjectPtr> a;
        a.append(pFirst);
        OdArray<OdRxObjectPtr> b = a;
        EXPECT_EQ(pFirst->numRefs(), 2);  // one buffer for both arrays
        b.append(pSecond);
        EXPECT_EQ(pFirst->numRefs(), 3);  // b copied its elements before changing
        EXPECT_EQ(a.size(), 1u);
        b.removeAt(0);
        EXPECT_EQ(pFirst->numRefs(), 2);
        a.removeAll();
        EXPECT_EQ(pFirst->numRefs(), 1);
        OdArray<OdRxObjectPtr> c = b;
        OdArray<OdRxObjectPtr> d = std::move(c);
        EXPECT_EQ(pSecond->numRefs(), 2);
    }
    EXPECT_EQ(pFirst->numRefs(), 1);
    EXPECT_EQ(pSecond->numRefs(), 1);
    pFirst.release();
    pSecond.release();
    EXPECT_EQ(Tracked::s_destroyed, 2);
}

TEST(OdArray, IndexesOutOfRangeThrowInvalidIndex)
{
    struct Case
    {
        const char* what;
        std::function<void(OdArray<int>&)> access;
    };
    const Case cases[] = {
        {"at past the end", [](OdArray<int>& a) { a.at(2); }},
        {"operator[] far past the end", [](OdArray<int>& a) { a[1000000]; }},
        {"setAt", [](OdArray<int>& a) { a.setAt(2, 0); }},
        {"removeAt", [](OdArray<int>& a) { a.removeAt(2); }},
        {"insertAt beyond size", [](OdArray<int>& a) { a.insertAt(3, 0); }},
        {"first of empty", [](OdArray<int>& a) { a.removeAll().first(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OdArray<int> a;
        a.append(1);
        a.append(2);
        try {
            c.access(a);
            ADD_FAILURE() << "no exception";
        } catch (const OdError_InvalidIndex& e) {
            EXPECT_EQ(e.code(), eInvalidIndex);
        }
    }
    OdArray<int> a;
    EXPECT_NO_THROW(a.insertAt(0, 7));  // inserting at the end is allowed
    EXPECT_EQ(a.last(), 7);
}
