#include "BatchCommand.h"

#include "CommandLine.h"
#include "DrawingBatch.h"
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
    command.add_option("DRAWING", options.drawings, "the drawings")->required();
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

int runBatch(const BatchOptions& options, const std::string& command, const BatchBody& body)
{
    for (const auto& [files, what] : {std::make_pair(&options.drawings, "a drawing"),
                                      std::make_pair(&options.standards, "a standards file")}) {
        for (const std::string& file : *files) {
            if (!options.output.empty() && sameFile(options.output, file)) {
                std::fprintf(stderr, "%s\n", overwrites(options.output, what).c_str());
                return kExitUnreadable;
            }
        }
    }
    std::string error;
    std::unique_ptr<ReportOutput> output = ReportOutput::open(options.output, error);
    if (!output) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager == nullptr) {
        std::fprintf(stderr, "the standards module published no manager\n");
        return kExitUnreadable;
    }
    if (enabledPlugins(*manager).empty()) {
        std::fprintf(stderr,
                     "kvcad %s: every standards plug-in is disabled, so nothing would be "
                     "checked (kvcad standards plugins --enable NAME)\n",
                     command.c_str());
        return kExitUnreadable;
    }
    DrawingBatch batch(*host, *manager, options.standards, command + " stopped");
    const int result = body(batch, *manager, output->stream());
    if (!options.output.empty() && batch.reads(options.output)) {
        std::fprintf(stderr, "%s\n", overwrites(options.output, "a standards file").c_str());
        return kExitUnreadable;
    }
    if (!output->commit(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    return result;
}
