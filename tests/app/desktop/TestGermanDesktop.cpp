// kvcad in German: the window and every dialog a drafter meets show German texts, none of them
// cut, and pictures of them are saved. The catalogues' completeness is checked against the
// sources by the translations test; this checks that they are loaded and fit.
#include "DesktopScenario.h"
#include "TestPrograms.h"
#include "WidgetChecks.h"

#include <CKvStandardsAssociation.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

namespace {

// The titles of the dialogs looked at.
QStringList g_titles;

// Notes the title and the cut texts of the dialog (under its class name), saves its picture,
// then answers it.
DialogAnswers::Answer lookThen(QStringList& cut, const QString& picture,
                               const DialogAnswers::Answer& answer)
{
    return [&cut, picture, answer](QDialog& dialog) {
        g_titles << dialog.windowTitle();
        // What the last step changed is laid out first.
        QCoreApplication::processEvents();
        for (const QString& text : cutTexts(dialog)) {
            cut << QString::fromLatin1(dialog.metaObject()->className()) + ' ' + text;
        }
        saveScreenshot(dialog, picture + QStringLiteral("-de"));
        answer(dialog);
    };
}

DialogAnswers::Answer press(QDialogButtonBox::StandardButton which)
{
    return [which](QDialog& dialog) { clickButton(dialog, which); };
}

}  // namespace

class TestGermanDesktop : public QObject
{
    Q_OBJECT

public:
    explicit TestGermanDesktop(HostSession& session) : m_session(session) {}

private slots:
    void initTestCase() { m_session.reload(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanupTestCase() { m_session.reload(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void windowAndDialogsShowWholeGermanTexts()
    {
        QStringList cut;
        DesktopScenario s(m_session);
        QVERIFY(s.ready());
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QCOMPARE(s.window->menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
        cut << cutTexts(*s.window);
        saveScreenshot(*s.window, QStringLiteral("kvcad-window-de"));

        DialogAnswers& answers = s.answers;
        answers.then(lookThen(cut, "CKvStandardViolationMessage", press(QDialogButtonBox::Ok)))
            .then([&cut](QDialog& dialog) {
                const auto* name = dialog.findChild<QLabel*>(QStringLiteral("ObjectNameLabel"));
                for (int step = 0; name && !name->text().isEmpty(); ++step) {
                    lookThen(cut, QStringLiteral("CKvVerifyStandards-%1").arg(step),
                             [](QDialog& shown) { clickNamed(shown, "NextIssueButton"); })(dialog);
                }
                clickButton(dialog, QDialogButtonBox::Close);
            })
            .then(lookThen(cut, "CKvVerfiyCompleteMessage", press(QDialogButtonBox::Close)));
        for (int page = 1; page <= 3; ++page) {
            answers.then(lookThen(cut, QStringLiteral("CKvStandardsConfigDialog-%1").arg(page),
                                  press(QDialogButtonBox::Cancel)));
        }
        answers
            .then(lookThen(cut, "CKvNoDwgCategoriesSelectedDlg", press(QDialogButtonBox::Cancel)))
            .then(lookThen(cut, "CKvMissingStandardsFileDlg", press(QDialogButtonBox::Cancel)))
            .then(lookThen(cut, "CKvNoStandardsFileDlg", press(QDialogButtonBox::Cancel)));

        s.window->runCommandLine(QStringLiteral("SETPROPERTY Layer A-WALL Color 5"));
        s.window->runCommandLine(QStringLiteral("_VERIFYSTANDARDS"));
        for (int page = 1; page <= 3; ++page) {
            s.window->runCommandLine(QStringLiteral("_DWGSTANDARDS %1").arg(page));
        }
        setPluginsEnabled(false);
        s.window->runCommandLine(QStringLiteral("_VERIFYSTANDARDS"));
        setPluginsEnabled(true);
        CKvStandardsAssociation(s.window->document()->database())
            .add(CKvString(s.path("gone.dws")));
        s.window->runCommandLine(QStringLiteral("_VERIFYSTANDARDS"));
        CKvStandardsAssociation(s.window->document()->database()).setPaths({});
        s.window->runCommandLine(QStringLiteral("_VERIFYSTANDARDS"));

        QCOMPARE(answers.shown,
                 QStringList({"CKvStandardViolationMessage", "CKvVerifyStandards",
                              "CKvVerfiyCompleteMessage", "CKvStandardsConfigDialog",
                              "CKvStandardsConfigDialog", "CKvStandardsConfigDialog",
                              "CKvNoDwgCategoriesSelectedDlg", "CKvMissingStandardsFileDlg",
                              "CKvNoStandardsFileDlg"}));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
        // The module's, the host's and Qt's own texts are German too.
        for (const char* title :
             {"Normen prüfen", "Zusammenfassung der Prüfung", "Normen konfigurieren"}) {
            QVERIFY2(g_titles.contains(QString::fromUtf8(title)), title);
        }
    }

private:
    HostSession& m_session;
};

int runTestGermanDesktop(HostSession& session, int argc, char** argv)
{
    TestGermanDesktop test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "TestGermanDesktop.moc"
