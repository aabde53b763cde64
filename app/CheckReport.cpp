#include "CheckReport.h"

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
