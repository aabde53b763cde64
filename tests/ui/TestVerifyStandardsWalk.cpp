// The walk through the Verify Standards dialog's violations: ignoring (read back from the
// drawing), stepping and its summaries, fixing by hand and automatically, the Options button and
// closing.
#include "VerifyStandardsScenario.h"
#include "WidgetChecks.h"

#include <CKvHelp.h>
#include <CKvIgnoredState.h>
#include <CKvMessageBox.h>
#include <CKvStandardsAssociation.h>
#include <CKvUtilsBase.h>

#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>
#include <memory>
#include <vector>

namespace {

const char kOptionsWarning[] =
    "VerifyStandards command cannot continue due to changes done under standards files list or "
    "drawing categories to be verified. Restart command to verify drawing using new standards "
    "settings.";

// What the user changes in the standards configuration opened from the dialog, and whether the
// dialog then stops: the standards files (their letter case aside) or the plug-ins checked.
struct OptionsChange
{
    const char* what;
    bool stops;
    bool withManager;
    std::function<void(CKvStandardsAssociation&, StubPlugin& enabled, StubPlugin& disabled)> change;
};

const std::vector<OptionsChange>& optionsChanges()
{
    static const std::vector<OptionsChange> changes = {
        {"nothing changed", false, true, [](CKvStandardsAssociation&, StubPlugin&, StubPlugin&) {}},
        {"a standards file added", true, true,
         [](CKvStandardsAssociation& a, StubPlugin&, StubPlugin&) { a.add("C:/Standards/c.dws"); }},
        {"standards files reordered", true, true,
         [](CKvStandardsAssociation& a, StubPlugin&, StubPlugin&) {
             a.moveDown("C:/Standards/a.dws");
         }},
        {"letter case changed only", false, true,
         [](CKvStandardsAssociation& a, StubPlugin&, StubPlugin&) {
             a.setPaths({"c:/STANDARDS/A.dws", "C:/Standards/b.DWS"});
         }},
        {"a plug-in disabled", true, true,
         [](CKvStandardsAssociation&, StubPlugin& on, StubPlugin&) { on.setEnabled(false); }},
        {"a plug-in enabled", true, true,
         [](CKvStandardsAssociation&, StubPlugin&, StubPlugin& off) { off.setEnabled(true); }},
        {"a plug-in disabled, no manager", false, false,
         [](CKvStandardsAssociation&, StubPlugin& on, StubPlugin&) { on.setEnabled(false); }},
    };
    return changes;
}

}  // namespace

class TestVerifyStandardsWalk : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

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
            clickNamed(dialog, "IgnoreViolationCheckBox");
            const CKvIgnoredState stored = readIgnoredState(id);
            QVERIFY(stored.hasRecord);
            QCOMPARE(stored.ignored, checked);
            QCOMPARE(stored.user.toQString(), checked ? login : QString());
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
    }

    // The summary is off here, so the list keeps every record and the next pass sees them all. The
    // summary of a list with nothing to show comes at once (the module's tests), the text of a
    // drawing without standards files at the end in the translation test.
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
                // The headers blanked by the pass before are back.
                QCOMPARE(headersOf(dialog, "ReplaceWithTableWidget"),
                         QStringList({"", "Layer", "Standards File"}));
                QCOMPARE(headersOf(dialog, "PreviewChangesTableWidget"),
                         QStringList({"Property", "Current Value", "Standard Value"}));
            }
            QCOMPARE(walked, shown);
            QCOMPARE(dialog.currentIndex(), -1);
            QCOMPARE(shownText(dialog, "ProblemDescLabel"), QString());
            QCOMPARE(enabledStates(dialog, kViolationWidgets), withState(kViolationWidgets, "off"));
            QVERIFY(dialog.findChild<QWidget*>("NextIssueButton")->isEnabled());
            // No record's type stays in the headers once the pass is over.
            QCOMPARE(headersOf(dialog, "ReplaceWithTableWidget"), QStringList({"", "", ""}));
            QCOMPARE(headersOf(dialog, "PreviewChangesTableWidget"), QStringList({"", "", ""}));
            QCOMPARE(listedNames(dialog).size(), flags.size());
        }
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

        clickNamed(dialog, "FixIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Doors"));
        clickNamed(dialog, "IgnoreViolationCheckBox");
        clickNamed(dialog, "NextIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Roof"));
        clickNamed(dialog, "NextIssueButton");
        QCOMPARE(s.summaries, QStringList({"4 1 1 2"}));
        QCOMPARE(listedNames(dialog), QStringList({"Doors", "Roof"}));
        QCOMPARE(s.plugin.fixes, QStringList({"Walls:Standard"}));

        clickNamed(dialog, "NextIssueButton");
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Roof"));
        clickNamed(dialog, "NextIssueButton");
        QCOMPARE(s.summaries.size(), 2);
        QCOMPARE(s.summaries.last(), QStringLiteral("2 0 0 1"));
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
            clickNamed(dialog, "FixIssueButton");
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
        for (const QString& layer : layers) {
            const std::string name = layer.toStdString();
            const std::vector<Fix> fixes = layer.startsWith('N')
                                               ? std::vector<Fix>()
                                               : std::vector<Fix>({{name + '0'}, {name + '1'}});
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
        QCOMPARE(s.summaries, QStringList({summary}));
        QCOMPARE(listedNames(dialog), left);
        QCOMPARE(dialog.currentIndex(), -1);
    }

    void optionsStopsTheWalkWhenTheConfigurationChanged_data()
    {
        QTest::addColumn<int>("change");
        for (int i = 0; i < static_cast<int>(optionsChanges().size()); ++i) {
            QTest::newRow(optionsChanges()[i].what) << i;
        }
    }

    void optionsStopsTheWalkWhenTheConfigurationChanged()
    {
        QFETCH(int, change);
        const OptionsChange& c = optionsChanges()[change];
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        RecordingPlugin disabled;
        disabled.enabled = false;
        CKvStandardsAssociation association(s.document->database());
        association.setPaths({"C:/Standards/a.dws", "C:/Standards/b.dws"});
        std::unique_ptr<StubManager> manager;
        if (c.withManager) {
            manager =
                std::make_unique<StubManager>(std::vector<CKvStdsPlugins*>{&s.plugin, &disabled});
        }
        ConfigurationCommand configuration([&] { c.change(association, s.plugin, disabled); });
        CKvMessageBox::takeShown();
        CKvMessageBox::scriptAnswer(QMessageBox::Close);
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));

        clickNamed(dialog, "OptionsButton");
        QCOMPARE(configuration.runs, QStringList({"5003=3 5000"}));
        const std::vector<CKvMessageBox::Shown> shown = CKvMessageBox::takeShown();
        CKvMessageBox::clearScript();
        QCOMPARE(static_cast<int>(shown.size()), c.stops ? 1 : 0);
        if (c.stops) {
            QCOMPARE(shown[0].icon, QMessageBox::Warning);
            QCOMPARE(shown[0].title, QStringLiteral("kvcad"));
            QCOMPARE(shown[0].text, QString::fromUtf8(kOptionsWarning));
            QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        }
        QCOMPARE(dialog.isVisible(), !c.stops);
        QCOMPARE(dialog.result(), c.stops ? 1 : 0);
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Walls"));
    }

    void helpShowsItsTopic()
    {
        CKvVerifyStandards dialog;
        CKvHelp::showTopic(1);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(buttons && buttons->button(QDialogButtonBox::Help));
        buttons->button(QDialogButtonBox::Help)->click();
        QCOMPARE(CKvHelp::lastTopic(), 3072);
    }
};

int runTestVerifyStandardsWalk(int argc, char** argv)
{
    TestVerifyStandardsWalk test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestVerifyStandardsWalk.moc"
