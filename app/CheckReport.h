#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One candidate fix of a violation: the standards record's display name and its file.
struct ReportedFix
{
    std::string name;
    std::string standardsFile;
};

// One property that differs between the violating record and its recommended fix, both values
// rendered as the Verify Standards dialog shows them.
struct PropertyDiff
{
    std::string property;
    std::string current;
    std::string standard;
};

// One violation as a plug-in reported it, with every text in UTF-8.
struct ReportedViolation
{
    std::string category;  // the plug-in's Name() ("Layers")
    std::string plugin;    // the plug-in's classId()
    std::string objectType;
    std::string name;
    std::string handle;  // hexadecimal, as DXF writes it
    std::string description;
    bool ignored = false;
    std::string ignoredBy;
    // Index of the recommended fix among the candidates; -1 when there is none.
    int recommendedFix = -1;
    std::optional<ReportedFix> fix;
    int fixCount = 0;
    // Every candidate in order; filled only when the report asks for them (wantsAllFixes()).
    std::vector<ReportedFix> fixes;
    // The error's values, in name order.
    std::vector<std::pair<std::string, std::string>> properties;
    // Empty when there is no recommended fix.
    std::vector<PropertyDiff> diff;
};

// A report of `kvcad check`, written as the drawings are checked: beginDrawing, the drawing's
// violations, endDrawing; finish() once after the last drawing. The report writes to a stream it
// does not own; it streams what it can, so long lists of fixes are never held as one text.
class CheckReport
{
public:
    virtual ~CheckReport() = default;

    // `standards`: the files the drawing is checked with, as they are passed to the plug-ins.
    virtual void beginDrawing(const std::string& drawing,
                              const std::vector<std::string>& standards) = 0;
    virtual void addViolation(const ReportedViolation& violation) = 0;
    // `error` is empty when the drawing was checked, else why it could not be.
    virtual void endDrawing(const std::string& error) = 0;
    virtual void finish() = 0;
    // Whether violations should carry every candidate fix.
    virtual bool wantsAllFixes() const = 0;
};

enum class ReportFormat { Text, Json, Junit };

// The report in that format, written to `out`; `allFixes` lists every candidate fix of each
// violation.
std::unique_ptr<CheckReport> makeCheckReport(ReportFormat format, std::FILE* out, bool allFixes);

// Compiler-like lines, one per violation, and a summary line.
std::unique_ptr<CheckReport> makeTextReport(std::FILE* out, bool allFixes);
// {"version": 1, "drawings": [...]}.
std::unique_ptr<CheckReport> makeJsonReport(std::FILE* out, bool allFixes);
// One test suite per drawing, one test case per violation.
std::unique_ptr<CheckReport> makeJunitReport(std::FILE* out, bool allFixes);

// The line of the text report for a violation (without the list of all candidate fixes):
//   DRAWING: violation: Layer "Walls" (Layers, handle 1F): Layer properties are non-standard.
//   [LineColor: red -> yellow] [recommended fix: Walls (/std/office.dws)]
std::string violationLine(const std::string& drawing, const ReportedViolation& violation);
// Layer "Walls" (Layers, handle 1F)
std::string recordText(const std::string& objectType, const std::string& name,
                       const std::string& category, const std::string& handle);
// Walls (/std/office.dws)
std::string fixText(const ReportedFix& fix);

// "1 drawing", "2 drawings".
std::string counted(int count, const char* singular, const char* plural);

// Writes the text as it is; errors are left for the stream's error flag.
void writeText(std::FILE* out, std::string_view text);
