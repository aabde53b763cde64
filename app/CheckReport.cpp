#include "CheckReport.h"

#include <algorithm>

std::unique_ptr<CheckReport> makeCheckReport(ReportFormat format, std::FILE* out,
                                             const ReportSettings& settings)
{
    switch (format) {
        case ReportFormat::Json:
            return makeJsonReport(out, settings);
        case ReportFormat::Junit:
            return makeJunitReport(out, settings);
        case ReportFormat::Html:
            return makeHtmlReport(out, settings);
        case ReportFormat::Text:
            break;
    }
    return makeTextReport(out, settings);
}

void writeText(std::FILE* out, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), out);
}

CheckReports::CheckReports(std::vector<std::unique_ptr<CheckReport>> reports, bool requireStandards)
    : m_reports(std::move(reports)), m_requireStandards(requireStandards)
{}

void CheckReports::beginDrawing(const std::string& drawing,
                                const std::vector<std::string>& standards)
{
    m_unassociated = m_requireStandards && standards.empty();
    for (const std::unique_ptr<CheckReport>& report : m_reports) {
        report->beginDrawing(drawing, standards);
    }
}

void CheckReports::addViolation(const ReportedViolation& violation)
{
    m_violations = m_violations || !violation.ignored;
    for (const std::unique_ptr<CheckReport>& report : m_reports) {
        const int listed = report->fixesToList();
        if (listed < 0 || violation.fixes.size() <= static_cast<size_t>(listed)) {
            report->addViolation(violation);
            continue;
        }
        ReportedViolation cut = violation;
        cut.fixes.resize(static_cast<size_t>(listed));
        cut.fixesNotListed = cut.fixCount - listed;
        report->addViolation(cut);
    }
}

void CheckReports::endDrawing(const std::string& error)
{
    m_failed = m_failed || !error.empty();
    m_violations = m_violations || (error.empty() && m_unassociated);
    for (const std::unique_ptr<CheckReport>& report : m_reports) {
        report->endDrawing(error);
    }
}

void CheckReports::finish()
{
    for (const std::unique_ptr<CheckReport>& report : m_reports) {
        report->finish();
    }
}

int CheckReports::fixesToList() const
{
    int most = 0;
    for (const std::unique_ptr<CheckReport>& report : m_reports) {
        const int listed = report->fixesToList();
        most = most < 0 || listed < 0 ? -1 : std::max(most, listed);
    }
    return most;
}
