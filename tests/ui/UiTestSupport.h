// Helpers shared by the dialog tests: the check of a message dialog's icon and message, and the
// check that a test left no top-level widget behind.
#ifndef KV_UI_TEST_SUPPORT_H
#define KV_UI_TEST_SUPPORT_H

#include <QString>
#include <QStringList>
#include <QStyle>

class QDialog;

// Shows the dialog at the size it opens with and checks that label_4 shows the style's icon (and
// no text) in a 50 pixel square right beside the message label and that no text is cut; saves a
// picture of it under the picture's name.
void checkIconBesideWholeMessage(QDialog& dialog, const char* messageLabel,
                                 QStyle::StandardPixmap icon, const QString& picture);

// The names of the top-level widgets that still exist.
QStringList leftOverTopLevelWidgets();

// The test classes, one per dialog; each returns QTest::qExec's result.
int runTestMessageDialogs(int argc, char** argv);
int runTestVerifyStandards(int argc, char** argv);
int runTestVerifyStandardsWalk(int argc, char** argv);

#endif  // KV_UI_TEST_SUPPORT_H
