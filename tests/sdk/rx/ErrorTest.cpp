#include "RxTestClasses.h"

#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

#include <string>

TEST(OdError, DescribesItselfByCodeOrMessage)
{
    TestClassesScope classes;
    struct Case
    {
        const char* what;
        OdError error;
        OdResult code;
        std::string text;
    };
    const Case cases[] = {
        {"code only", OdError(eUndefinedLineType), eUndefinedLineType,
         "Linetype not found in the definition file"},
        {"message wins", OdError(OdString("Datei fehlt: Wände.lin"), eFileNotFound), eFileNotFound,
         "Datei fehlt: Wände.lin"},
        {"message without code", OdError(OdString(L"custom")), eExtendedError, "custom"},
        {"empty message falls back", OdError(OdString(), eOutOfMemory), eOutOfMemory,
         "Out of memory"},
        {"unknown number", OdError(static_cast<OdResult>(4242)), static_cast<OdResult>(4242),
         "Unknown error 4242"},
        {"cast names both classes", OdError_NotThatKindOfClass(TestText::desc(), TestShape::desc()),
         eNotThatKindOfClass, "Object of class TestText cannot be cast to TestShape"},
        {"cast from an unregistered class", OdError_NotThatKindOfClass(nullptr, TestShape::desc()),
         eNotThatKindOfClass, "Object of class (unregistered class) cannot be cast to TestShape"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OdError copy = c.error;
        EXPECT_EQ(copy.code(), c.code);
        EXPECT_EQ(copy.description().toUtf8(), c.text);
        EXPECT_EQ(std::string(copy.what()), c.text);
    }
}
