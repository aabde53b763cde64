// JSON as kvcad writes it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

struct ReportedFix;
struct ReportedViolation;

// Objects keep their keys in the order they were added.
using Json = nlohmann::ordered_json;

// The value as one line of JSON. Text that is not UTF-8 (a file name in another encoding) gets
// U+FFFD for its bad bytes instead of stopping the report.
std::string jsonText(const Json& value);

// {"name": ..., "standardsFile": ...}
Json fixJson(const ReportedFix& fix);
// A violation as `kvcad check --format json` reports it; `allFixes` adds the candidate fixes
// listed, and how many were not.
Json violationJson(const ReportedViolation& violation, bool allFixes);
