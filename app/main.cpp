#include "Commands.h"
#include "MemoryTuning.h"
#include "ModuleHost.h"

#include <DesktopOpen.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void usage(FILE* out)
{
    std::fputs(
        "usage: kvcad <command> [arguments]\n"
        "\n"
        "commands:\n"
        "  info DRAWING [--json]   version, code page, entity counts and table records\n"
        "  convert IN OUT          read a drawing and write it back as ASCII DXF\n"
        "  standards ...           the standards files a drawing is associated with, and the\n"
        "                          standards settings (kvcad standards for details)\n"
        "  check DRAWING... [--standards FILE]... [--format text|json|junit] [--output FILE]\n"
        "        [--all-fixes]\n"
        "                          check drawings against their standards files (or the FILEs,\n"
        "                          in that order); exit 0 when no violation is left that is not\n"
        "                          ignored, 1 when one is, 2 when a drawing or standards file\n"
        "                          cannot be read\n"
        "  run DRAWING COMMAND... [--save]\n"
        "                          open the drawing and run commands on it as typed, such as\n"
        "                          DRAWINGSTANDARDS or VERIFYSTANDARDS (their dialogs are shown);\n"
        "                          --save writes the drawing back\n"
        "  open [DRAWING]          the desktop: a window in which to edit the drawing's layers\n"
        "                          and styles, with the standards module at work\n",
        out);
}

}  // namespace

int main(int argc, char** argv)
{
    restartWithHugePageHeap(argv);
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUnreadable : kExitOk;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "info") {
        return runInfo(args);
    }
    if (command == "convert") {
        return runConvert(args);
    }
    if (command == "standards") {
        return runStandards(args);
    }
    if (command == "check") {
        return runCheck(args);
    }
    if (command == "run") {
        return runRun(args);
    }
    if (command == "open") {
        std::string error;
        const std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
        if (!host) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return kExitUnreadable;
        }
        return runOpen(host->services(), args);
    }
    std::fprintf(stderr, "kvcad: unknown command \"%s\"\n", command.c_str());
    usage(stderr);
    return kExitUnreadable;
}
