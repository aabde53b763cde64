// CKvLayerPluginImpl: the layer standards plug-in ("Layers", records of DXF class LAYER). Metadata,
// registration and the shared operations come from CKvStandardsPlugin.
#ifndef KV_CKV_LAYER_PLUGIN_IMPL_H
#define KV_CKV_LAYER_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>

class CKvLayerPluginImpl : public CKvStandardsPlugin<CKvLayerPluginImpl>
{
public:
    static const CKvPluginInfo kInfo;

    CKvLayerPluginImpl();
    ~CKvLayerPluginImpl() override;
};

#endif  // KV_CKV_LAYER_PLUGIN_IMPL_H
