#include "RunDialogChecks.h"
#include "UiTestSupport.h"

#include <CKvMissingStandardsFileDlg.h>

#include <QApplication>
#include <QObject>
#include <QTest>

namespace {

const RunDialogFacts<CKvMissingStandardsFileDlg> kFacts = {
    "CKvMissingStandardsFileDlg",
    "One or more standards files associated with the current drawing could not be located.",
    "RunStdFileAssocChkBox",
    "Run standards files association",
    &CKvMissingStandardsFileDlg::IsRunStdsDlgChecked,
    3072,
};

}  // namespace

class TestMissingStandardsFileDlg : public QObject
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

int runTestMissingStandardsFileDlg(int argc, char** argv)
{
    TestMissingStandardsFileDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestMissingStandardsFileDlg.moc"
