// The behaviours the three dialogs that stop verification have in common, checked for one of them.
// The dialogs differ in their message, their check box and their help topic (RunDialogFacts).
#ifndef KV_RUN_DIALOG_CHECKS_H
#define KV_RUN_DIALOG_CHECKS_H

#include "UiTestSupport.h"

#include <CKvHelp.h>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTest>

template <class Dialog>
struct RunDialogFacts
{
    const char* context;
    const char* message;
    const char* checkBoxName;
    const char* checkBoxCaption;
    bool (Dialog::*isChecked)() const;
    int helpId;
};

template <class Dialog>
void checkMessageUnderTheHostsName(const RunDialogFacts<Dialog>& facts)
{
    HostServicesScope host;
    Dialog dialog;
    const auto* label = dialog.template findChild<QLabel*>("label");
    const auto* box = dialog.template findChild<QCheckBox*>(facts.checkBoxName);
    QVERIFY(label);
    QVERIFY(box);
    QCOMPARE(label->text(), QString::fromUtf8(facts.message));
    QVERIFY(!label->wordWrap());
    QCOMPARE(box->text(), QString::fromUtf8(facts.checkBoxCaption));
    QVERIFY(box->isChecked());
    QVERIFY((dialog.*facts.isChecked)());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("kvcad"));
    const auto* buttons = dialog.template findChild<QDialogButtonBox*>("buttonBox");
    QVERIFY(buttons);
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

template <class Dialog>
void checkWarningIconBesideTheMessage(const RunDialogFacts<Dialog>& facts)
{
    Dialog dialog;
    checkIconBesideWholeMessage(dialog, "label", QString::fromLatin1(facts.context));
    const QImage shown = labelImage(dialog, "label_4");
    QCOMPARE(shown.size(), QSize(50, 50));
    QCOMPARE(shown, expectedIcon(dialog, QStyle::SP_MessageBoxWarning));
    QVERIFY(shown != expectedIcon(dialog, QStyle::SP_MessageBoxInformation));
    QVERIFY(dialog.template findChild<QLabel*>("label_4")->text().isEmpty());
}

template <class Dialog>
void checkTextsTranslatedInContext(const RunDialogFacts<Dialog>& facts)
{
    const ContextMarker marker(facts.context);
    Dialog dialog;
    QCOMPARE(unmarkedTexts(dialog, marker, {"label", facts.checkBoxName}), QStringList());
}

inline void addExecRows()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<bool>("untick");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("checked");
    QTest::newRow("OK with the box left checked") << Ending::ClickOk << false << 1 << true;
    QTest::newRow("OK with the box unticked") << Ending::ClickOk << true << 1 << false;
    QTest::newRow("Enter takes OK") << Ending::PressEnter << false << 1 << true;
    QTest::newRow("Cancel with the box checked") << Ending::ClickCancel << false << 0 << true;
    QTest::newRow("Cancel with the box unticked") << Ending::ClickCancel << true << 0 << false;
    QTest::newRow("window closed with the box checked")
        << Ending::CloseWindow << false << 0 << true;
    QTest::newRow("Escape with the box checked") << Ending::PressEscape << false << 0 << true;
}

template <class Dialog>
void checkExecReportsAnswerAndCheckBox(const RunDialogFacts<Dialog>& facts)
{
    QFETCH(Ending, ending);
    QFETCH(bool, untick);
    QFETCH(int, result);
    QFETCH(bool, checked);
    Dialog dialog;
    endWhenShown(dialog, ending, [&facts, untick](QDialog& shown) {
        if (untick) {
            shown.findChild<QCheckBox*>(facts.checkBoxName)->click();
        }
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE((dialog.*facts.isChecked)(), checked);
}

template <class Dialog>
void checkHelpTopic(const RunDialogFacts<Dialog>& facts)
{
    Dialog dialog;
    QCOMPARE(dialog.GetHelpId(), facts.helpId);
    dialog.Help();
    QCOMPARE(CKvHelp::lastTopic(), facts.helpId);
}

#endif  // KV_RUN_DIALOG_CHECKS_H
