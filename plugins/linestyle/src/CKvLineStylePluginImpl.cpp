#include "CKvLineStylePluginImpl.h"

#include <QtGlobal>

const CKvPluginInfo CKvLineStylePluginImpl::kInfo = {
    "CKvLineStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "Line Styles"),
    QT_TRANSLATE_NOOP(
        "CKvLineStylePluginImpl",
        "Verifies that names and properties of line style in a drawing match those in an "
        "associated standards file."),
    L"6AA1E422-764F-4b58-83DE-69F5897B7D78",
    L"LTYPE",
};

CKvLineStylePluginImpl::CKvLineStylePluginImpl() = default;

CKvLineStylePluginImpl::~CKvLineStylePluginImpl() = default;
