#include "CheckReport.h"
#include "Markup.h"
#include "Messages.h"

#include <algorithm>
#include <map>

namespace {

// Everything the page needs is in it: no fonts, images or scripts are fetched. The script only
// sorts and filters the tables; without it the page reads the same.
const char* const kStyle = R"(
body { font: 14px/1.4 sans-serif; margin: 2em; color: #222; }
h1 { font-size: 1.5em; } h2 { font-size: 1.2em; margin-top: 2em; } h3 { font-size: 1em; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #ccc; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }
th { background: #eee; }
th.sortable { cursor: pointer; }
td.number { text-align: right; }
table.diff td, table.diff th { border: none; padding: 0 0.5em 0 0; }
.failed { color: #b00; } .ok { color: #070; } .note, .ignored { color: #777; }
tr.ignored td { color: #777; }
#filter { margin: 0.5em 0; padding: 0.2em; width: 20em; }
@media print {
  body { margin: 0; font-size: 10pt; }
  #filter { display: none; }
  tr, table.diff { page-break-inside: avoid; }
  th.sortable { cursor: auto; }
}
)";

const char* const kScript = R"(
document.querySelectorAll('th.sortable').forEach(function (th) {
  th.addEventListener('click', function () {
    var table = th.closest('table'), body = table.tBodies[0];
    var column = Array.prototype.indexOf.call(th.parentNode.children, th);
    var down = th.dataset.order !== 'up';
    th.dataset.order = down ? 'up' : 'down';
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var x = a.cells[column].dataset.value || a.cells[column].textContent;
      var y = b.cells[column].dataset.value || b.cells[column].textContent;
      var n = parseFloat(x) - parseFloat(y);
      var order = isNaN(n) ? x.localeCompare(y) : n;
      return down ? order : -order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  });
});
var filter = document.getElementById('filter');
filter.hidden = false;
filter.addEventListener('input', function () {
  var words = filter.value.toLowerCase();
  document.querySelectorAll('table.violations tbody tr').forEach(function (row) {
    row.hidden = words !== '' && row.textContent.toLowerCase().indexOf(words) < 0;
  });
});
)";

struct Counts
{
    int violations = 0;
    int ignored = 0;
};

std::string cell(const std::string& text, const char* type = nullptr)
{
    return std::string("<td") + (type ? std::string(" class=\"") + type + "\"" : "") + ">" +
           xml(text) + "</td>";
}

// A horizontal bar per category: violations left, then the ignored ones.
std::string categoryChart(const std::map<std::string, Counts>& categories)
{
    int most = 1;
    for (const auto& [name, counts] : categories) {
        most = std::max(most, counts.violations + counts.ignored);
    }
    const int row = 22;
    const int label = 140;
    const int width = 300;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" width=\"" +
                      std::to_string(label + width + 60) + "\" height=\"" +
                      std::to_string(row * static_cast<int>(categories.size()) + 4) +
                      "\"><title>Violations by category</title>";
    int y = 2;
    for (const auto& [name, counts] : categories) {
        const int left = counts.violations * width / most;
        const int ignored = counts.ignored * width / most;
        svg += "<text x=\"0\" y=\"" + std::to_string(y + 15) + "\" font-size=\"12\">" + xml(name) +
               "</text><rect x=\"" + std::to_string(label) + "\" y=\"" + std::to_string(y + 3) +
               "\" width=\"" + std::to_string(left) + "\" height=\"14\" fill=\"#b33\"/><rect x=\"" +
               std::to_string(label + left) + "\" y=\"" + std::to_string(y + 3) + "\" width=\"" +
               std::to_string(ignored) + "\" height=\"14\" fill=\"#bbb\"/><text x=\"" +
               std::to_string(label + left + ignored + 6) + "\" y=\"" + std::to_string(y + 15) +
               "\" font-size=\"12\">" + std::to_string(counts.violations) +
               (counts.ignored ? " + " + std::to_string(counts.ignored) + " ignored" : "") +
               "</text>";
        y += row;
    }
    return svg + "</svg>";
}

std::string diffTable(const std::vector<PropertyDiff>& diff)
{
    if (diff.empty()) {
        return std::string();
    }
    std::string table =
        "<table class=\"diff\"><tr><th>property</th><th>current</th>"
        "<th>standard</th></tr>";
    for (const PropertyDiff& d : diff) {
        table += "<tr>" + cell(d.property) + cell(d.current) + cell(d.standard) + "</tr>";
    }
    return table + "</table>";
}

// One self-contained page: the totals, a chart and a table per category, a table per drawing,
// then each drawing's violations with their differing properties side by side, the recommended
// fix and the ignored marks. The summary comes first, so the page is written when the last
// drawing is done; the violations are kept as markup until then.
class HtmlReport : public CheckReport
{
public:
    HtmlReport(std::FILE* out, const ReportSettings& settings) : m_out(out), m_settings(settings) {}

    void beginDrawing(const std::string& drawing,
                      const std::vector<std::string>& standards) override
    {
        m_drawing = drawing;
        m_standards = standards;
        m_counts = Counts();
        m_rows.clear();
    }

    void addViolation(const ReportedViolation& v) override
    {
        ++(v.ignored ? m_counts.ignored : m_counts.violations);
        Counts& category = m_categories[v.category];
        ++(v.ignored ? category.ignored : category.violations);
        std::string fixes = v.fix ? xml(fixText(*v.fix)) : "none";
        if (m_settings.allFixes) {
            fixes += "<br>" + xml(counted(v.fixCount, "candidate", "candidates")) + ":";
            for (const ReportedFix& fix : v.fixes) {
                fixes += "<br>" + xml(fixText(fix));
            }
            if (v.fixesNotListed > 0) {
                fixes += "<br>and " + std::to_string(v.fixesNotListed) + " more";
            }
        }
        const std::string ignored =
            v.ignored ? "ignored" + (v.ignoredBy.empty() ? "" : " by " + v.ignoredBy) : "";
        m_rows += std::string("<tr") + (v.ignored ? " class=\"ignored\"" : "") + ">" +
                  cell(v.category) + cell(v.objectType + " \"" + v.name + "\"") + cell(v.handle) +
                  cell(v.description) + "<td>" + diffTable(v.diff) + "</td><td>" + fixes + "</td>" +
                  cell(ignored) + "</tr>\n";
    }

    void endDrawing(const std::string& error) override
    {
        m_totals.violations += m_counts.violations;
        m_totals.ignored += m_counts.ignored;
        std::string status;
        const char* type = "ok";
        if (!error.empty()) {
            ++m_failed;
            status = "not checked: " + withoutFile(m_drawing, error);
            type = "failed";
        } else {
            ++m_checked;
            const bool required = m_settings.requireStandards;
            status = m_standards.empty()
                         ? (required ? kStandardsRequired : "no standards files to check with")
                     : m_counts.violations > 0 ? "violations"
                                               : "OK";
            type = m_standards.empty()       ? (required ? "failed" : "note")
                   : m_counts.violations > 0 ? "failed"
                                             : "ok";
        }
        std::string standards;
        for (const std::string& path : m_standards) {
            standards += (standards.empty() ? "" : "<br>") + xml(path);
        }
        const std::string anchor = "d" + std::to_string(m_checked + m_failed);
        m_summary += "<tr><td><a href=\"#" + anchor + "\">" + xml(m_drawing) + "</a></td><td>" +
                     standards + "</td>" + numberCell(m_counts.violations) +
                     numberCell(m_counts.ignored) + cell(status, type) + "</tr>\n";
        m_sections += "<h3 id=\"" + anchor + "\">" + xml(m_drawing) + " <span class=\"" + type +
                      "\">" + xml(status) + "</span></h3>\n";
        if (!m_rows.empty()) {
            m_sections += "<table class=\"violations\"><thead><tr>" + header("category") +
                          header("record") + header("handle") + header("problem") +
                          "<th>differences</th><th>recommended fix</th>" + header("ignored") +
                          "</tr></thead><tbody>\n" + m_rows + "</tbody></table>\n";
        }
    }

    void finish() override
    {
        std::string page = std::string("<!DOCTYPE html>\n<html lang=\"en\"><head>") +
                           "<meta charset=\"utf-8\"><title>Drawing standards check</title><style>" +
                           kStyle + "</style></head><body>\n<h1>Drawing standards check</h1>\n";
        page += "<p>" + xml(summaryText()) +
                "</p>\n<p>Plug-ins: " + xml(joined(m_settings.plugins)) + "</p>\n";
        if (!m_categories.empty()) {
            page += "<h2>By category</h2>\n" + categoryChart(m_categories) +
                    "\n<table><thead><tr>" + header("category") + header("violations") +
                    header("ignored") + "</tr></thead><tbody>\n";
            for (const auto& [name, counts] : m_categories) {
                page += "<tr>" + cell(name) + numberCell(counts.violations) +
                        numberCell(counts.ignored) + "</tr>\n";
            }
            page += "</tbody></table>\n";
        }
        page += "<h2>By drawing</h2>\n<table><thead><tr>" + header("drawing") +
                "<th>standards files</th>" + header("violations") + header("ignored") +
                header("status") + "</tr></thead><tbody>\n" + m_summary + "</tbody></table>\n";
        page +=
            "<h2>Violations</h2>\n<input id=\"filter\" type=\"search\" hidden "
            "placeholder=\"Show only rows with...\">\n" +
            m_sections + "<script>" + kScript + "</script>\n</body></html>\n";
        writeText(m_out, page);
    }

    int fixesToList() const override { return m_settings.fixesToList(); }

private:
    static std::string header(const char* name)
    {
        return std::string("<th class=\"sortable\">") + name + "</th>";
    }

    static std::string numberCell(int value)
    {
        return "<td class=\"number\">" + std::to_string(value) + "</td>";
    }

    std::string summaryText() const
    {
        std::string text = counted(m_checked, "drawing", "drawings") +
                           " checked: " + counted(m_totals.violations, "violation", "violations") +
                           ", " + std::to_string(m_totals.ignored) + " ignored";
        return m_failed > 0
                   ? text + "; " + counted(m_failed, "drawing", "drawings") + " not checked"
                   : text;
    }

    std::FILE* m_out;
    ReportSettings m_settings;
    std::string m_drawing;
    std::vector<std::string> m_standards;
    Counts m_counts;
    Counts m_totals;
    std::map<std::string, Counts> m_categories;
    int m_checked = 0;
    int m_failed = 0;
    std::string m_rows;
    std::string m_summary;
    std::string m_sections;
};

}  // namespace

std::unique_ptr<CheckReport> makeHtmlReport(std::FILE* out, const ReportSettings& settings)
{
    return std::make_unique<HtmlReport>(out, settings);
}
