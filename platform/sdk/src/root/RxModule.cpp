#include <RxClass.h>
#include <RxModule.h>

ODRX_NO_CONS_DEFINE_MEMBERS(OdRxModule, OdRxObject)
