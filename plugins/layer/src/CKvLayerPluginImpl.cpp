#include "CKvLayerPluginImpl.h"

#include <QtGlobal>

const CKvPluginInfo CKvLayerPluginImpl::kInfo = {
    "CKvLayerPluginImpl",
    QT_TRANSLATE_NOOP("CKvLayerPluginImpl", "Layers"),
    QT_TRANSLATE_NOOP("CKvLayerPluginImpl",
                      "Verifies that names and properties of layers in a drawing match those in an "
                      "associated standards file."),
    L"E81A7EB1-A22C-4bd4-96F8-725D0798DE29",
    L"LAYER",
};

CKvLayerPluginImpl::CKvLayerPluginImpl() = default;

CKvLayerPluginImpl::~CKvLayerPluginImpl() = default;
