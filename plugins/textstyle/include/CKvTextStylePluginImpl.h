// CKvTextStylePluginImpl: the text style standards plug-in ("Text Styles", records of DXF class
// STYLE). Metadata, registration and the shared operations come from CKvStandardsPlugin.
#ifndef KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H
#define KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H

#include <CKvStandardsPlugin.h>

class CKvTextStylePluginImpl : public CKvStandardsPlugin<CKvTextStylePluginImpl>
{
public:
    static const CKvPluginInfo kInfo;

    CKvTextStylePluginImpl();
    ~CKvTextStylePluginImpl() override;
};

#endif  // KV_CKV_TEXT_STYLE_PLUGIN_IMPL_H
