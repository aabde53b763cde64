#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvVerfiyCompleteMessage.h>

#include <QDialogButtonBox>
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
