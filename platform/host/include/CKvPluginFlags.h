// The plug-ins' enabled flags as the user left them: the host gives every plug-in of the manager
// the flag stored for its class id once the standards module has registered its plug-ins.
#ifndef KV_CKV_PLUGIN_FLAGS_H
#define KV_CKV_PLUGIN_FLAGS_H

#include <CKvStandardsSettings.h>

class CKvStdsManager;

// Calls setEnabled on every plug-in of the manager with settings.pluginEnabled(its class id): a
// plug-in without a stored flag is enabled. A null manager, or null entries in its list, are
// skipped.
void restorePluginFlags(CKvStdsManager* manager, const CKvStandardsSettings& settings);

#endif  // KV_CKV_PLUGIN_FLAGS_H
