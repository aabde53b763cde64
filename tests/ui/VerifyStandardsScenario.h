// The Verify Standards dialog's test fixture: a drawing open as the host's current document with
// violation records of its layers, a plug-in that notes the fixes it is asked for, a manager that
// lists plug-ins, the host's standards configuration as a command the tests play, the user's
// settings in a folder of the test's own, and readers of what the dialog shows.
#ifndef KV_VERIFY_STANDARDS_SCENARIO_H
#define KV_VERIFY_STANDARDS_SCENARIO_H

#include "UiTestSupport.h"

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvHelp.h>
#include <CKvIgnoredState.h>
#include <CKvMessageBox.h>
#include <CKvStandardsAssociation.h>
#include <CKvStandardsSettings.h>
#include <CKvStdsManager.h>
#include <CKvSystemServices.h>
#include <CKvUtilsBase.h>
#include <CKvVerfiyCompleteMessage.h>
#include <CKvVerifyStandards.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbLayerTableRecord.h>
#include <DbObject.h>
#include <DbSymbolTable.h>
#include <DbXrecord.h>
#include <OdError.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <CmColor.h>
#include <EdCommandStack.h>
#include <StaticRxObject.h>
#include <functional>
#include <list>
#include <utility>
#include <vector>

const char kCheckMark[] = ":/images/style/checkmark.png";
const char kNoStandardsText[] = "There are no standards files associated with the current drawing.";
const char kOptionsWarning[] =
    "VerifyStandards command cannot continue due to changes done under standards files list or "
    "drawing categories to be verified. Restart command to verify drawing using new standards "
    "settings.";

// A plug-in whose property differences are the fix's named values beside the error's values of
// the same names, and which notes every fix it is asked to apply as "object:fix".
class RecordingPlugin : public OdStaticRxObject<CKvStdsPlugins>
{
public:
    void Initialize(CKvStdsManager*) override {}
    void SetContext(OdArray<OdDbObjectId>, bool) override {}
    void SetupForAudit(OdSmartPtr<OdDbDatabase>, CKvString, std::vector<CKvString>,
                       std::vector<CKvString>) override
    {}
    std::vector<CKvString> GetObjectFilter() override { return {L"LAYER"}; }
    CKvString Author() override { return CKvString(); }
    CKvString Description() override { return CKvString(); }
    CKvString HRef() override { return CKvString(); }
    CKvString Name() override { return CKvString("Layers"); }
    CKvString Version() override { return CKvString("1.0"); }
    CKvString classId() override { return CKvString("Kv.Test.Layers"); }
    bool Enabled() override { return enabled; }
    void setEnabled(bool on) override { enabled = on; }
    void Start(OdSmartPtr<CKvStdsError>) override {}
    void Next() override {}
    bool Done() override { return true; }
    void Clear() override {}
    bool CheckSysvar(CKvString, bool) override { return true; }
    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override
    {
        fixes << error->GetObjectName().toQString() + ':' + fix->GetFixObjectName().toQString();
        messages << message.toQString();
        if (failFixes) {
            throw OdError(eInvalidInput);
        }
    }
    void GetAllFixes(OdSmartPtr<CKvStdsError>, OdArray<OdSmartPtr<CKvStdsFix>>&, int&) override {}
    OdSmartPtr<CKvStdsError> GetError() override { return OdSmartPtr<CKvStdsError>(); }
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          std::vector<CKvString>& names, OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                          OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                          std::vector<CKvString>& extra) override
    {
        diffRequests << fix->GetFixObjectName().toQString();
        for (const auto& property : fix->GetProperties()) {
            names.push_back(property.first);
            errorValues.append(error->GetPropertyValue(property.first));
            fixValues.append(property.second);
            extra.push_back(property.first);
        }
    }
    OdSmartPtr<CKvStdsFix> GetRecommendedFix(OdSmartPtr<CKvStdsError>) override
    {
        return OdSmartPtr<CKvStdsFix>();
    }
    void UpdateStatus(OdSmartPtr<CKvStdsError>) override {}

    bool enabled = true;
    bool failFixes = false;
    QStringList fixes;
    QStringList messages;
    QStringList diffRequests;
};

// A manager that lists the given plug-ins, published for its lifetime.
class ListingManager : public CKvStdsManager
{
public:
    explicit ListingManager(std::vector<CKvStdsPlugins*> plugins) : m_plugins(std::move(plugins))
    {
        SetKvStandardManager(this);
    }
    ~ListingManager() override { SetKvStandardManager(nullptr); }
    ListingManager(const ListingManager&) = delete;
    ListingManager& operator=(const ListingManager&) = delete;

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
        for (CKvStdsPlugins* plugin : m_plugins) {
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
    bool init(CKvDocument*) override { return true; }
    bool checkForErrors(const OdDbDatabase*, OdArray<OdDbObjectId>, bool) override { return true; }
    void createVerficationDialog() override {}
    void showVerficationDialog(bool) override {}
    void restoreVerificationDialog(CKvDocument*) override {}
    void startProcessing() override {}
    void endProcessing() override {}
    bool insideProcessing() override { return false; }

private:
    std::vector<CKvStdsPlugins*> m_plugins;
};

// The host's standards configuration as the tests play it: registered for its lifetime, it notes
// the arguments of each run ("5003=3 5000") and makes the change the test asks for.
class ConfigurationCommand : public CKvCommand
{
public:
    explicit ConfigurationCommand(std::function<void()> change) : m_change(std::move(change))
    {
        odedRegCmds()->addCommand(this);
    }
    ~ConfigurationCommand() override { odedRegCmds()->removeCmd(this); }
    ConfigurationCommand(const ConfigurationCommand&) = delete;
    ConfigurationCommand& operator=(const ConfigurationCommand&) = delete;

    const OdString globalName() const override { return OdString("_DWGSTANDARDS"); }
    const OdString localName() const override { return OdString("DWGSTANDARDS"); }
    int Execute(CKvCommandContext* context) override
    {
        QStringList items;
        for (OdResBufPtr pItem = context ? context->arguments() : OdResBufPtr(); !pItem.isNull();
             pItem = pItem->next()) {
            items << (pItem->restype() == OdResBuf::kRtInt16
                          ? QStringLiteral("5003=%1").arg(pItem->getInt16())
                          : QString::number(pItem->restype()));
        }
        runs << items.join(' ');
        m_change();
        return kResultNormal;
    }
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

    QStringList runs;

private:
    std::function<void()> m_change;
};

// The user's standards settings for the scope, kept in a configuration folder of the test's own
// so that the user's settings neither leak in nor change.
class SettingsScope
{
public:
    SettingsScope(bool automaticFix, bool showIgnored)
        : m_hadOld(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        CKvStandardsSettings settings;
        settings.setAutomaticFix(automaticFix);
        settings.setShowIgnored(showIgnored);
        m_saved = settings.save();
    }
    ~SettingsScope()
    {
        if (m_hadOld) {
            qputenv("XDG_CONFIG_HOME", m_old);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }
    SettingsScope(const SettingsScope&) = delete;
    SettingsScope& operator=(const SettingsScope&) = delete;
    bool saved() const { return m_saved; }

private:
    QTemporaryDir m_home;
    bool m_hadOld;
    QByteArray m_old;
    bool m_saved = false;
};

// A named value of a fix or an error.
struct Value
{
    const char* property;
    OdResBufPtr value;
};

// A candidate fix: the standards record's name, its standards file and its named values.
struct Fix
{
    const char* name;
    const char* file = "/srv/standards/office.dws";
    std::vector<Value> values = {};
};

// Answers every verification summary that opens while it exists: notes its four counts
// (violations, fixed automatically, fixed manually, ignored) and clicks Close.
class SummaryCatcher : public QObject
{
public:
    SummaryCatcher() { qApp->installEventFilter(this); }
    ~SummaryCatcher() override { qApp->removeEventFilter(this); }
    SummaryCatcher(const SummaryCatcher&) = delete;
    SummaryCatcher& operator=(const SummaryCatcher&) = delete;

    // One entry per summary: its four counts, separated by blanks.
    QStringList summaries;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* summary = qobject_cast<CKvVerfiyCompleteMessage*>(watched);
        if (summary && event->type() == QEvent::Show) {
            QTimer::singleShot(0, summary, [this, summary] { answer(*summary); });
        }
        return false;
    }

private:
    void answer(CKvVerfiyCompleteMessage& summary)
    {
        QStringList counts;
        for (const char* name : {"num_violations", "num_autoFix", "num_manualFix", "num_Ignored"}) {
            const auto* label = summary.findChild<QLabel*>(name);
            counts << (label ? label->text() : QStringLiteral("(no %1)").arg(name));
        }
        summaries << counts.join(' ');
        const auto* box = summary.findChild<QDialogButtonBox*>("buttonBox");
        if (QPushButton* close = box ? box->button(QDialogButtonBox::Close) : nullptr) {
            close->click();
        }
        if (summary.isVisible()) {
            summary.done(-1);
        }
    }
};

// A drawing open as the host's current document, with the host's services and settings, and the
// violation records a check of its layers would hand to the dialog. Every summary shown while it
// exists is answered, so that a walk that ends too early fails the test instead of blocking it.
class Scenario
{
public:
    explicit Scenario(bool automaticFix = false, bool showIgnored = false)
        : settings(automaticFix, showIgnored)
    {
        const OdDbDatabasePtr pDb = OdDbDatabase::createObject();
        const QString file = folder.path() + "/drawing.dxf";
        pDb->writeFile(CKvString(file).toOdString());
        document = GetKvSystemServices()->documentManager()->open(CKvString(file));
    }
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    bool ready() const { return settings.saved() && document && document->database(); }

    // A non-standard layer of that name with its candidate fixes; returns the record's position.
    int add(const char* layer, const std::vector<Fix>& fixes = {{"Standard"}}, int recommended = 0,
            const std::vector<Value>& values = {})
    {
        const OdDbSymbolTablePtr pLayers =
            document->database()->getLayerTableId().safeOpenObject(OdDb::kForWrite);
        const OdDbLayerTableRecordPtr pLayer = OdDbLayerTableRecord::createObject();
        pLayer->setName(OdString(layer));
        const OdDbObjectId id = pLayers->add(pLayer.get());
        ids.push_back(id);

        const OdSmartPtr<CKvStdsError> pError = CKvStdsError::createObject();
        pError->SetObjectId(id);
        pError->SetObjectType(CKvString("Layer"));
        pError->SetObjectName(CKvString(layer));
        pError->SetDescription(CKvString(QStringLiteral("Layer %1 is non-standard.").arg(layer)));
        pError->SetPlugin(OdSmartPtr<CKvStdsPlugins>(&plugin));
        for (const Value& value : values) {
            pError->AddProperty(CKvString(value.property), value.value);
        }
        OdArray<OdSmartPtr<CKvStdsFix>> fixArray;
        for (const Fix& fix : fixes) {
            const OdSmartPtr<CKvStdsFix> pFix = CKvStdsFix::createObject();
            pFix->SetFixObjectName(CKvString(fix.name));
            pFix->SetFixDisplayName(CKvString(fix.name));
            pFix->SetStandardsFile(CKvString(fix.file));
            for (const Value& value : fix.values) {
                pFix->AddProperty(CKvString(value.property), value.value);
            }
            fixArray.append(pFix);
        }
        CKvVerifyStandardsInfo info;
        info.setError(pError);
        info.setCurrentPlugin(OdSmartPtr<CKvStdsPlugins>(&plugin));
        info.setFixArray(fixArray);
        info.setRecommendedFixIdx(recommended);
        return static_cast<int>(records.append(info));
    }

    SettingsScope settings;
    HostServicesScope host;
    QTemporaryDir folder;
    RecordingPlugin plugin;
    CKvDocument* document = nullptr;
    std::vector<OdDbObjectId> ids;
    OdArray<CKvVerifyStandardsInfo> records;
    SummaryCatcher catcher;
};

// The text of the label or button of that name.
QString shownText(const QWidget& dialog, const char* name);
// "name on" or "name off" for each widget; "name missing" for one the form lacks.
QStringList enabledStates(const QWidget& dialog, const QStringList& names);
// "name state" for each name.
QStringList withState(const QStringList& names, const char* state);
// The widgets that show a violation, disabled while none is on display.
extern const QStringList kViolationWidgets;
QTableWidget* tableOf(const QWidget& dialog, const char* name);
// Each row as "cell|cell|cell"; a cell with an icon starts with "[icon]".
QStringList rowsOf(const QWidget& dialog, const char* tableName);
// The header texts, each followed by its tool tip when that differs.
QStringList headersOf(const QWidget& dialog, const char* tableName);
// The row of the selected fix; -1 when none is selected.
int selectedFixRow(const QWidget& dialog);
// Hands the records to the dialog and takes the first step, as the dialog does once it is up.
void start(CKvVerifyStandards& dialog, const Scenario& scenario);
// The object names of the records the dialog still holds.
QStringList listedNames(const CKvVerifyStandards& dialog);
// Clicks the button of that name, if the dialog has it.
void click(const QWidget& dialog, const char* buttonName);
// The 300 and 90 items of the layer's ignored-violation record, in chain order.
QStringList storedFlagItems(const OdDbObjectId& id);

enum class OptionsChange {
    Nothing,
    FileAdded,
    FileRemoved,
    FilesReordered,
    LetterCaseOnly,
    PluginDisabled,
    PluginEnabled,
    PluginDisabledWithoutManager
};

Q_DECLARE_METATYPE(OptionsChange)

#endif  // KV_VERIFY_STANDARDS_SCENARIO_H
