#include "RxTestClasses.h"

#include <RxClass.h>

#include <gtest/gtest.h>

#include <StaticRxObject.h>
#include <functional>

TEST(OdSmartPtr, CrossClassConstructionQueriesTheClass)
{
    TestClassesScope classes;
    const OdRxObjectPtr pCircle = TestCircle::createObject();
    const OdRxObjectPtr pText = TestText::createObject();

    struct Case
    {
        const char* what;
        std::function<OdSmartPtr<TestShape>()> make;
        bool throws;
        const OdRxObject* expected;
    };
    const Case cases[] = {
        {"derived object from a base pointer", [&] { return OdSmartPtr<TestShape>(pCircle); },
         false, pCircle.get()},
        {"from a raw base pointer", [&] { return OdSmartPtr<TestShape>(pCircle.get()); }, false,
         pCircle.get()},
        {"from a derived smart pointer",
         [&] { return OdSmartPtr<TestShape>(TestCircle::cast(pCircle)); }, false, pCircle.get()},
        {"unrelated class", [&] { return OdSmartPtr<TestShape>(pText); }, true, nullptr},
        {"unrelated raw pointer", [&] { return OdSmartPtr<TestShape>(pText.get()); }, true,
         nullptr},
        {"null source", [] { return OdSmartPtr<TestShape>(OdRxObjectPtr()); }, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const long refsBefore = pCircle->numRefs();
        if (c.throws) {
            EXPECT_THROW(c.make(), OdError_NotThatKindOfClass);
        } else {
            const OdSmartPtr<TestShape> pShape = c.make();
            EXPECT_EQ(pShape.get(), c.expected);
            if (c.expected) {
                EXPECT_EQ(pCircle->numRefs(), refsBefore + 1);
            }
        }
        EXPECT_EQ(pCircle->numRefs(), refsBefore);
    }

    // A failed assignment leaves the target as it was.
    OdSmartPtr<TestShape> pShape = pCircle;
    EXPECT_THROW(pShape = pText, OdError_NotThatKindOfClass);
    EXPECT_EQ(pShape.get(), pCircle.get());
    EXPECT_THROW(OdSmartPtr<TestText>().operator->(), OdError);
}

TEST(OdRxObject, QueriesFollowTheClassTree)
{
    TestClassesScope classes;
    const OdRxObjectPtr pCircle = TestCircle::createObject();
    struct Case
    {
        const char* what;
        OdRxClass* pClass;
        bool isKind;
    };
    const Case cases[] = {
        {"own class", TestCircle::desc(), true},
        {"parent", TestShape::desc(), true},
        {"root", OdRxObject::desc(), true},
        {"unrelated", TestText::desc(), false},
        {"no class", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pCircle->isKindOf(c.pClass), c.isKind);
        OdRxObject* pQueried = pCircle->queryX(c.pClass);
        EXPECT_EQ(pQueried, c.isKind ? pCircle.get() : nullptr);
        if (pQueried) {
            pQueried->release();
        } else {
            EXPECT_THROW(pCircle->x(c.pClass), OdError_NotThatKindOfClass);
        }
    }
    EXPECT_EQ(pCircle->numRefs(), 1);
}

TEST(OdRxObject, ReferenceCountingDeletesOnlyHeapObjectsAtZero)
{
    Tracked::s_destroyed = 0;
    {
        OdStaticRxObject<Tracked> staticObject;
        OdRxObjectPtr p1(&staticObject);
        OdRxObjectPtr p2 = p1;
        p1.release();
        p2.release();
        EXPECT_EQ(staticObject.numRefs(), 1);
        EXPECT_EQ(Tracked::s_destroyed, 0);  // only its own scope ends it
    }
    EXPECT_EQ(Tracked::s_destroyed, 1);

    Tracked::s_destroyed = 0;
    OdRxObjectPtr pHeap = OdRxObjectImpl<Tracked>::createObject();
    OdRxObject* pRaw = pHeap.get();
    OdRxObjectPtr pAttached(pRaw, kOdRxObjAttach);  // takes over a reference we add by hand
    pRaw->addRef();
    EXPECT_EQ(pRaw->numRefs(), 2);
    OdRxObject* pDetached = pAttached.detach();
    EXPECT_EQ(pDetached, pRaw);
    pDetached->release();
    EXPECT_EQ(Tracked::s_destroyed, 0);
    pHeap = nullptr;
    EXPECT_EQ(Tracked::s_destroyed, 1);
}
