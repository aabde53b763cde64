// The Verify Standards dialog, driven through its widgets and slots: what it shows of the
// violation on display, the walk through the list and its summaries, fixing by hand and
// automatically, ignoring (read back from the drawing), the Options button and closing.
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

namespace {

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

QString shownText(const QWidget& dialog, const char* name)
{
    const QObject* widget = dialog.findChild<QWidget*>(name);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return QStringLiteral("(no %1)").arg(name);
}

// "name on" or "name off" for each widget; "name missing" for one the form lacks.
QStringList enabledStates(const QWidget& dialog, const QStringList& names)
{
    QStringList states;
    for (const QString& name : names) {
        const QWidget* widget = dialog.findChild<QWidget*>(name);
        states << name + (widget ? (widget->isEnabled() ? " on" : " off") : " missing");
    }
    return states;
}

QStringList withState(const QStringList& names, const char* state)
{
    QStringList states;
    for (const QString& name : names) {
        states << name + ' ' + state;
    }
    return states;
}

const QStringList kViolationWidgets = {"ObjectNameLabel",         "ProblemDescLabel",
                                       "ReplaceWithTableWidget",  "PreviewChangesTableWidget",
                                       "IgnoreViolationCheckBox", "FixIssueButton"};

QTableWidget* tableOf(const QWidget& dialog, const char* name)
{
    return dialog.findChild<QTableWidget*>(name);
}

// Each row as "cell|cell|cell"; a cell with an icon starts with "[icon]".
QStringList rowsOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    if (!table) {
        return {QStringLiteral("(no %1)").arg(tableName)};
    }
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            QString cell = item ? item->text() : QString();
            if (item && !item->icon().isNull()) {
                cell.prepend(QStringLiteral("[icon]"));
            }
            cells << cell;
        }
        rows << cells.join('|');
    }
    return rows;
}

// The header texts, each followed by its tool tip when that differs.
QStringList headersOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    if (!table) {
        return {QStringLiteral("(no %1)").arg(tableName)};
    }
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(column);
        QString text = item ? item->text() : QStringLiteral("(none)");
        if (item && item->toolTip() != item->text()) {
            text += QStringLiteral(" (tip %1)").arg(item->toolTip());
        }
        headers << text;
    }
    return headers;
}

int selectedFixRow(const QWidget& dialog)
{
    const QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
    const QList<QTableWidgetItem*> selected =
        table ? table->selectedItems() : QList<QTableWidgetItem*>();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

// Hands the records to the dialog and takes the first step, as the dialog does once it is up.
void start(CKvVerifyStandards& dialog, const Scenario& scenario)
{
    dialog.setErrorInfoList(scenario.records);
    dialog.clickedNext();
}

// The object names of the records the dialog still holds.
QStringList listedNames(const CKvVerifyStandards& dialog)
{
    QStringList names;
    for (const CKvVerifyStandardsInfo& info : dialog.errorInfoList()) {
        names << (info.getError().isNull() ? QStringLiteral("(no error)")
                                           : info.getError()->GetObjectName().toQString());
    }
    return names;
}

void click(const QWidget& dialog, const char* buttonName)
{
    if (auto* button = dialog.findChild<QAbstractButton*>(buttonName)) {
        button->click();
    }
}

// The 300 and 90 items of the layer's ignored-violation record, in chain order.
QStringList storedFlagItems(const OdDbObjectId& id)
{
    const OdDbObjectPtr pLayer = id.safeOpenObject();
    const OdDbDictionaryPtr pExtension = pLayer->extensionDictionary().openObject();
    if (pExtension.isNull()) {
        return {QStringLiteral("(no extension dictionary)")};
    }
    const OdDbDictionaryPtr pStandard = pExtension->getAt(OdString("AcStStandard"), OdDb::kForRead);
    const OdDbXrecordPtr pFlags =
        pStandard.isNull()
            ? OdDbXrecordPtr()
            : OdDbXrecordPtr(pStandard->getAt(OdString("AcStFlags"), OdDb::kForRead));
    if (pFlags.isNull()) {
        return {QStringLiteral("(no AcStFlags)")};
    }
    QStringList items;
    for (OdResBufPtr pItem = pFlags->rbChain(); !pItem.isNull(); pItem = pItem->next()) {
        if (pItem->restype() == OdResBuf::kDxfXTextString) {
            items << "300=" + CKvString(pItem->getString()).toQString();
        } else if (pItem->restype() == OdResBuf::kDxfInt32) {
            items << QStringLiteral("90=%1").arg(pItem->getInt32());
        }
    }
    return items;
}

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

}  // namespace

Q_DECLARE_METATYPE(OptionsChange)

class TestVerifyStandards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CKvStdsError::rxInit();
        CKvStdsFix::rxInit();
    }

    void cleanupTestCase()
    {
        CKvStdsFix::rxUninit();
        CKvStdsError::rxUninit();
    }

    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void opensWithNoViolationOnDisplay()
    {
        HostServicesScope host;
        CKvVerifyStandards dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Verify Standards"));
        QCOMPARE(dialog.objectName(), QStringLiteral("CKvVerifyStandards"));
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        const auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(buttons);
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Close | QDialogButtonBox::Help);

        QCOMPARE(shownText(dialog, "label"), QStringLiteral("Standard violation:"));
        QCOMPARE(shownText(dialog, "label_2"), QStringLiteral("Replace with:"));
        QCOMPARE(shownText(dialog, "label_3"), QStringLiteral("Preview of changes"));
        QCOMPARE(shownText(dialog, "IgnoreViolationCheckBox"),
                 QStringLiteral("Ignore this standards violation"));
        QCOMPARE(shownText(dialog, "OptionsButton"), QStringLiteral("Options..."));
        QCOMPARE(shownText(dialog, "FixIssueButton"), QStringLiteral("Fix"));
        QCOMPARE(shownText(dialog, "NextIssueButton"), QStringLiteral("Next"));
        // The form's placeholders never show.
        for (const char* label : {"ObjectTypeLabel", "ObjectNameLabel", "ProblemDescLabel",
                                  "label_5", "IgnoredByLoginNameLabel"}) {
            QCOMPARE(shownText(dialog, label), QString());
        }
        QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "off"));
        QCOMPARE(enabledStates(dialog, {"NextIssueButton", "OptionsButton"}),
                 QStringList({"NextIssueButton on", "OptionsButton on"}));
        QVERIFY(!dialog.findChild<QCheckBox*>("IgnoreViolationCheckBox")->isChecked());
        QVERIFY(!dialog.isValid());
    }

    void tablesAreReadOnlyLists()
    {
        CKvVerifyStandards dialog;
        QCOMPARE(headersOf(dialog, "ReplaceWithTableWidget"),
                 QStringList({"", "Object Name", "Standards File"}));
        QCOMPARE(headersOf(dialog, "PreviewChangesTableWidget"),
                 QStringList({"Property", "Current Value", "Standard Value"}));

        const QTableWidget* replace = tableOf(dialog, "ReplaceWithTableWidget");
        QVERIFY(replace);
        QCOMPARE(replace->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(replace->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(replace->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(replace->verticalHeader()->isHidden());
        // The check-mark column is as narrow as a column can be and stays so.
        const QHeaderView* header = replace->horizontalHeader();
        QCOMPARE(header->sectionSize(0), header->minimumSectionSize());
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(header->sectionResizeMode(1), QHeaderView::Interactive);
        QCOMPARE(header->sectionResizeMode(2), QHeaderView::Interactive);

        const QTableWidget* preview = tableOf(dialog, "PreviewChangesTableWidget");
        QVERIFY(preview);
        QCOMPARE(preview->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(preview->selectionMode(), QAbstractItemView::NoSelection);
        QVERIFY(preview->verticalHeader()->isHidden());
        QVERIFY(preview->wordWrap());
        QCOMPARE(preview->focusPolicy(), Qt::ClickFocus);
        const QPalette palette = preview->palette();
        const QColor readOnly = palette.color(QPalette::Disabled, QPalette::Base);
        QCOMPARE(palette.color(QPalette::Active, QPalette::Base), readOnly);
        QCOMPARE(palette.color(QPalette::Inactive, QPalette::Base), readOnly);
        QVERIFY(QApplication::palette().color(QPalette::Active, QPalette::Base) != readOnly);
    }

    void textsAreTranslatedInItsOwnContext()
    {
        const ContextMarker marker("CKvVerifyStandards");
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        CKvVerifyStandards dialog;
        QCOMPARE(unmarkedTexts(dialog, marker,
                               {"label", "label_2", "label_3", "IgnoreViolationCheckBox",
                                "OptionsButton", "FixIssueButton", "NextIssueButton"}),
                 QStringList());
        QCOMPARE(dialog.windowTitle(), marker.marked(QStringLiteral("Verify Standards")));
        QCOMPARE(headersOf(dialog, "PreviewChangesTableWidget"),
                 QStringList({marker.marked("Property"), marker.marked("Current Value"),
                              marker.marked("Standard Value")}));
        QCOMPARE(headersOf(dialog, "ReplaceWithTableWidget").at(2),
                 marker.marked("Standards File"));

        start(dialog, s);
        QCOMPARE(shownText(dialog, "ObjectTypeLabel"), "  " + marker.marked("Layer:"));
        click(dialog, "IgnoreViolationCheckBox");
        QCOMPARE(shownText(dialog, "label_5"), marker.marked("Ignored by:"));

        dialog.disableStatusReport(true);
        dialog.setNoStandardsAttached(true);
        dialog.clickedNext();
        QCOMPARE(shownText(dialog, "ProblemDescLabel"), marker.marked(kNoStandardsText));
    }

    void firstViolationAppearsOnceTheDialogIsUp()
    {
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        s.add("Doors");
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        QCOMPARE(dialog.currentIndex(), -1);
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QString());
        QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "off"));

        dialog.show();
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QString());
        QCoreApplication::processEvents();
        QCOMPARE(dialog.currentIndex(), 0);
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));
        QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "on"));
        // The automatic fix is off.
        QCOMPARE(s.plugin.fixes, QStringList());
    }

    void showsTheViolationOnDisplay_data()
    {
        QTest::addColumn<int>("recommended");
        QTest::addColumn<int>("fixCount");
        QTest::addColumn<bool>("ignored");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<bool>("fixEnabled");
        const QStringList three = {"|Standard|office.dws", "|Notes|notes.dws",
                                   "|Walls|relative.dws"};
        QStringList secondTicked = three;
        secondTicked[1].prepend("[icon]");
        QTest::newRow("recommended second of three")
            << 1 << 3 << false << secondTicked << 1 << true;
        QTest::newRow("recommended second, ignored") << 1 << 3 << true << secondTicked << 1 << true;
        QTest::newRow("no recommendation") << -1 << 3 << false << three << -1 << false;
        QTest::newRow("no fixes") << -1 << 0 << false << QStringList() << -1 << false;
        QTest::newRow("no fixes, ignored") << -1 << 0 << true << QStringList() << -1 << false;
    }

    // Shown after a violation whose first fix was selected, so nothing carries over.
    void showsTheViolationOnDisplay()
    {
        QFETCH(int, recommended);
        QFETCH(int, fixCount);
        QFETCH(bool, ignored);
        QFETCH(QStringList, rows);
        QFETCH(int, selectedRow);
        QFETCH(bool, fixEnabled);
        Scenario s(false, true);
        QVERIFY(s.ready());
        s.add("Doors", {{"Standard"}, {"Other"}}, 0);
        const std::vector<Fix> fixes = {{"Standard", "/srv/standards/office.dws"},
                                        {"Notes", "C:\\Standards\\notes.dws"},
                                        {"Walls", "relative.dws"}};
        const int walls =
            s.add("Walls", std::vector<Fix>(fixes.begin(), fixes.begin() + fixCount), recommended);
        s.records[walls].setIsIgnored(ignored);
        CKvVerifyStandards dialog;
        start(dialog, s);
        QCOMPARE(selectedFixRow(dialog), 0);
        dialog.clickedNext();

        QCOMPARE(shownText(dialog, "ObjectTypeLabel"), QStringLiteral("  Layer:"));
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));
        QCOMPARE(shownText(dialog, "ProblemDescLabel"),
                 QStringLiteral("  Layer Walls is non-standard."));
        QCOMPARE(headersOf(dialog, "ReplaceWithTableWidget").at(1), QStringLiteral("Layer"));
        QCOMPARE(rowsOf(dialog, "ReplaceWithTableWidget"), rows);
        QCOMPARE(selectedFixRow(dialog), selectedRow);
        QCOMPARE(dialog.findChild<QCheckBox*>("IgnoreViolationCheckBox")->isChecked(), ignored);
        QCOMPARE(shownText(dialog, "label_5"), ignored ? QStringLiteral("Ignored by:") : QString());
        QCOMPARE(dialog.findChild<QWidget*>("FixIssueButton")->isEnabled(), fixEnabled);
        QStringList on = kViolationWidgets;
        on.removeOne("FixIssueButton");
        QCOMPARE(enabledStates(dialog, on), withState(on, "on"));
        if (selectedRow == -1) {
            QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"), QStringList());
        }
    }

    void recommendedFixCarriesTheHostsCheckMark()
    {
        const QImage checkMark(QString::fromLatin1(kCheckMark));
        QVERIFY(!checkMark.isNull());
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls", {{"Standard"}, {"Notes"}}, 1);
        CKvVerifyStandards dialog;
        start(dialog, s);
        const QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
        QVERIFY(table && table->item(1, 0));
        const QImage shown = table->item(1, 0)
                                 ->icon()
                                 .pixmap(checkMark.size())
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(shown, checkMark.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void previewRendersEachValueByItsType()
    {
        struct Case
        {
            const char* property;
            OdResBufPtr current;
            OdResBufPtr standard;
            const char* row;
        };
        const Case cases[] = {
            {"01 real", OdResBuf::newRb(OdResBuf::kRtDouble, 2.5),
             OdResBuf::newRb(OdResBuf::kRtDouble, 3.0), "01 real|2.5000|3.0000"},
            {"02 different kinds", OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(7)),
             OdResBuf::newRb(OdResBuf::kRtString, "7"), "||"},
            {"03 boolean", OdResBuf::newRb(OdResBuf::kDxfBool, true),
             OdResBuf::newRb(OdResBuf::kDxfBool, false), "03 boolean|1|0"},
            {"04 colour", OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::fromIndex(1)),
             OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::byLayer()), "04 colour|red|ByLayer"},
            {"05 8-bit", OdResBuf::newRb(OdResBuf::kDxfInt8, OdInt8(3)),
             OdResBuf::newRb(OdResBuf::kDxfInt8, OdInt8(-5)), "05 8-bit|3|-5"},
            {"06 16-bit", OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(-120)),
             OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(25)), "06 16-bit|-120|25"},
            {"07 32-bit", OdResBuf::newRb(OdResBuf::kRtInt32, OdInt32(70000)),
             OdResBuf::newRb(OdResBuf::kRtInt32, OdInt32(0)), "07 32-bit|70000|0"},
            {"08 text", OdResBuf::newRb(OdResBuf::kRtString, "Continuous"),
             OdResBuf::newRb(OdResBuf::kRtString, "Dashed"), "08 text|Continuous|Dashed"},
            {"09 missing in the drawing", OdResBufPtr(),
             OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(1)), "||"},
            {"10 other kind", OdResBuf::newRb(OdResBuf::kRtPoint3d),
             OdResBuf::newRb(OdResBuf::kRtPoint3d), "10 other kind||"},
        };
        std::vector<Value> current;
        std::vector<Value> standard;
        QStringList expected;
        for (const Case& c : cases) {
            current.push_back({c.property, c.current});
            standard.push_back({c.property, c.standard});
            expected << QString::fromUtf8(c.row);
        }
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls", {{"Standard", "/srv/office.dws", standard}}, 0, current);
        CKvVerifyStandards dialog;
        start(dialog, s);
        QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"), expected);
    }

    void choosingAnotherFixPreviewsIt()
    {
        const auto colour = [](int index) {
            return OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::fromIndex(index));
        };
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls",
              {{"Standard", "/srv/a.dws", {{"Color", colour(1)}}},
               {"Notes", "/srv/b.dws", {{"Color", colour(5)}, {"Linetype", colour(2)}}}},
              0, {{"Color", colour(3)}, {"Linetype", colour(3)}});
        CKvVerifyStandards dialog;
        start(dialog, s);
        QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"), QStringList({"Color|green|red"}));
        QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
        QVERIFY(table);
        table->selectRow(1);
        QCOMPARE(s.plugin.diffRequests.last(), QStringLiteral("Notes"));
        QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"),
                 QStringList({"Color|green|blue", "Linetype|green|yellow"}));
        QVERIFY(dialog.findChild<QWidget*>("FixIssueButton")->isEnabled());
    }

    void recordWithoutErrorShowsNothingAndIsNeverFixed()
    {
        Scenario s;
        QVERIFY(s.ready());
        const int walls = s.add("Walls");
        s.records[walls].setError(OdSmartPtr<CKvStdsError>());
        s.add("Doors");
        CKvVerifyStandards dialog;
        start(dialog, s);
        QCOMPARE(dialog.currentIndex(), 0);
        for (const char* label : {"ObjectTypeLabel", "ObjectNameLabel", "ProblemDescLabel"}) {
            QCOMPARE(shownText(dialog, label), QString());
        }
        QCOMPARE(rowsOf(dialog, "ReplaceWithTableWidget"), QStringList());
        QStringList on = kViolationWidgets;
        on.removeOne("FixIssueButton");
        QCOMPARE(enabledStates(dialog, on), withState(on, "on"));

        click(dialog, "FixIssueButton");
        QCOMPARE(s.plugin.fixes, QStringList());
        QCOMPARE(dialog.currentIndex(), 0);
        QVERIFY(!dialog.errorInfoList()[0].getIsManualFixed());
    }

    void fixButtonFollowsTheSelectionAndTheIgnoreBox_data()
    {
        QTest::addColumn<int>("recommended");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("fixEnabled");
        QTest::newRow("fix selected") << 0 << false << true;
        QTest::newRow("fix selected, ignored") << 0 << true << true;
        QTest::newRow("nothing selected, ignored") << -1 << true << false;
        QTest::newRow("nothing selected") << -1 << false << false;
    }

    void fixButtonFollowsTheSelectionAndTheIgnoreBox()
    {
        QFETCH(int, recommended);
        QFETCH(bool, tick);
        QFETCH(bool, fixEnabled);
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls", {{"Standard"}, {"Notes"}}, recommended);
        CKvVerifyStandards dialog;
        start(dialog, s);
        if (tick) {
            click(dialog, "IgnoreViolationCheckBox");
        }
        QCOMPARE(dialog.findChild<QWidget*>("FixIssueButton")->isEnabled(), fixEnabled);
        QCOMPARE(shownText(dialog, "label_5"), tick ? QStringLiteral("Ignored by:") : QString());
        QCOMPARE(shownText(dialog, "IgnoredByLoginNameLabel"),
                 tick ? CKvUtilsBase::getUserName().toQString() : QString());
    }

    void ignoringMarksTheRecordInTheDrawing_data()
    {
        QTest::addColumn<QString>("storedName");
        QTest::newRow("ignored for the first time") << QString();
        QTest::newRow("ignored before by someone else") << QStringLiteral("alice");
    }

    // Ticked, unticked, ticked again; the mark is read back from the drawing each time.
    void ignoringMarksTheRecordInTheDrawing()
    {
        QFETCH(QString, storedName);
        Scenario s;
        QVERIFY(s.ready());
        const int walls = s.add("Walls");
        s.records[walls].setIgnoredByUserName(CKvString(storedName));
        s.add("Doors");
        CKvVerifyStandards dialog;
        start(dialog, s);
        const QString login = CKvUtilsBase::getUserName().toQString();
        const QString shownName = storedName.isEmpty() ? login : storedName;
        const OdDbObjectId id = s.ids.at(0);

        for (const bool checked : {true, false, true}) {
            click(dialog, "IgnoreViolationCheckBox");
            const CKvIgnoredState stored = readIgnoredState(id);
            QVERIFY(stored.hasRecord);
            QCOMPARE(stored.ignored, checked);
            QCOMPARE(stored.user.toQString(), checked ? login : QString());
            QCOMPARE(storedFlagItems(id),
                     QStringList({"300=" + (checked ? login : QString()),
                                  QStringLiteral("90=%1").arg(checked ? 1 : 0)}));
            QCOMPARE(dialog.errorInfoList()[0].getIsIgnored(), checked);
            QCOMPARE(dialog.errorInfoList()[0].getIgnoredByUserName().toQString(), storedName);
            QCOMPARE(dialog.findChild<QCheckBox*>("IgnoreViolationCheckBox")->isChecked(), checked);
            QCOMPARE(shownText(dialog, "IgnoredByLoginNameLabel"), checked ? shownName : QString());
            QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));
        }
        QVERIFY(!readIgnoredState(s.ids.at(1)).hasRecord);
    }

    void steppingPassesOverWhatNeedsNoAttention_data()
    {
        QTest::addColumn<QStringList>("flags");  // per record: F fixed, M manual fixed, I ignored
        QTest::addColumn<bool>("showIgnored");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("nothing dealt with")
            << QStringList({"", "", ""}) << false << QStringList({"R0", "R1", "R2"});
        QTest::newRow("fixed and manual fixed")
            << QStringList({"F", "", "M", ""}) << false << QStringList({"R1", "R3"});
        QTest::newRow("ignored, show-ignored off")
            << QStringList({"I", "", "I"}) << false << QStringList({"R1"});
        QTest::newRow("ignored, show-ignored on")
            << QStringList({"I", "", "I"}) << true << QStringList({"R0", "R1", "R2"});
        QTest::newRow("fixed and ignored, show-ignored on")
            << QStringList({"FI", "", "MI"}) << true << QStringList({"R1"});
        QTest::newRow("all dealt with") << QStringList({"F", "I"}) << false << QStringList();
        QTest::newRow("empty list") << QStringList() << false << QStringList();
    }

    // The summary is off here, so the list keeps every record and the next pass sees them all.
    void steppingPassesOverWhatNeedsNoAttention()
    {
        QFETCH(QStringList, flags);
        QFETCH(bool, showIgnored);
        QFETCH(QStringList, shown);
        Scenario s(false, showIgnored);
        QVERIFY(s.ready());
        for (int i = 0; i < flags.size(); ++i) {
            const int at = s.add(qPrintable(QStringLiteral("R%1").arg(i)));
            s.records[at].setIsFixed(flags[i].contains('F'));
            s.records[at].setIsManualFixed(flags[i].contains('M'));
            s.records[at].setIsIgnored(flags[i].contains('I'));
        }
        CKvVerifyStandards dialog;
        dialog.disableStatusReport(true);
        dialog.setErrorInfoList(s.records);
        for (int pass = 0; pass < 2; ++pass) {
            QStringList walked;
            for (int step = 0; step <= flags.size(); ++step) {
                dialog.clickedNext();
                if (dialog.currentIndex() == -1) {
                    break;
                }
                walked << shownText(dialog, "ObjectNameLabel");
            }
            QCOMPARE(walked, shown);
            QCOMPARE(dialog.currentIndex(), -1);
            QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "off"));
            QVERIFY(dialog.findChild<QWidget*>("NextIssueButton")->isEnabled());
            QCOMPARE(listedNames(dialog).size(), flags.size());
        }
    }

    void endOfTheListShowsTheSummary_data()
    {
        QTest::addColumn<bool>("reportDisabled");
        QTest::addColumn<bool>("noStandards");
        QTest::newRow("summary") << false << false;
        QTest::newRow("summary, no standards files") << false << true;
        QTest::newRow("no summary") << true << false;
        QTest::newRow("no summary, no standards files") << true << true;
    }

    // With nothing to show the first step passes the end at once.
    void endOfTheListShowsTheSummary()
    {
        QFETCH(bool, reportDisabled);
        QFETCH(bool, noStandards);
        Scenario s;
        QVERIFY(s.ready());
        CKvVerifyStandards dialog;
        dialog.disableStatusReport(reportDisabled);
        dialog.setNoStandardsAttached(noStandards);
        dialog.setErrorInfoList(s.records);
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(s.catcher.summaries, reportDisabled ? QStringList() : QStringList({"0 0 0 0"}));
        QCOMPARE(dialog.currentIndex(), -1);
        QCOMPARE(shownText(dialog, "ProblemDescLabel"),
                 noStandards ? QString::fromUtf8(kNoStandardsText) : QString());
        QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "off"));
        QVERIFY(dialog.findChild<QWidget*>("NextIssueButton")->isEnabled());
        QVERIFY(dialog.isVisible());
    }

    // Walls is fixed with the Fix button, Doors ignored, Roof skipped; Stairs came fixed (and
    // ignored). The second pass sees only the records neither fixed nor manual fixed.
    void summaryCountsThePassAndDropsTheFixed()
    {
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        s.add("Doors");
        s.add("Roof");
        const int stairs = s.add("Stairs");
        s.records[stairs].setIsFixed(true);
        s.records[stairs].setIsIgnored(true);
        CKvVerifyStandards dialog;
        start(dialog, s);

        click(dialog, "FixIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Doors"));
        click(dialog, "IgnoreViolationCheckBox");
        click(dialog, "NextIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Roof"));
        click(dialog, "NextIssueButton");
        QCOMPARE(s.catcher.summaries, QStringList({"4 1 1 2"}));
        QCOMPARE(listedNames(dialog), QStringList({"Doors", "Roof"}));
        QCOMPARE(s.plugin.fixes, QStringList({"Walls:Standard"}));

        click(dialog, "NextIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Roof"));
        click(dialog, "NextIssueButton");
        QCOMPARE(s.catcher.summaries.size(), 2);
        QCOMPARE(s.catcher.summaries.last(), QStringLiteral("2 0 0 1"));
        QCOMPARE(listedNames(dialog), QStringList({"Doors", "Roof"}));
    }

    void fixAppliesTheChosenFix_data()
    {
        QTest::addColumn<int>("fixCount");
        QTest::addColumn<int>("recommended");
        QTest::addColumn<int>("choose");  // -2: as filled; -1: no current row; else the row
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QString>("applied");
        QTest::newRow("the row chosen") << 3 << 0 << 2 << false << "Walls:F2";
        QTest::newRow("the recommended row as filled") << 3 << 1 << -2 << false << "Walls:F1";
        QTest::newRow("no current row: the recommended fix") << 3 << 2 << -1 << false << "Walls:F2";
        QTest::newRow("no current row, no recommendation: the first fix")
            << 3 << -1 << -1 << false << "Walls:F0";
        QTest::newRow("a failing fix counts as fixed") << 2 << 0 << -2 << true << "Walls:F0";
        QTest::newRow("no fixes: nothing to apply") << 0 << -1 << -1 << false << QString();
    }

    void fixAppliesTheChosenFix()
    {
        QFETCH(int, fixCount);
        QFETCH(int, recommended);
        QFETCH(int, choose);
        QFETCH(bool, failing);
        QFETCH(QString, applied);
        Scenario s;
        QVERIFY(s.ready());
        s.plugin.failFixes = failing;
        const std::vector<Fix> fixes = {{"F0"}, {"F1"}, {"F2"}};
        s.add("Walls", std::vector<Fix>(fixes.begin(), fixes.begin() + fixCount), recommended);
        s.add("Doors");
        CKvVerifyStandards dialog;
        start(dialog, s);
        QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
        QVERIFY(table);
        if (choose >= 0) {
            table->selectRow(choose);
        } else if (choose == -1) {
            table->setCurrentItem(nullptr);
            QCOMPARE(table->currentRow(), -1);
        }
        if (choose == -1) {
            // The Fix button is off without a selected fix; the slot is the dialog's own.
            dialog.clickedFix();
        } else {
            click(dialog, "FixIssueButton");
        }
        const bool fixed = !applied.isEmpty();
        QCOMPARE(s.plugin.fixes, fixed ? QStringList({applied}) : QStringList());
        QCOMPARE(s.plugin.messages, fixed ? QStringList({QString()}) : QStringList());
        QCOMPARE(dialog.errorInfoList()[0].getIsManualFixed(), fixed);
        QVERIFY(!dialog.errorInfoList()[0].getIsFixed());
        QCOMPARE(shownText(dialog, "ObjectNameLabel"),
                 fixed ? QStringLiteral("Doors") : QStringLiteral("Walls"));
    }

    void automaticFixFixesEveryViolationOnOpening_data()
    {
        QTest::addColumn<QStringList>("layers");  // "I" prefix: ignored; "N": no fixes
        QTest::addColumn<bool>("showIgnored");
        QTest::addColumn<QStringList>("applied");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("nothing stepped over")
            << QStringList({"A", "B", "C"}) << false << QStringList({"A:A1", "B:B1", "C:C0"})
            << QString("3 3 0 0") << QStringList();
        QTest::newRow("an ignored violation first")
            << QStringList({"IA", "A", "B", "C"}) << false << QStringList({"A:A1", "B:B1", "C:C0"})
            << QString("4 3 0 1") << QStringList({"IA"});
        QTest::newRow("an ignored violation between")
            << QStringList({"A", "IB", "C"}) << false << QStringList({"A:A1", "C:C0"})
            << QString("3 2 0 1") << QStringList({"IB"});
        QTest::newRow("ignored violations fixed while shown")
            << QStringList({"A", "IB"}) << true << QStringList({"A:A1", "IB:IB0"})
            << QString("2 2 0 1") << QStringList();
        QTest::newRow("a violation without fixes")
            << QStringList({"A", "NB", "C"}) << false << QStringList({"A:A1", "C:C0"})
            << QString("3 2 0 0") << QStringList({"NB"});
    }

    // Each record's fixes are "<name>0" and "<name>1"; A and B recommend their second, C none,
    // the others their first.
    void automaticFixFixesEveryViolationOnOpening()
    {
        QFETCH(QStringList, layers);
        QFETCH(bool, showIgnored);
        QFETCH(QStringList, applied);
        QFETCH(QString, summary);
        QFETCH(QStringList, left);
        Scenario s(true, showIgnored);
        QVERIFY(s.ready());
        std::vector<QByteArray> fixNames;
        for (const QString& layer : layers) {
            fixNames.push_back((layer + '0').toUtf8());
            fixNames.push_back((layer + '1').toUtf8());
        }
        for (int i = 0; i < layers.size(); ++i) {
            const QString& layer = layers[i];
            const std::vector<Fix> fixes =
                layer.startsWith('N') ? std::vector<Fix>()
                                      : std::vector<Fix>({{fixNames[2 * i].constData()},
                                                          {fixNames[2 * i + 1].constData()}});
            const int recommended =
                layer == "A" || layer == "B" ? 1 : (layer == "C" || fixes.empty() ? -1 : 0);
            const int at = s.add(qPrintable(layer), fixes, recommended);
            s.records[at].setIsIgnored(layer.startsWith('I'));
        }
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(s.plugin.fixes, applied);
        QCOMPARE(s.catcher.summaries, QStringList({summary}));
        QCOMPARE(listedNames(dialog), left);
        QCOMPARE(dialog.currentIndex(), -1);
    }

    void optionsStopsTheWalkWhenTheConfigurationChanged_data()
    {
        QTest::addColumn<OptionsChange>("change");
        QTest::addColumn<bool>("stops");
        QTest::newRow("nothing changed") << OptionsChange::Nothing << false;
        QTest::newRow("a standards file added") << OptionsChange::FileAdded << true;
        QTest::newRow("a standards file removed") << OptionsChange::FileRemoved << true;
        QTest::newRow("standards files reordered") << OptionsChange::FilesReordered << true;
        QTest::newRow("letter case changed only") << OptionsChange::LetterCaseOnly << false;
        QTest::newRow("a plug-in disabled") << OptionsChange::PluginDisabled << true;
        QTest::newRow("a plug-in enabled") << OptionsChange::PluginEnabled << true;
        QTest::newRow("a plug-in disabled, no manager")
            << OptionsChange::PluginDisabledWithoutManager << false;
    }

    void optionsStopsTheWalkWhenTheConfigurationChanged()
    {
        QFETCH(OptionsChange, change);
        QFETCH(bool, stops);
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        RecordingPlugin disabled;
        disabled.enabled = false;
        CKvStandardsAssociation association(s.document->database());
        association.setPaths({"C:/Standards/a.dws", "C:/Standards/b.dws"});
        std::unique_ptr<ListingManager> manager;
        if (change != OptionsChange::PluginDisabledWithoutManager) {
            manager = std::make_unique<ListingManager>(
                std::vector<CKvStdsPlugins*>{&s.plugin, &disabled});
        }
        ConfigurationCommand configuration([&] {
            switch (change) {
                case OptionsChange::Nothing:
                    break;
                case OptionsChange::FileAdded:
                    association.add("C:/Standards/c.dws");
                    break;
                case OptionsChange::FileRemoved:
                    association.remove("C:/Standards/a.dws");
                    break;
                case OptionsChange::FilesReordered:
                    association.moveDown("C:/Standards/a.dws");
                    break;
                case OptionsChange::LetterCaseOnly:
                    association.setPaths({"c:/STANDARDS/A.dws", "C:/Standards/b.DWS"});
                    break;
                case OptionsChange::PluginDisabled:
                case OptionsChange::PluginDisabledWithoutManager:
                    s.plugin.setEnabled(false);
                    break;
                case OptionsChange::PluginEnabled:
                    disabled.setEnabled(true);
                    break;
            }
        });
        CKvMessageBox::takeShown();
        CKvMessageBox::scriptAnswer(QMessageBox::Close);
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));

        click(dialog, "OptionsButton");
        QCOMPARE(configuration.runs, QStringList({"5003=3 5000"}));
        const std::vector<CKvMessageBox::Shown> shown = CKvMessageBox::takeShown();
        CKvMessageBox::clearScript();
        QCOMPARE(static_cast<int>(shown.size()), stops ? 1 : 0);
        if (stops) {
            QCOMPARE(shown[0].icon, QMessageBox::Warning);
            QCOMPARE(shown[0].title, QStringLiteral("kvcad"));
            QCOMPARE(shown[0].text, QString::fromUtf8(kOptionsWarning));
            QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        }
        QCOMPARE(dialog.isVisible(), !stops);
        QCOMPARE(dialog.result(), stops ? 1 : 0);
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));
    }

    void closingEndsTheModalRun_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::newRow("Close") << Ending::ClickClose;
        QTest::newRow("window closed") << Ending::CloseWindow;
    }

    void closingEndsTheModalRun()
    {
        QFETCH(Ending, ending);
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        endWhenShown(dialog, ending);
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void helpShowsItsTopic()
    {
        CKvVerifyStandards dialog;
        QCOMPARE(dialog.GetHelpId(), 3072);
        CKvHelp::showTopic(1);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(buttons && buttons->button(QDialogButtonBox::Help));
        buttons->button(QDialogButtonBox::Help)->click();
        QCOMPARE(CKvHelp::lastTopic(), 3072);
    }
};

int runTestVerifyStandards(int argc, char** argv)
{
    TestVerifyStandards test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestVerifyStandards.moc"
