#include "CheckReport.h"

std::string counted(int count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

namespace {

// One line per violation, as a compiler reports an error:
//   DRAWING: violation: Layer "Walls" (Layers, handle 1F): Layer properties are non-standard.
//   [LineColor: red -> yellow] [recommended fix: Walls (/std/office.dws)]
// (one line), then a summary line after the last drawing.
class TextReport : public CheckReport
{
public:
    TextReport(std::FILE* out, bool allFixes) : m_out(out), m_allFixes(allFixes) {}

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        m_drawing = drawing;
        m_withoutStandards = standards.empty();
    }

    void addViolation(const ReportedViolation& v) override
    {
        ++(v.ignored ? m_ignored : m_violations);
        writeText(m_out, violationLine(m_drawing, v));
        if (m_allFixes) {
            writeText(m_out, " [" + counted(v.fixCount, "candidate", "candidates"));
            for (size_t i = 0; i < v.fixes.size(); ++i) {
                writeText(m_out, (i == 0 ? ": " : ", ") + fixText(v.fixes[i]));
            }
            writeText(m_out, "]");
        }
        writeText(m_out, "\n");
    }

    void endDrawing(const std::string& error) override
    {
        if (error.empty()) {
            ++m_checked;
            if (m_withoutStandards) {
                // Not a failure (the drawing may simply have none), but worth a line.
                writeText(m_out, m_drawing + ": note: no standards files to check with\n");
            }
            return;
        }
        ++m_failed;
        writeText(m_out, m_drawing + ": error: " + error + "\n");
    }

    void finish() override
    {
        std::string summary = counted(m_checked, "drawing", "drawings") +
                              " checked: " + counted(m_violations, "violation", "violations") +
                              ", " + std::to_string(m_ignored) + " ignored";
        if (m_failed > 0) {
            summary += "; " + counted(m_failed, "drawing", "drawings") + " not checked";
        }
        writeText(m_out, summary + "\n");
    }

    bool wantsAllFixes() const override { return m_allFixes; }

private:
    std::FILE* m_out;
    bool m_allFixes;
    std::string m_drawing;
    bool m_withoutStandards = false;
    int m_checked = 0;
    int m_failed = 0;
    int m_violations = 0;
    int m_ignored = 0;
};

}  // namespace

std::string violationLine(const std::string& drawing, const ReportedViolation& v)
{
    std::string line = drawing + ": ";
    if (v.ignored) {
        line += v.ignoredBy.empty() ? "ignored: " : "ignored (by " + v.ignoredBy + "): ";
    } else {
        line += "violation: ";
    }
    line += recordText(v.objectType, v.name, v.category, v.handle) + ": " + v.description;
    for (const PropertyDiff& d : v.diff) {
        line += " [" + d.property + ": " + d.current + " -> " + d.standard + "]";
    }
    return line + (v.fix ? " [recommended fix: " + fixText(*v.fix) + "]" : " [no recommended fix]");
}

std::string recordText(const std::string& objectType, const std::string& name,
                       const std::string& category, const std::string& handle)
{
    return objectType + " \"" + name + "\" (" + category + ", handle " + handle + ")";
}

std::string fixText(const ReportedFix& fix)
{
    return fix.name + " (" + fix.standardsFile + ")";
}

std::unique_ptr<CheckReport> makeTextReport(std::FILE* out, bool allFixes)
{
    return std::make_unique<TextReport>(out, allFixes);
}
