#include "BatchCommand.h"
#include "CheckReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DrawingBatch.h"
#include "DrawingCheck.h"

#include <CKvStdsManager.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct CheckOptions : BatchOptions
{
    ReportSettings report;
    // Given with --max-fixes; else all in JSON and kDefaultMaxFixes in the other formats.
    std::optional<int> maxFixes;
};

// Enough candidates to choose from for a reader; a program reading JSON gets them all.
constexpr int kDefaultMaxFixes = 20;

// Reports the check of each drawing as it goes. A drawing that cannot be read, or whose standards
// files cannot all be read, is reported as not checked: checked against part of its standards it
// would show violations that are none.
class CheckWork : public DrawingBatch::Work
{
public:
    CheckWork(CKvStdsManager& manager, CheckReport& report)
        : m_check(manager, report.fixesToList()), m_report(report)
    {}

    void process(CKvDocument& document, const std::string& drawing,
                 const std::vector<CKvString>& standards) override
    {
        m_report.beginDrawing(drawing, toUtf8(standards));
        m_begun = true;
        const int violations = m_check.run(
            document, drawing, standards,
            [this](const FoundViolation& found) { m_report.addViolation(found.reported); });
        m_violations = violations > 0 || m_violations;
        m_report.endDrawing(std::string());
        m_begun = false;
    }

    void failed(const std::string& drawing, const std::vector<std::string>& standards,
                const std::string& message) override
    {
        // The violations found before a plug-in gave up stay in the report.
        if (!m_begun) {
            m_report.beginDrawing(drawing, standards);
        }
        m_report.endDrawing(message);
        m_begun = false;
    }

    bool violations() const { return m_violations; }

private:
    DrawingCheck m_check;
    CheckReport& m_report;
    bool m_begun = false;
    bool m_violations = false;
};

ReportSettings settingsFor(const CheckOptions& options, CKvStdsManager& manager)
{
    ReportSettings settings = options.report;
    settings.maxFixes =
        options.maxFixes.value_or(options.format == ReportFormat::Json ? -1 : kDefaultMaxFixes);
    settings.plugins = enabledPlugins(manager);
    return settings;
}

int runCheck(const CheckOptions& options)
{
    return runBatch(
        options, "check", [&](DrawingBatch& batch, CKvStdsManager& manager, std::FILE* out) {
            const std::unique_ptr<CheckReport> report =
                makeCheckReport(options.format, out, settingsFor(options, manager));
            CheckWork work(manager, *report);
            const bool allChecked = batch.run(options.drawings, work);
            report->finish();
            return !allChecked ? kExitUnreadable : (work.violations() ? kExitViolations : kExitOk);
        });
}

}  // namespace

CommandRun setUpCheck(CLI::App& command)
{
    auto options = std::make_shared<CheckOptions>();
    addBatchOptions(
        command, *options,
        {ReportFormat::Text, ReportFormat::Json, ReportFormat::Junit, ReportFormat::Html});
    CLI::Option* allFixes = command.add_flag("--all-fixes", options->report.allFixes,
                                             "list the candidate fixes of each violation");
    command
        .add_option("--max-fixes", options->maxFixes,
                    "list at most N candidate fixes of each violation and say how many more "
                    "there are (default: all in JSON, 20 in the other formats)")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber)
        ->needs(allFixes);
    return [options] { return runCheck(*options); };
}
