#include "CheckReport.h"
#include "Json.h"

namespace {

std::string fixObject(const ReportedFix& fix)
{
    return "{\"name\": " + jsonQuote(fix.name) +
           ", \"standardsFile\": " + jsonQuote(fix.standardsFile) + "}";
}

// {"version": 1, "drawings": [{"drawing": ..., "standards": [...], "violations": [...]}, ...]},
// one violation per line. The document is written piece by piece as the check goes on.
class JsonReport : public CheckReport
{
public:
    JsonReport(std::FILE* out, bool allFixes) : m_out(out), m_allFixes(allFixes)
    {
        writeText(m_out, "{\"version\": 1, \"drawings\": [");
    }

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        std::string text = m_drawings++ == 0 ? "\n" : ",\n";
        text += "  {\"drawing\": " + jsonQuote(drawing) + ", \"standards\": [";
        for (size_t i = 0; i < standards.size(); ++i) {
            text += (i == 0 ? "" : ", ") + jsonQuote(standards[i]);
        }
        writeText(m_out, text + "], \"violations\": [");
        m_violations = 0;
    }

    void addViolation(const ReportedViolation& v) override
    {
        std::string text = m_violations++ == 0 ? "\n" : ",\n";
        text += "    {\"category\": " + jsonQuote(v.category) +
                ", \"plugin\": " + jsonQuote(v.plugin) +
                ", \"objectType\": " + jsonQuote(v.objectType) +
                ", \"name\": " + jsonQuote(v.name) + ", \"handle\": " + jsonQuote(v.handle) +
                ", \"description\": " + jsonQuote(v.description) +
                ", \"ignored\": " + (v.ignored ? "true" : "false") +
                ", \"ignoredBy\": " + jsonQuote(v.ignoredBy) +
                ", \"recommendedFix\": " + std::to_string(v.recommendedFix) +
                ", \"fix\": " + (v.fix ? fixObject(*v.fix) : "null") +
                ", \"fixCount\": " + std::to_string(v.fixCount) + ", \"properties\": {";
        for (size_t i = 0; i < v.properties.size(); ++i) {
            text += (i == 0 ? "" : ", ") + jsonQuote(v.properties[i].first) + ": " +
                    jsonQuote(v.properties[i].second);
        }
        text += "}, \"diff\": [";
        for (size_t i = 0; i < v.diff.size(); ++i) {
            const PropertyDiff& d = v.diff[i];
            text += (i == 0 ? "" : ", ") + std::string("{\"property\": ") + jsonQuote(d.property) +
                    ", \"current\": " + jsonQuote(d.current) +
                    ", \"standard\": " + jsonQuote(d.standard) + "}";
        }
        text += "]";
        writeText(m_out, text);
        if (m_allFixes) {
            writeText(m_out, ", \"fixes\": [");
            for (size_t i = 0; i < v.fixes.size(); ++i) {
                writeText(m_out, (i == 0 ? "" : ", ") + fixObject(v.fixes[i]));
            }
            writeText(m_out, "]");
        }
        writeText(m_out, "}");
    }

    void endDrawing(const std::string& error) override
    {
        std::string text = m_violations == 0 ? "]" : "\n  ]";
        if (!error.empty()) {
            text += ", \"error\": " + jsonQuote(error);
        }
        writeText(m_out, text + "}");
    }

    void finish() override { writeText(m_out, m_drawings == 0 ? "]}\n" : "\n]}\n"); }

    bool wantsAllFixes() const override { return m_allFixes; }

private:
    std::FILE* m_out;
    bool m_allFixes;
    int m_drawings = 0;
    int m_violations = 0;
};

}  // namespace

std::unique_ptr<CheckReport> makeJsonReport(std::FILE* out, bool allFixes)
{
    return std::make_unique<JsonReport>(out, allFixes);
}
