// Registers the run-time classes of TD_Root when the library is loaded, so that every class the
// host or a module defines can name them as parents, and unregisters them when it is unloaded.
#include <RxClass.h>
#include <RxModule.h>

#include <ResBuf.h>

namespace {

class RootClasses
{
public:
    RootClasses()
    {
        OdRxObject::g_pDesc = ::newOdRxClass(OdString(L"OdRxObject"), nullptr);
        OdRxClass::rxInit();
        OdRxModule::rxInit();
        OdResBuf::rxInit();
    }
    // A class a caller already unregistered is skipped: a destructor must not throw.
    ~RootClasses()
    {
        uninit<OdResBuf>();
        uninit<OdRxModule>();
        uninit<OdRxClass>();
        if (OdRxObject::g_pDesc) {
            ::deleteOdRxClass(OdRxObject::g_pDesc);
            OdRxObject::g_pDesc = nullptr;
        }
    }
    RootClasses(const RootClasses&) = delete;
    RootClasses& operator=(const RootClasses&) = delete;

private:
    template <class Class>
    static void uninit() noexcept
    {
        if (Class::desc()) {
            Class::rxUninit();
        }
    }
};

const RootClasses s_rootClasses;

}  // namespace
