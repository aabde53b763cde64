// The desktop window as a drafter uses it on the office example: the tables and their marks,
// editing through commands with the module's background check at work, adding, renaming,
// deleting and undoing, the Verify Standards dialog, the standards status, files, and the
// command line.
#include "DesktopScenario.h"
#include "TestPrograms.h"
#include "WidgetChecks.h"

#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvMessageBox.h>
#include <CKvStandardsAssociation.h>
#include <CKvString.h>
#include <DbDimStyleTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

OdDbObjectId recordId(OdDbDatabase& db, OdDbObjectId (OdDbDatabase::*table)() const,
                      const char* name)
{
    const OdDbSymbolTablePtr records = (db.*table)().safeOpenObject();
    return records->getAt(OdString(name));
}

void trigger(QWidget& window, const char* action)
{
    if (auto* found = window.findChild<QAction*>(QLatin1String(action))) {
        found->trigger();
    }
}

// Edits the cell the way the table's editor hands an edit over.
void editCell(const DesktopScenario& s, const char* kind, const QString& name, int column,
              const QVariant& value)
{
    s.table(kind)->model()->setData(s.cell(kind, name, column), value, Qt::EditRole);
}

void selectRecord(const DesktopScenario& s, const char* kind, const QString& name)
{
    s.table(kind)->setCurrentIndex(s.cell(kind, name));
}

QString statusText(const DesktopScenario& s)
{
    const auto* status = s.window->findChild<QToolButton*>(QStringLiteral("StandardsStatusButton"));
    return status ? status->text() : QStringLiteral("(no status)");
}

// Layer columns: mark, name, on, frozen, locked, colour, line style, lineweight, plot, description.
const int kLayerColor = 5;

}  // namespace

class TestDesktopWindow : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktopWindow(HostSession& session) : m_session(session) {}

private slots:
    void showsTheRecordsWithTheirMarks()
    {
        DesktopScenario s(m_session, [](OdDbDatabase& db) {
            writeIgnoredState(recordId(db, &OdDbDatabase::getTextStyleTableId, "Titles"), true,
                              CKvString("alice"));
        });
        QVERIFY(s.ready());
        const auto* tabs = s.window->findChild<QTabWidget*>(QStringLiteral("RecordTabs"));
        QVERIFY(tabs);
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) {
            titles << tabs->tabText(i);
        }
        QCOMPARE(titles, QStringList({"Layers", "Line Styles", "Text Styles", "Dimension Styles"}));
        QCOMPARE(s.row("Layer", "A-DOOR"), "!|A-DOOR|[x]|[ ]|[ ]|green|DASHED|0.25|[x]|");
        QCOMPARE(s.row("Layer", "A-WALL").left(8), QStringLiteral("|A-WALL|"));
        QCOMPARE(s.row("Layer", "furniture").left(1), QStringLiteral("!"));
        QCOMPARE(s.row("Linetype", "DIVIDE2").left(1), QStringLiteral("!"));
        QCOMPARE(s.row("Linetype", "CENTER").left(1), QStringLiteral("!"));
        QCOMPARE(s.row("TextStyle", "Notes").left(1), QStringLiteral("!"));
        QCOMPARE(s.row("TextStyle", "Titles").left(1), QStringLiteral("~"));
        QCOMPARE(s.row("DimStyle", "EZ_CURVED").left(1), QStringLiteral("!"));
        QCOMPARE(s.row("DimStyle", "EZ_RADIUS").left(1), QStringLiteral("!"));
        QVERIFY(s.row("DimStyle", "Standard").startsWith("|Standard|"));
        QCOMPARE(statusText(s), QStringLiteral("Standards: office-standards.dws"));

        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        const QStringList cut = cutTexts(*s.window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
        QVERIFY(!saveScreenshot(*s.window, QStringLiteral("kvcad-window")).isEmpty());
    }

    // A-WALL made blue breaks the standards: the module's background check tells at once and the
    // row is marked; A-DOOR made red conforms again. Undo takes both back, last first.
    void editsAreCommandsCheckedInTheBackground()
    {
        DesktopScenario s(m_session);
        QVERIFY(s.ready());
        DialogAnswers& answers = s.answers;
        answers
            .then(pictureThen(QStringLiteral("CKvStandardViolationMessage-desktop"),
                              QDialogButtonBox::Ok))
            .then(keepObjectUnchanged());
        editCell(s, "Layer", "A-WALL", kLayerColor, "5");
        QCOMPARE(answers.shown, QStringList({"CKvStandardViolationMessage"}));
        QCOMPARE(s.row("Layer", "A-WALL").left(21), QStringLiteral("!|A-WALL|[x]|[ ]|[ ]|"));
        QVERIFY(s.row("Layer", "A-WALL").contains("|blue|"));
        QVERIFY(s.commandHistory().contains("Command: _SETPROPERTY Layer A-WALL Color 5"));

        editCell(s, "Layer", "A-DOOR", kLayerColor, "red");
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(s.row("Layer", "A-DOOR").left(9), QStringLiteral("|A-DOOR|["));
        QVERIFY(s.window->isWindowModified());

        trigger(*s.window, "actionUndo");
        QVERIFY(s.row("Layer", "A-DOOR").startsWith("!|A-DOOR|[x]|[ ]|[ ]|green|"));
        QCOMPARE(answers.shown.size(), 2);
        trigger(*s.window, "actionUndo");
        QVERIFY(s.row("Layer", "A-WALL").startsWith("|A-WALL|"));
        QVERIFY(!s.window->findChild<QAction*>(QStringLiteral("actionUndo"))->isEnabled());
    }

    void recordsAreAddedRenamedDeletedAndUndone()
    {
        DesktopScenario s(m_session);
        QVERIFY(s.ready());
        DialogAnswers& answers = s.answers;
        answers.then(keepObjectUnchanged()).then(keepObjectUnchanged());
        s.window->recordNames << QStringLiteral("A-NEW");
        trigger(*s.window, "actionAddRecord");
        QVERIFY(s.row("Layer", "A-NEW").startsWith("!|A-NEW|[x]|[ ]|[ ]|white|Continuous|"));
        // A-GRID is a standard layer, grey in the standards.
        editCell(s, "Layer", "A-NEW", 1, "A-GRID");
        QVERIFY(s.row("Layer", "A-GRID").startsWith("!|A-GRID|"));
        QCOMPARE(s.row("Layer", "A-NEW"), QStringLiteral("(no row A-NEW)"));
        selectRecord(s, "Layer", "A-GRID");
        trigger(*s.window, "actionDeleteRecord");
        QCOMPARE(s.row("Layer", "A-GRID"), QStringLiteral("(no row A-GRID)"));
        selectRecord(s, "Layer", "A-WALL");
        trigger(*s.window, "actionDeleteRecord");
        QVERIFY(s.commandHistory().contains("Layer \"A-WALL\" is in use and cannot be deleted."));
        QVERIFY(s.row("Layer", "A-WALL").startsWith("|A-WALL|"));
        QCOMPARE(answers.shown,
                 QStringList({"CKvStandardViolationMessage", "CKvStandardViolationMessage"}));

        trigger(*s.window, "actionUndo");
        QVERIFY(s.row("Layer", "A-GRID").startsWith("!|A-GRID|"));
        trigger(*s.window, "actionUndo");
        QVERIFY(s.row("Layer", "A-NEW").startsWith("!|A-NEW|"));
        trigger(*s.window, "actionUndo");
        QCOMPARE(s.row("Layer", "A-NEW"), QStringLiteral("(no row A-NEW)"));
        QVERIFY(s.commandHistory().contains("Undone: Layer \"A-NEW\" added"));
    }

    // Every kind of violation is shown in turn (pictures of each, EZ_RADIUS with many
    // differences), then the summary; a fix from the dialog clears the record's mark.
    void verifyStandardsShowsEveryKindOfViolation()
    {
        DesktopScenario s(m_session, [](OdDbDatabase& db) {
            const OdDbDimStyleTableRecordPtr style =
                recordId(db, &OdDbDatabase::getDimStyleTableId, "EZ_RADIUS")
                    .safeOpenObject(OdDb::kForWrite);
            style->setDimtxt(0.5);
            style->setDimexe(0.3);
            style->setDimgap(0.2);
            style->setDimdec(1);
            style->setDimclrd(OdCmColor::fromIndex(3));
        });
        QVERIFY(s.ready());
        QStringList walked;
        DialogAnswers& answers = s.answers;
        answers
            .then([&walked](QDialog& dialog) {
                const auto* name = dialog.findChild<QLabel*>(QStringLiteral("ObjectNameLabel"));
                const auto* type = dialog.findChild<QLabel*>(QStringLiteral("ObjectTypeLabel"));
                while (name && !name->text().isEmpty()) {
                    QCoreApplication::processEvents();
                    const QString kind = type->text().remove(':').trimmed();
                    walked << kind + ' ' + name->text();
                    saveScreenshot(
                        dialog, QStringLiteral("CKvVerifyStandards-%1-%2").arg(kind, name->text()));
                    clickNamed(dialog, "NextIssueButton");
                }
                clickButton(dialog, QDialogButtonBox::Close);
            })
            .then(pictureThen(QStringLiteral("CKvVerfiyCompleteMessage-desktop"),
                              QDialogButtonBox::Close))
            .then([](QDialog& dialog) { clickNamed(dialog, "FixIssueButton"); });
        trigger(*s.window, "actionVerifyStandards");
        QCOMPARE(walked, QStringList({"DimensionStyle EZ_RADIUS", "DimensionStyle EZ_CURVED",
                                      "Layer A-DOOR", "Layer furniture", "LineStyle CENTER",
                                      "LineStyle DIVIDE2", "TextStyle Notes", "TextStyle Titles"}));
        QCOMPARE(answers.shown, QStringList({"CKvVerifyStandards", "CKvVerfiyCompleteMessage"}));

        trigger(*s.window, "actionVerifyStandards");
        QVERIFY(s.row("DimStyle", "EZ_RADIUS").startsWith("|EZ_RADIUS|"));
        QVERIFY(s.row("DimStyle", "EZ_CURVED").startsWith("!|EZ_CURVED|"));
    }

    void statusBarTellsTheAssociation_data()
    {
        QTest::addColumn<int>("association");  // 0 as in the example, 1 file gone, 2 none
        QTest::addColumn<QString>("status");
        QTest::newRow("associated") << 0 << "Standards: office-standards.dws";
        QTest::newRow("file missing") << 1 << "Standards file missing: office-standards.dws";
        QTest::newRow("not associated") << 2 << "No standards files";
    }

    // Clicking the status opens the standards configuration on its files.
    void statusBarTellsTheAssociation()
    {
        QFETCH(int, association);
        QFETCH(QString, status);
        DesktopScenario s(m_session, [association](OdDbDatabase& db) {
            if (association == 2) {
                CKvStandardsAssociation(&db).setPaths({});
            }
        });
        if (association == 1) {
            QVERIFY(QFile::remove(s.path("office-standards.dws")));
            QVERIFY(s.window->openDrawing(s.drawing()));
        }
        QVERIFY(s.ready());
        QCOMPARE(statusText(s), status);
        int page = -1;
        DialogAnswers& answers = s.answers;
        answers.then([&page](QDialog& dialog) {
            page = dialog.findChild<QTabWidget*>(QStringLiteral("ConfigTabs"))->currentIndex();
            clickButton(dialog, QDialogButtonBox::Cancel);
        });
        s.window->findChild<QToolButton*>(QStringLiteral("StandardsStatusButton"))->click();
        QCOMPARE(answers.shown, QStringList({"CKvStandardsConfigDialog"}));
        QCOMPARE(page, 0);
    }

    // Open, save as and the recent files; a changed drawing is only set aside when the user says
    // so.
    void changedDrawingsAreNeverSetAsideUnasked()
    {
        DesktopScenario s(m_session);
        QVERIFY(s.ready());
        QVERIFY(QFile::copy(s.drawing(), s.path("other.dxf")));
        s.window->runCommandLine(QStringLiteral("SETPROPERTY Layer A-DOOR Color red"));
        s.window->filesToOpen << s.path("other.dxf") << s.path("other.dxf");
        CKvMessageBox::clearScript();
        CKvMessageBox::scriptAnswer(QMessageBox::Cancel);
        trigger(*s.window, "actionOpen");
        QCOMPARE(s.window->document()->fileName().toQString(), s.drawing());
        CKvMessageBox::scriptAnswer(QMessageBox::Discard);
        trigger(*s.window, "actionOpen");
        QCOMPARE(s.window->document()->fileName().toQString(), s.path("other.dxf"));
        const std::vector<CKvMessageBox::Shown> asked = CKvMessageBox::takeShown();
        QCOMPARE(static_cast<int>(asked.size()), 2);
        QCOMPARE(asked[0].text, QStringLiteral("office.dxf has changed. Save the changes?"));
        QVERIFY(s.row("Layer", "A-DOOR").contains("|green|"));

        s.window->runCommandLine(QStringLiteral("SETPROPERTY Layer A-DOOR Color red"));
        s.window->filesToSaveAs << s.path("saved.dxf");
        trigger(*s.window, "actionSaveAs");
        QCoreApplication::processEvents();
        QCOMPARE(s.window->document()->fileName().toQString(), s.path("saved.dxf"));
        QVERIFY(!s.window->isWindowModified());
        QVERIFY(s.row("Layer", "A-DOOR").contains("|red|"));
        QCOMPARE(s.window->recentFiles(),
                 QStringList({s.path("saved.dxf"), s.path("other.dxf"), s.drawing()}));

        auto* recent = s.window->findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
        QVERIFY(recent);
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QCOMPARE(recent->actions().size(), 3);
        recent->actions().at(2)->trigger();
        QCOMPARE(s.window->document()->fileName().toQString(), s.drawing());
        QCOMPARE(CKvMessageBox::scriptedAnswersLeft(), 0);
    }

    void savedDrawingsLoseNothing_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("layer");
        QTest::newRow("office example")
            << QStringLiteral(KV_EXAMPLES_DIR "/office.dxf") << "A-DOOR";
        QTest::newRow("XDATA, extension dictionaries, attributes, paper space")
            << QStringLiteral(KV_REAL_FIXTURES_DIR "/libredwg__example_2000.dxf") << "Tavolo 2";
    }

    // A colour changed and saved is what ezdxf reads; undone and saved again, the drawing is the
    // original in every respect ezdxf compares.
    void savedDrawingsLoseNothing()
    {
        QFETCH(QString, original);
        QFETCH(QString, layer);
        if (!QFile::exists(original)) {
            QSKIP("the real-world drawings are not here");
        }
        DesktopScenario s(m_session);
        QVERIFY(QFile::copy(original, s.path("edited.dxf")));
        QVERIFY(s.window->openDrawing(s.path("edited.dxf")));
        s.window->runCommand({"_SETPROPERTY", "Layer", layer, "Color", "red"});
        s.window->runCommandLine(QStringLiteral("_QSAVE"));
        QCOMPARE(runPython({"-c",
                            "import ezdxf, sys; "
                            "print(ezdxf.readfile(sys.argv[1]).layers.get(sys.argv[2]).dxf.color)",
                            s.path("edited.dxf"), layer}),
                 QStringLiteral("1\n"));
        s.answers.then(keepObjectUnchanged());
        s.window->runCommandLine(QStringLiteral("UNDO"));
        s.window->runCommandLine(QStringLiteral("SAVEAS \"%1\"").arg(s.path("undone.dxf")));
        QCoreApplication::processEvents();
        QCOMPARE(runPython({QStringLiteral(KV_DXFCOMPARE), original, s.path("undone.dxf")}),
                 QString());
    }

    void commandLineRunsWhatIsTyped()
    {
        DesktopScenario s(m_session);
        QVERIFY(s.ready());
        auto* input = s.window->findChild<QLineEdit*>(QStringLiteral("CommandInput"));
        QVERIFY(input);
        DialogAnswers& answers = s.answers;
        int page = -1;
        answers.then([&page](QDialog& dialog) {
            page = dialog.findChild<QTabWidget*>(QStringLiteral("ConfigTabs"))->currentIndex();
            clickButton(dialog, QDialogButtonBox::Cancel);
        });
        for (const char* line : {"setproperty layer a-door color red", "FOO", "_DWGSTANDARDS 3",
                                 "SETPROPERTY Layer A-DOOR Colour 1"}) {
            QTest::keyClicks(input, QLatin1String(line));
            QTest::keyClick(input, Qt::Key_Return);
        }
        QVERIFY(s.row("Layer", "A-DOOR").contains("|red|"));
        QCOMPARE(page, 2);
        const QString history = s.commandHistory();
        QVERIFY(history.contains("Command: FOO\nUnknown command \"FOO\"."));
        QVERIFY(history.contains("Command: _DWGSTANDARDS 3\n*Cancel*"));
        QVERIFY(history.contains("Layer has no property \"Colour\"."));
        QTest::keyClick(input, Qt::Key_Up);
        QCOMPARE(input->text(), QStringLiteral("SETPROPERTY Layer A-DOOR Colour 1"));
    }

    // kvcad open shows nothing it cannot: without a display, or with a drawing it cannot read,
    // it says why on stderr and ends with 2.
    void openRefusesWhatItCannotShow()
    {
        struct Case
        {
            const char* what;
            const char* display;
            QStringList arguments;
            const char* message;
        };
        const Case cases[] = {
            {"no display", "", {"open"}, "no display to show the window on"},
            {"unreadable drawing",
             ":0",
             {"open", "/nonexistent/plan.dxf"},
             "/nonexistent/plan.dxf cannot be opened"},
        };
        for (const Case& c : cases) {
            QProcess kvcad;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DISPLAY"), QLatin1String(c.display));
            environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
            if (QLatin1String(c.display).isEmpty()) {
                environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
            } else {
                environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            }
            kvcad.setProcessEnvironment(environment);
            kvcad.start(QStringLiteral(KV_KVCAD_PATH), c.arguments);
            QVERIFY2(kvcad.waitForFinished(60000), c.what);
            QCOMPARE(kvcad.exitCode(), 2);
            QVERIFY2(QString::fromLocal8Bit(kvcad.readAllStandardError()).contains(c.message),
                     c.what);
        }
    }

private:
    HostSession& m_session;
};

int runTestDesktopWindow(HostSession& session, int argc, char** argv)
{
    TestDesktopWindow test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "TestDesktopWindow.moc"
