#include "CKvCommandDrawingStandards.h"

#include "DwgStandardsCommand.h"

#include <CKvString.h>

#include <QCoreApplication>

const OdString CKvCommandDrawingStandards::globalName() const
{
    return OdString(L"_DRAWINGSTANDARDS");
}

const OdString CKvCommandDrawingStandards::localName() const
{
    return CKvString(
               QCoreApplication::translate("CKvCommandDrawingStandards", "DRAWINGSTANDARDS",
                                           "Command Name: Needs to be unique and all uppercase."))
        .toOdString();
}

int CKvCommandDrawingStandards::Execute(CKvCommandContext*)
{
    runDwgStandards(1);
    return kResultNormal;
}

int CKvCommandDrawingStandards::GetHelpId() const
{
    return 3071;
}
