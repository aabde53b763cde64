// What the commands' parsers share.
#pragma once

#include "CheckReport.h"
#include "Commands.h"
#include "Messages.h"

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

// Refuses an empty value: "--output: needs a file name".
CLI::Validator nonEmpty(const std::string& what);

// --format NAME, one of the `offered` formats by its name ("json").
void addFormatOption(CLI::App& command, ReportFormat& format,
                     const std::vector<ReportFormat>& offered);

// Runs a command on one drawing. An error the SDK raises on the drawing ends it with a message
// naming the drawing, and exit 2.
int reportingErrors(const std::string& drawing, const CommandRun& run);

// A subcommand and what runs it.
using Subcommand = std::pair<const CLI::App*, CommandRun>;

// Runs the one of the subcommands that the command line chose.
CommandRun runChosen(std::vector<Subcommand> subcommands);

// kvcad's command line as main() was given it, without the program's name ("check", ...): kept
// for the worker processes a batch starts.
void keepProgramArguments(int argc, char** argv);
const std::vector<std::string>& programArguments();
