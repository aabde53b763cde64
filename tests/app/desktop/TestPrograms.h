// The desktop test programs, one per test class, and the helpers they share.
#ifndef KV_TEST_PROGRAMS_H
#define KV_TEST_PROGRAMS_H

#include <QString>
#include <QStringList>

class HostSession;

int runTestDesktopWindow(HostSession& session, int argc, char** argv);
int runTestGermanDesktop(HostSession& session, int argc, char** argv);

// Runs /usr/bin/python3 (with ezdxf) with the arguments; returns what it printed on stdout and
// stderr, or a line saying how it failed.
QString runPython(const QStringList& arguments);

#endif  // KV_TEST_PROGRAMS_H
