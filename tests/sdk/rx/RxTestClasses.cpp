#include "RxTestClasses.h"

#include <RxClass.h>

ODRX_NO_CONS_DEFINE_MEMBERS(TestShape, OdRxObject)
ODRX_DEFINE_MEMBERS(TestCircle, TestShape, L"CIRCLE")
ODRX_DEFINE_MEMBERS(TestText, OdRxObject, L"TEXT")

int Tracked::s_destroyed = 0;

TestClassesScope::TestClassesScope()
{
    TestShape::rxInit();
    TestCircle::rxInit();
    TestText::rxInit();
}

TestClassesScope::~TestClassesScope()
{
    TestText::rxUninit();
    TestCircle::rxUninit();
    TestShape::rxUninit();
}
