#include "RunDialogChecks.h"
#include "UiTestSupport.h"

#include <CKvNoDwgCategoriesSelectedDlg.h>

#include <QApplication>
#include <QObject>
#include <QTest>

namespace {

const RunDialogFacts<CKvNoDwgCategoriesSelectedDlg> kFacts = {
    "CKvNoDwgCategoriesSelectedDlg",
    "Currently no drawing category is checked.",
    "RunDwgCategoryChkBox",
    "Run drawing categories",
    &CKvNoDwgCategoriesSelectedDlg::IsRunDwgCategoriesChecked,
    3071,
};

}  // namespace

class TestNoDwgCategoriesSelectedDlg : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(leftOverTopLevelWidgets(), QStringList()); }

    void showsItsMessageUnderTheHostsName() { checkMessageUnderTheHostsName(kFacts); }
    void showsTheWarningIconBesideTheMessage() { checkWarningIconBesideTheMessage(kFacts); }
    void textsAreTranslatedInItsOwnContext() { checkTextsTranslatedInContext(kFacts); }
    void execReportsTheAnswerAndTheCheckBox_data() { addExecRows(); }
    void execReportsTheAnswerAndTheCheckBox() { checkExecReportsAnswerAndCheckBox(kFacts); }
    void helpShowsItsTopic() { checkHelpTopic(kFacts); }
};

int runTestNoDwgCategoriesSelectedDlg(int argc, char** argv)
{
    TestNoDwgCategoriesSelectedDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestNoDwgCategoriesSelectedDlg.moc"
