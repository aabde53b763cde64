#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvVerfiyCompleteMessage.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QObject>
#include <QTest>

class TestVerfiyCompleteMessage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void showsTheInformationIconBesideTheMessage()
    {
        {
            CKvVerfiyCompleteMessage dialog;
            dialog.setViolation(12);
            dialog.setFixed(3);
            dialog.setManualFixed(4);
            dialog.setIgnored(1);
            checkIconBesideWholeMessage(dialog, "label_2", QStyle::SP_MessageBoxInformation,
                                        "CKvVerfiyCompleteMessage");
        }
        const ContextMarker marker("CKvVerfiyCompleteMessage");
        CKvVerfiyCompleteMessage dialog;
        QCOMPARE(
            untranslatedTexts(dialog, marker,
                              {"num_violations", "num_autoFix", "num_manualFix", "num_Ignored"})
                .join(", "),
            QString());
    }

    // Each setter shows its own count as a decimal number; a count never set keeps the
    // placeholder.
    void countsShowAsDecimalNumbers()
    {
        CKvVerfiyCompleteMessage dialog;
        dialog.setViolation(0);
        dialog.setFixed(123456);
        dialog.setManualFixed(20);
        QStringList shown;
        for (const char* name : {"num_violations", "num_autoFix", "num_manualFix", "num_Ignored"}) {
            shown << dialog.findChild<QLabel*>(name)->text();
        }
        QCOMPARE(shown, QStringList({"0", "123456", "20", "<<number>>"}));
    }

    void closeIsTheOnlyWayOut_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::newRow("Close") << Ending::ClickClose;
        QTest::newRow("window closed") << Ending::CloseWindow;
        QTest::newRow("Escape") << Ending::PressEscape;
    }

    void closeIsTheOnlyWayOut()
    {
        QFETCH(Ending, ending);
        CKvVerfiyCompleteMessage dialog;
        QCOMPARE(dialog.findChild<QDialogButtonBox*>("buttonBox")->standardButtons(),
                 QDialogButtonBox::StandardButtons(QDialogButtonBox::Close));
        endWhenShown(dialog, ending);
        QCOMPARE(dialog.exec(), 0);
        QVERIFY(!dialog.isVisible());
    }
};

int runTestVerfiyCompleteMessage(int argc, char** argv)
{
    TestVerfiyCompleteMessage test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestVerfiyCompleteMessage.moc"
