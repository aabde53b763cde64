#include "CheckReport.h"

std::unique_ptr<CheckReport> makeCheckReport(ReportFormat format, std::FILE* out, bool allFixes)
{
    switch (format) {
        case ReportFormat::Json:
            return makeJsonReport(out, allFixes);
        case ReportFormat::Junit:
            return makeJunitReport(out, allFixes);
        case ReportFormat::Text:
            break;
    }
    return makeTextReport(out, allFixes);
}

void writeText(std::FILE* out, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), out);
}
