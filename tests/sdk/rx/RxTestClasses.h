// Small run-time classes for the tests: an abstract shape, a circle derived from it, an
// unrelated text, and objects that count their destructions.
#ifndef KV_RX_TEST_CLASSES_H
#define KV_RX_TEST_CLASSES_H

#include <RxObject.h>

class TestShape : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(TestShape);
};

class TestCircle : public TestShape
{
    ODRX_DECLARE_MEMBERS(TestCircle);
};

class TestText : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(TestText);
};

// Registers the test classes for the lifetime of the object.
class TestClassesScope
{
public:
    TestClassesScope();
    ~TestClassesScope();
    TestClassesScope(const TestClassesScope&) = delete;
    TestClassesScope& operator=(const TestClassesScope&) = delete;
};

class Tracked : public OdRxObject
{
public:
    ~Tracked() override { ++s_destroyed; }
    static int s_destroyed;
};

#endif  // KV_RX_TEST_CLASSES_H
