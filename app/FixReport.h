#pragma once

#include "CheckReport.h"
#include "FixMap.h"
#include "Json.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A fix `kvcad fix` applied: the record as the check reported it, and the standards record.
struct AppliedFix
{
    std::string category;
    std::string objectType;
    std::string name;
    std::string handle;
    ReportedFix fix;
};

// What `kvcad fix` did to one drawing.
struct FixedDrawing
{
    std::string drawing;
    // Where the fixed drawing was written; empty when it was not.
    std::string output;
    std::vector<std::string> standards;
    std::vector<AppliedFix> fixed;
    // What the check finds after the fixes (with the ignored violations).
    std::vector<ReportedViolation> left;
    // Rows of the map that matched no violation or named none of its candidates.
    std::vector<FixMap::Row> unmatched;
    // Why the drawing was not fixed; the other lists are then empty.
    std::string error;
};

// The report of `kvcad fix`, written a drawing at a time; finish() once after the last one.
class FixReport
{
public:
    virtual ~FixReport() = default;
    virtual void addDrawing(const FixedDrawing& drawing) = 0;
    virtual void finish() = 0;
};

// The reports of one run of `kvcad fix` as one, and the exit code the drawings give: 2 when a
// drawing could not be fixed; else 1 when a violation is left that is not ignored or a drawing
// lacks the standards files required; else 0.
class FixReports : public FixReport
{
public:
    FixReports(std::vector<std::unique_ptr<FixReport>> reports, bool requireStandards)
        : m_reports(std::move(reports)), m_requireStandards(requireStandards)
    {}
    void addDrawing(const FixedDrawing& drawing) override;
    void finish() override;
    int exitCode() const { return m_failed ? 2 : m_violations ? 1 : 0; }

private:
    std::vector<std::unique_ptr<FixReport>> m_reports;
    bool m_requireStandards;
    bool m_failed = false;
    bool m_violations = false;
};

// Text: a line per fix applied, per violation left and per unmatched row of the map, then a
// summary. JSON: {"version": 1, "command": "fix", "requireStandards": ..., "drawings": [...]}, a
// fix or a violation per line. `requireStandards`: a drawing associated with no standards file
// fails.
std::unique_ptr<FixReport> makeFixReport(ReportFormat format, std::FILE* out,
                                         bool requireStandards);

// A drawing of a JSON fix report, as the JSON report wrote it; raises Json's exceptions on a value
// of another shape.
FixedDrawing fixedDrawingFromJson(const Json& value);
