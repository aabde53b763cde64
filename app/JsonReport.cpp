#include "CheckReport.h"
#include "Json.h"

namespace {

// The head (checkReportHead), then "drawings": [{"drawing": ..., "standards": [...], "violations":
// [...]}, ...], one violation per line. The document is written piece by piece as the check goes
// on, so that a long list of candidate fixes is never held as one text.
class JsonReport : public CheckReport
{
public:
    JsonReport(std::FILE* out, const ReportSettings& settings) : m_out(out), m_settings(settings)
    {
        writeText(m_out, checkReportHead(settings));
    }

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        writeText(m_out, std::string(m_drawings++ == 0 ? "\n" : ",\n") +
                             "{\"drawing\":" + jsonText(drawing) +
                             ",\"standards\":" + jsonText(standards) + ",\"violations\":[");
        m_violations = 0;
    }

    void addViolation(const ReportedViolation& v) override
    {
        writeText(m_out, m_violations++ == 0 ? "\n" : ",\n");
        writeText(m_out, jsonText(violationJson(v, m_settings.allFixes)));
    }

    void endDrawing(const std::string& error) override
    {
        std::string text = m_violations == 0 ? "]" : "\n]";
        if (!error.empty()) {
            text += ",\"error\":" + jsonText(error);
        }
        writeText(m_out, text + "}");
    }

    void finish() override { writeText(m_out, m_drawings == 0 ? "]}\n" : "\n]}\n"); }

    int fixesToList() const override { return m_settings.fixesToList(); }

private:
    std::FILE* m_out;
    ReportSettings m_settings;
    int m_drawings = 0;
    int m_violations = 0;
};

}  // namespace

std::unique_ptr<CheckReport> makeJsonReport(std::FILE* out, const ReportSettings& settings)
{
    return std::make_unique<JsonReport>(out, settings);
}
