#pragma once

#include <string>
#include <vector>

// Exit codes of kvcad.
enum ExitCode { kExitOk = 0, kExitViolations = 1, kExitUnreadable = 2 };

// kvcad info DRAWING [--json]
int runInfo(const std::vector<std::string>& args);
// kvcad convert IN OUT
int runConvert(const std::vector<std::string>& args);
// kvcad standards add|remove|up|down|list|settings ...
int runStandards(const std::vector<std::string>& args);
// kvcad check DRAWING... [--standards FILE]... [--format text|json|junit] [--output FILE]
//             [--all-fixes]
int runCheck(const std::vector<std::string>& args);
// kvcad run DRAWING COMMAND... [--save]
int runRun(const std::vector<std::string>& args);
