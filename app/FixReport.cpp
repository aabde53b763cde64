#include "FixReport.h"

#include "Messages.h"

#include <algorithm>

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
    TextFixReport(std::FILE* out, bool requireStandards)
        : m_out(out), m_requireStandards(requireStandards)
    {}

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
        if (m_requireStandards && d.standards.empty()) {
            ++m_unassociated;
            text += missingStandardsLine(d.drawing) + "\n";
        }
        if (!d.output.empty() && d.output != d.drawing) {
            text += d.drawing + ": written to " + d.output + "\n";
        }
        m_fixes += static_cast<int>(d.fixed.size());
        writeText(m_out, text);
    }

    void finish() override
    {
        const std::string summary =
            counted(m_done, "drawing", "drawings") + ": " + counted(m_fixes, "fix", "fixes") +
            " applied, " + counted(m_written, "drawing", "drawings") + " written, " +
            counted(m_left, "violation", "violations") + " left, " + std::to_string(m_ignored) +
            " ignored" + troubles(m_unassociated, m_failed, "not fixed");
        writeText(m_out, summary + "\n");
    }

private:
    std::FILE* m_out;
    bool m_requireStandards;
    int m_unassociated = 0;
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
    JsonFixReport(std::FILE* out, bool requireStandards) : m_out(out)
    {
        std::string head = jsonText(
            Json{{"version", 1}, {"command", "fix"}, {"requireStandards", requireStandards}});
        head.pop_back();
        writeText(m_out, head + ",\"drawings\":[");
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

std::unique_ptr<FixReport> makeFixReport(ReportFormat format, std::FILE* out, bool requireStandards)
{
    if (format == ReportFormat::Json) {
        return std::make_unique<JsonFixReport>(out, requireStandards);
    }
    return std::make_unique<TextFixReport>(out, requireStandards);
}

FixedDrawing fixedDrawingFromJson(const Json& value)
{
    FixedDrawing d;
    d.drawing = value.at("drawing").get<std::string>();
    d.output = value.at("output").is_null() ? std::string() : value.at("output").get<std::string>();
    d.standards = value.at("standards").get<std::vector<std::string>>();
    for (const Json& f : value.at("fixed")) {
        d.fixed.push_back(AppliedFix{f.at("category").get<std::string>(),
                                     f.at("objectType").get<std::string>(),
                                     f.at("name").get<std::string>(),
                                     f.at("handle").get<std::string>(), fixFromJson(f.at("fix"))});
    }
    for (const Json& v : value.at("left")) {
        d.left.push_back(violationFromJson(v));
    }
    for (const Json& row : value.at("unmatched")) {
        d.unmatched.push_back(FixMap::Row{row.at("kind").get<std::string>(),
                                          row.at("name").get<std::string>(),
                                          row.at("standard").get<std::string>(), 0});
    }
    if (value.contains("error")) {
        d.error = value.at("error").get<std::string>();
    }
    return d;
}

void FixReports::addDrawing(const FixedDrawing& drawing)
{
    m_failed = m_failed || !drawing.error.empty();
    m_violations = m_violations ||
                   (drawing.error.empty() && m_requireStandards && drawing.standards.empty()) ||
                   std::any_of(drawing.left.begin(), drawing.left.end(),
                               [](const ReportedViolation& v) { return !v.ignored; });
    for (const std::unique_ptr<FixReport>& report : m_reports) {
        report->addDrawing(drawing);
    }
}

void FixReports::finish()
{
    for (const std::unique_ptr<FixReport>& report : m_reports) {
        report->finish();
    }
}
