// Stand-ins shared by the dialog, host, manager, module and desktop tests: a standards plug-in that
// answers every operation with nothing (a test overrides what it watches), a manager, published for
// its lifetime, that lists the given plug-ins and notes every init with the association the drawing
// held at that moment, a switch for the published manager's plug-ins, a command whose body a test
// chooses, the host's services, a settings folder of the test's own, the widgets' application and
// a layer added to a drawing.
#ifndef KV_HOST_DOUBLES_H
#define KV_HOST_DOUBLES_H

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvSystemServices.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>
#include <QTextCodec>

#include <EdCommandStack.h>
#include <StaticRxObject.h>
#include <clocale>
#include <functional>
#include <list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Readable failure output for strings.
inline void PrintTo(const CKvString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8() << '"';
}

// Adds a layer of that name to the drawing, of the colour given or a new layer's own.
inline OdDbObjectId addLayer(OdDbDatabase& db, const char* name, int color = -1)
{
    OdDbSymbolTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setName(OdString(name));
    if (color >= 0) {
        layer->setColor(OdCmColor::fromIndex(color));
    }
    return layers->add(layer.get());
}

class StubPlugin : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    explicit StubPlugin(const char* name = "Layers", const char* classId = "Kv.Test.Layers",
                        const char* description = "", const char* version = "1.0")
        : name(name), id(classId), description(description), version(version)
    {}

    void Initialize(CKvStdsManager*) override {}
    void SetContext(OdArray<OdDbObjectId>, bool) override {}
    void SetupForAudit(OdSmartPtr<OdDbDatabase>, CKvString, std::vector<CKvString>,
                       std::vector<CKvString>) override
    {}
    std::vector<CKvString> GetObjectFilter() override { return {L"LAYER"}; }
    CKvString Author() override { return CKvString(); }
    CKvString Description() override { return description; }
    CKvString HRef() override { return CKvString(); }
    CKvString Name() override { return name; }
    CKvString Version() override { return version; }
    CKvString classId() override { return id; }
    bool Enabled() override { return enabled; }
    void setEnabled(bool on) override
    {
        enabled = on;
        ++setEnabledCalls;
    }
    void Start(OdSmartPtr<CKvStdsError>) override {}
    void Next() override {}
    bool Done() override { return true; }
    void Clear() override {}
    bool CheckSysvar(CKvString, bool) override { return true; }
    void FixError(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>, CKvString&) override {}
    void GetAllFixes(OdSmartPtr<CKvStdsError>, OdArray<OdSmartPtr<CKvStdsFix>>&, int&) override {}
    OdSmartPtr<CKvStdsError> GetError() override { return OdSmartPtr<CKvStdsError>(); }
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>, std::vector<CKvString>&,
                          OdArray<OdSmartPtr<OdResBuf>>&, OdArray<OdSmartPtr<OdResBuf>>&,
                          std::vector<CKvString>&) override
    {}
    OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError>) override
    {
        return OdSmartPtr<CKvStdsFix>();
    }
    void UpdateStatus(OdSmartPtr<CKvStdsError>) override {}

    CKvString name;
    CKvString id;
    CKvString description;
    CKvString version;
    bool enabled = true;
    int setEnabledCalls = 0;
};

class StubManager : public CKvStdsManager
{
public:
    explicit StubManager(std::vector<CKvStdsPlugins*> plugins = {}) : m_plugins(std::move(plugins))
    {
        SetKvStandardManager(this);
    }
    ~StubManager() override { SetKvStandardManager(nullptr); }
    StubManager(const StubManager&) = delete;
    StubManager& operator=(const StubManager&) = delete;

    std::vector<CKvString> getDwsPathArray() override { return {}; }
    void setDwsPathArray(std::vector<CKvString>) override {}
    void getPluginDescription(OdSmartPtr<CKvStdsPlugins>, CKvString&, CKvString&, CKvString&,
                              CKvString&, CKvString&) override
    {}
    void addPlugin(OdSmartPtr<CKvStdsPlugins>) override {}
    void removePlugin(OdSmartPtr<CKvStdsPlugins>) override {}
    bool getPluginList(std::list<OdSmartPtr<CKvStdsPlugins>>& plugins) override
    {
        plugins.assign(m_plugins.begin(), m_plugins.end());
        return true;
    }
    CKvString getCurrentPlugin() override { return CKvString(); }
    void setCurrentPlugin(CKvString) override {}
    OdSmartPtr<CKvStdsPlugins> getPluginAt(CKvString) override
    {
        return OdSmartPtr<CKvStdsPlugins>();
    }
    bool init(CKvDocument* document) override
    {
        OdDbDatabase* db = document != nullptr ? document->database() : nullptr;
        inits.emplace_back(document, db != nullptr ? CKvStandardsAssociation(db).paths()
                                                   : std::vector<CKvString>());
        return true;
    }
    bool checkForErrors(const OdDbDatabase*, OdArray<OdDbObjectId>, bool) override { return true; }
    void createVerficationDialog() override {}
    void showVerficationDialog(bool) override {}
    void restoreVerificationDialog(CKvDocument*) override {}
    void startProcessing() override {}
    void endProcessing() override {}
    bool insideProcessing() override { return false; }

    // Every init: the document and the association its drawing held.
    std::vector<std::pair<CKvDocument*, std::vector<CKvString>>> inits;

private:
    std::vector<CKvStdsPlugins*> m_plugins;
};

// Switches every plug-in of the published manager on or off.
inline void setPluginsEnabled(bool enabled)
{
    std::list<OdSmartPtr<CKvStdsPlugins>> plugins;
    GetKvStandardManager()->getPluginList(plugins);
    for (const OdSmartPtr<CKvStdsPlugins>& plugin : plugins) {
        plugin->setEnabled(enabled);
    }
}

// A host command registered for its lifetime; its body is `run`.
class ScopedCommand : public OdStaticRxObject<CKvCommand>
{
public:
    explicit ScopedCommand(const char* name, std::function<int(CKvCommandContext*)> run)
        : m_global(OdString("_") + OdString(name)), m_local(name), m_run(std::move(run))
    {
        odedRegCmds()->addCommand(this);
    }
    ~ScopedCommand() override { odedRegCmds()->removeCmd(this); }
    ScopedCommand(const ScopedCommand&) = delete;
    ScopedCommand& operator=(const ScopedCommand&) = delete;

    const OdString globalName() const override { return m_global; }
    const OdString localName() const override { return m_local; }
    int Execute(CKvCommandContext* context) override { return m_run(context); }

private:
    OdString m_global;
    OdString m_local;
    std::function<int(CKvCommandContext*)> m_run;
};

// The host's system services, installed for the scope.
struct ServicesScope
{
    explicit ServicesScope(const CKvString& resources = CKvString()) : services(resources)
    {
        SetKvSystemServices(&services);
    }
    ~ServicesScope() { SetKvSystemServices(nullptr); }
    ServicesScope(const ServicesScope&) = delete;
    ServicesScope& operator=(const ServicesScope&) = delete;
    CKvSystemServices services;
};

// Creates the widgets' application once, keeping the C library's locale as the SDK's number
// formatting expects it.
inline void ensureWidgetsApplication()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "kv_tests";
        static char* argv[] = {name, nullptr};
        const std::string locale = std::setlocale(LC_ALL, nullptr);
        static QApplication app(argc, argv);
        QTextCodec::codecForLocale();
        std::setlocale(LC_ALL, locale.c_str());
    }
}

// XDG_CONFIG_HOME pointed at a scratch folder for the scope, so the user's settings neither leak
// in nor change.
class ConfigHomeScope
{
public:
    ConfigHomeScope()
        : m_hadOld(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
    }
    ~ConfigHomeScope()
    {
        if (m_hadOld) {
            qputenv("XDG_CONFIG_HOME", m_old);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }
    ConfigHomeScope(const ConfigHomeScope&) = delete;
    ConfigHomeScope& operator=(const ConfigHomeScope&) = delete;
    QString path() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
    bool m_hadOld;
    QByteArray m_old;
};

#endif  // KV_HOST_DOUBLES_H
