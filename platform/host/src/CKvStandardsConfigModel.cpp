#include <CKvDocument.h>
#include <CKvStandardsAssociation.h>
#include <CKvStandardsConfigModel.h>
#include <CKvStdsManager.h>
#include <CKvSystemServices.h>

#include <QFileInfo>

#include <list>

CKvStandardsConfigModel::CKvStandardsConfigModel(CKvDocument* document, CKvStdsManager* manager,
                                                 const CKvStandardsSettings& settings)
    : m_document(document)
    , m_drawing(document != nullptr ? document->database() : nullptr)
    , m_manager(manager)
    , m_settings(settings)
{
    if (m_drawing != nullptr) {
        m_pWorkingCopy = OdDbDatabase::createObject();
        CKvStandardsAssociation(m_pWorkingCopy.get())
            .setPaths(CKvStandardsAssociation(m_drawing).paths());
    }
    if (m_manager != nullptr) {
        std::list<CKvStdsPluginsPtr> plugins;
        m_manager->getPluginList(plugins);
        for (const CKvStdsPluginsPtr& plugin : plugins) {
            if (!plugin.isNull()) {
                m_plugins.push_back({plugin, plugin->Enabled()});
            }
        }
    }
}

std::vector<CKvString> CKvStandardsConfigModel::standardsFiles() const
{
    return m_pWorkingCopy.isNull() ? std::vector<CKvString>()
                                   : CKvStandardsAssociation(m_pWorkingCopy.get()).paths();
}

bool CKvStandardsConfigModel::isStandardsFileFound(const CKvString& path) const
{
    return !CKvStandardsAssociation::resolve(path, m_drawing).isEmpty();
}

bool CKvStandardsConfigModel::addStandardsFile(const CKvString& path)
{
    return !m_pWorkingCopy.isNull() && !path.isEmpty() &&
           CKvStandardsAssociation(m_pWorkingCopy.get()).add(path);
}

bool CKvStandardsConfigModel::removeStandardsFile(const CKvString& path)
{
    return !m_pWorkingCopy.isNull() && CKvStandardsAssociation(m_pWorkingCopy.get()).remove(path);
}

bool CKvStandardsConfigModel::moveStandardsFileUp(const CKvString& path)
{
    return !m_pWorkingCopy.isNull() && CKvStandardsAssociation(m_pWorkingCopy.get()).moveUp(path);
}

bool CKvStandardsConfigModel::moveStandardsFileDown(const CKvString& path)
{
    return !m_pWorkingCopy.isNull() && CKvStandardsAssociation(m_pWorkingCopy.get()).moveDown(path);
}

void CKvStandardsConfigModel::setPluginEnabled(std::size_t index, bool enabled)
{
    if (index < m_plugins.size()) {
        m_plugins[index].enabled = enabled;
    }
}

void CKvStandardsConfigModel::setPreferredStandardsFile(const CKvString& path)
{
    m_settings.setPreferredStandardsFile(path);
}

bool CKvStandardsConfigModel::apply()
{
    for (const PluginState& state : m_plugins) {
        m_settings.setPluginEnabled(state.plugin->classId(), state.enabled);
    }
    const bool saved = m_settings.save();
    if (m_drawing != nullptr) {
        const std::vector<CKvString> edited = standardsFiles();
        CKvStandardsAssociation stored(m_drawing);
        // Rewriting an unchanged association would still replace its records.
        if (stored.paths() != edited) {
            stored.setPaths(edited);
        }
    }
    for (const PluginState& state : m_plugins) {
        state.plugin->setEnabled(state.enabled);
    }
    if (m_manager != nullptr && m_document != nullptr && m_drawing != nullptr) {
        m_manager->init(m_document);
    }
    return saved;
}
