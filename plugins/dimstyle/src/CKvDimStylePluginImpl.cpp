#include "CKvDimStylePluginImpl.h"

#include <QtGlobal>

const CKvPluginInfo CKvDimStylePluginImpl::kInfo = {
    "CKvDimStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dimension Styles"),
    QT_TRANSLATE_NOOP("CKvDimStylePluginImpl",
                      "Verifies that names and properties of dimension styles in a drawing match "
                      "those in an associated standards file."),
    L"4396F213-94B2-44ed-98BC-777707D15528",
    L"DIMSTYLE",
};

CKvDimStylePluginImpl::CKvDimStylePluginImpl() = default;

CKvDimStylePluginImpl::~CKvDimStylePluginImpl() = default;
