// Reading and writing speed of the drawing database, and peak memory, next to a bare line scan
// of the same file measured in the same run:
//
//   kv_dxf_bench DRAWING.dxf [RUNS] [--tsv] [--in-parts]
//   kv_dxf_bench DRAWING.dxf [RUNS] [--tsv] -- COMMAND [ARGUMENT...]
//
// The line scan only splits the file, already in memory, into group-code/value lines: the floor
// any reader pays (the best of three scans). Every other figure is also given as a multiple of it.
//
// The first form reads the drawing into a database and writes it back (before the line scan, as
// a fresh kvcad would), then prints the speed of each, the peak resident memory against the file
// size, and with RUNS > 1 the best of RUNS - 1 further reads: the first read pays for memory the
// process has never used (page faults, which cost far more in a virtual machine), the later ones
// reuse it. With --in-parts the drawing is read as kvcad check, info and convert read it
// (partialLoad: its entities stay in the file until they are needed), else whole, as the desktop
// and kvcad fix read it.
// The second form runs COMMAND (such as "kvcad check DRAWING.dxf") RUNS times, each in a fresh
// process with its output discarded, and prints the best wall time and the largest peak resident
// memory of those processes: what a user waits for, start and exit included.
//
// With --tsv the rows are tab-separated, without headers: figure seconds timesTheScan [peakMiB
// timesTheFile]. Exit codes: 0 done, 1 the command could not be run or was killed, 2 bad
// arguments or an unreadable drawing.
#include "LineScan.h"

#include <DbDatabase.h>
#include <OdError.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

class Report
{
public:
    Report(bool tsv, double megabytes, double scan)
        : m_tsv(tsv), m_megabytes(megabytes), m_scan(scan)
    {}

    void time(const char* figure, double seconds) const
    {
        std::printf(m_tsv ? "%s\t%.4f\t%.2f\n" : "%-22s %9.3f s %8.2fx the scan %10.1f MB/s\n",
                    figure, seconds, seconds / m_scan, m_megabytes / seconds);
    }

    void memory(const char* figure, double seconds, double peak) const
    {
        const double timesFile = peak * 1.048576 / m_megabytes;
        std::printf(m_tsv ? "%s\t%.4f\t%.2f\t%.1f\t%.2f\n"
                          : "%-22s %9.3f s %8.2fx the scan, peak %.1f MiB (%.2fx the file)\n",
                    figure, seconds, seconds / m_scan, peak, timesFile);
    }

private:
    bool m_tsv;
    double m_megabytes;
    double m_scan;
};

struct ReadFigures
{
    double read = 0;
    double write = 0;
    double peak = 0;
    double bestLater = 1e300;
};

// Reads the drawing and writes it back, then reads it RUNS - 1 times more. Done before the line
// scan copies the file, so that the first read, like kvcad's, meets memory nobody has used yet.
bool timeReadAndWrite(const std::string& path, int runs, bool inParts, ReadFigures& figures)
{
    try {
        Clock::time_point start = Clock::now();
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(path), inParts);
        figures.read = secondsSince(start);
        const std::string out = path + ".bench-out.dxf";
        start = Clock::now();
        db->writeFile(OdString(out));
        figures.write = secondsSince(start);
        std::remove(out.c_str());
        figures.peak = peakMiB();
        for (int i = 1; i < runs; ++i) {
            db.release();
            start = Clock::now();
            db = OdDbDatabase::readFile(OdString(path), inParts);
            figures.bestLater = std::min(figures.bestLater, secondsSince(start));
        }
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return false;
    }
    return true;
}

void reportReadAndWrite(const Report& report, const ReadFigures& figures, int runs, bool inParts)
{
    report.time(inParts ? "read in parts" : "read", figures.read);
    report.time("write", figures.write);
    report.memory("read and write", figures.read + figures.write, figures.peak);
    if (runs > 1) {
        report.time("read, best of later", figures.bestLater);
    }
}

// Runs the command in a fresh process with its output discarded: wall seconds and peak resident
// MiB, or a negative time when it could not be run or did not exit by itself.
std::pair<double, double> runOnce(const std::vector<char*>& command)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(command[0], command.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 127) {
        return {-1.0, 0.0};
    }
    return {secondsSince(start), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

int runCommand(const Report& report, std::vector<char*> command, int runs)
{
    command.push_back(nullptr);
    double best = 1e300;
    double peak = 0.0;
    for (int i = 0; i < runs; ++i) {
        const auto [seconds, resident] = runOnce(command);
        if (seconds < 0) {
            std::fprintf(stderr, "kv_dxf_bench: %s could not be run or was killed\n", command[0]);
            return 1;
        }
        best = std::min(best, seconds);
        peak = std::max(peak, resident);
    }
    std::string name = command[0];
    name = name.substr(name.rfind('/') + 1);
    if (command.size() > 2) {
        name += std::string(" ") + command[1];
    }
    report.memory(name.c_str(), best, peak);
    return 0;
}

int usage(const char* message)
{
    std::fprintf(stderr,
                 "kv_dxf_bench: %s\n"
                 "usage: kv_dxf_bench DRAWING.dxf [RUNS] [--tsv] [--in-parts] "
                 "[-- COMMAND [ARGUMENT...]]\n",
                 message);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string path;
    int runs = 1;
    bool tsv = false;
    bool inParts = false;
    std::vector<char*> command;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            command.assign(argv + i + 1, argv + argc);
            if (command.empty()) {
                return usage("-- must be followed by a command");
            }
            break;
        }
        if (arg == "--tsv") {
            tsv = true;
        } else if (arg == "--in-parts") {
            inParts = true;
        } else if (path.empty()) {
            path = arg;
        } else if ((runs = std::atoi(argv[i])) < 1) {
            return usage("RUNS must be a positive number");
        }
    }
    if (path.empty()) {
        return usage("a drawing is required");
    }
    ReadFigures figures;
    if (command.empty() && !timeReadAndWrite(path, runs, inParts, figures)) {
        return 2;
    }
    std::string data = kvbench::fileText(path);
    if (data.empty()) {
        std::fprintf(stderr, "kv_dxf_bench: %s cannot be read\n", path.c_str());
        return 2;
    }
    const double megabytes = static_cast<double>(data.size()) / 1e6;
    double scan = 1e300;
    size_t tags = 0;
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        // Volatile, so that the compiler cannot move the scan out of the timed span.
        const volatile size_t found = kvbench::lineScan(data);
        tags = found;
        scan = std::min(scan, secondsSince(start));
    }
    data.clear();
    data.shrink_to_fit();
    const Report report(tsv, megabytes, scan);
    if (!tsv) {
        std::printf("file %.1f MB, %zu tags\n", megabytes, tags);
    }
    report.time("line scan", scan);
    std::fflush(stdout);
    if (command.empty()) {
        reportReadAndWrite(report, figures, runs, inParts);
        return 0;
    }
    return runCommand(report, command, runs);
}
