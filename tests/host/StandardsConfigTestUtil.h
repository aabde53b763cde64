// Helpers for the standards configuration tests: the widgets' application, a settings folder of
// the test's own, a drawing open as the current document, plug-ins and a manager that record
// what the configuration does to them, and a driver for modal runs.
#pragma once

#include "CommandTestUtil.h"

#include <CKvDocument.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbDatabase.h>

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDialogButtonBox>
#include <QObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTimer>

#include <gtest/gtest.h>

#include <StaticRxObject.h>
#include <clocale>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

// Creates the widgets' application once, keeping the C library's locale as the other tests of
// this program expect it.
inline void ensureWidgetsApplication()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "host_tests";
        static char* argv[] = {name, nullptr};
        const std::string locale = std::setlocale(LC_ALL, nullptr);
        static QApplication app(argc, argv);
        QTextCodec::codecForLocale();
        std::setlocale(LC_ALL, locale.c_str());
    }
}

// XDG_CONFIG_HOME pointed at a scratch folder for the scope, so the user's settings stay as
// they are.
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

// A plug-in with fixed texts whose enabled flag the test reads back.
class FakePlugin : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    FakePlugin(const char* name, const char* classId, const char* description = "",
               const char* version = "1.0")
        : m_name(name), m_classId(classId), m_description(description), m_version(version)
    {}

    void Initialize(CKvStdsManager*) override {}
    void SetContext(OdArray<OdDbObjectId>, bool) override {}
    void SetupForAudit(OdSmartPtr<OdDbDatabase>, CKvString, std::vector<CKvString>,
                       std::vector<CKvString>) override
    {}
    std::vector<CKvString> GetObjectFilter() override { return {L"LAYER"}; }
    CKvString Author() override { return CKvString(); }
    CKvString Description() override { return m_description; }
    CKvString HRef() override { return CKvString(); }
    CKvString Name() override { return m_name; }
    CKvString Version() override { return m_version; }
    CKvString classId() override { return m_classId; }
    bool Enabled() override { return m_enabled; }
    void setEnabled(bool enabled) override
    {
        m_enabled = enabled;
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

    int setEnabledCalls = 0;

private:
    CKvString m_name;
    CKvString m_classId;
    CKvString m_description;
    CKvString m_version;
    bool m_enabled = true;
};

// A manager that lists the given plug-ins, published for its lifetime, and records every init:
// the document and the association the drawing held at that moment.
class FakeManager : public CKvStdsManager
{
public:
    explicit FakeManager(std::vector<FakePlugin*> plugins = {}) : m_plugins(std::move(plugins))
    {
        SetKvStandardManager(this);
    }
    ~FakeManager() override { SetKvStandardManager(nullptr); }
    FakeManager(const FakeManager&) = delete;
    FakeManager& operator=(const FakeManager&) = delete;

    std::vector<CKvString> getDwsPathArray() override { return {}; }
    void setDwsPathArray(std::vector<CKvString>) override {}
    void getPluginDescription(OdSmartPtr<CKvStdsPlugins>, CKvString&, CKvString&, CKvString&,
                              CKvString&, CKvString&) override
    {}
    void addPlugin(OdSmartPtr<CKvStdsPlugins>) override {}
    void removePlugin(OdSmartPtr<CKvStdsPlugins>) override {}
    bool getPluginList(std::list<OdSmartPtr<CKvStdsPlugins>>& plugins) override
    {
        plugins.clear();
        for (FakePlugin* plugin : m_plugins) {
            plugins.push_back(OdSmartPtr<CKvStdsPlugins>(plugin));
        }
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
        initDocuments.push_back(document);
        OdDbDatabase* db = document != nullptr ? document->database() : nullptr;
        initAssociations.push_back(db != nullptr ? CKvStandardsAssociation(db).paths()
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

    std::vector<CKvDocument*> initDocuments;
    std::vector<std::vector<CKvString>> initAssociations;

private:
    std::vector<FakePlugin*> m_plugins;
};

// Everything a configuration test runs in: the application, a settings folder, installed
// services and a manager over the given plug-ins.
struct ConfigScope
{
    explicit ConfigScope(std::vector<FakePlugin*> plugins = {})
        : manager((ensureWidgetsApplication(), std::move(plugins)))
    {}
    ConfigScope(const ConfigScope&) = delete;
    ConfigScope& operator=(const ConfigScope&) = delete;

    // Writes a new drawing associated with `paths` into the scratch folder and opens it as the
    // current document.
    CKvDocument* openDrawing(const std::vector<CKvString>& paths = {})
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        CKvStandardsAssociation(db.get()).setPaths(paths);
        const QString file = home.path() + "/drawing.dxf";
        db->writeFile(CKvString(file).toOdString());
        return services.services.documentManager()->open(CKvString(file));
    }

    ConfigHomeScope home;
    ServicesScope services;
    FakeManager manager;
};

// The association the document's drawing holds.
inline std::vector<std::string> storedAssociation(CKvDocument* document)
{
    std::vector<std::string> paths;
    for (const CKvString& path : CKvStandardsAssociation(document->database()).paths()) {
        paths.push_back(path.toUtf8());
    }
    return paths;
}

// Clicks OK or Cancel of the dialog's button box; a dialog without that button is ended anyway
// (with -1), so that the fault fails the test instead of hanging it.
inline void clickDialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>("buttonBox");
    QPushButton* button = box != nullptr ? box->button(which) : nullptr;
    if (button != nullptr) {
        button->click();
    }
    if (dialog.isVisible()) {
        dialog.done(-1);
    }
}

// Once the event loop runs: does `steps` on the modal dialog that is up (null when none is),
// then clicks OK or Cancel. The timer dies with the driver, so a run that opens no dialog leaves
// nothing behind.
class ModalDriver
{
public:
    ModalDriver(QDialogButtonBox::StandardButton ending, std::function<void(QDialog*)> steps)
    {
        QTimer::singleShot(0, &m_guard, [ending, steps] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            steps(dialog);
            if (dialog != nullptr) {
                clickDialogButton(*dialog, ending);
            }
        });
    }

private:
    QObject m_guard;
};
