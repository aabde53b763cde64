#include "UiTestSupport.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The violation records the Verify Standards dialog is handed.
    CKvStdsError::rxInit();
    CKvStdsFix::rxInit();
    app.setApplicationDisplayName(QStringLiteral("ui_tests"));
    int failures = 0;
    failures += runTestMessageDialogs(argc, argv);
    failures += runTestVerifyStandards(argc, argv);
    failures += runTestVerifyStandardsWalk(argc, argv);
    CKvStdsFix::rxUninit();
    CKvStdsError::rxUninit();
    return failures == 0 ? 0 : 1;
}
