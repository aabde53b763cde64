// kvcad fix [DRAWING...] [--standards FILE]... [--output-dir DIR] [--map FILE]
//           [--format text|json] [--output REPORT] and the batch options (BatchCommand.h)
#include "BatchCommand.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DrawingBatch.h"
#include "DrawingCheck.h"
#include "FixMap.h"
#include "FixReport.h"
#include "ProjectFile.h"

#include <CKvDocument.h>
#include <CKvStdsManager.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct FixOptions : BatchOptions
{
    // Where the fixed drawings go; the drawings themselves when empty.
    std::string outputDir;
    std::string map;
};

// The index of the first candidate fix named `name` (ignoring case); -1 when none is.
int candidateNamed(const OdArray<CKvStdsFixPtr>& fixes, const std::string& name)
{
    const CKvString wanted(name.c_str());
    for (unsigned i = 0; i < fixes.size(); ++i) {
        if (!fixes[i].isNull() && fixes[i]->GetFixDisplayName().CompareNoCase(wanted) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The DXF class of the records the plug-in checks ("LAYER").
CKvString recordClass(CKvStdsPlugins& plugin)
{
    const std::vector<CKvString> filter = plugin.GetObjectFilter();
    return filter.empty() ? CKvString() : filter.front();
}

QString absolute(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

// Fixes each drawing as the Verify Standards dialog does when it fixes every violation, then
// checks it again and writes it (unless nothing was fixed).
class FixWork : public DrawingBatch::Work
{
public:
    // `drawings`: the batch's, in order; a drawing whose fixed file would go where an earlier
    // one's goes is refused.
    FixWork(CKvStdsManager& manager, FixReport& report, const FixOptions& options,
            const std::optional<FixMap>& map, const std::vector<std::string>& drawings)
        : m_check(manager, 0), m_report(report), m_options(options), m_map(map)
    {
        for (const std::string& drawing : drawings) {
            m_firstInto.emplace(absolute(targetOf(drawing)), drawing);
        }
    }

    void process(CKvDocument& document, const std::string& drawing,
                 const std::vector<CKvString>& standards) override
    {
        FixedDrawing result;
        result.drawing = drawing;
        result.standards = toUtf8(standards);
        std::vector<FoundViolation> found;
        m_check.run(document, drawing, standards,
                    [&](const FoundViolation& violation) { found.push_back(violation); });
        applyFixes(found, result);
        if (result.fixed.empty()) {
            for (const FoundViolation& violation : found) {
                result.left.push_back(violation.reported);
            }
        } else {
            const std::string target = checkedTarget(drawing, standards);
            m_check.run(document, drawing, standards, [&](const FoundViolation& violation) {
                result.left.push_back(violation.reported);
            });
            document.database()->writeFile(OdString(target));
            result.output = target;
        }
        m_report.addDrawing(result);
    }

    void failed(const std::string& drawing, const std::vector<std::string>& standards,
                const std::string& message) override
    {
        FixedDrawing result;
        result.drawing = drawing;
        result.standards = standards;
        result.error = message;
        m_report.addDrawing(result);
    }

    std::string refusal(const std::string& drawing) const override
    {
        const std::string target = targetOf(drawing);
        const auto first = m_firstInto.find(absolute(target));
        return first == m_firstInto.end() || absolute(first->second) == absolute(drawing)
                   ? std::string()
                   : target + " is where " + first->second +
                         " is written; give the drawings different names";
    }

private:
    // Where the fixed drawing goes.
    std::string targetOf(const std::string& drawing) const
    {
        return m_options.outputDir.empty()
                   ? drawing
                   : QDir(QString::fromStdString(m_options.outputDir))
                         .filePath(QFileInfo(QString::fromStdString(drawing)).fileName())
                         .toStdString();
    }

    // Where the fixed drawing goes; raises an error when that is a standards file of the drawing.
    std::string checkedTarget(const std::string& drawing,
                              const std::vector<CKvString>& standards) const
    {
        const std::string target = targetOf(drawing);
        const QString canonical = QFileInfo(QString::fromStdString(target)).canonicalFilePath();
        for (const CKvString& path : standards) {
            if (!canonical.isEmpty() &&
                QFileInfo(path.toQString()).canonicalFilePath() == canonical) {
                throw OdError(OdString(target + " is a standards file of the drawing, and "
                                                "standards files are never written"));
            }
        }
        return target;
    }

    // Applies the chosen fix of every violation that is not ignored, in the order found, through
    // the plug-in that reported it: the candidate the map names, else the recommended one.
    // Violations without either are left. Raises what a fix raises, naming the record.
    void applyFixes(const std::vector<FoundViolation>& found, FixedDrawing& result) const
    {
        std::vector<bool> used(m_map ? m_map->rows().size() : 0, false);
        for (const FoundViolation& violation : found) {
            const ReportedViolation& v = violation.reported;
            int fix = v.recommendedFix;
            const int row = m_map ? m_map->find(recordClass(*violation.plugin),
                                                violation.error->GetObjectName())
                                  : -1;
            if (row >= 0) {
                const int named = candidateNamed(violation.fixes,
                                                 m_map->rows()[static_cast<size_t>(row)].standard);
                used[static_cast<size_t>(row)] = used[static_cast<size_t>(row)] || named >= 0;
                fix = named >= 0 ? named : fix;
            }
            if (v.ignored || fix < 0 || fix >= static_cast<int>(violation.fixes.size())) {
                continue;
            }
            const CKvStdsFixPtr& chosen = violation.fixes[static_cast<unsigned>(fix)];
            try {
                CKvString message;
                violation.plugin->FixError(violation.error, chosen, message);
            } catch (const OdError& e) {
                throw OdError(OdString(recordText(v.objectType, v.name, v.category, v.handle) +
                                       ": the fix with " + chosen->GetFixDisplayName().toUtf8() +
                                       " failed: " + e.description().toUtf8()),
                              e.code());
            }
            result.fixed.push_back(AppliedFix{v.category, v.objectType, v.name, v.handle,
                                              ReportedFix{chosen->GetFixDisplayName().toUtf8(),
                                                          chosen->GetStandardsFile().toUtf8()}});
        }
        for (size_t i = 0; i < used.size(); ++i) {
            if (!used[i]) {
                result.unmatched.push_back(m_map->rows()[i]);
            }
        }
    }

    DrawingCheck m_check;
    FixReport& m_report;
    const FixOptions& m_options;
    const std::optional<FixMap>& m_map;
    // By the absolute path of a fixed drawing, the first drawing of the batch written there.
    std::map<QString, std::string> m_firstInto;
};

int runFix(const FixOptions& options)
{
    std::string error;
    std::optional<FixMap> map;
    if (!options.map.empty()) {
        map = FixMap::read(options.map, error);
        if (!map) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return kExitUnreadable;
        }
    }
    if (!options.outputDir.empty() && !QDir().mkpath(QString::fromStdString(options.outputDir))) {
        std::fprintf(stderr, "%s: cannot create the folder\n", options.outputDir.c_str());
        return kExitUnreadable;
    }
    return runBatch(options, "fix", [&](BatchRun& run) {
        std::vector<std::unique_ptr<FixReport>> reports;
        if (run.workerStream() != nullptr) {
            reports.push_back(
                makeFixReport(ReportFormat::Json, run.workerStream(), options.requireStandards));
        }
        for (size_t i = 0; run.workerStream() == nullptr && i < run.reports().size(); ++i) {
            reports.push_back(
                makeFixReport(run.reports()[i].format, run.stream(i), options.requireStandards));
        }
        FixReports all(std::move(reports), options.requireStandards);
        FixWork work(run.manager(), all, options, map, run.drawings());
        run.run(work, [&](const Json& drawing) { all.addDrawing(fixedDrawingFromJson(drawing)); });
        all.finish();
        return all.exitCode();
    });
}

}  // namespace

CommandRun setUpFix(CLI::App& command)
{
    auto options = std::make_shared<FixOptions>();
    addBatchOptions(command, *options, {ReportFormat::Text, ReportFormat::Json});
    command
        .add_option("--output-dir", options->outputDir,
                    "write the fixed drawings into DIR (created when missing) instead of over "
                    "the drawings")
        ->type_name("DIR")
        ->check(nonEmpty("a folder name"));
    command
        .add_option("--map", options->map,
                    "a CSV table kind,name,standard: the record of that kind (layer, linestyle, "
                    "textstyle or dimstyle) and name becomes that standards record")
        ->type_name("FILE")
        ->check(nonEmpty("a file name"));
    return [options, &command] {
        std::string error;
        const std::optional<ProjectFile> file =
            completeBatchOptions(command, *options, &ProjectFile::fixReports, error);
        if (!file) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return static_cast<int>(kExitUnreadable);
        }
        if (command.count("--output-dir") == 0 && file->outputDir) {
            options->outputDir = *file->outputDir;
        }
        if (command.count("--map") == 0 && file->map) {
            options->map = *file->map;
        }
        return runFix(*options);
    };
}
