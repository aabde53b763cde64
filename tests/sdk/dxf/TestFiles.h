// Helpers shared by the DXF layer tests: files in memory and a file system that fails on demand.
#pragma once

#include "DxfReader.h"
#include "FileAccess.h"
#include "TagWriter.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvdxf::test {

// The bytes of a file; an empty string when it cannot be read (the test then fails on content).
std::string readBytes(const std::string& path);

// "code value" pairs of a read file, for comparisons with readable failure output.
std::vector<std::pair<int, std::string>> tagList(const DxfFile& file);

// `contents` written to a file and read from it in parts, through a window of `window` bytes, as
// a drawing is read for a check: the diagnostics name the file "t.dxf", as parse(contents,
// "t.dxf") does.
ReadResult readInParts(const std::string& contents, size_t window);

// Writes `file` as ASCII DXF into memory (LF or CRLF as the file had it).
std::string writeToString(const DxfFile& file, std::string* error = nullptr);

// An OutputFile that keeps what is written in memory.
class MemoryOutputFile : public OutputFile
{
public:
    explicit MemoryOutputFile(std::string& sink) : m_sink(sink) {}
    bool write(std::string_view bytes) override
    {
        m_sink.append(bytes);
        return true;
    }
    bool close(std::string&) override { return true; }
    const std::string& path() const override { return m_path; }

private:
    std::string& m_sink;
    std::string m_path = "memory";
};

// The real file system, with one step made to fail: the n-th write of the temp file (counting
// from 1), its close (fsync), or the rename.
class FailingFileAccess : public FileAccess
{
public:
    enum Step { None, Write, Close, Rename, CreateTemp };
    explicit FailingFileAccess(Step step, int failingWrite = 1)
        : m_step(step), m_failingWrite(failingWrite)
    {}
    std::unique_ptr<OutputFile> createTemp(const std::string& target, std::string& error) override;
    bool rename(const std::string& from, const std::string& to, std::string& error) override;

    std::string lastTemp;

private:
    Step m_step;
    int m_failingWrite;
};

// A fresh empty directory under the test temp dir, removed with everything in it on destruction.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return m_path; }
    std::vector<std::string> entries() const;  // file names, sorted

private:
    std::string m_path;
};

}  // namespace kvdxf::test
