// What the batch commands (check, fix) share: their drawings, standards files, plug-ins, reports
// and the processes that do the work.
#pragma once

#include "CheckReport.h"
#include "DrawingBatch.h"
#include "DrawingList.h"
#include "Json.h"

#include <CKvStdsPlugins.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}
class CKvStdsManager;

// One report a batch writes: its format, and its file (standard output when empty).
struct ReportRequest
{
    ReportFormat format = ReportFormat::Text;
    std::string output;
};

struct BatchOptions
{
    // As given: files, folders, patterns and @lists (expandDrawings).
    std::vector<std::string> drawings;
    // Replace each drawing's association when given.
    std::vector<std::string> standards;
    // --format and --output: the one report when either is given.
    ReportFormat format = ReportFormat::Text;
    std::string output;
    // The reports to write, once the options are complete.
    std::vector<ReportRequest> reports;
    // --config: the project file; kvcad.toml in the current folder when empty.
    std::string config;
    // The plug-ins to run, by name or class id; none: those the user has enabled.
    std::vector<std::string> plugins;
    bool requireStandards = false;
    int jobs = 1;
    Shard shard;
    // Set in the worker processes a batch with --jobs starts.
    bool worker = false;
};

// Declares DRAWING..., --standards FILE (repeatable), --format (one of `formats`), --output FILE,
// --plugins LIST, --require-standards, --jobs N, --shard K/N, --config FILE and the workers'
// hidden --worker.
void addBatchOptions(CLI::App& command, BatchOptions& options,
                     const std::vector<ReportFormat>& formats);

// The plug-ins that run, in their order: "Layers 1.0".
std::vector<std::string> enabledPlugins(CKvStdsManager& manager);
// The manager's plug-in of that name ("Layers") or class id, ignoring case; null when none is.
CKvStdsPluginsPtr pluginNamed(CKvStdsManager& manager, const std::string& name);

// A batch under way, as the command sees it once the module runs.
class BatchRun
{
public:
    virtual ~BatchRun() = default;
    virtual CKvStdsManager& manager() = 0;
    // The drawings, expanded, each once: the shard's part of them.
    virtual const std::vector<std::string>& drawings() const = 0;
    // The reports asked for, and the stream of each (null in a worker).
    virtual const std::vector<ReportRequest>& reports() const = 0;
    virtual std::FILE* stream(size_t report) = 0;
    // A worker writes one JSON report instead, listing as many candidate fixes as the widest of
    // the reports asked for; it goes back to the process that started the worker a drawing at a
    // time. Null when this process is no worker.
    virtual std::FILE* workerStream() = 0;
    // Does every drawing, in list order: opened and handed to `work`, here or in worker processes
    // (--jobs), whose JSON reports of each drawing `replay` puts into the reports. Drawings the
    // work refuses are reported as failed without being opened.
    virtual void run(DrawingBatch::Work& work, const std::function<void(const Json&)>& replay) = 0;
};

// What a batch does once the module runs; returns the exit code.
using BatchBody = std::function<int(BatchRun& run)>;

// Expands the drawings, opens the reports' outputs (each file put in place only when it is
// whole), starts the module with the plug-ins chosen and runs the batch; `command` names it in
// messages ("check"). 2, with a message, when a list of drawings cannot be read, a report cannot
// be written or would be written over a drawing or standards file the batch reads, the module
// cannot be started, a plug-in named is unknown or none is enabled.
int runBatch(const BatchOptions& options, const std::string& command, const BatchBody& body);
