#include "DwgStandardsCommand.h"

#include <CKvSystemServices.h>

#include <ResBuf.h>

void runDwgStandards(OdInt16 page)
{
    CKvSystemServices* services = GetKvSystemServices();
    if (!services) {
        return;
    }
    OdResBufPtr pChain = OdResBuf::newRb(OdResBuf::kRtString, L"_DWGSTANDARDS");
    pChain->setNext(OdResBuf::newRb(OdResBuf::kRtInt16, page))
        ->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
    CKvSystemServices::CKvExpressionParserData data;
    data.m_bSynchronous = true;
    services->invokeCommand(data, pChain.get());
}
