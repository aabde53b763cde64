#include "DesktopScenario.h"
#include "TestPrograms.h"

#include <QApplication>
#include <QProcess>

#include <clocale>

QString runPython(const QStringList& arguments)
{
    QProcess python;
    python.setProcessChannelMode(QProcess::MergedChannels);
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!python.waitForFinished(120000)) {
        return QStringLiteral("python did not finish: %1").arg(python.errorString());
    }
    const QString output = QString::fromUtf8(python.readAll());
    return python.exitCode() == 0
               ? output
               : QStringLiteral("exit %1: %2").arg(python.exitCode()).arg(output);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Numbers in drawings are written in the C locale whatever the user's.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    HostSession session;
    int failures = 0;
    failures += runTestDesktopWindow(session, argc, argv);
    failures += runTestGermanDesktop(session, argc, argv);
    return failures == 0 ? 0 : 1;
}
