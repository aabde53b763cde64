// What the benchmarks measure: elapsed seconds and the process's memory.
#pragma once

#include <chrono>
#include <climits>
#include <fstream>
#include <string>

namespace kvbench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Memory
{
    double residentMiB = 0.0;
    double peakMiB = 0.0;  // VmHWM: the most the process has held so far
};

inline Memory memoryNow()
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

}  // namespace kvbench
