#include "DesktopOpen.h"

#include "DesktopWindow.h"

#include <QApplication>

#include <cstdio>

int runOpen(CKvSystemServices& services, const std::vector<std::string>& args)
{
    if (args.size() > 1) {
        std::fputs("usage: kvcad open [DRAWING]\n", stderr);
        return 2;
    }
    // Without a display the host draws its windows nowhere; a window nobody can see would wait
    // for ever.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(
            "kvcad open: there is no display to show the window on (DISPLAY and "
            "WAYLAND_DISPLAY are not set)\n",
            stderr);
        return 2;
    }
    services.registerHostCommands();
    DesktopWindow window(services);
    if (!args.empty()) {
        QString error;
        if (!window.openDrawing(QString::fromLocal8Bit(args[0].c_str()), &error)) {
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
            return 2;
        }
    }
    window.show();
    return QApplication::exec() == 0 ? 0 : 2;
}
