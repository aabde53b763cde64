// The Verify Standards dialog, what it shows of the violation on display: its texts, the fixes
// with the recommended one selected and in view, the preview of the selected fix, how the tables
// use the dialog's room, and the keys that reach its buttons.
#include "VerifyStandardsScenario.h"
#include "WidgetChecks.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>

namespace {

// The texts of the cells that carry their text as tool tip (those too narrow to show it).
QStringList cutCellTips(const QTableWidget& table)
{
    QStringList tips;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            if (item && !item->toolTip().isEmpty()) {
                tips << item->toolTip();
            }
        }
    }
    return tips;
}

}  // namespace

class TestVerifyStandards : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void textsAreTranslatedInItsOwnContext()
    {
        const ContextMarker marker("CKvVerifyStandards");
        Scenario s;
        QVERIFY(s.ready());
        s.add("Walls");
        CKvVerifyStandards dialog;
        QCOMPARE(untranslatedTexts(dialog, marker).join(", "), QString());
        start(dialog, s);
        QCOMPARE(shownText(dialog, "ObjectTypeLabel"), "  " + marker.marked("Layer:"));
        clickNamed(dialog, "IgnoreViolationCheckBox");
        QCOMPARE(shownText(dialog, "label_5"), marker.marked("Ignored by:"));
        dialog.disableStatusReport(true);
        dialog.setNoStandardsAttached(true);
        dialog.clickedNext();
        QCOMPARE(shownText(dialog, "ProblemDescLabel"), marker.marked(kNoStandardsText));
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
        } else {
            // The recommended fix carries the host's check-mark.
            const QImage checkMark = QImage(QStringLiteral(":/images/style/checkmark.png"))
                                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QIcon icon =
                tableOf(dialog, "ReplaceWithTableWidget")->item(selectedRow, 0)->icon();
            QCOMPARE(icon.pixmap(checkMark.size())
                         .toImage()
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     checkMark);
        }
    }

    // Values are rendered as the value texts are (tested on their own); a row whose values cannot
    // be compared side by side stays empty and keeps its place. Choosing another fix previews it.
    void previewShowsEachPropertyInItsRow()
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
            {"03 colour", OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::fromIndex(1)),
             OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::byLayer()), "03 colour|red|ByLayer"},
            {"04 missing in the drawing", OdResBufPtr(),
             OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(1)), "||"},
            {"05 text", OdResBuf::newRb(OdResBuf::kRtString, "Continuous"),
             OdResBuf::newRb(OdResBuf::kRtString, "Dashed"), "05 text|Continuous|Dashed"},
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
        s.add("Walls",
              {{"Standard", "/srv/office.dws", standard},
               {"Notes",
                "/srv/notes.dws",
                {{"05 text", OdResBuf::newRb(OdResBuf::kRtString, "Dot")}}}},
              0, current);
        CKvVerifyStandards dialog;
        start(dialog, s);
        QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"), expected);
        // Choosing another fix previews that one alone.
        tableOf(dialog, "ReplaceWithTableWidget")->selectRow(1);
        QCOMPARE(s.plugin.diffRequests.last(), QStringLiteral("Notes"));
        QCOMPARE(rowsOf(dialog, "PreviewChangesTableWidget"),
                 QStringList({"05 text|Continuous|Dot"}));
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

        clickNamed(dialog, "FixIssueButton");
        QCOMPARE(s.plugin.fixes, QStringList());
        QCOMPARE(dialog.currentIndex(), 0);
        QVERIFY(!dialog.errorInfoList()[0].getIsManualFixed());
    }

    // Names and files are shown whole while there is room; what the user narrows is cut and
    // tipped; a recommended fix far down a long list is scrolled to, and the next violation starts
    // at the top again; the size the user gives the dialog is the size it opens with next time.
    void tablesUseTheRoomTheDialogIsGiven()
    {
        Scenario s;
        QVERIFY(s.ready());
        const char file[] = "/srv/standards/office-architecture-2024.dws";
        s.add("Walls", {{"A-WALL-EXTERIOR-LOAD-BEARING", file}, {"Standard", file}}, 0,
              {{"Color", OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::fromIndex(1))}});
        std::vector<Fix> fixes;
        for (int i = 0; i < 30; ++i) {
            fixes.push_back({"LAYER-" + std::to_string(i)});
        }
        s.add("Doors", fixes, 27);
        s.add("Roof", fixes, -1);
        {
            CKvVerifyStandards dialog;
            dialog.setErrorInfoList(s.records);
            dialog.show();
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
            QVERIFY(table);
            QCOMPARE(cutCellTips(*table), QStringList());
            const QStringList cut = cutTexts(dialog);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
            const QHeaderView* header = table->horizontalHeader();
            QCOMPARE(header->sectionViewportPosition(2) + header->sectionSize(2),
                     table->viewport()->width());
            saveScreenshot(dialog, "verify-standards-fitted");

            table->horizontalHeader()->resizeSection(1, 60);
            QVERIFY(cutCellTips(*table).contains("A-WALL-EXTERIOR-LOAD-BEARING"));
            QVERIFY(!cutCellTips(*table).contains("office-architecture-2024.dws"));

            clickNamed(dialog, "NextIssueButton");
            QVERIFY(table->verticalScrollBar()->maximum() > 0);
            QVERIFY(table->viewport()->rect().contains(table->visualItemRect(table->item(27, 1))));
            clickNamed(dialog, "NextIssueButton");
            QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Roof"));
            QCOMPARE(table->verticalScrollBar()->value(), 0);
            dialog.resize(720, 700);
            dialog.close();
        }
        CKvVerifyStandards again;
        again.setErrorInfoList(s.records);
        again.show();
        QCOMPARE(again.size(), QSize(720, 700));
        again.close();
    }

    // Enter steps on: Next is the default button, never Fix nor Options. Alt with a button's
    // letter presses that button.
    void keyboardReachesTheButtons()
    {
        Scenario s;
        QVERIFY(s.ready());
        for (const char* layer : {"Walls", "Doors", "Roof", "Stairs", "Floor"}) {
            s.add(layer);
        }
        ConfigurationCommand configuration([] {});
        CKvVerifyStandards dialog;
        dialog.setErrorInfoList(s.records);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCoreApplication::processEvents();
        // Enter as the dialog opens, and again.
        QStringList shown;
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            shown << shownText(dialog, "ObjectNameLabel");
        }
        QCOMPARE(shown, QStringList({"Doors", "Roof", "Stairs"}));
        QCOMPARE(s.plugin.fixes, QStringList());
        QCOMPARE(configuration.runs, QStringList());
        // A mnemonic presses its button the way a click does, after showing it pressed a moment.
        QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(s.plugin.fixes, QStringList({"Stairs:Standard"}));
        QCOMPARE(shownText(dialog, "ObjectNameLabel"), QStringLiteral("Floor"));
        QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(configuration.runs, QStringList({"5003=3 5000"}));
        dialog.close();
    }
};

int runTestVerifyStandards(int argc, char** argv)
{
    TestVerifyStandards test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestVerifyStandards.moc"
