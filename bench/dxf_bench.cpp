// Reading and writing speed of the drawing database, and peak memory:
//   kv_dxf_bench DRAWING.dxf [READS]
// prints the speed of a bare pass that only splits the file into group-code/value lines (the
// floor any reader pays), of reading it into a database, of writing it back, and the peak
// resident memory against the file size. With READS > 1 the drawing is read that many times:
// the first read pays for memory the process has never used (page faults, which cost far more
// in a virtual machine), the later ones reuse it; both are printed.
#include "LineScan.h"
#include "MemoryTuning.h"

#include <DbDatabase.h>
#include <OdError.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    restartWithHugePageHeap(argv);
    const int reads = argc == 3 ? std::atoi(argv[2]) : 1;
    if ((argc != 2 && argc != 3) || reads < 1) {
        std::fputs("usage: kv_dxf_bench DRAWING.dxf [READS]\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    std::string data = kvbench::fileText(path);
    const double mb = static_cast<double>(data.size()) / 1e6;
    auto start = std::chrono::steady_clock::now();
    const size_t tags = kvbench::lineScan(data);
    const double bare = seconds(start);
    data.clear();
    data.shrink_to_fit();

    try {
        start = std::chrono::steady_clock::now();
        OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(path));
        const double read = seconds(start);
        const std::string out = path + ".bench-out.dxf";
        start = std::chrono::steady_clock::now();
        db->writeFile(OdString(out));
        const double write = seconds(start);
        std::remove(out.c_str());
        const double peak = peakMiB();  // of one read and one write
        double best = 1e300;
        for (int i = 1; i < reads; ++i) {
            db.release();
            start = std::chrono::steady_clock::now();
            db = OdDbDatabase::readFile(OdString(path));
            best = std::min(best, seconds(start));
        }
        std::printf("file            %10.1f MB, %zu tags\n", mb, tags);
        std::printf("bare line split %10.1f MB/s\n", mb / bare);
        std::printf("read            %10.1f MB/s (%.2f s)\n", mb / read, read);
        if (reads > 1) {
            std::printf("read, best of %d %8.1f MB/s (%.2f s)\n", reads - 1, mb / best, best);
        }
        std::printf("write           %10.1f MB/s (%.2f s)\n", mb / write, write);
        std::printf("peak memory     %10.1f MiB (%.2fx the file)\n", peak, peak * 1.048576 / mb);
        const char* tunables = std::getenv("GLIBC_TUNABLES");
        std::printf("heap            %s\n",
                    tunables != nullptr && std::strstr(tunables, "hugetlb=1") ? "huge pages"
                                                                              : "ordinary pages");
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return 2;
    }
    return 0;
}
