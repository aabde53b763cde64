#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Where the report of `kvcad check` goes: standard output, or a file. A file is written as
// "<target>.tmp-XXXXXX" beside the target and renamed over it by commit(), so the target is
// either the previous file or the whole new report; an uncommitted temporary file is removed by
// the destructor.
class ReportOutput
{
public:
    // Standard output for an empty path. Null, with a message naming the file in `error`, when
    // the temporary file cannot be created.
    static std::unique_ptr<ReportOutput> open(const std::string& path, std::string& error);
    ~ReportOutput();
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    std::FILE* stream() const { return m_stream; }
    // Flushes the report and puts a file in place. False, with a message in `error`, when
    // anything could not be written; the target is then left as it was.
    bool commit(std::string& error);

private:
    ReportOutput(std::FILE* stream, std::string target, std::string temporary);

    std::FILE* m_stream;
    std::string m_target;
    std::string m_temporary;
};
