// kv_fix_bench: the time fixing every violation of a drawing takes, set against the time reading
// the drawing takes in the same run:
//
//   kv_fix_bench DRAWING.dxf STANDARDS.dxf [--tsv]
//
// Loads the standards module as kvcad does and reads the drawing (the baseline). Then, plug-in
// by plug-in, checks the drawing as the manager does, keeping every violation with its fixes, and
// applies a fix to each through the plug-in's FixError, as the Verify Standards dialog does when
// it fixes: the recommended fix of a properties violation; for a name violation, which has none,
// alternately the standards record of the name the drawing's record was derived from (the
// generator names it "LOCAL-<name>": the record is renamed) and the first offered record that the
// drawing already has (the record is merged into it). Finally writes the fixed drawing to a
// scratch file and reads that back.
//
// Prints one row per phase: seconds, the ratio of those seconds to the reading of the drawing,
// resident and peak memory; a fix row also gives the violations found and the fixes applied.
// With --tsv the rows are tab-separated, without headers:
//   phase subject seconds ratio rssMiB peakMiB [violations fixed]
// Exit codes: 0 done, 1 the module cannot be loaded or a file cannot be written, 2 bad arguments
// or an unreadable drawing.
#include "BenchMeasure.h"
#include "MemoryTuning.h"
#include "ModuleHost.h"
#include "PluginTables.h"

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbSymbolTable.h>
#include <OdError.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using kvbench::Clock;
using kvbench::secondsSince;

class Report
{
public:
    explicit Report(bool tsv) : m_tsv(tsv)
    {
        if (!m_tsv) {
            std::printf("%-14s %-20s %9s %9s %9s %9s\n", "phase", "subject", "seconds", "x read",
                        "rss MiB", "peak MiB");
        }
    }

    void setBaseline(double seconds) { m_baseline = seconds; }

    void phase(const char* phase, const std::string& subject, double seconds, long violations = -1,
               long fixed = -1) const
    {
        const kvbench::Memory memory = kvbench::memoryNow();
        const double ratio = m_baseline > 0.0 ? seconds / m_baseline : 0.0;
        std::printf(
            m_tsv ? "%s\t%s\t%.3f\t%.3f\t%.1f\t%.1f" : "%-14s %-20s %9.3f %9.3f %9.1f %9.1f", phase,
            subject.c_str(), seconds, ratio, memory.residentMiB, memory.peakMiB);
        if (violations >= 0) {
            std::printf(m_tsv ? "\t%ld\t%ld" : "   violations %ld, fixed %ld", violations, fixed);
        }
        std::printf("\n");
        std::fflush(stdout);
    }

private:
    bool m_tsv;
    double m_baseline = 0.0;
};

struct Kept
{
    CKvStdsErrorPtr error;
    OdArray<CKvStdsFixPtr> fixes;
    int recommended = -1;
};

std::string absolutePath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// The fix applied to a violation (see the file comment); null when none fits.
CKvStdsFixPtr chooseFix(const Kept& kept, const OdDbSymbolTable* table, long nameViolation)
{
    if (kept.recommended >= 0) {
        return kept.fixes[static_cast<unsigned>(kept.recommended)];
    }
    const OdString name = kept.error->GetObjectName().toOdString();
    const CKvString derived(name.left(6) == OdString("LOCAL-") ? name.mid(6) : OdString());
    for (const CKvStdsFixPtr& fix : kept.fixes) {
        const CKvString candidate = fix->GetFixObjectName();
        const bool wanted = nameViolation % 2 == 0
                                ? candidate == derived
                                : table != nullptr && table->has(candidate.toOdString());
        if (wanted) {
            return fix;
        }
    }
    return kept.fixes.isEmpty() ? CKvStdsFixPtr() : kept.fixes[0];
}

// Checks the drawing with the plug-in, then fixes every violation found.
void checkAndFix(const Report& report, CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing,
                 const std::vector<CKvString>& paths)
{
    const std::string name = plugin.Name().toUtf8();
    Clock::time_point start = Clock::now();
    plugin.Clear();
    plugin.SetContext(OdArray<OdDbObjectId>(), true);
    plugin.SetupForAudit(drawing, CKvString("drawing"), paths, paths);
    std::vector<Kept> kept;
    for (plugin.Start(CKvStdsErrorPtr()); !plugin.Done(); plugin.Next()) {
        Kept entry;
        entry.error = plugin.GetError();
        plugin.GetAllFixes(entry.error, entry.fixes, entry.recommended);
        kept.push_back(entry);
    }
    report.phase("check", name, secondsSince(start));

    // Only FixError is timed, not the choice of the fix.
    double seconds = 0.0;
    const OdDbSymbolTablePtr table =
        kvbench::tableOfKind(*drawing, plugin.GetObjectFilter()).openObject();
    long fixed = 0;
    long nameViolations = 0;
    for (const Kept& entry : kept) {
        const CKvStdsFixPtr fix =
            chooseFix(entry, table.get(), entry.recommended < 0 ? nameViolations++ : 0);
        if (!fix.isNull()) {
            CKvString message;
            start = Clock::now();
            plugin.FixError(entry.error, fix, message);
            seconds += secondsSince(start);
            ++fixed;
        }
    }
    plugin.Clear();
    report.phase("fix", name, seconds, static_cast<long>(kept.size()), fixed);
}

int run(ModuleHost& host, Report& report, const std::string& drawingPath,
        const std::string& standardsPath)
{
    Clock::time_point start = Clock::now();
    OdDbDatabasePtr drawing;
    try {
        drawing = OdDbDatabase::readFile(OdString(drawingPath));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return 2;
    }
    report.setBaseline(secondsSince(start));
    report.phase("read", "drawing", secondsSince(start));
    if (host.services().readDrawing(CKvString(standardsPath.c_str())).isNull()) {
        std::fprintf(stderr, "%s: cannot be read as a drawing\n", standardsPath.c_str());
        return 2;
    }

    std::list<CKvStdsPluginsPtr> plugins;
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager == nullptr || !manager->getPluginList(plugins)) {
        std::fprintf(stderr, "the standards module published no plug-ins\n");
        return 1;
    }
    const std::vector<CKvString> paths = {CKvString(absolutePath(standardsPath).c_str())};
    start = Clock::now();
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        checkAndFix(report, *plugin, drawing, paths);
    }
    report.phase("all plug-ins", "check and fix", secondsSince(start));

    char scratch[] = "/tmp/kv_fix_bench-XXXXXX";
    const int descriptor = mkstemp(scratch);
    if (descriptor < 0) {
        std::fprintf(stderr, "cannot create a scratch file\n");
        return 1;
    }
    close(descriptor);
    try {
        start = Clock::now();
        drawing->writeFile(OdString(scratch));
        report.phase("write", "fixed drawing", secondsSince(start));
        drawing.release();
        start = Clock::now();
        OdDbDatabase::readFile(OdString(scratch));
        report.phase("read", "fixed drawing", secondsSince(start));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        std::remove(scratch);
        return 1;
    }
    std::remove(scratch);
    return 0;
}

int usage(const char* message)
{
    std::fprintf(stderr,
                 "kv_fix_bench: %s\n"
                 "usage: kv_fix_bench DRAWING.dxf STANDARDS.dxf [--tsv]\n",
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
    if (files.size() != 2) {
        return usage("a drawing and one standards drawing are required");
    }
    Report report(tsv);
    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "kv_fix_bench: %s\n", error.c_str());
        return 1;
    }
    return run(*host, report, files[0], files[1]);
}
