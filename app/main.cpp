#include "CommandLine.h"
#include "Commands.h"

#include <OdError.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Command
{
    const char* name;
    const char* summary;
    CommandRun (*setUp)(CLI::App& command);
};

// Every command of kvcad, in the order the help lists them.
const Command kCommands[] = {
    {"info", "version, code page, entity counts, table records and standards files of a drawing",
     &setUpInfo},
    {"convert", "read a drawing and write it back as ASCII DXF", &setUpConvert},
    {"standards",
     "the standards files a drawing is associated with, the standards settings and plug-ins",
     &setUpStandards},
    {"check",
     "check drawings against their standards files; exit 0 when no violation is left that is not "
     "ignored, 1 when one is, 2 when a drawing or standards file cannot be read",
     &setUpCheck},
    {"fix",
     "apply the recommended fix of every violation that is not ignored, check again and write "
     "the drawing; exit codes as check's",
     &setUpFix},
    {"ignore",
     "mark the violations of a record as ignored in the drawing, for an approved exception, or "
     "clear the mark",
     &setUpIgnore},
    {"report",
     "merge the JSON reports of kvcad check or kvcad fix run in parts (--shard) into one report",
     &setUpReport},
    {"run",
     "open a drawing and run commands on it as typed, such as VERIFYSTANDARDS (their dialogs are "
     "shown)",
     &setUpRun},
    {"open",
     "the desktop: a window in which to edit the drawing's layers and styles, with the standards "
     "module at work",
     &setUpOpen},
};

// "kvcad standards add".
std::string fullName(const CLI::App& command)
{
    const CLI::App* parent = command.get_parent();
    return parent == nullptr ? command.get_name() : fullName(*parent) + " " + command.get_name();
}

// The deepest command the command line named.
const CLI::App& chosenCommand(const CLI::App& app)
{
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    return chosen.empty() ? app : chosenCommand(*chosen.front());
}

// One line saying what is wrong with the arguments, the command's usage and where to find more.
std::string failureMessage(const CLI::App* app, const CLI::Error& error)
{
    const CLI::App& command = chosenCommand(*app);
    const std::string name = fullName(command);
    const auto formatter = std::dynamic_pointer_cast<CLI::Formatter>(app->get_formatter());
    return name + ": " + error.what() + "\n" +
           (formatter ? formatter->make_usage(&command, name) : std::string()) + name +
           " --help lists the options\n";
}

bool isCommand(const std::string& name)
{
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    keepProgramArguments(argc, argv);
    CLI::App app(
        "Checks and fixes the layers, line styles, text styles and dimension styles of "
        "drawings against standards drawings.",
        "kvcad");
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "usage");
    app.formatter(formatter);
    app.failure_message(&failureMessage);
    app.set_version_flag("--version", "kvcad " KV_VERSION);
    app.require_subcommand(1);
    std::vector<Subcommand> commands;
    for (const Command& command : kCommands) {
        CLI::App* sub = app.add_subcommand(command.name, command.summary);
        commands.emplace_back(sub, command.setUp(*sub));
    }
    if (argc < 2) {
        std::fputs(app.help().c_str(), stderr);
        return kExitUnreadable;
    }
    const std::string first = argv[1];
    if (!first.empty() && first[0] != '-' && !isCommand(first)) {
        std::fprintf(stderr, "kvcad: unknown command \"%s\"\n%s", first.c_str(),
                     app.help().c_str());
        return kExitUnreadable;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and --version end here too, with 0.
        return app.exit(error) == 0 ? kExitOk : kExitUnreadable;
    }
    try {
        return runChosen(std::move(commands))();
    } catch (const CLI::ParseError& error) {
        // What the project file was to complete is missing.
        return app.exit(error) == 0 ? kExitOk : kExitUnreadable;
    } catch (const OdError& error) {
        // Commands report errors on their drawings themselves; this one had nothing to name.
        std::fprintf(stderr, "kvcad: %s\n", error.description().toUtf8().c_str());
        return kExitUnreadable;
    }
}
