#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// One candidate fix of a violation: the standards record's display name and its file.
struct ReportedFix
{
    std::string name;
    std::string standardsFile;
};

// A value as a program reads it: a number or a flag, or neither (a name, a colour).
using TypedValue = std::variant<std::monostate, long long, double, bool>;

// One property that differs between the violating record and its recommended fix, both values
// rendered as the Verify Standards dialog shows them, and as numbers or flags where they are.
struct PropertyDiff
{
    std::string property;
    std::string current;
    std::string standard;
    TypedValue currentValue;
    TypedValue standardValue;
};

// One of the error's values: its text, and its number or flag where it is one.
struct ReportedProperty
{
    std::string name;
    std::string text;
    TypedValue value;
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
    // The candidates in order, as many as the report lists (fixesToList()); how many more there
    // are.
    std::vector<ReportedFix> fixes;
    int fixesNotListed = 0;
    // The error's values, in name order.
    std::vector<ReportedProperty> properties;
    // Empty when there is no recommended fix.
    std::vector<PropertyDiff> diff;
};

enum class ReportFormat { Text, Json, Junit, Html };

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
    // How many candidate fixes of each violation to list: 0 none, -1 all.
    virtual int fixesToList() const = 0;
};

// What a check report says besides the violations.
struct ReportSettings
{
    // List the candidate fixes of each violation, at most `maxFixes` of them (-1: all).
    bool allFixes = false;
    int maxFixes = -1;
    // The plug-ins that check ("Layers 1.0"), in the order they run.
    std::vector<std::string> plugins;
    // A drawing associated with no standards file fails.
    bool requireStandards = false;

    int fixesToList() const { return allFixes ? maxFixes : 0; }
};

// The reports of one run of `kvcad check` as one: each drawing goes to every report, each
// violation with as many candidate fixes as that report lists; and the exit code the drawings
// give.
class CheckReports : public CheckReport
{
public:
    CheckReports(std::vector<std::unique_ptr<CheckReport>> reports, bool requireStandards);

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override;
    void addViolation(const ReportedViolation& violation) override;
    void endDrawing(const std::string& error) override;
    void finish() override;
    // The most any of the reports lists.
    int fixesToList() const override;

    // 2 when a drawing could not be checked; else 1 when a violation is left that is not ignored
    // or a drawing lacks the standards files required; else 0.
    int exitCode() const { return m_failed ? 2 : m_violations ? 1 : 0; }

private:
    std::vector<std::unique_ptr<CheckReport>> m_reports;
    bool m_requireStandards;
    bool m_unassociated = false;
    bool m_failed = false;
    bool m_violations = false;
};

// How many candidate fixes a report in that format lists: `maxFixes` when given, else all in
// JSON (a program reads it) and 20 in the others (enough for a reader to choose from).
inline int fixesListed(ReportFormat format, std::optional<int> maxFixes)
{
    return maxFixes.value_or(format == ReportFormat::Json ? -1 : 20);
}

// The report in that format, written to `out`.
std::unique_ptr<CheckReport> makeCheckReport(ReportFormat format, std::FILE* out,
                                             const ReportSettings& settings);

// Compiler-like lines, one per violation, a line per drawing that passes, and a summary.
std::unique_ptr<CheckReport> makeTextReport(std::FILE* out, const ReportSettings& settings);
// {"version": 1, "drawings": [...]}.
std::unique_ptr<CheckReport> makeJsonReport(std::FILE* out, const ReportSettings& settings);
// One test suite per drawing, one test case per violation (or one passing case).
std::unique_ptr<CheckReport> makeJunitReport(std::FILE* out, const ReportSettings& settings);
// One self-contained page: summaries per category and per drawing, then the violations.
std::unique_ptr<CheckReport> makeHtmlReport(std::FILE* out, const ReportSettings& settings);

// The line of the text report for a violation (without the list of all candidate fixes):
//   DRAWING: violation: Layer "Walls" (Layers, handle 1F): Layer properties are non-standard.
//   [LineColor: red -> yellow] [recommended fix: Walls (/std/office.dws)]
std::string violationLine(const std::string& drawing, const ReportedViolation& violation);
// Layer "Walls" (Layers, handle 1F)
std::string recordText(const std::string& objectType, const std::string& name,
                       const std::string& category, const std::string& handle);
// Walls (/std/office.dws)
std::string fixText(const ReportedFix& fix);

// What is wrong with a drawing associated with no standards file when one is required.
constexpr const char* kStandardsRequired =
    "no standards file is associated with the drawing, and one is required";
// "DRAWING: violation: " and that, the line of the text reports.
std::string missingStandardsLine(const std::string& drawing);

// "a, b, c".
std::string joined(const std::vector<std::string>& items);
// "1 drawing", "2 drawings".
std::string counted(int count, const char* singular, const char* plural);
// The end of a batch summary for the drawings it could not finish: "; 2 drawings without the
// standards files required; 1 drawing not checked" (`unfinished` says what was not done).
std::string troubles(int unassociated, int failed, const char* unfinished);

// Writes the text as it is; errors are left for the stream's error flag.
void writeText(std::FILE* out, std::string_view text);
