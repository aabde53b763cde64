// Shared by the dialog tests: the check that a test left no top-level widget behind, and the test
// classes.
#ifndef KV_UI_TEST_SUPPORT_H
#define KV_UI_TEST_SUPPORT_H

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

// The names of the top-level widgets that still exist.
inline QStringList leftOverTopLevelWidgets()
{
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        names << QString::fromLatin1(widget->metaObject()->className()) + ' ' +
                     widget->objectName();
    }
    return names;
}

// The test classes, one per dialog; each returns QTest::qExec's result.
int runTestMessageDialogs(int argc, char** argv);
int runTestVerifyStandards(int argc, char** argv);
int runTestVerifyStandardsWalk(int argc, char** argv);

#endif  // KV_UI_TEST_SUPPORT_H
