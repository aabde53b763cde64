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
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("run");
        QTest::newRow("OK untouched keeps the object") << "" << true << false;
        QTest::newRow("run chosen, OK") << "r" << true << true;
        QTest::newRow("keep then run, OK") << "kr" << true << true;
        QTest::newRow("run chosen, Cancel") << "r" << false << true;
    }

    void verificationRunsOnlyWhenChosenAndConfirmed()
    {
        QFETCH(QString, clicks);
        QFETCH(bool, ok);
        QFETCH(bool, run);
        CKvStandardViolationMessage dialog;
        endWhenShown(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel,
                     [clicks](QDialog& shown) {
                         for (const QChar click : clicks) {
                             (click == 'r' ? runButton(shown) : keepButton(shown))->click();
                         }
                     });
        QCOMPARE(dialog.exec(), ok ? 1 : 0);
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
