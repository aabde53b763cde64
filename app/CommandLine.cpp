#include "CommandLine.h"

#include <OdError.h>

#include <algorithm>
#include <cstdio>
#include <map>

CLI::Validator nonEmpty(const std::string& what)
{
    return CLI::Validator(
        [what](const std::string& value) {
            return value.empty() ? "needs " + what : std::string();
        },
        std::string());
}

void addFormatOption(CLI::App& command, ReportFormat& format,
                     const std::vector<ReportFormat>& offered)
{
    static const std::map<ReportFormat, std::string> kNames = {{ReportFormat::Text, "text"},
                                                               {ReportFormat::Json, "json"},
                                                               {ReportFormat::Junit, "junit"},
                                                               {ReportFormat::Html, "html"}};
    std::map<std::string, ReportFormat> byName;
    std::string names;
    for (const ReportFormat offer : offered) {
        byName.emplace(kNames.at(offer), offer);
        names += (names.empty() ? "" : "|") + kNames.at(offer);
    }
    command.add_option("--format", format, "the report's format")
        ->type_name(names)
        ->transform(CLI::Validator(
            [byName, names](std::string& value) {
                const auto found = byName.find(value);
                if (found == byName.end()) {
                    return "unknown format \"" + value + "\" (" + names + ")";
                }
                // The option reads the enumerator's number.
                value = std::to_string(static_cast<int>(found->second));
                return std::string();
            },
            std::string()));
}

int reportingErrors(const std::string& drawing, const CommandRun& run)
{
    try {
        return run();
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", aboutFile(drawing, e.description().toUtf8()).c_str());
        return kExitUnreadable;
    }
}

namespace {

std::vector<std::string>& keptArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

}  // namespace

void keepProgramArguments(int argc, char** argv)
{
    keptArguments().assign(argv + std::min(argc, 1), argv + argc);
}

const std::vector<std::string>& programArguments()
{
    return keptArguments();
}

CommandRun runChosen(std::vector<Subcommand> subcommands)
{
    return [subcommands = std::move(subcommands)] {
        for (const auto& [command, run] : subcommands) {
            if (command->parsed()) {
                return run();
            }
        }
        return static_cast<int>(kExitUnreadable);
    };
}
