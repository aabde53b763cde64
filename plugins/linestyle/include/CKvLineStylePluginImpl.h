// CKvLineStylePluginImpl: the line style standards plug-in ("Line Styles", records of DXF class
// LTYPE). Metadata, registration and the shared operations come from CKvStandardsPlugin.
#ifndef KV_CKV_LINE_STYLE_PLUGIN_IMPL_H
#define KV_CKV_LINE_STYLE_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>

class CKvLineStylePluginImpl : public CKvStandardsPlugin<CKvLineStylePluginImpl>
{
public:
    static const CKvPluginInfo kInfo;

    CKvLineStylePluginImpl();
    ~CKvLineStylePluginImpl() override;
};

#endif  // KV_CKV_LINE_STYLE_PLUGIN_IMPL_H
