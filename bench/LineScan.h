// The baseline the benchmarks measure against: a bare pass that only splits a drawing's text into
// group-code/value lines, the floor any reader pays.
#pragma once

#include <cstddef>
#include <cstring>
#include <fstream>
#include <string>

namespace kvbench {

// The number of tags (line pairs) in the text.
inline size_t lineScan(const std::string& data)
{
    size_t lines = 0;
    const char* p = data.data();
    const char* end = p + data.size();
    while (p < end) {
        const void* nl = std::memchr(p, '\n', static_cast<size_t>(end - p));
        p = nl ? static_cast<const char*>(nl) + 1 : end;
        ++lines;
    }
    return lines / 2;
}

// The whole file; empty when it cannot be read. Read into one block of its size, so that the
// bench's own copy of a large drawing costs no more memory than the file.
inline std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (!in.seekg(0) || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        return {};
    }
    return text;
}

}  // namespace kvbench
