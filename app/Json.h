// JSON as kvcad writes it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

class CheckReport;
struct ReportedFix;
struct ReportedViolation;
struct ReportSettings;

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

// The first line of a JSON report of `kvcad check`, up to the opening of its list of drawings:
// {"version": 1, "command": "check", "plugins": [...], "allFixes": ..., "requireStandards": ...,
// "drawings": [
std::string checkReportHead(const ReportSettings& settings);

// Reading JSON reports back (`kvcad report merge`, and the drawings worker processes check):
// each raises Json's exceptions (json::exception) on a value of another shape.
ReportedFix fixFromJson(const Json& value);
ReportedViolation violationFromJson(const Json& value);
// A drawing of a check report into `report`: beginDrawing, its violations, endDrawing.
void replayCheckedDrawing(const Json& drawing, CheckReport& report);
