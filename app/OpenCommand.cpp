#include "Commands.h"
#include "ModuleHost.h"

#include <CLI/CLI.hpp>
#include <DesktopOpen.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

CommandRun setUpOpen(CLI::App& command)
{
    auto drawing = std::make_shared<std::string>();
    command.add_option("DRAWING", *drawing, "the drawing to open");
    return [drawing] {
        std::string error;
        const std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
        if (!host) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return static_cast<int>(kExitUnreadable);
        }
        std::vector<std::string> args;
        if (!drawing->empty()) {
            args.push_back(*drawing);
        }
        return runOpen(host->services(), args);
    };
}
