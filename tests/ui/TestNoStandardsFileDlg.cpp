#include "RunDialogChecks.h"
#include "UiTestSupport.h"

#include <CKvNoStandardsFileDlg.h>

#include <QApplication>
#include <QObject>
#include <QTest>

namespace {

const RunDialogFacts<CKvNoStandardsFileDlg> kFacts = {
    "CKvNoStandardsFileDlg",
    "The current drawing has no associated standards file.",
    "RunStdFileAssocChkBox",
    "Run standards files association",
    &CKvNoStandardsFileDlg::IsRunStdsDlgChecked,
    3072,
};

}  // namespace

class TestNoStandardsFileDlg : public QObject
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

int runTestNoStandardsFileDlg(int argc, char** argv)
{
    TestNoStandardsFileDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestNoStandardsFileDlg.moc"
