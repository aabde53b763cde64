// The project file of kvcad check and kvcad fix: kvcad.toml in the current folder, or the file
// given with --config. What a CI job checks and how, kept with the drawings:
//
//   drawings = ["plans", "@drawings.txt"]     # as DRAWING... takes them
//   standards = ["standards/company.dws"]     # as --standards
//   plugins = ["Layers", "Text Styles"]       # as --plugins
//   require-standards = true
//   jobs = 4
//   [check]
//   all-fixes = true
//   max-fixes = 50
//   reports = [{format = "junit", output = "check.xml"}, {format = "html", output = "check.html"}]
//   [fix]
//   output-dir = "fixed"
//   map = "legacy-names.csv"
//   reports = [{format = "json", output = "fix.json"}]
//
// Paths are relative to the file's folder. A report without an output goes to standard output.
#pragma once

#include "BatchCommand.h"

#include <optional>
#include <string>
#include <vector>

struct ProjectFile
{
    std::optional<std::vector<std::string>> drawings;
    std::optional<std::vector<std::string>> standards;
    std::optional<std::vector<std::string>> plugins;
    std::optional<bool> requireStandards;
    std::optional<int> jobs;
    // [check]
    std::optional<bool> allFixes;
    std::optional<int> maxFixes;
    std::optional<std::vector<ReportRequest>> checkReports;
    // [fix]
    std::optional<std::string> outputDir;
    std::optional<std::string> map;
    std::optional<std::vector<ReportRequest>> fixReports;
};

// The project file `given`, else kvcad.toml in the current folder; none when neither is given nor
// there. `error` is set, naming the file and the line, when the file cannot be read, is no TOML,
// holds a key kvcad does not know or a value of the wrong kind.
std::optional<ProjectFile> readProjectFile(const std::string& given, std::string& error);

// Reads the project file (readProjectFile, --config) and takes what the command line leaves out
// of the options shared by check and fix from it: an option given on the command line wins, and
// --format or --output there is the one report of the run. `reports` picks the command's reports
// of the file. Returns the file (empty when there is none); none, with the message in `error`,
// when it cannot be read. Raises CLI::RequiredError when neither names a drawing.
std::optional<ProjectFile> completeBatchOptions(
    const CLI::App& command, BatchOptions& options,
    std::optional<std::vector<ReportRequest>> ProjectFile::*reports, std::string& error);
