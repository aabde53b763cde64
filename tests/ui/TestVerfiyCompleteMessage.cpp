#include "UiTestSupport.h"

#include <CKvHelp.h>
#include <CKvVerfiyCompleteMessage.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QObject>
#include <QTest>

#include <optional>

namespace {

using Count = std::optional<int>;

QString shownText(const QWidget& dialog, const char* labelName)
{
    const auto* label = dialog.findChild<QLabel*>(labelName);
    return label ? label->text() : QStringLiteral("(no %1)").arg(labelName);
}

}  // namespace

Q_DECLARE_METATYPE(Count)

class TestVerfiyCompleteMessage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void showsTheInformationIconBesideTheMessage()
    {
        CKvVerfiyCompleteMessage dialog;
        dialog.setViolation(12);
        dialog.setFixed(3);
        dialog.setManualFixed(4);
        dialog.setIgnored(1);
        checkIconBesideWholeMessage(dialog, "label_2", "CKvVerfiyCompleteMessage");
        const QImage shown = labelImage(dialog, "label_4");
        QCOMPARE(shown.size(), QSize(50, 50));
        QCOMPARE(shown, expectedIcon(dialog, QStyle::SP_MessageBoxInformation));
        QVERIFY(shown != expectedIcon(dialog, QStyle::SP_MessageBoxWarning));
    }

    void textsAreTranslatedInItsOwnContext()
    {
        const ContextMarker marker("CKvVerfiyCompleteMessage");
        CKvVerfiyCompleteMessage dialog;
        QCOMPARE(unmarkedTexts(dialog, marker,
                               {"label_2", "label_9", "label_5", "label_6", "label_7", "label_8"}),
                 QStringList());
        QCOMPARE(dialog.windowTitle(), marker.marked(QStringLiteral("Verification Summary")));
    }

    // A count never set keeps the placeholder; each setter shows its own count only.
    void countsShowAsDecimalNumbers_data()
    {
        QTest::addColumn<Count>("violations");
        QTest::addColumn<Count>("autoFixed");
        QTest::addColumn<Count>("manuallyFixed");
        QTest::addColumn<Count>("ignored");
        QTest::newRow("none set") << Count() << Count() << Count() << Count();
        QTest::newRow("violations only") << Count(12) << Count() << Count() << Count();
        QTest::newRow("each its own") << Count(0) << Count(123456) << Count(20) << Count(10);
    }

    void countsShowAsDecimalNumbers()
    {
        QFETCH(Count, violations);
        QFETCH(Count, autoFixed);
        QFETCH(Count, manuallyFixed);
        QFETCH(Count, ignored);
        CKvVerfiyCompleteMessage dialog;
        if (violations) {
            dialog.setViolation(*violations);
        }
        if (autoFixed) {
            dialog.setFixed(*autoFixed);
        }
        if (manuallyFixed) {
            dialog.setManualFixed(*manuallyFixed);
        }
        if (ignored) {
            dialog.setIgnored(*ignored);
        }
        const auto expected = [](const Count& count) {
            return count ? QString::number(*count) : QStringLiteral("<<number>>");
        };
        QCOMPARE(shownText(dialog, "num_violations"), expected(violations));
        QCOMPARE(shownText(dialog, "num_autoFix"), expected(autoFixed));
        QCOMPARE(shownText(dialog, "num_manualFix"), expected(manuallyFixed));
        QCOMPARE(shownText(dialog, "num_Ignored"), expected(ignored));
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
        const auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        QVERIFY(buttons);
        QCOMPARE(buttons->standardButtons(),
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
