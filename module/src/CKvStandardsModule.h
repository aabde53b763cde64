// CKvStandardsModule: the module object of the standards module, wrapped by the SDK as
// OdRxUnixModule<CKvStandardsModule>. It owns the three commands and listens to the host's
// document events.
//
// initApp() first installs the module's texts for the user's language (KvModuleTranslator), then
// registers, in order: the commands on the command stack; a new CKvStdsManagerImpl,
// published with SetKvStandardManager(); the run-time classes of CKvStdsPlugins and of the
// dimension style, layer, line style and text style plug-ins; this object as a reactor of the
// host's document manager (reading the active drawing's standards association at once); the
// manager's editor reactor; and one plug-in of each class, in that order, added to the manager.
// uninitApp() undoes it: commands removed, document reactor removed, editor reactor removed and
// the manager destroyed, a null manager published, the plug-in classes and then CKvStdsPlugins
// unregistered, and last the texts withdrawn. Without a command stack, system services or document
// manager the corresponding steps are skipped. Errors raised while registering or creating plug-ins
// leave initApp().
//
// When a document becomes current its standards association is read (the manager's init); when
// one is about to be destroyed the manager's database reactor is detached from it.
#ifndef KV_CKV_STANDARDS_MODULE_H
#define KV_CKV_STANDARDS_MODULE_H

#include "CKvCommandDrawingStandards.h"
#include "CKvCommandInterStateVerify.h"
#include "CKvCommandVerifyStandards.h"

#include <CKvDocumentManagerReactor.h>
#include <CKvStdsPlugins.h>
#include <KvModuleTranslator.h>
#include <RxModule.h>

#include <StaticRxObject.h>
#include <memory>

class CKvStdsManager;

class CKvStandardsModule : public OdRxModule, public CKvDocumentManagerReactor
{
public:
    CKvStandardsModule();
    ~CKvStandardsModule() override;

    void initApp() override;
    void uninitApp() override;

    void DocumentBecameCurrent(CKvDocument* document) override;
    void DocumentToBeDeactivated(CKvDocument* document) override;
    void DocumentToBeDestroyed(CKvDocument* document) override;
    void DocumentDestroyed(CKvDocument* document, const CKvString& fileName) override;

private:
    // Creates one plug-in of each class and hands it to the published manager; without one it
    // does nothing.
    void addPlugins();
    template <class Plugin>
    void addPlugin(CKvStdsManager* manager);

    OdStaticRxObject<CKvCommandDrawingStandards> m_drawingStandards;
    OdStaticRxObject<CKvCommandVerifyStandards> m_verifyStandards;
    OdStaticRxObject<CKvCommandInterStateVerify> m_interStateVerify;
    // The plug-in created last.
    OdSmartPtr<CKvStdsPlugins> m_pPlugin;
    std::unique_ptr<KvModuleTranslator> m_translator;
};

#endif  // KV_CKV_STANDARDS_MODULE_H
