// kv_check_bench: the time and memory the standards check takes on a drawing and its standards
// drawings:
//
//   kv_check_bench DRAWING.dxf STANDARDS.dxf... [--fix] [--tsv]
//
// Loads the standards module as kvcad does, reads the drawing, reads each standards drawing once
// through the host's reader (to time reading on its own: the host hands the plug-ins the same
// drawings while they set up), then runs each plug-in's full check the way the manager drives it:
// Clear, SetContext (everything), SetupForAudit, Start, then GetError, GetAllFixes and Next until
// Done. Every error and its fixes are kept until all plug-ins have run, as the host keeps them for
// the Verify Standards dialog.
//
// With --fix every kept violation is then fixed through its plug-in's FixError, as the Verify
// Standards dialog fixes: with the recommended fix of a properties violation; a name violation has
// none, so it takes alternately the standards record of the name the drawing's record was derived
// from (kv_gen_standards names it "LOCAL-<name>": the record is renamed) and the first offered
// record that the drawing already has (the record is merged into it). The fixed drawing is then
// written to a scratch file and read back.
//
// Prints one row per phase: seconds, resident memory and the process's peak resident memory
// (VmHWM) after it. A plug-in's check row also gives the records of its kind in the drawing, the
// violations it reported (name and properties violations told apart by the recommended fix,
// which only properties violations have), the candidate fixes offered for them all, and the part
// of the check spent in GetAllFixes. A plug-in's fix row gives the time of its FixError calls
// alone, the fixes applied and that time as a multiple of reading the drawing. With --tsv the rows
// are tab-separated, without headers:
//   phase subject seconds rssMiB peakMiB [records violations names properties fixes fixSeconds]
//   fix subject seconds rssMiB peakMiB fixed timesReading
// Exit codes: 0 done, 1 the module cannot be loaded or a file cannot be written, 2 bad arguments
// or an unreadable drawing.
#include "ModuleHost.h"

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

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Memory
{
    double residentMiB = 0.0;
    double peakMiB = 0.0;
};

Memory memoryNow()
{
    Memory memory;
    std::ifstream status("/proc/self/status");
    std::string key;
    long kilobytes = 0;
    while (status >> key) {
        if (key == "VmRSS:" || key == "VmHWM:") {
            status >> kilobytes;
            (key == "VmRSS:" ? memory.residentMiB : memory.peakMiB) = kilobytes / 1024.0;
        }
        status.ignore(LONG_MAX, '\n');
    }
    return memory;
}

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
        printPhase(phase, subject, seconds);
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

    void fixes(const std::string& subject, double seconds, long fixed, double reading) const
    {
        printPhase("fix", subject, seconds);
        std::printf(m_tsv ? "\t%ld\t%.3f\n" : "   fixed %ld, %.3f times the reading\n", fixed,
                    seconds / reading);
        std::fflush(stdout);
    }

private:
    bool m_tsv;

    void printPhase(const char* phase, const std::string& subject, double seconds) const
    {
        const Memory memory = memoryNow();
        std::printf(m_tsv ? "%s\t%s\t%.3f\t%.1f\t%.1f" : "%-16s %-28s %9.3f %9.1f %9.1f", phase,
                    subject.c_str(), seconds, memory.residentMiB, memory.peakMiB);
    }
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

// The drawing's table of the records the plug-in checks; null for an unknown kind.
OdDbSymbolTablePtr tableOfKind(const OdDbDatabase& drawing, CKvStdsPlugins& plugin)
{
    const std::vector<CKvString> filter = plugin.GetObjectFilter();
    const CKvString kind = filter.empty() ? CKvString() : filter.front();
    const OdDbObjectId tableId = kind == CKvString("LAYER")      ? drawing.getLayerTableId()
                                 : kind == CKvString("LTYPE")    ? drawing.getLinetypeTableId()
                                 : kind == CKvString("STYLE")    ? drawing.getTextStyleTableId()
                                 : kind == CKvString("DIMSTYLE") ? drawing.getDimStyleTableId()
                                                                 : OdDbObjectId();
    return OdDbSymbolTable::cast(tableId.openObject().get());
}

long recordCount(const OdDbDatabase& drawing, CKvStdsPlugins& plugin)
{
    const OdDbSymbolTablePtr table = tableOfKind(drawing, plugin);
    if (table.isNull()) {
        return -1;
    }
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
    counts.records = recordCount(*drawing, plugin);
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

// The fix --fix applies to a violation (see the file comment); null when none fits.
CKvStdsFixPtr chooseFix(const KeptError& kept, const OdDbSymbolTable* table, long nameViolation)
{
    if (kept.recommended >= 0) {
        return kept.fixes[static_cast<unsigned>(kept.recommended)];
    }
    const OdString name = kept.error->GetObjectName().toOdString();
    const CKvString derived(name.left(6) == OdString("LOCAL-") ? name.mid(6) : OdString());
    for (const CKvStdsFixPtr& fix : kept.fixes) {
        const CKvString candidate = fix->GetFixObjectName();
        if (nameViolation % 2 == 0 ? candidate == derived
                                   : table != nullptr && table->has(candidate.toOdString())) {
            return fix;
        }
    }
    return kept.fixes.isEmpty() ? CKvStdsFixPtr() : kept.fixes[0];
}

// Fixes every kept violation, plug-in by plug-in, timing the FixError calls alone; then writes
// the fixed drawing and reads it back.
int fixAll(const Report& report, const std::list<CKvStdsPluginsPtr>& plugins,
           const std::vector<KeptError>& kept, OdDbDatabasePtr drawing, double reading)
{
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        const OdDbSymbolTablePtr table = tableOfKind(*drawing, *plugin);
        double seconds = 0.0;
        long fixed = 0;
        long nameViolations = 0;
        for (const KeptError& entry : kept) {
            if (entry.error->GetPlugin().get() != plugin.get()) {
                continue;
            }
            const CKvStdsFixPtr fix =
                chooseFix(entry, table.get(), entry.recommended < 0 ? nameViolations++ : 0);
            if (!fix.isNull()) {
                CKvString message;
                const Clock::time_point start = Clock::now();
                plugin->FixError(entry.error, fix, message);
                seconds += secondsSince(start);
                ++fixed;
            }
        }
        report.fixes(plugin->Name().toUtf8(), seconds, fixed, reading);
    }
    char scratch[] = "/tmp/kv_check_bench-XXXXXX";
    const int descriptor = mkstemp(scratch);
    if (descriptor < 0) {
        std::fprintf(stderr, "cannot create a scratch file\n");
        return 1;
    }
    close(descriptor);
    try {
        Clock::time_point start = Clock::now();
        drawing->writeFile(OdString(scratch));
        report.phase("write fixed", "drawing", secondsSince(start));
        start = Clock::now();
        OdDbDatabase::readFile(OdString(scratch));
        report.phase("read fixed", "drawing", secondsSince(start));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        std::remove(scratch);
        return 1;
    }
    std::remove(scratch);
    return 0;
}

int run(ModuleHost& host, const Report& report, const std::string& drawingPath,
        const std::vector<std::string>& standardsPaths, bool fix)
{
    Clock::time_point start = Clock::now();
    OdDbDatabasePtr drawing;
    try {
        drawing = OdDbDatabase::readFile(OdString(drawingPath));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return 2;
    }
    const double reading = secondsSince(start);
    report.phase("read drawing", fileNameOf(drawingPath), reading);

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
    if (fix) {
        if (const int status = fixAll(report, plugins, kept, drawing, reading); status != 0) {
            return status;
        }
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
                 "usage: kv_check_bench DRAWING.dxf STANDARDS.dxf... [--fix] [--tsv]\n",
                 message);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    bool tsv = false;
    bool fix = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--tsv" || arg == "--fix") {
            (arg == "--tsv" ? tsv : fix) = true;
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
               std::vector<std::string>(files.begin() + 1, files.end()), fix);
}
