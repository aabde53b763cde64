#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvStandardViolationMessage.h>

#include <QDialog>
#include <QObject>
#include <QRadioButton>
#include <QTest>

namespace {

QRadioButton* runButton(const QWidget& dialog)
{
    return dialog.findChild<QRadioButton*>("runStdVerification");
}

QRadioButton* keepButton(const QWidget& dialog)
{
    return dialog.findChild<QRadioButton*>("keepObjUnchanged");
}

}  // namespace

class TestStandardViolationMessage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void showsTheWarningIconBesideTheMessageUnderTheHostsName()
    {
        {
            HostServicesScope host;
            CKvStandardViolationMessage dialog;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("kvcad"));
            checkIconBesideWholeMessage(dialog, "label", QStyle::SP_MessageBoxWarning,
                                        "CKvStandardViolationMessage");
        }
        const ContextMarker marker("CKvStandardViolationMessage");
        CKvStandardViolationMessage dialog;
        QCOMPARE(untranslatedTexts(dialog, marker, {"CKvStandardViolationMessage"}).join(", "),
                 QString());
    }

    // The caller runs the verification when exec() is non-zero and runStandardDlg() is true.
    // Clicks: 'r' run verification, 'k' keep unchanged.
    void verificationRunsOnlyWhenChosenAndConfirmed_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("run");
        QTest::newRow("OK untouched keeps the object") << "" << Ending::ClickOk << 1 << false;
        QTest::newRow("run chosen, OK") << "r" << Ending::ClickOk << 1 << true;
        QTest::newRow("run then keep, OK") << "rk" << Ending::ClickOk << 1 << false;
        QTest::newRow("keep then run, OK") << "kr" << Ending::ClickOk << 1 << true;
        QTest::newRow("run chosen, Cancel") << "r" << Ending::ClickCancel << 0 << true;
        QTest::newRow("run chosen, Escape") << "r" << Ending::PressEscape << 0 << true;
    }

    void verificationRunsOnlyWhenChosenAndConfirmed()
    {
        QFETCH(QString, clicks);
        QFETCH(Ending, ending);
        QFETCH(int, result);
        QFETCH(bool, run);
        CKvStandardViolationMessage dialog;
        endWhenShown(dialog, ending, [clicks](QDialog& shown) {
            for (const QChar click : clicks) {
                (click == 'r' ? runButton(shown) : keepButton(shown))->click();
            }
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(dialog.runStandardDlg(), run);
        QCOMPARE(runButton(dialog)->isChecked(), run);
        QCOMPARE(keepButton(dialog)->isChecked(), !run);
    }
};

int runTestStandardViolationMessage(int argc, char** argv)
{
    TestStandardViolationMessage test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestStandardViolationMessage.moc"
