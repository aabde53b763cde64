// kv_check_bench: the time and memory the standards check takes on a drawing and its standards
// drawings:
//
//   kv_check_bench DRAWING.dxf STANDARDS.dxf... [--tsv]
//
// Loads the standards module as kvcad does, reads the drawing, reads each standards drawing once
// through the host's reader (to time reading on its own: the host hands the plug-ins the same
// drawings while they set up), then runs each plug-in's full check the way the manager drives it:
// Clear, SetContext (everything), SetupForAudit, Start, then GetError, GetAllFixes and Next until
// Done. Every error and its fixes are kept until all plug-ins have run, as the host keeps them for
// the Verify Standards dialog.
//
// Prints one row per phase: seconds, resident memory and the process's peak resident memory
// (VmHWM) after it. A plug-in's check row also gives the records of its kind in the drawing, the
// violations it reported (name and properties violations told apart by the recommended fix,
// which only properties violations have), the candidate fixes offered for them all, and the part
// of the check spent in GetAllFixes. With --tsv the rows are tab-separated, without headers:
//   phase subject seconds rssMiB peakMiB [records violations names properties fixes fixSeconds]
// Exit codes: 0 done, 1 the module cannot be loaded, 2 bad arguments or an unreadable drawing.
#include "BenchMeasure.h"
#include "MemoryTuning.h"
#include "ModuleHost.h"
#include "PluginTables.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbSymbolTable.h>
#include <OdArray.h>
#include <OdError.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kvbench::Clock;
using kvbench::memoryNow;
using kvbench::secondsSince;

// What one plug-in's check found.
struct CheckCounts
{
    long records = -1;  // records of the plug-in's kind in the drawing; -1 for an unknown kind
    long violations = 0;
    long names = 0;
    long properties = 0;
    long fixes = 0;
    double fixSeconds = 0.0;
};

class Report
{
public:
    explicit Report(bool tsv) : m_tsv(tsv)
    {
        if (!m_tsv) {
            std::printf("%-16s %-28s %9s %9s %9s\n", "phase", "subject", "seconds", "rss MiB",
                        "peak MiB");
        }
    }

    void phase(const char* phase, const std::string& subject, double seconds,
               const CheckCounts* counts = nullptr) const
    {
        const kvbench::Memory memory = memoryNow();
        std::printf(m_tsv ? "%s\t%s\t%.3f\t%.1f\t%.1f" : "%-16s %-28s %9.3f %9.1f %9.1f", phase,
                    subject.c_str(), seconds, memory.residentMiB, memory.peakMiB);
        if (counts != nullptr) {
            std::printf(m_tsv ? "\t%ld\t%ld\t%ld\t%ld\t%ld\t%.3f"
                              : "   records %ld, violations %ld (name %ld, properties %ld), "
                                "fixes %ld (%.3f s)",
                        counts->records, counts->violations, counts->names, counts->properties,
                        counts->fixes, counts->fixSeconds);
        }
        std::printf("\n");
        std::fflush(stdout);
    }

private:
    bool m_tsv;
};

// One reported violation with its candidate fixes, as the host keeps it.
struct KeptError
{
    CKvStdsErrorPtr error;
    OdArray<CKvStdsFixPtr> fixes;
    int recommended = -1;
};

std::string fileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

std::string absolutePath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

long recordCount(const OdDbDatabase& drawing, const std::vector<CKvString>& filter)
{
    const OdDbObjectId tableId = kvbench::tableOfKind(drawing, filter);
    if (tableId.isNull()) {
        return -1;
    }
    const OdDbSymbolTablePtr table = tableId.safeOpenObject();
    long count = 0;
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        ++count;
    }
    return count;
}

// Runs one plug-in's full check of the drawing, keeping every error and its fixes in `kept`.
void runCheck(const Report& report, CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing,
              const std::string& drawingPath, const std::vector<CKvString>& names,
              const std::vector<CKvString>& paths, std::vector<KeptError>& kept)
{
    const std::string pluginName = plugin.Name().toUtf8();
    plugin.Clear();
    plugin.SetContext(OdArray<OdDbObjectId>(), true);
    Clock::time_point start = Clock::now();
    plugin.SetupForAudit(drawing, CKvString(drawingPath.c_str()), names, paths);
    report.phase("setup", pluginName, secondsSince(start));

    CheckCounts counts;
    counts.records = recordCount(*drawing, plugin.GetObjectFilter());
    start = Clock::now();
    plugin.Start(CKvStdsErrorPtr());
    while (!plugin.Done()) {
        KeptError entry;
        entry.error = plugin.GetError();
        if (!entry.error.isNull()) {
            const Clock::time_point fixStart = Clock::now();
            plugin.GetAllFixes(entry.error, entry.fixes, entry.recommended);
            counts.fixSeconds += secondsSince(fixStart);
            ++counts.violations;
            ++(entry.recommended < 0 ? counts.names : counts.properties);
            counts.fixes += static_cast<long>(entry.fixes.size());
            kept.push_back(std::move(entry));
        }
        plugin.Next();
    }
    report.phase("check", pluginName, secondsSince(start), &counts);
}

int run(ModuleHost& host, const Report& report, const std::string& drawingPath,
        const std::vector<std::string>& standardsPaths)
{
    Clock::time_point start = Clock::now();
    OdDbDatabasePtr drawing;
    try {
        drawing = OdDbDatabase::readFile(OdString(drawingPath));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return 2;
    }
    report.phase("read drawing", fileNameOf(drawingPath), secondsSince(start));

    std::vector<CKvString> names;
    std::vector<CKvString> paths;
    for (const std::string& path : standardsPaths) {
        start = Clock::now();
        const OdDbDatabasePtr standards = host.services().readDrawing(CKvString(path.c_str()));
        if (standards.isNull()) {
            std::fprintf(stderr, "%s: cannot be read as a drawing\n", path.c_str());
            return 2;
        }
        report.phase("read standards", fileNameOf(path), secondsSince(start));
        paths.emplace_back(absolutePath(path).c_str());
        names.emplace_back(fileNameOf(path).c_str());
    }

    CKvStdsManager* manager = GetKvStandardManager();
    std::list<CKvStdsPluginsPtr> plugins;
    if (manager == nullptr || !manager->getPluginList(plugins)) {
        std::fprintf(stderr, "the standards module published no plug-ins\n");
        return 1;
    }
    std::vector<KeptError> kept;
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        runCheck(report, *plugin, drawing, drawingPath, names, paths, kept);
    }
    start = Clock::now();
    kept.clear();
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        plugin->Clear();
    }
    report.phase("release", "errors and caches", secondsSince(start));
    return 0;
}

int usage(const char* message)
{
    std::fprintf(stderr,
                 "kv_check_bench: %s\n"
                 "usage: kv_check_bench DRAWING.dxf STANDARDS.dxf... [--tsv]\n",
                 message);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    restartWithHugePageHeap(argv);
    bool tsv = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--tsv") {
            tsv = true;
        } else if (!arg.empty() && arg.front() == '-') {
            return usage(("unknown option " + std::string(arg)).c_str());
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.size() < 2) {
        return usage("a drawing and at least one standards drawing are required");
    }

    const Report report(tsv);
    const Clock::time_point start = Clock::now();
    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "kv_check_bench: %s\n", error.c_str());
        return 1;
    }
    report.phase("load module", "libKvStandards.so.1", secondsSince(start));
    return run(*host, report, files.front(),
               std::vector<std::string>(files.begin() + 1, files.end()));
}
