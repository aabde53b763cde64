// The module's five message dialogs: each shows its icon beside its whole message, every text
// translated in its own context, and its help topic; the
// three that stop verification start with their box ticked. How the user's answers are followed
// is tested with the commands that show them, but for the notification's own rule below.
#include "HostDoubles.h"
#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvHelp.h>
#include <CKvMissingStandardsFileDlg.h>
#include <CKvNoDwgCategoriesSelectedDlg.h>
#include <CKvNoStandardsFileDlg.h>
#include <CKvStandardViolationMessage.h>
#include <CKvVerfiyCompleteMessage.h>

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QObject>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

// The style's standard icon as the dialogs draw it (a transparent 50 pixel square).
QImage iconImage(const QWidget& widget, QStyle::StandardPixmap icon)
{
    QPixmap pixmap(50, 50);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    widget.style()->standardIcon(icon, nullptr, &widget).paint(&painter, pixmap.rect());
    painter.end();
    return pixmap.toImage();
}

// Shows the dialog at the size it opens with and checks that label_4 shows the style's icon (and
// no text) in a 50 pixel square right beside the message label and that no text is cut; saves a
// picture of it under the picture's name.
void checkIconBesideWholeMessage(QDialog& dialog, const char* messageLabel,
                                 QStyle::StandardPixmap icon, const QString& picture)
{
    dialog.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    saveScreenshot(dialog, picture);
    const auto* iconLabel = dialog.findChild<QLabel*>("label_4");
    const QWidget* message = dialog.findChild<QLabel*>(messageLabel);
    QVERIFY(iconLabel && message);
    QCOMPARE(iconLabel->pixmap(Qt::ReturnByValue).toImage(), iconImage(dialog, icon));
    QCOMPARE(iconLabel->text(), QString());
    QCOMPARE(iconLabel->size(), QSize(50, 50));
    // The layout's spacing between the two, not a column stretched wider than the icon.
    const int gap = message->x() - (iconLabel->x() + iconLabel->width());
    QVERIFY2(gap <= 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing),
             qPrintable(QStringLiteral("%1 pixels between icon and message").arg(gap)));
    const QStringList cut = cutTexts(dialog);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    dialog.close();
}

struct MessageDialog
{
    const char* context;  // the class, also the picture's name
    const char* title;    // "kvcad", the host's name, is no text of the dialog
    std::function<std::unique_ptr<CKvDialog>()> create;
    const char* messageLabel;
    const char* message;  // empty: not compared here
    QStyle::StandardPixmap icon;
    int helpId;
    const char* data;  // the widgets that show the user's data, separated by blanks
};

template <class Dialog>
std::unique_ptr<CKvDialog> make()
{
    return std::make_unique<Dialog>();
}

std::unique_ptr<CKvDialog> summary()
{
    auto dialog = std::make_unique<CKvVerfiyCompleteMessage>();
    dialog->setViolation(12);
    dialog->setFixed(3);
    dialog->setManualFixed(4);
    dialog->setIgnored(1);
    return dialog;
}

const std::vector<MessageDialog>& messageDialogs()
{
    static const std::vector<MessageDialog> dialogs = {
        {"CKvMissingStandardsFileDlg", "kvcad", make<CKvMissingStandardsFileDlg>, "label",
         "One or more standards files associated with the current drawing could not be located.",
         QStyle::SP_MessageBoxWarning, 3072, ""},
        {"CKvNoStandardsFileDlg", "kvcad", make<CKvNoStandardsFileDlg>, "label",
         "The current drawing has no associated standards file.", QStyle::SP_MessageBoxWarning,
         3072, ""},
        {"CKvNoDwgCategoriesSelectedDlg", "kvcad", make<CKvNoDwgCategoriesSelectedDlg>, "label",
         "Currently no drawing category is checked.", QStyle::SP_MessageBoxWarning, 3071, ""},
        {"CKvStandardViolationMessage", "kvcad", make<CKvStandardViolationMessage>, "label", "",
         QStyle::SP_MessageBoxWarning, 3072, ""},
        {"CKvVerfiyCompleteMessage", "Verification Summary", summary, "label_2", "",
         QStyle::SP_MessageBoxInformation, 3072,
         "num_violations num_autoFix num_manualFix num_Ignored"},
    };
    return dialogs;
}

QRadioButton* runButton(const QWidget& dialog)
{
    return dialog.findChild<QRadioButton*>("runStdVerification");
}

QRadioButton* keepButton(const QWidget& dialog)
{
    return dialog.findChild<QRadioButton*>("keepObjUnchanged");
}

}  // namespace

class TestMessageDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void showsItsIconMessageTextsAndHelp_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < static_cast<int>(messageDialogs().size()); ++i) {
            QTest::newRow(messageDialogs()[i].context) << i;
        }
    }

    void showsItsIconMessageTextsAndHelp()
    {
        QFETCH(int, index);
        const MessageDialog& facts = messageDialogs()[index];
        {
            ServicesScope host;
            const std::unique_ptr<CKvDialog> dialog = facts.create();
            QCOMPARE(dialog->windowTitle(), QString::fromUtf8(facts.title));
            if (*facts.message != '\0') {
                QCOMPARE(dialog->findChild<QLabel*>(facts.messageLabel)->text(),
                         QString::fromUtf8(facts.message));
            }
            for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
                QVERIFY(box->isChecked());
            }
            dialog->Help();
            QCOMPARE(CKvHelp::lastTopic(), facts.helpId);
            checkIconBesideWholeMessage(*dialog, facts.messageLabel, facts.icon,
                                        QString::fromLatin1(facts.context));
        }
        const ContextMarker marker(facts.context);
        const std::unique_ptr<CKvDialog> dialog = facts.create();
        QStringList data = QString(facts.data).split(' ', Qt::SkipEmptyParts);
        if (QString::fromUtf8(facts.title) == "kvcad") {
            data << facts.context;  // the window title is the host's name
        }
        QCOMPARE(untranslatedTexts(*dialog, marker, data).join(", "), QString());
    }

    // The violations are shown when exec() is non-zero and runStandardDlg() is true. Clicks: 'r'
    // run verification, 'k' keep unchanged. OK untouched, and run chosen with OK, are the
    // background check's cases in the module's tests.
    void notificationRunsTheVerificationOnlyWhenChosenAndConfirmed_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("run");
        QTest::newRow("keep then run, OK") << "kr" << true << true;
        QTest::newRow("run chosen, Cancel") << "r" << false << true;
    }

    void notificationRunsTheVerificationOnlyWhenChosenAndConfirmed()
    {
        QFETCH(QString, clicks);
        QFETCH(bool, ok);
        QFETCH(bool, run);
        CKvStandardViolationMessage dialog;
        DialogAnswers answers;
        answers.then([clicks, ok](QDialog& shown) {
            for (const QChar click : clicks) {
                (click == 'r' ? runButton(shown) : keepButton(shown))->click();
            }
            clickButton(shown, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        QCOMPARE(dialog.exec(), ok ? 1 : 0);
        QCOMPARE(dialog.runStandardDlg(), run);
        QCOMPARE(runButton(dialog)->isChecked(), run);
        QCOMPARE(keepButton(dialog)->isChecked(), !run);
    }
};

int runTestMessageDialogs(int argc, char** argv)
{
    TestMessageDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestMessageDialogs.moc"
