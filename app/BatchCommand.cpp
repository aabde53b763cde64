#include "BatchCommand.h"

#include "BatchRunner.h"
#include "CommandLine.h"
#include "ModuleHost.h"
#include "ReportOutput.h"

#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>

#include <QFileInfo>

#include <list>
#include <memory>
#include <utility>

void addBatchOptions(CLI::App& command, BatchOptions& options,
                     const std::vector<ReportFormat>& formats)
{
    command.add_option(
        "DRAWING", options.drawings,
        "the drawings: files, folders (their .dxf and .dws files, in every "
        "subfolder), patterns such as \"plans/**/*.dxf\", and @FILE for those listed "
        "in FILE, one a line; the project file's drawings when none is given");
    command
        .add_option("--standards", options.standards,
                    "use this standards file instead of the drawing's association; repeat for "
                    "several, in order")
        ->type_name("FILE")
        ->allow_extra_args(false)
        ->check(nonEmpty("a file name"));
    addFormatOption(command, options.format, formats);
    command.add_option("--output", options.output, "write the report to FILE instead")
        ->type_name("FILE")
        ->check(nonEmpty("a file name"));
    command
        .add_option("--plugins", options.plugins,
                    "run these plug-ins only, by name (Layers) or class id, separated by commas; "
                    "for this run, whatever plug-ins are enabled")
        ->type_name("LIST")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->check(nonEmpty("a plug-in"));
    command.add_flag("--require-standards", options.requireStandards,
                     "a drawing associated with no standards file fails");
    command
        .add_option("--jobs", options.jobs,
                    "do N drawings at a time, each in a process of its own; the report is the "
                    "same")
        ->type_name("N")
        ->check(CLI::Range(1, 256));
    command
        .add_option_function<std::string>(
            "--shard", [&options](const std::string& text) { options.shard = *parseShard(text); },
            "do the K-th of N parts of the drawings, for N machines sharing a batch; their JSON "
            "reports merge with kvcad report merge")
        ->type_name("K/N")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return parseShard(text) ? std::string() : "expected K/N with 1 <= K <= N";
            },
            std::string()));
    command
        .add_option("--config", options.config,
                    "the project file (kvcad.toml in the current folder when not given); the "
                    "options given here win over it")
        ->type_name("FILE")
        ->check(nonEmpty("a file name"));
    command.add_flag("--worker", options.worker)->group("");
}

namespace {

// The message refusing to write the report over a file the batch reads.
std::string overwrites(const std::string& report, const char* what)
{
    return report + ": is " + what + " this command reads; the report is not written over it";
}

bool sameFile(const std::string& a, const std::string& b)
{
    const QString canonical = QFileInfo(QString::fromStdString(a)).canonicalFilePath();
    return !canonical.isEmpty() &&
           canonical == QFileInfo(QString::fromStdString(b)).canonicalFilePath();
}

// Empty when the reports can be written where they are to go; else why not.
std::string outputProblem(const std::vector<ReportRequest>& reports,
                          const std::vector<std::string>& drawings,
                          const std::vector<std::string>& standards)
{
    for (size_t i = 0; i < reports.size(); ++i) {
        const std::string& output = reports[i].output;
        for (size_t j = 0; j < i; ++j) {
            if (output == reports[j].output) {
                return (output.empty() ? std::string("standard output") : output) +
                       ": two reports would be written there";
            }
        }
        for (const auto& [files, what] : {std::make_pair(&drawings, "a drawing"),
                                          std::make_pair(&standards, "a standards file")}) {
            for (const std::string& file : *files) {
                if (!output.empty() && sameFile(output, file)) {
                    return overwrites(output, what);
                }
            }
        }
    }
    return std::string();
}

// Gives the plug-ins named their turn for this run, and the others none; the flags the user
// keeps are not changed. Empty when every name is a plug-in's; else the message.
std::string choosePlugins(CKvStdsManager& manager, const std::vector<std::string>& names,
                          const std::string& command)
{
    if (names.empty()) {
        return std::string();
    }
    std::list<CKvStdsPluginsPtr> plugins;
    manager.getPluginList(plugins);
    std::vector<CKvStdsPluginsPtr> chosen;
    for (const std::string& name : names) {
        const CKvStdsPluginsPtr plugin = pluginNamed(manager, name);
        if (plugin.isNull()) {
            std::string known;
            for (const CKvStdsPluginsPtr& each : plugins) {
                known += (known.empty() ? "" : ", ") + each->Name().toUtf8();
            }
            return "kvcad " + command + ": no standards plug-in \"" + name + "\" (" + known + ")";
        }
        chosen.push_back(plugin);
    }
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        plugin->setEnabled(std::find(chosen.begin(), chosen.end(), plugin) != chosen.end());
    }
    return std::string();
}

int failWith(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    return kExitUnreadable;
}

}  // namespace

std::vector<std::string> enabledPlugins(CKvStdsManager& manager)
{
    std::list<CKvStdsPluginsPtr> plugins;
    manager.getPluginList(plugins);
    std::vector<std::string> enabled;
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        if (!plugin.isNull() && plugin->Enabled()) {
            enabled.push_back(plugin->Name().toUtf8() + " " + plugin->Version().toUtf8());
        }
    }
    return enabled;
}

CKvStdsPluginsPtr pluginNamed(CKvStdsManager& manager, const std::string& name)
{
    std::list<CKvStdsPluginsPtr> plugins;
    manager.getPluginList(plugins);
    const CKvString wanted(name.c_str());
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        if (!plugin.isNull() && (plugin->Name().CompareNoCase(wanted) == 0 ||
                                 plugin->classId().CompareNoCase(wanted) == 0)) {
            return plugin;
        }
    }
    return CKvStdsPluginsPtr();
}

int runBatch(const BatchOptions& options, const std::string& command, const BatchBody& body)
{
    std::string error;
    const std::vector<ReportRequest> reports =
        options.reports.empty() ? std::vector<ReportRequest>{{options.format, options.output}}
                                : options.reports;
    // A worker is handed its drawings one at a time and writes no report of its own.
    std::vector<std::string> drawings;
    std::vector<std::unique_ptr<ReportOutput>> outputs;
    std::vector<std::FILE*> streams;
    if (!options.worker) {
        const std::optional<std::vector<std::string>> expanded =
            expandDrawings(options.drawings, error);
        if (!expanded) {
            return failWith(error);
        }
        drawings = shardOf(*expanded, options.shard);
        error = outputProblem(reports, drawings, options.standards);
        if (!error.empty()) {
            return failWith(error);
        }
        for (const ReportRequest& report : reports) {
            outputs.push_back(ReportOutput::open(report.output, error));
            if (!outputs.back()) {
                return failWith(error);
            }
            streams.push_back(outputs.back()->stream());
        }
    }
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        return failWith(error);
    }
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager == nullptr) {
        return failWith("the standards module published no manager");
    }
    error = choosePlugins(*manager, options.plugins, command);
    if (!error.empty()) {
        return failWith(error);
    }
    if (enabledPlugins(*manager).empty()) {
        return failWith("kvcad " + command +
                        ": every standards plug-in is disabled, so nothing would be checked "
                        "(kvcad standards plugins --enable NAME)");
    }
    BatchRunner run(*host, *manager, options, reports, streams, drawings, command);
    const int result = body(run);
    if (options.worker) {
        return result;
    }
    for (const ReportRequest& report : reports) {
        if (!report.output.empty() && run.reads(report.output)) {
            return failWith(overwrites(report.output, "a standards file"));
        }
    }
    for (const std::unique_ptr<ReportOutput>& output : outputs) {
        if (!output->commit(error)) {
            return failWith(error);
        }
    }
    return result;
}
