#include "FixReport.h"

#include "Json.h"
#include "Messages.h"

namespace {

std::string rowText(const FixMap::Row& row)
{
    return row.kind + " \"" + row.name + "\" -> \"" + row.standard + "\"";
}

//   DRAWING: fixed: Layer "Walls" (Layers, handle 1F) with Walls (/std/office.dws)
//   DRAWING: violation: ... (as kvcad check writes it)
//   DRAWING: map row not used: layer "Old" -> "Walls"
// and a summary line after the last drawing.
class TextFixReport : public FixReport
{
public:
    explicit TextFixReport(std::FILE* out) : m_out(out) {}

    void addDrawing(const FixedDrawing& d) override
    {
        if (!d.error.empty()) {
            ++m_failed;
            writeText(m_out, errorLine(d.drawing, d.error) + "\n");
            return;
        }
        ++m_done;
        m_written += d.output.empty() ? 0 : 1;
        std::string text;
        for (const AppliedFix& f : d.fixed) {
            text += d.drawing +
                    ": fixed: " + recordText(f.objectType, f.name, f.category, f.handle) +
                    " with " + fixText(f.fix) + "\n";
        }
        for (const ReportedViolation& v : d.left) {
            ++(v.ignored ? m_ignored : m_left);
            text += violationLine(d.drawing, v) + "\n";
        }
        for (const FixMap::Row& row : d.unmatched) {
            text += d.drawing + ": map row not used: " + rowText(row) + "\n";
        }
        if (!d.output.empty() && d.output != d.drawing) {
            text += d.drawing + ": written to " + d.output + "\n";
        }
        m_fixes += static_cast<int>(d.fixed.size());
        writeText(m_out, text);
    }

    void finish() override
    {
        std::string summary = counted(m_done, "drawing", "drawings") + ": " +
                              counted(m_fixes, "fix", "fixes") + " applied, " +
                              counted(m_written, "drawing", "drawings") + " written, " +
                              counted(m_left, "violation", "violations") + " left, " +
                              std::to_string(m_ignored) + " ignored";
        if (m_failed > 0) {
            summary += "; " + counted(m_failed, "drawing", "drawings") + " not fixed";
        }
        writeText(m_out, summary + "\n");
    }

private:
    std::FILE* m_out;
    int m_done = 0;
    int m_failed = 0;
    int m_fixes = 0;
    int m_written = 0;
    int m_left = 0;
    int m_ignored = 0;
};

// A list of JSON values as "[\n" value ",\n" value "]", or "[]".
template <class T, class ToJson>
std::string jsonLines(const std::vector<T>& items, ToJson&& toJson)
{
    std::string text = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "\n" : ",\n") + jsonText(toJson(items[i]));
    }
    return text + (items.empty() ? "]" : "\n]");
}

class JsonFixReport : public FixReport
{
public:
    explicit JsonFixReport(std::FILE* out) : m_out(out)
    {
        writeText(m_out, "{\"version\":1,\"drawings\":[");
    }

    void addDrawing(const FixedDrawing& d) override
    {
        std::string text = m_drawings++ == 0 ? "\n" : ",\n";
        text +=
            "{\"drawing\":" + jsonText(d.drawing) +
            ",\"output\":" + (d.output.empty() ? "null" : jsonText(d.output)) +
            ",\"standards\":" + jsonText(d.standards) + ",\"fixed\":" +
            jsonLines(d.fixed,
                      [](const AppliedFix& f) {
                          return Json{{"category", f.category},
                                      {"objectType", f.objectType},
                                      {"name", f.name},
                                      {"handle", f.handle},
                                      {"fix", fixJson(f.fix)}};
                      }) +
            ",\"left\":" +
            jsonLines(d.left, [](const ReportedViolation& v) { return violationJson(v, false); }) +
            ",\"unmatched\":" + jsonLines(d.unmatched, [](const FixMap::Row& row) {
                return Json{{"kind", row.kind}, {"name", row.name}, {"standard", row.standard}};
            });
        if (!d.error.empty()) {
            text += ",\"error\":" + jsonText(d.error);
        }
        writeText(m_out, text + "}");
    }

    void finish() override { writeText(m_out, m_drawings == 0 ? "]}\n" : "\n]}\n"); }

private:
    std::FILE* m_out;
    int m_drawings = 0;
};

}  // namespace

std::unique_ptr<FixReport> makeFixReport(ReportFormat format, std::FILE* out)
{
    if (format == ReportFormat::Json) {
        return std::make_unique<JsonFixReport>(out);
    }
    return std::make_unique<TextFixReport>(out);
}
