#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvVerfiyCompleteMessage.h>

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
};

int runTestVerfiyCompleteMessage(int argc, char** argv)
{
    TestVerfiyCompleteMessage test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestVerfiyCompleteMessage.moc"
