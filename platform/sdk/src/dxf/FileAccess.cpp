#include "FileAccess.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kvdxf {

namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

class PosixOutputFile : public OutputFile
{
public:
    PosixOutputFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~PosixOutputFile() override
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    bool write(std::string_view bytes) override
    {
        while (!bytes.empty() && m_fd >= 0) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                m_error = systemError(m_path);
                return false;
            }
            bytes.remove_prefix(static_cast<size_t>(written));
        }
        return m_fd >= 0;
    }

    bool close(std::string& error) override
    {
        if (m_fd < 0) {
            error = m_path + ": already closed";
            return false;
        }
        bool ok = m_error.empty();
        if (!ok) {
            error = m_error;
        } else if (::fsync(m_fd) != 0) {
            error = systemError(m_path);
            ok = false;
        }
        if (::close(m_fd) != 0 && ok) {
            error = systemError(m_path);
            ok = false;
        }
        m_fd = -1;
        return ok;
    }

    const std::string& path() const override { return m_path; }

private:
    int m_fd;
    std::string m_path;
    std::string m_error;
};

class PosixInputFile : public InputFile
{
public:
    PosixInputFile(int fd, const struct stat& info) : m_fd(fd), m_info(info) {}
    ~PosixInputFile() override { ::close(m_fd); }

    long long readAt(uint64_t offset, char* into, size_t size, std::string& error) override
    {
        size_t filled = 0;
        while (filled < size) {
            const ssize_t got =
                ::pread(m_fd, into + filled, size - filled, static_cast<off_t>(offset + filled));
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                error = std::strerror(errno);
                return -1;
            }
            if (got == 0) {
                break;
            }
            filled += static_cast<size_t>(got);
        }
        return static_cast<long long>(filled);
    }

    uint64_t size() const override { return static_cast<uint64_t>(m_info.st_size); }

    bool unchanged() const override
    {
        struct stat now
        {};
        return ::fstat(m_fd, &now) == 0 && now.st_size == m_info.st_size &&
               now.st_mtim.tv_sec == m_info.st_mtim.tv_sec &&
               now.st_mtim.tv_nsec == m_info.st_mtim.tv_nsec;
    }

private:
    int m_fd;
    struct stat m_info;
};

}  // namespace

OutputFile::~OutputFile() = default;
InputFile::~InputFile() = default;

namespace {

// Opens a file that is no directory for reading; -1 with `error` set when it cannot be.
int openForReading(const std::string& path, struct stat& info, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? "is a directory" : std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<InputFile> FileAccess::openInput(const std::string& path, std::string& error)
{
    struct stat info
    {};
    // A pipe or a device cannot be read again where an object was; asked before opening, as
    // opening a pipe would take what its writer sends from whoever reads it next.
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return nullptr;
    }
    const int fd = openForReading(path, info, error);
    return fd < 0 ? nullptr : std::make_unique<PosixInputFile>(fd, info);
}

bool FileAccess::readAll(const std::string& path, FileBytes& out, std::string& error)
{
    struct stat info
    {};
    const int fd = openForReading(path, info, error);
    if (fd < 0) {
        return false;
    }
    // Read straight into the buffer, which resize() does not zero-fill; a file that grows
    // meanwhile is read to its new end. The byte beyond the file's size leaves room for the read
    // that finds the end, so that a file that keeps its size is never copied into a larger buffer.
    out.clear();
    out.resize(static_cast<size_t>(info.st_size) + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == out.size()) {
            out.resize(out.size() + (1 << 20));
        }
        const ssize_t got = ::read(fd, &out[filled], out.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<size_t>(got);
    }
    out.resize(filled);
    ::close(fd);
    return true;
}

std::string FileAccess::saveTarget(const std::string& path, std::string& error)
{
    std::string target = path;
    // As many links as the system follows when it opens a file.
    for (int hops = 0;; ++hops) {
        struct stat info
        {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        if (hops == 40) {
            errno = ELOOP;
            error = systemError(path);
            return std::string();
        }
        std::vector<char> link(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) {
            error = systemError(target);
            return std::string();
        }
        const std::string next(link.data(), static_cast<size_t>(length));
        // A relative link is relative to the folder that holds it.
        const size_t slash = target.rfind('/');
        target = next[0] == '/' || slash == std::string::npos ? next
                                                              : target.substr(0, slash + 1) + next;
    }
    struct stat info
    {};
    if (::stat(target.c_str(), &info) != 0) {
        return target;  // a new file
    }
    const std::string what = target == path ? std::string("it") : target;
    if (S_ISDIR(info.st_mode)) {
        error = what + " is a directory";
        return std::string();
    }
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        error = what + " is read-only";
        return std::string();
    }
    return target;
}

std::unique_ptr<OutputFile> FileAccess::createTemp(const std::string& target, std::string& error)
{
    std::string name = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = systemError(name);
        return nullptr;
    }
    // mkstemp creates 0600; a saved drawing keeps the target's permissions, a new one is
    // rw-r--r-- (reading the umask would mean changing it, which races with other threads).
    struct stat info
    {};
    const bool replacing = ::stat(target.c_str(), &info) == 0;
    if (replacing) {
        // Only root may give a file away; anybody else keeps it, as a rewrite in place would.
        static_cast<void>(::fchown(fd, info.st_uid, info.st_gid));
    }
    static_cast<void>(::fchmod(fd, replacing ? (info.st_mode & 07777) : 0644));
    return std::make_unique<PosixOutputFile>(fd, name);
}

bool FileAccess::rename(const std::string& from, const std::string& to, std::string& error)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = systemError(to);
        return false;
    }
    return true;
}

void FileAccess::remove(const std::string& path)
{
    ::unlink(path.c_str());
}

FileAccess& FileAccess::system()
{
    static FileAccess s_system;
    return s_system;
}

}  // namespace kvdxf
