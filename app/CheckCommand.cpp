#include "BatchCommand.h"
#include "CheckReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DrawingBatch.h"
#include "DrawingCheck.h"
#include "ProjectFile.h"

#include <CKvStdsManager.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct CheckOptions : BatchOptions
{
    ReportSettings report;
    // Given with --max-fixes; else fixesListed() decides by the format.
    std::optional<int> maxFixes;
};

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
        m_check.run(document, drawing, standards,
                    [this](const FoundViolation& found) { m_report.addViolation(found.reported); });
        m_report.endDrawing(std::string());
        m_begun = false;
    }

    bool readsOnly() const override { return true; }

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

private:
    DrawingCheck m_check;
    CheckReport& m_report;
    bool m_begun = false;
};

int runCheck(const CheckOptions& options)
{
    return runBatch(options, "check", [&](BatchRun& run) {
        ReportSettings settings = options.report;
        settings.plugins = enabledPlugins(run.manager());
        settings.requireStandards = options.requireStandards;
        std::vector<std::unique_ptr<CheckReport>> reports;
        int widest = 0;
        for (size_t i = 0; i < run.reports().size(); ++i) {
            const ReportFormat format = run.reports()[i].format;
            settings.maxFixes = fixesListed(format, options.maxFixes);
            widest = widest < 0 || settings.maxFixes < 0 ? -1 : std::max(widest, settings.maxFixes);
            if (run.workerStream() == nullptr) {
                reports.push_back(makeCheckReport(format, run.stream(i), settings));
            }
        }
        if (run.workerStream() != nullptr) {
            // A worker lists as many candidates as the widest of the reports asked for.
            settings.maxFixes = widest;
            reports.push_back(makeJsonReport(run.workerStream(), settings));
        }
        CheckReports all(std::move(reports), options.requireStandards);
        CheckWork work(run.manager(), all);
        run.run(work, [&](const Json& drawing) { replayCheckedDrawing(drawing, all); });
        all.finish();
        return all.exitCode();
    });
}

}  // namespace

CommandRun setUpCheck(CLI::App& command)
{
    auto options = std::make_shared<CheckOptions>();
    addBatchOptions(
        command, *options,
        {ReportFormat::Text, ReportFormat::Json, ReportFormat::Junit, ReportFormat::Html});
    command.add_flag("--all-fixes", options->report.allFixes,
                     "list the candidate fixes of each violation");
    command
        .add_option("--max-fixes", options->maxFixes,
                    "with --all-fixes (here or in the project file), list at most N candidate "
                    "fixes of each violation and say how many more there are (default: all in "
                    "JSON, 20 in the other formats)")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    return [options, &command] {
        std::string error;
        const std::optional<ProjectFile> file =
            completeBatchOptions(command, *options, &ProjectFile::checkReports, error);
        if (!file) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return static_cast<int>(kExitUnreadable);
        }
        if (command.count("--all-fixes") == 0 && file->allFixes) {
            options->report.allFixes = *file->allFixes;
        }
        if (command.count("--max-fixes") == 0 && file->maxFixes) {
            options->maxFixes = file->maxFixes;
        }
        return runCheck(*options);
    };
}
