// The three dialogs that stop verification and offer to open the standards configuration. They
// differ in their message, their check box and their help topic (RunDialogFacts); each has its
// test class, whose slot runs the check below. What the user answers, with the box ticked or not,
// is followed through in the tests of the Verify Standards command.
#include "UiTestSupport.h"
#include "WidgetChecks.h"

#include <CKvHelp.h>
#include <CKvMissingStandardsFileDlg.h>
#include <CKvNoDwgCategoriesSelectedDlg.h>
#include <CKvNoStandardsFileDlg.h>

#include <QLabel>
#include <QObject>
#include <QTest>

namespace {

template <class Dialog>
struct RunDialogFacts
{
    const char* context;
    const char* message;
    const char* checkBoxName;
    bool (Dialog::*isChecked)() const;
    int helpId;
};

const RunDialogFacts<CKvMissingStandardsFileDlg> kMissing = {
    "CKvMissingStandardsFileDlg",
    "One or more standards files associated with the current drawing could not be located.",
    "RunStdFileAssocChkBox", &CKvMissingStandardsFileDlg::IsRunStdsDlgChecked, 3072};
const RunDialogFacts<CKvNoStandardsFileDlg> kNoFile = {
    "CKvNoStandardsFileDlg", "The current drawing has no associated standards file.",
    "RunStdFileAssocChkBox", &CKvNoStandardsFileDlg::IsRunStdsDlgChecked, 3072};
const RunDialogFacts<CKvNoDwgCategoriesSelectedDlg> kNoCategory = {
    "CKvNoDwgCategoriesSelectedDlg", "Currently no drawing category is checked.",
    "RunDwgCategoryChkBox", &CKvNoDwgCategoriesSelectedDlg::IsRunDwgCategoriesChecked, 3071};

// Its message with the warning icon beside it, whole, the check box ticked, every text translated
// in the dialog's context, the help topic.
template <class Dialog>
void checkLookAndTexts(const RunDialogFacts<Dialog>& facts)
{
    {
        HostServicesScope host;
        Dialog dialog;
        QCOMPARE(dialog.template findChild<QLabel*>("label")->text(),
                 QString::fromUtf8(facts.message));
        QVERIFY((dialog.*facts.isChecked)());
        dialog.Help();
        QCOMPARE(CKvHelp::lastTopic(), facts.helpId);
        checkIconBesideWholeMessage(dialog, "label", QStyle::SP_MessageBoxWarning,
                                    QString::fromLatin1(facts.context));
    }
    const ContextMarker marker(facts.context);
    Dialog dialog;
    // The window title is the host's name.
    QCOMPARE(untranslatedTexts(dialog, marker, {facts.context}).join(", "), QString());
}

}  // namespace

class TestMissingStandardsFileDlg : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }
    void showsItsMessageAndCheckBox() { checkLookAndTexts(kMissing); }
};

class TestNoStandardsFileDlg : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }
    void showsItsMessageAndCheckBox() { checkLookAndTexts(kNoFile); }
};

class TestNoDwgCategoriesSelectedDlg : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }
    void showsItsMessageAndCheckBox() { checkLookAndTexts(kNoCategory); }
};

int runTestMissingStandardsFileDlg(int argc, char** argv)
{
    TestMissingStandardsFileDlg test;
    return QTest::qExec(&test, argc, argv);
}

int runTestNoStandardsFileDlg(int argc, char** argv)
{
    TestNoStandardsFileDlg test;
    return QTest::qExec(&test, argc, argv);
}

int runTestNoDwgCategoriesSelectedDlg(int argc, char** argv)
{
    TestNoDwgCategoriesSelectedDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestRunDialogs.moc"
