#include "MemoryTuning.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePageHeap = "glibc.malloc.hugetlb";

// Huge pages for the areas a program asks for them ("always" or "madvise").
bool systemOffersHugePages()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    return std::getline(in, modes) && modes.find("[never]") == std::string::npos;
}

}  // namespace

void restartWithHugePageHeap(char** argv)
{
    const char* current = std::getenv(kTunables);
    const std::string tunables = current != nullptr ? current : "";
    if (tunables.find(kHugePageHeap) != std::string::npos || !systemOffersHugePages()) {
        return;
    }
    const std::string setting = std::string(kHugePageHeap) + "=1";
    const std::string value = tunables.empty() ? setting : tunables + ":" + setting;
    if (::setenv(kTunables, value.c_str(), 1) != 0) {
        return;
    }
    ::execv("/proc/self/exe", argv);
    // Still here: the program runs on with the ordinary heap. The variable stays set, so that a
    // failing restart is never tried twice.
}
