#include "BatchCommand.h"

#include "CommandLine.h"
#include "ModuleHost.h"
#include "ReportOutput.h"

#include <CKvStdsManager.h>

#include <memory>

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

int runBatch(const BatchOptions& options, const BatchBody& body)
{
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
    const int result = body(*host, *manager, output->stream());
    if (!output->commit(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    return result;
}
