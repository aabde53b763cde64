// The run-time classes of the plug-ins: registration, creation and class queries.
#include <CKvDimStylePluginImpl.h>
#include <CKvLayerPluginImpl.h>
#include <CKvLineStylePluginImpl.h>
#include <CKvStdsPlugins.h>
#include <CKvTextStylePluginImpl.h>
#include <OdError.h>
#include <RxClass.h>

#include <gtest/gtest.h>

namespace {

// CKvStdsPlugins registered for the scope, as the module does before the plug-ins.
struct InterfaceClass
{
    InterfaceClass() { CKvStdsPlugins::rxInit(); }
    ~InterfaceClass() { CKvStdsPlugins::rxUninit(); }
    InterfaceClass(const InterfaceClass&) = delete;
    InterfaceClass& operator=(const InterfaceClass&) = delete;
};

struct PluginClass
{
    const char* name;
    void (*rxInit)();
    void (*rxUninit)();
    OdRxClass* (*desc)();
};

template <class Plugin>
PluginClass pluginClass(const char* name)
{
    return {name, &Plugin::rxInit, &Plugin::rxUninit, &Plugin::desc};
}

const PluginClass kPluginClasses[] = {
    pluginClass<CKvDimStylePluginImpl>("CKvDimStylePluginImpl"),
    pluginClass<CKvLayerPluginImpl>("CKvLayerPluginImpl"),
    pluginClass<CKvLineStylePluginImpl>("CKvLineStylePluginImpl"),
    pluginClass<CKvTextStylePluginImpl>("CKvTextStylePluginImpl"),
};

OdResult codeOf(void (*operation)())
{
    try {
        operation();
    } catch (const OdError& error) {
        return error.code();
    }
    return eOk;
}

}  // namespace

TEST(PluginRegistration, EachClassRegistersOnceUnderItsOwnNameBelowTheInterfaceAndCreatesItself)
{
    const InterfaceClass interfaceClass;
    for (const PluginClass& c : kPluginClasses) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(codeOf(c.rxUninit), eNoClassDescription) << "not registered yet";
        EXPECT_EQ(codeOf(c.rxInit), eOk);
        EXPECT_EQ(odrxGetClassDesc(OdString(c.name)), c.desc());
        EXPECT_TRUE(c.desc()->isDerivedFrom(CKvStdsPlugins::desc()));
        EXPECT_EQ(codeOf(c.rxInit), eAlreadyRegistered);
        {
            const OdRxObjectPtr pObject = c.desc()->create();
            ASSERT_FALSE(pObject.isNull());
            EXPECT_EQ(pObject->isA(), c.desc());
            EXPECT_FALSE(OdSmartPtr<CKvStdsPlugins>(pObject).isNull());
        }
        EXPECT_EQ(codeOf(c.rxUninit), eOk);
        EXPECT_EQ(c.desc(), nullptr);
        EXPECT_EQ(codeOf(c.rxUninit), eNoClassDescription);
    }
}

// A plug-in is no other plug-in, but answers with a protocol extension registered on its class.
TEST(PluginRegistration, APluginAnswersWithTheProtocolExtensionsOfItsClass)
{
    const InterfaceClass interfaceClass;
    CKvLayerPluginImpl::rxInit();
    CKvLineStylePluginImpl::rxInit();
    {
        const OdRxObjectPtr pObject = CKvLayerPluginImpl::desc()->create();
        EXPECT_THROW(OdSmartPtr<CKvLineStylePluginImpl>{pObject}, OdError_NotThatKindOfClass);
        const OdRxObjectPtr pExtension = CKvLineStylePluginImpl::desc()->create();
        CKvLayerPluginImpl::desc()->addX(CKvLineStylePluginImpl::desc(), pExtension.get());
        const OdRxObjectPtr pAnswer(pObject->queryX(CKvLineStylePluginImpl::desc()),
                                    kOdRxObjAttach);
        EXPECT_EQ(pAnswer.get(), pExtension.get());
        CKvLayerPluginImpl::desc()->delX(CKvLineStylePluginImpl::desc());
    }
    CKvLineStylePluginImpl::rxUninit();
    CKvLayerPluginImpl::rxUninit();
}
