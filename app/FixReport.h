#pragma once

#include "CheckReport.h"
#include "FixMap.h"

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

// Text: a line per fix applied, per violation left and per unmatched row of the map, then a
// summary. JSON: {"version": 1, "drawings": [...]}, a fix or a violation per line.
std::unique_ptr<FixReport> makeFixReport(ReportFormat format, std::FILE* out);
