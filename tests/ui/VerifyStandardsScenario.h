// The Verify Standards dialog's test fixture: a drawing open as the host's current document with
// violation records of its layers, a plug-in that notes the fixes it is asked for, the host's
// standards configuration as a command the tests play, the user's settings in a folder of the
// test's own, and readers of what the dialog shows.
#ifndef KV_VERIFY_STANDARDS_SCENARIO_H
#define KV_VERIFY_STANDARDS_SCENARIO_H

#include "HostDoubles.h"
#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvCommand.h>
#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvStandardsSettings.h>
#include <CKvVerfiyCompleteMessage.h>
#include <CKvVerifyStandards.h>
#include <DbDatabase.h>

#include <QCheckBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <CmColor.h>
#include <functional>
#include <string>
#include <vector>

extern const char kNoStandardsText[];

// A plug-in whose property differences are the fix's named values beside the error's values of
// the same names, and which notes every fix it is asked to apply as "object:fix".
class RecordingPlugin : public StubPlugin
{
public:
    void FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                  CKvString& message) override;
    void GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                          std::vector<CKvString>& names, OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                          OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                          std::vector<CKvString>& extra) override;

    bool failFixes = false;
    QStringList fixes;
    QStringList messages;
    QStringList diffRequests;
};

// The host's standards configuration as the tests play it: registered for its lifetime, it notes
// the arguments of each run ("5003=3 5000") and makes the change the test asks for.
struct ConfigurationCommand
{
    explicit ConfigurationCommand(std::function<void()> change);

    QStringList runs;
    const ScopedCommand command;
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
    std::string name;
    std::string file = "/srv/standards/office.dws";
    std::vector<Value> values = {};
};

// A drawing open as the host's current document, with the host's services and the user's
// settings, and the violation records a check of its layers would hand to the dialog. Every modal
// dialog shown while it exists (the summary) is closed and its counts noted, so that a walk that
// ends too early fails the test instead of blocking it.
class Scenario
{
public:
    explicit Scenario(bool automaticFix = false, bool showIgnored = false);
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    bool ready() const { return m_saved && document && document->database(); }

    // A non-standard layer of that name with its candidate fixes; returns the record's position.
    int add(const char* layer, const std::vector<Fix>& fixes = {{"Standard"}}, int recommended = 0,
            const std::vector<Value>& values = {});

    ConfigHomeScope home;
    ServicesScope host;
    QTemporaryDir folder;
    RecordingPlugin plugin;
    CKvDocument* document = nullptr;
    std::vector<OdDbObjectId> ids;
    OdArray<CKvVerifyStandardsInfo> records;
    // One entry per summary: its four counts (violations, fixed automatically, fixed manually,
    // ignored), separated by blanks.
    QStringList summaries;
    DialogAnswers answers{[this](QDialog& summary) { closeSummary(summary); }};

private:
    void closeSummary(QDialog& summary);

    bool m_saved = false;
};

// The text of the label or button of that name.
QString shownText(const QWidget& dialog, const char* name);
// "name on" or "name off" for each widget.
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

#endif  // KV_VERIFY_STANDARDS_SCENARIO_H
