// Everything the DXF layer does to the file system, behind one small interface so that tests can
// make any step fail (disk full, rename refused) without touching real files.
#pragma once

#include "BulkAllocator.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kvdxf {

// A file being written. Closing flushes it to the disk (fsync); a file destroyed without close()
// is closed without that guarantee, and its path stays on disk for the owner to remove.
class OutputFile
{
public:
    virtual ~OutputFile();
    virtual bool write(std::string_view bytes) = 0;
    virtual bool close(std::string& error) = 0;  // flush + fsync + close
    virtual const std::string& path() const = 0;
};

// A file kept open for reading parts of it again later (see FileSource).
class InputFile
{
public:
    virtual ~InputFile();
    // Reads up to `size` bytes at `offset`; the count read (fewer at the end of the file), or -1
    // with `error` set.
    virtual long long readAt(uint64_t offset, char* into, size_t size, std::string& error) = 0;
    // Its size when it was opened.
    virtual uint64_t size() const = 0;
    // Whether the file still has the size and modification time it had when it was opened.
    virtual bool unchanged() const = 0;
};

// The real file system by default; override any step to inject failures. Methods return false and
// set `error` to a readable reason (the system's message) on failure.
class FileAccess
{
public:
    virtual ~FileAccess() = default;
    virtual bool readAll(const std::string& path, FileBytes& out, std::string& error);
    // Opens a regular file to read it in parts; null with `error` set when it cannot be read or is
    // no regular file (a pipe).
    virtual std::unique_ptr<InputFile> openInput(const std::string& path, std::string& error);
    // The file a save to `path` replaces: `path`, or the file its symbolic links lead to, so that
    // a save writes through links and keeps them. Empty, with `error` set, when that file is
    // read-only (no write permission for us, or none for anybody: root is refused too) or is a
    // directory.
    virtual std::string saveTarget(const std::string& path, std::string& error);
    // Creates "<target>.tmp-XXXXXX" beside the target, with the target's permissions and, where
    // we may, its owner when it exists (else rw-r--r--). Null and `error` set when it cannot be
    // created.
    virtual std::unique_ptr<OutputFile> createTemp(const std::string& target, std::string& error);
    virtual bool rename(const std::string& from, const std::string& to, std::string& error);
    virtual void remove(const std::string& path);
    static FileAccess& system();
};

}  // namespace kvdxf
