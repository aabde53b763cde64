#include "TextFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<std::string> readTextFile(const std::string& path, const std::string& what,
                                        std::string& error)
{
    const auto failed = [&](const char* why) {
        error = path + ": cannot read the " + what + ": " + why;
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failed(std::strerror(errno));
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const char* why = S_ISDIR(info.st_mode) ? "is a folder" : std::strerror(errno);
        ::close(fd);
        return failed(why);
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const char* why = std::strerror(errno);
            ::close(fd);
            return failed(why);
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return text;
}
