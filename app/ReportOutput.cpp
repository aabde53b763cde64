#include "ReportOutput.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The mode a newly created file gets (mkstemp creates it readable by the owner only).
mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

ReportOutput::ReportOutput(std::FILE* stream, std::string target, std::string temporary)
    : m_stream(stream), m_target(std::move(target)), m_temporary(std::move(temporary))
{}

std::unique_ptr<ReportOutput> ReportOutput::open(const std::string& path, std::string& error)
{
    if (path.empty()) {
        return std::unique_ptr<ReportOutput>(
            new ReportOutput(stdout, std::string(), std::string()));
    }
    std::string temporary = path + ".tmp-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = path + ": cannot write the report: " + std::strerror(errno);
        return nullptr;
    }
    struct stat existing;
    fchmod(fd, stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : newFileMode());
    std::FILE* stream = fdopen(fd, "w");
    if (stream == nullptr) {
        error = path + ": cannot write the report: " + std::strerror(errno);
        close(fd);
        unlink(temporary.c_str());
        return nullptr;
    }
    return std::unique_ptr<ReportOutput>(new ReportOutput(stream, path, temporary));
}

ReportOutput::~ReportOutput()
{
    if (!m_temporary.empty()) {
        std::fclose(m_stream);
        unlink(m_temporary.c_str());
    }
}

bool ReportOutput::commit(std::string& error)
{
    const std::string name = m_target.empty() ? "standard output" : m_target;
    if (std::fflush(m_stream) != 0 || std::ferror(m_stream) != 0) {
        error = name + ": cannot write the report: " + std::strerror(errno);
        return false;
    }
    if (m_temporary.empty()) {
        return true;
    }
    const bool synced = fsync(fileno(m_stream)) == 0;
    const int closed = std::fclose(m_stream);
    m_stream = nullptr;
    if (!synced || closed != 0 || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        error = name + ": cannot write the report: " + std::strerror(errno);
        unlink(m_temporary.c_str());
        m_temporary.clear();
        return false;
    }
    m_temporary.clear();
    return true;
}
