// kvcad run DRAWING COMMAND... [--save]: opens the drawing as the current document and runs host
// and module commands on it, as a user types them ("VERIFYSTANDARDS", "_DWGSTANDARDS 2"). Dialogs
// the commands open are shown; --save writes the drawing back afterwards.
#include "CommandLine.h"
#include "Commands.h"
#include "ModuleHost.h"

#include <CKvCommand.h>
#include <CKvCommandProcessor.h>
#include <CKvDocument.h>
#include <CKvDocumentManager.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* whatEnded(int result)
{
    switch (result) {
        case CKvCommand::kResultRejected:
            return "is not a command";
        case CKvCommand::kResultCancel:
            return "was cancelled";
        case CKvCommand::kResultFailed:
            return "failed";
        default:
            return "ended with an error";
    }
}

struct RunOptions
{
    std::string drawing;
    std::vector<std::string> commands;
    bool save = false;
};

int runRun(const RunOptions& options)
{
    const std::string& drawing = options.drawing;

    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    CKvSystemServices& services = host->services();
    services.registerHostCommands();
    CKvDocumentManager* documents = services.documentManager();
    CKvDocument* document = documents->open(CKvString(drawing.c_str()));
    if (document == nullptr) {
        std::fprintf(stderr, "%s\n", documents->lastError().toUtf8().c_str());
        return kExitUnreadable;
    }
    documents->activate(document);

    int status = kExitOk;
    CKvCommandProcessor& processor = services.commandProcessor();
    for (const std::string& line : options.commands) {
        const OdResBufPtr chain = CKvCommandProcessor::parseCommandLine(CKvString(line.c_str()));
        if (chain.isNull()) {
            continue;
        }
        const int result = processor.runCommandChain(chain.get());
        processor.runQueuedCommands();
        if (result != CKvCommand::kResultNormal) {
            const CKvString failure = processor.lastFailure();
            std::fprintf(stderr, "%s: \"%s\" %s%s%s\n", drawing.c_str(), line.c_str(),
                         whatEnded(result), failure.isEmpty() ? "" : ": ",
                         failure.toUtf8().c_str());
            status = kExitViolations;
        }
    }

    if (options.save) {
        try {
            document->database()->writeFile(OdString(drawing));
        } catch (const OdError& e) {
            std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
            status = kExitUnreadable;
        }
    }
    documents->close(document);
    return status;
}

}  // namespace

CommandRun setUpRun(CLI::App& command)
{
    auto options = std::make_shared<RunOptions>();
    command.add_option("DRAWING", options->drawing, "the drawing")->required();
    command
        .add_option("COMMAND", options->commands,
                    "a command line, such as VERIFYSTANDARDS or \"_DWGSTANDARDS 2\"")
        ->required();
    command.add_flag("--save", options->save, "write the drawing back afterwards");
    return [options] { return runRun(*options); };
}
