#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kvdxf::test {

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::pair<int, std::string>> tagList(const DxfFile& file)
{
    std::vector<std::pair<int, std::string>> list;
    list.reserve(file.tags.size());
    for (const Tag& tag : file.tags) {
        list.emplace_back(tag.code, std::string(tag.value()));
    }
    return list;
}

namespace {

// Keeps every object as tags, as reading a drawing does with objects it cannot condense.
class KeepingCondenser : public ObjectCondenser
{
public:
    bool condense(const Tag*, size_t, std::string_view, uint64_t, bool, bool, Tag&) override
    {
        return false;
    }
};

}  // namespace

ReadResult readInParts(const std::string& contents, size_t window)
{
    const ScratchDir dir;
    const std::string path = dir.path() + "/t.dxf";
    std::ofstream(path, std::ios::binary) << contents;
    KeepingCondenser condenser;
    const size_t usual = partialReadWindow;
    partialReadWindow = window;
    ReadResult result = readFile(path, FileAccess::system(), &condenser, true);
    partialReadWindow = usual;
    for (Diagnostic& d : result.diagnostics) {
        d.file = "t.dxf";
    }
    if (result.file != nullptr) {
        for (Diagnostic& d : result.file->diagnostics) {
            d.file = "t.dxf";
        }
    }
    return result;
}

std::string writeToString(const DxfFile& file, std::string* error)
{
    std::string bytes;
    MemoryOutputFile out(bytes);
    TagWriter writer(out, file.crlf);
    writeTags(writer, file);
    std::string message;
    if (!writer.finish(message) && error) {
        *error = message;
    }
    return bytes;
}

namespace {

// Forwards to a real temp file but fails at the chosen step.
class FailingOutputFile : public OutputFile
{
public:
    FailingOutputFile(std::unique_ptr<OutputFile> real, FailingFileAccess::Step step,
                      int failingWrite)
        : m_real(std::move(real)), m_step(step), m_failingWrite(failingWrite)
    {}
    bool write(std::string_view bytes) override
    {
        if (m_step == FailingFileAccess::Write && ++m_writes == m_failingWrite) {
            return false;  // as when the disk is full
        }
        return m_real->write(bytes);
    }
    bool close(std::string& error) override
    {
        const bool closed = m_real->close(error);
        if (m_step == FailingFileAccess::Close) {
            error = "No space left on device";
            return false;
        }
        return closed;
    }
    const std::string& path() const override { return m_real->path(); }

private:
    std::unique_ptr<OutputFile> m_real;
    FailingFileAccess::Step m_step;
    int m_failingWrite;
    int m_writes = 0;
};

}  // namespace

std::unique_ptr<OutputFile> FailingFileAccess::createTemp(const std::string& target,
                                                          std::string& error)
{
    if (m_step == CreateTemp) {
        error = "Permission denied";
        return nullptr;
    }
    std::unique_ptr<OutputFile> real = FileAccess::createTemp(target, error);
    if (!real) {
        return nullptr;
    }
    lastTemp = real->path();
    return std::make_unique<FailingOutputFile>(std::move(real), m_step, m_failingWrite);
}

bool FailingFileAccess::rename(const std::string& from, const std::string& to, std::string& error)
{
    if (m_step == Rename) {
        error = "Operation not permitted";
        return false;
    }
    return FileAccess::rename(from, to, error);
}

ScratchDir::ScratchDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/kvdxf-test-XXXXXX";
    m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
}

ScratchDir::~ScratchDir()
{
    for (const std::string& name : entries()) {
        ::unlink((m_path + '/' + name).c_str());
    }
    ::rmdir(m_path.c_str());
}

std::vector<std::string> ScratchDir::entries() const
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(m_path.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kvdxf::test
