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
#include <cstdlib>
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

// Whether the dialogs the commands open can be seen and answered: a display, or a Qt platform
// the user chose (offscreen for scripts that know no dialog comes).
bool dialogsCanBeShown()
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

int runCommands(ModuleHost& host, const RunOptions& options);

int runRun(const RunOptions& options)
{
    const std::string& drawing = options.drawing;
    if (!dialogsCanBeShown()) {
        // A dialog nobody can see would wait for an answer forever.
        std::fputs(
            "kvcad run: there is no display to show the commands' dialogs on (neither DISPLAY "
            "nor WAYLAND_DISPLAY is set); without one, use kvcad check and kvcad fix, or "
            "choose a Qt platform with QT_QPA_PLATFORM\n",
            stderr);
        return kExitUnreadable;
    }
    return ModuleHost::runOn(drawing, [&](ModuleHost& host) { return runCommands(host, options); });
}

int runCommands(ModuleHost& host, const RunOptions& options)
{
    const std::string& drawing = options.drawing;
    CKvSystemServices& services = host.services();
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
        // An error saving is said by the caller, with the drawing's name.
        document->database()->writeFile(OdString(drawing));
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
