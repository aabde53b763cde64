#include "CheckReport.h"
#include "Messages.h"

#include <algorithm>
#include <charconv>

std::string counted(int count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string troubles(int unassociated, int failed, const char* unfinished)
{
    std::string text;
    if (unassociated > 0) {
        text += "; " + counted(unassociated, "drawing", "drawings") +
                " without the standards files required";
    }
    if (failed > 0) {
        text += "; " + counted(failed, "drawing", "drawings") + " " + unfinished;
    }
    return text;
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

namespace {

// The shortest text that reads back as the same number.
std::string shortestText(double value)
{
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// One line per violation, as a compiler reports an error:
//   DRAWING: violation: Layer "Walls" (Layers, handle 1F): Layer properties are non-standard.
//   [LineColor: red -> yellow] [recommended fix: Walls (/std/office.dws)]
// (one line), "DRAWING: OK" for a drawing with no violation left, then the standards files and
// the plug-ins used and a summary line after the last drawing.
class TextReport : public CheckReport
{
public:
    TextReport(std::FILE* out, const ReportSettings& settings) : m_out(out), m_settings(settings) {}

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        m_drawing = drawing;
        m_standards = standards;
        m_drawingViolations = 0;
        m_drawingIgnored = 0;
    }

    void addViolation(const ReportedViolation& v) override
    {
        ++(v.ignored ? m_drawingIgnored : m_drawingViolations);
        std::string line = violationLine(m_drawing, v);
        if (m_settings.allFixes) {
            line += " [" + counted(v.fixCount, "candidate", "candidates");
            for (size_t i = 0; i < v.fixes.size(); ++i) {
                line += (i == 0 ? ": " : ", ") + fixText(v.fixes[i]);
            }
            line +=
                v.fixesNotListed > 0 ? " and " + std::to_string(v.fixesNotListed) + " more]" : "]";
        }
        writeText(m_out, line + "\n");
    }

    void endDrawing(const std::string& error) override
    {
        m_violations += m_drawingViolations;
        m_ignored += m_drawingIgnored;
        if (!error.empty()) {
            ++m_failed;
            writeText(m_out, errorLine(m_drawing, error) + "\n");
            return;
        }
        ++m_checked;
        for (const std::string& path : m_standards) {
            if (std::find(m_used.begin(), m_used.end(), path) == m_used.end()) {
                m_used.push_back(path);
            }
        }
        if (m_standards.empty() && m_settings.requireStandards) {
            ++m_unassociated;
            writeText(m_out, missingStandardsLine(m_drawing) + "\n");
        } else if (m_standards.empty()) {
            // Not a failure (the drawing may simply have none), but worth a line.
            writeText(m_out, m_drawing + ": note: no standards files to check with\n");
        } else if (m_drawingViolations == 0) {
            writeText(m_out, m_drawing + ": OK" +
                                 (m_drawingIgnored > 0
                                      ? " (" + std::to_string(m_drawingIgnored) + " ignored)"
                                      : std::string()) +
                                 "\n");
        }
    }

    void finish() override
    {
        if (!m_used.empty()) {
            writeText(m_out, "standards files: " + joined(m_used) + "\n");
        }
        writeText(m_out, "plug-ins: " + joined(m_settings.plugins) + "\n");
        const std::string summary = counted(m_checked, "drawing", "drawings") + " checked: " +
                                    counted(m_violations, "violation", "violations") + ", " +
                                    std::to_string(m_ignored) + " ignored" +
                                    troubles(m_unassociated, m_failed, "not checked");
        writeText(m_out, summary + "\n");
    }

    int fixesToList() const override { return m_settings.fixesToList(); }

private:
    std::FILE* m_out;
    ReportSettings m_settings;
    std::string m_drawing;
    std::vector<std::string> m_standards;
    // The standards files of the drawings checked, each once, in the order first used.
    std::vector<std::string> m_used;
    int m_drawingViolations = 0;
    int m_drawingIgnored = 0;
    int m_checked = 0;
    int m_failed = 0;
    int m_unassociated = 0;
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
        line += " [" + d.property + ": " + d.current + " -> " + d.standard;
        // Numbers that differ beyond the decimals shown are shown in full.
        const double* current = std::get_if<double>(&d.currentValue);
        const double* standard = std::get_if<double>(&d.standardValue);
        if (d.current == d.standard && current && standard && *current != *standard) {
            line += " (" + shortestText(*current) + " -> " + shortestText(*standard) + ")";
        }
        line += "]";
    }
    return line + (v.fix ? " [recommended fix: " + fixText(*v.fix) + "]" : " [no recommended fix]");
}

std::string missingStandardsLine(const std::string& drawing)
{
    return drawing + ": violation: " + kStandardsRequired;
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

std::unique_ptr<CheckReport> makeTextReport(std::FILE* out, const ReportSettings& settings)
{
    return std::make_unique<TextReport>(out, settings);
}
