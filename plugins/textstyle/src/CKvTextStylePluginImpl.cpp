#include "CKvTextStylePluginImpl.h"

#include <QtGlobal>

const CKvPluginInfo CKvTextStylePluginImpl::kInfo = {
    "CKvTextStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Text Styles"),
    QT_TRANSLATE_NOOP(
        "CKvTextStylePluginImpl",
        "Verifies that names and properties of text styles in a drawing match those in an "
        "associated standards file."),
    L"AAC6DB88-85CC-4d38-BA98-511A5845362E",
    L"STYLE",
};

CKvTextStylePluginImpl::CKvTextStylePluginImpl() = default;

CKvTextStylePluginImpl::~CKvTextStylePluginImpl() = default;
