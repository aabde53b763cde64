#include "CKvCommandInterStateVerify.h"

#include <CKvStdsManagerImpl.h>

CKvCommandInterStateVerify::CKvCommandInterStateVerify()
{
    AddFlags(0x35841002);
}

const OdString CKvCommandInterStateVerify::globalName() const
{
    return OdString(L"_INTERSTATEVERIFY");
}

const OdString CKvCommandInterStateVerify::localName() const
{
    return OdString(L"INTERSTATEVERIFY");
}

int CKvCommandInterStateVerify::Execute(CKvCommandContext*)
{
    // Checks what the commands since the last check changed, then starts afresh.
    auto* manager = dynamic_cast<CKvStdsManagerImpl*>(GetKvStandardManager());
    if (manager == nullptr) {
        return kResultNormal;
    }
    OdArray<OdDbObjectId> ids;
    CKvStdsManagerImpl::ConvertSetIntoArray(manager->getSet(), ids);
    manager->processObjects(ids);
    manager->clearSet();
    return kResultNormal;
}

int CKvCommandInterStateVerify::GetHelpId() const
{
    return 0;
}
