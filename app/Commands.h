#pragma once

#include <functional>

namespace CLI {
class App;
}

// Exit codes of kvcad.
enum ExitCode { kExitOk = 0, kExitViolations = 1, kExitUnreadable = 2 };

// What runs a command once the whole command line has been parsed; returns the exit code.
using CommandRun = std::function<int()>;

// Each command declares its arguments and options on its subcommand of the program's parser and
// returns what runs it with the values parsed into them.
// kvcad info DRAWING [--json]
CommandRun setUpInfo(CLI::App& command);
// kvcad convert IN OUT
CommandRun setUpConvert(CLI::App& command);
// kvcad standards add|remove|up|down|list|settings|plugins ...
CommandRun setUpStandards(CLI::App& command);
// kvcad check [DRAWING...] [--standards FILE]... [--format text|json|junit|html]
//             [--output FILE] [--all-fixes [--max-fixes N]] and the batch options (BatchCommand.h)
CommandRun setUpCheck(CLI::App& command);
// kvcad fix [DRAWING...] [--standards FILE]... [--output-dir DIR] [--map FILE]
//           [--format text|json] [--output REPORT] and the batch options (BatchCommand.h)
CommandRun setUpFix(CLI::App& command);
// kvcad ignore DRAWING KIND NAME [--off] [--user NAME]
CommandRun setUpIgnore(CLI::App& command);
// kvcad report merge REPORT... [--format text|json|junit|html] [--output FILE]
CommandRun setUpReport(CLI::App& command);
// kvcad run DRAWING COMMAND... [--save]
CommandRun setUpRun(CLI::App& command);
// kvcad open [DRAWING]
CommandRun setUpOpen(CLI::App& command);
