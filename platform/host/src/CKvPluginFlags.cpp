#include <CKvPluginFlags.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>

#include <list>

void restorePluginFlags(CKvStdsManager* manager, const CKvStandardsSettings& settings)
{
    if (manager == nullptr) {
        return;
    }
    std::list<CKvStdsPluginsPtr> plugins;
    manager->getPluginList(plugins);
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        if (!plugin.isNull()) {
            plugin->setEnabled(settings.pluginEnabled(plugin->classId()));
        }
    }
}
