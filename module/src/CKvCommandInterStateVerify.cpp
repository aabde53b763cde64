#include "CKvCommandInterStateVerify.h"

#include <CKvDocument.h>
#include <CKvStdsManager.h>

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
    // Checking the recorded objects comes with change tracking; until then the command only
    // brings the active drawing's standards files up to date.
    if (CKvStdsManager* manager = GetKvStandardManager()) {
        manager->init(ACTIVE_DOCUMENT());
    }
    return kResultNormal;
}

int CKvCommandInterStateVerify::GetHelpId() const
{
    return 0;
}
