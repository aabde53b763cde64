#include "CKvCommandVerifyStandards.h"

#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvStdsManager.h>
#include <CKvString.h>

#include <QCoreApplication>

CKvCommandVerifyStandards::CKvCommandVerifyStandards()
{
    AddFlags(0x20000000);
}

const OdString CKvCommandVerifyStandards::globalName() const
{
    return OdString(L"_VERIFYSTANDARDS");
}

const OdString CKvCommandVerifyStandards::localName() const
{
    return CKvString(
               QCoreApplication::translate("CKvCommandVerifyStandards", "VERIFYSTANDARDS",
                                           "Command Name: Needs to be unique and all uppercase."))
        .toOdString();
}

int CKvCommandVerifyStandards::Execute(CKvCommandContext* context)
{
    if (!context || !context->database()) {
        return kResultError;
    }
    // The Verify Standards dialog and the guidance dialogs come with the verification dialogs;
    // until then the command only brings the drawing's standards files up to date.
    if (CKvStdsManager* manager = GetKvStandardManager()) {
        manager->init(ACTIVE_DOCUMENT());
    }
    return kResultNormal;
}

int CKvCommandVerifyStandards::GetHelpId() const
{
    return 3072;
}
