#include "Commands.h"

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
        "                          standards settings (kvcad standards for details)\n",
        out);
}

}  // namespace

int main(int argc, char** argv)
{
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
    std::fprintf(stderr, "kvcad: unknown command \"%s\"\n", command.c_str());
    usage(stderr);
    return kExitUnreadable;
}
