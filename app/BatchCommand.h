// What the batch commands (check, fix) share: their drawings, standards files and report.
#pragma once

#include "CheckReport.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}
class CKvStdsManager;
class DrawingBatch;

struct BatchOptions
{
    std::vector<std::string> drawings;
    // Replace each drawing's association when given.
    std::vector<std::string> standards;
    ReportFormat format = ReportFormat::Text;
    std::string output;
};

// Declares DRAWING..., --standards FILE (repeatable), --format (one of `formats`) and
// --output FILE.
void addBatchOptions(CLI::App& command, BatchOptions& options,
                     const std::vector<ReportFormat>& formats);

// The plug-ins that run, in their order: "Layers 1.0".
std::vector<std::string> enabledPlugins(CKvStdsManager& manager);

// What a batch does once the module runs: runs `batch` over the drawings, writes its report to
// `report` and returns the exit code.
using BatchBody =
    std::function<int(DrawingBatch& batch, CKvStdsManager& manager, std::FILE* report)>;

// Opens the report's output (a file is put in place only when it is whole), starts the module and
// runs the batch; `command` names it in messages ("check"). 2, with a message, when the report
// cannot be written, would be written over a drawing or standards file the batch reads, the module
// cannot be started or every plug-in is disabled.
int runBatch(const BatchOptions& options, const std::string& command, const BatchBody& body);
