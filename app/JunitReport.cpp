#include "CheckReport.h"
#include "Markup.h"

namespace {

// The body of a failure: the differing properties, the recommended fix and, when asked for,
// every candidate, one per line.
void appendFailureBody(std::string& out, const ReportedViolation& v, bool allFixes)
{
    for (const PropertyDiff& d : v.diff) {
        out += xml(d.property + ": " + d.current + " -> " + d.standard + "\n");
    }
    out += xml(v.fix ? "recommended fix: " + fixText(*v.fix) : "no recommended fix");
    if (allFixes) {
        out += xml("\ncandidates (" + std::to_string(v.fixCount) + "):");
        for (const ReportedFix& fix : v.fixes) {
            out += xml("\n" + fixText(fix));
        }
        if (v.fixesNotListed > 0) {
            out += xml("\nand " + std::to_string(v.fixesNotListed) + " more");
        }
    }
}

// <testsuites> with one <testsuite> per drawing and one <testcase> per violation: failing, or
// skipped when the violation is ignored. A drawing without violations is one passing test case,
// so that CI lists every drawing checked; one that could not be checked is one erroneous case,
// one without the standards files required one failing case. A
// suite's start tag carries its counts, so a drawing's test cases are collected and written when
// the drawing is done; drawings are written as they finish.
class JunitReport : public CheckReport
{
public:
    JunitReport(std::FILE* out, const ReportSettings& settings) : m_out(out), m_settings(settings)
    {
        writeText(m_out,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<testsuites name=\"kvcad check\">\n");
    }

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        m_drawing = drawing;
        m_standards = standards;
        m_cases.clear();
        m_failures = 0;
        m_skipped = 0;
    }

    void addViolation(const ReportedViolation& v) override
    {
        m_cases += "    <testcase classname=\"" + xml(v.category) + "\" name=\"" +
                   xml(v.objectType + " " + v.name) + "\">\n";
        if (v.ignored) {
            ++m_skipped;
            const std::string by = v.ignoredBy.empty() ? "" : " by " + v.ignoredBy;
            m_cases +=
                "      <skipped message=\"" + xml("ignored" + by + ": " + v.description) + "\"/>\n";
        } else {
            ++m_failures;
            m_cases += "      <failure message=\"" + xml(v.description) + "\" type=\"" +
                       xml(v.objectType) + "\">";
            appendFailureBody(m_cases, v, m_settings.allFixes);
            m_cases += "</failure>\n";
        }
        m_cases += "    </testcase>\n";
    }

    void endDrawing(const std::string& error) override
    {
        const int errors = error.empty() ? 0 : 1;
        const bool unassociated = errors == 0 && m_settings.requireStandards && m_standards.empty();
        m_failures += unassociated ? 1 : 0;
        const bool passed = errors == 0 && m_cases.empty() && !unassociated;
        const int tests = m_failures + m_skipped + errors + (passed ? 1 : 0);
        writeText(m_out, "  <testsuite name=\"" + xml(m_drawing) + "\" tests=\"" +
                             std::to_string(tests) + "\" failures=\"" + std::to_string(m_failures) +
                             "\" errors=\"" + std::to_string(errors) + "\" skipped=\"" +
                             std::to_string(m_skipped) + "\">\n");
        if (!m_standards.empty()) {
            writeText(m_out, "    <properties>\n");
            for (const std::string& path : m_standards) {
                writeText(m_out,
                          "      <property name=\"standards\" value=\"" + xml(path) + "\"/>\n");
            }
            writeText(m_out, "    </properties>\n");
        }
        writeText(m_out, m_cases);
        // The drawing's own test case: passing, failing for want of standards files, or an error.
        if (passed || unassociated || errors != 0) {
            const std::string head =
                "    <testcase classname=\"kvcad check\" name=\"" + xml(m_drawing) + "\"";
            const std::string body = errors != 0 ? "<error message=\"" + xml(error) + "\"/>"
                                     : unassociated
                                         ? "<failure message=\"" + xml(kStandardsRequired) + "\"/>"
                                         : std::string();
            writeText(m_out, body.empty() ? head + "/>\n"
                                          : head + ">\n      " + body + "\n    </testcase>\n");
        }
        writeText(m_out, "  </testsuite>\n");
    }

    void finish() override { writeText(m_out, "</testsuites>\n"); }

    int fixesToList() const override { return m_settings.fixesToList(); }

private:
    std::FILE* m_out;
    ReportSettings m_settings;
    std::string m_drawing;
    std::vector<std::string> m_standards;
    std::string m_cases;
    int m_failures = 0;
    int m_skipped = 0;
};

}  // namespace

std::unique_ptr<CheckReport> makeJunitReport(std::FILE* out, const ReportSettings& settings)
{
    return std::make_unique<JunitReport>(out, settings);
}
