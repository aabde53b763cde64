#include <CKvStdsPlugins.h>
#include <OdError.h>
#include <RxClass.h>

ODRX_NO_CONS_DEFINE_MEMBERS(CKvStdsPlugins, OdRxObject)
