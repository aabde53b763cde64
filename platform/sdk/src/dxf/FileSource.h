// The file a drawing was read from in parts (a partial load): kept open so that what the reader
// left in the file is read from it when it is first needed.
#pragma once

#include "FileAccess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvdxf {

class FileSource
{
public:
    // Why bytes cannot be had when the file is not what it was.
    static const char* const kChanged;

    FileSource(std::unique_ptr<InputFile> input, std::string path);

    const std::string& path() const { return m_path; }
    uint64_t size() const { return m_size; }

    // Up to `size` bytes at `offset` for the reader, which reads the file once from its start;
    // the count read (fewer at the end of the file), or -1 with `error` set.
    long long readAt(uint64_t offset, char* into, size_t size, std::string& error);

    // The bytes [offset, offset + size) as the file held them when it was read; the view stays
    // valid until the next call. False, with `error` saying why, when they cannot be had: the file
    // was changed by another program since it was read, or cannot be read any more.
    bool bytes(uint64_t offset, uint32_t size, std::string_view& bytes, std::string& error);

    // Line numbers: the reader notes the line that starts at an offset now and then (ascending);
    // lineAt counts the lines from the nearest note. 0 when unknown.
    void noteLine(uint64_t offset, uint64_t line);
    uint64_t lineAt(uint64_t offset);

private:
    std::unique_ptr<InputFile> m_input;
    std::string m_path;
    uint64_t m_size = 0;
    std::unique_ptr<char[]> m_cache;
    size_t m_cacheCapacity = 0;
    uint64_t m_cacheOffset = 0;
    size_t m_cacheSize = 0;
    std::vector<std::pair<uint64_t, uint64_t>> m_lines;  // offset, line
};

}  // namespace kvdxf
