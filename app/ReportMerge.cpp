// kvcad report merge REPORT... [--format text|json|junit|html] [--output FILE] [--max-fixes N]:
// the JSON reports of the shards of a batch (kvcad check or kvcad fix with --shard K/N) as one
// report, the drawings in the order of the reports given.
#include "CheckReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FixReport.h"
#include "Json.h"
#include "ReportOutput.h"
#include "TextFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct MergeOptions
{
    std::vector<std::string> reports;
    ReportFormat format = ReportFormat::Text;
    std::string output;
    std::optional<int> maxFixes;
};

struct Report
{
    std::string path;
    Json json;
};

int failWith(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    return kExitUnreadable;
}

// Each report read, of one command; empty, with a message in `error`, when one cannot be read, is
// no JSON report of kvcad check or fix, or is of another command than the first.
std::vector<Report> readReports(const MergeOptions& options, std::string& error)
{
    std::vector<Report> reports;
    for (const std::string& path : options.reports) {
        const std::optional<std::string> text = readTextFile(path, "report", error);
        if (!text) {
            return {};
        }
        Report report{path, Json::parse(*text, nullptr, false)};
        const Json& json = report.json;
        const bool known = json.is_object() && json.value("version", 0) == 1 &&
                           json.contains("drawings") && json.at("drawings").is_array() &&
                           json.contains("command");
        if (!known) {
            error = path + ": not a JSON report of kvcad check or kvcad fix";
            return {};
        }
        if (!reports.empty() && json.at("command") != reports.front().json.at("command")) {
            error = path + ": a report of kvcad " + json.at("command").get<std::string>() +
                    ", and " + reports.front().path + " one of kvcad " +
                    reports.front().json.at("command").get<std::string>();
            return {};
        }
        reports.push_back(std::move(report));
    }
    return reports;
}

ReportSettings checkSettings(const std::vector<Report>& reports, const MergeOptions& options)
{
    ReportSettings settings;
    for (const Report& report : reports) {
        for (const Json& plugin : report.json.value("plugins", Json::array())) {
            const std::string name = plugin.get<std::string>();
            if (std::find(settings.plugins.begin(), settings.plugins.end(), name) ==
                settings.plugins.end()) {
                settings.plugins.push_back(name);
            }
        }
        settings.allFixes = settings.allFixes || report.json.value("allFixes", false);
        settings.requireStandards =
            settings.requireStandards || report.json.value("requireStandards", false);
    }
    settings.maxFixes = fixesListed(options.format, options.maxFixes);
    return settings;
}

// Puts every drawing of the reports into `add`; false, with a message, at a drawing that is not
// as the command writes it.
template <class Add>
bool addDrawings(const std::vector<Report>& reports, Add&& add, std::string& error)
{
    for (const Report& report : reports) {
        const Json& drawings = report.json.at("drawings");
        for (size_t i = 0; i < drawings.size(); ++i) {
            try {
                add(drawings.at(i));
            } catch (const Json::exception& e) {
                error = report.path + ": drawing " + std::to_string(i + 1) +
                        " is not as kvcad writes it (" + e.what() + ")";
                return false;
            }
        }
    }
    return true;
}

int merge(const MergeOptions& options)
{
    std::string error;
    const std::vector<Report> reports = readReports(options, error);
    if (reports.empty()) {
        return failWith(error);
    }
    for (const std::string& path : options.reports) {
        const QString canonical = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
        if (!options.output.empty() &&
            QFileInfo(QString::fromStdString(options.output)).canonicalFilePath() == canonical) {
            return failWith(options.output +
                            ": is a report this command reads; the report is not written over it");
        }
    }
    const bool fix = reports.front().json.at("command") == "fix";
    if (fix && options.format != ReportFormat::Text && options.format != ReportFormat::Json) {
        return failWith("kvcad report merge: reports of kvcad fix merge into text or json");
    }
    std::unique_ptr<ReportOutput> output = ReportOutput::open(options.output, error);
    if (!output) {
        return failWith(error);
    }
    int result = kExitOk;
    if (fix) {
        const bool required = std::any_of(reports.begin(), reports.end(), [](const Report& r) {
            return r.json.value("requireStandards", false);
        });
        std::vector<std::unique_ptr<FixReport>> one;
        one.push_back(makeFixReport(options.format, output->stream(), required));
        FixReports all(std::move(one), required);
        if (!addDrawings(
                reports, [&](const Json& d) { all.addDrawing(fixedDrawingFromJson(d)); }, error)) {
            return failWith(error);
        }
        all.finish();
        result = all.exitCode();
    } else {
        const ReportSettings settings = checkSettings(reports, options);
        std::vector<std::unique_ptr<CheckReport>> one;
        one.push_back(makeCheckReport(options.format, output->stream(), settings));
        CheckReports all(std::move(one), settings.requireStandards);
        if (!addDrawings(
                reports, [&](const Json& d) { replayCheckedDrawing(d, all); }, error)) {
            return failWith(error);
        }
        all.finish();
        result = all.exitCode();
    }
    return output->commit(error) ? result : failWith(error);
}

}  // namespace

CommandRun setUpReport(CLI::App& command)
{
    command.require_subcommand(1);
    CLI::App* mergeCommand = command.add_subcommand(
        "merge",
        "one report of the JSON reports of kvcad check or kvcad fix run in parts (--shard); exit "
        "codes as check's");
    auto options = std::make_shared<MergeOptions>();
    mergeCommand->add_option("REPORT", options->reports, "the JSON reports, in order")
        ->required()
        ->check(nonEmpty("a file name"));
    addFormatOption(
        *mergeCommand, options->format,
        {ReportFormat::Text, ReportFormat::Json, ReportFormat::Junit, ReportFormat::Html});
    mergeCommand->add_option("--output", options->output, "write the report to FILE instead")
        ->type_name("FILE")
        ->check(nonEmpty("a file name"));
    mergeCommand
        ->add_option("--max-fixes", options->maxFixes,
                     "list at most N of the candidate fixes the reports list (default: all in "
                     "JSON, 20 in the other formats)")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    return runChosen({{mergeCommand, [options] { return merge(*options); }}});
}
