#include "CKvStandardsModule.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvDocument.h>
#include <CKvLayerPluginImpl.h>
#include <CKvLineStylePluginImpl.h>
#include <CKvStdsManagerImpl.h>
#include <CKvSystemServices.h>
#include <CKvTextStylePluginImpl.h>
#include <OdError.h>
#include <RxClass.h>

#include <EdCommandStack.h>
#include <Editor.h>
#include <memory>

namespace {

// The manager the host holds, as this module's implementation (it is the only one published).
CKvStdsManagerImpl* standardsManager()
{
    return static_cast<CKvStdsManagerImpl*>(GetKvStandardManager());
}

CKvDocumentManager* documentManager()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->documentManager() : nullptr;
}

}  // namespace

CKvStandardsModule::CKvStandardsModule() = default;

CKvStandardsModule::~CKvStandardsModule()
{
    m_pPlugin = nullptr;
}

void CKvStandardsModule::initApp()
{
    m_translator = std::make_unique<KvModuleTranslator>();
    OdEdCommandStackPtr pCommands = odedRegCmds();
    if (pCommands) {
        pCommands->addCommand(&m_drawingStandards);
        pCommands->addCommand(&m_verifyStandards);
        pCommands->addCommand(&m_interStateVerify);
    }

    auto manager = std::make_unique<CKvStdsManagerImpl>();
    SetKvStandardManager(manager.release());

    CKvStdsPlugins::rxInit();
    CKvDimStylePluginImpl::rxInit();
    CKvLayerPluginImpl::rxInit();
    CKvLineStylePluginImpl::rxInit();
    CKvTextStylePluginImpl::rxInit();

    if (CKvDocumentManager* documents = documentManager()) {
        documents->addReactor(this);
        if (CKvDocument* active = ACTIVE_DOCUMENT()) {
            standardsManager()->init(active);
        }
    }
    odedEditor()->addReactor(standardsManager()->editorReactor());
    addPlugins();
}

void CKvStandardsModule::uninitApp()
{
    OdEdCommandStackPtr pCommands = odedRegCmds();
    if (pCommands) {
        pCommands->removeCmd(&m_drawingStandards);
        pCommands->removeCmd(&m_verifyStandards);
        pCommands->removeCmd(&m_interStateVerify);
    }
    if (CKvDocumentManager* documents = documentManager()) {
        documents->removeReactor(this);
    }
    if (CKvStdsManagerImpl* manager = standardsManager()) {
        odedEditor()->removeReactor(manager->editorReactor());
        // The host never owns the manager: this module created it and destroys it.
        std::unique_ptr<CKvStdsManager> owned(manager);
    }
    SetKvStandardManager(nullptr);

    CKvDimStylePluginImpl::rxUninit();
    CKvLayerPluginImpl::rxUninit();
    CKvLineStylePluginImpl::rxUninit();
    CKvTextStylePluginImpl::rxUninit();
    CKvStdsPlugins::rxUninit();
    m_translator.reset();
}

void CKvStandardsModule::DocumentBecameCurrent(CKvDocument* document)
{
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager && document) {
        manager->init(document);
    }
}

void CKvStandardsModule::DocumentToBeDeactivated(CKvDocument*) {}

void CKvStandardsModule::DocumentToBeDestroyed(CKvDocument* document)
{
    if (CKvStdsManagerImpl* manager = standardsManager()) {
        manager->removeReactor(document);
    }
}

void CKvStandardsModule::DocumentDestroyed(CKvDocument*, const CKvString&) {}

void CKvStandardsModule::addPlugins()
{
    CKvStdsManager* manager = GetKvStandardManager();
    if (!manager) {
        return;
    }
    addPlugin<CKvDimStylePluginImpl>(manager);
    addPlugin<CKvLayerPluginImpl>(manager);
    addPlugin<CKvLineStylePluginImpl>(manager);
    addPlugin<CKvTextStylePluginImpl>(manager);
}

template <class Plugin>
void CKvStandardsModule::addPlugin(CKvStdsManager* manager)
{
    OdRxClass* pClass = Plugin::desc();
    if (!pClass) {
        throw OdError(eNoClassDescription);
    }
    // Queried as the plug-in class first, so that a class registered under the plug-in's name by
    // someone else is refused rather than used as a plug-in.
    const OdSmartPtr<Plugin> pPlugin = pClass->create();
    m_pPlugin = OdSmartPtr<CKvStdsPlugins>(static_cast<const OdRxObject*>(pPlugin.get()));
    m_pPlugin->Initialize(manager);
    manager->addPlugin(m_pPlugin);
}
