#include "TagWriter.h"

#include "DxfFile.h"

#include <charconv>

namespace kvdxf {

namespace {
constexpr size_t kChunkSize = 1 << 20;
}

TagWriter::TagWriter(OutputFile& out, bool crlf) : m_out(out), m_lineEnd(crlf ? "\r\n" : "\n") {}

void TagWriter::write(int code, std::string_view value)
{
    if (failed()) {
        return;
    }
    flushLines();
    if (value.find('\n') != std::string_view::npos || (!value.empty() && value.back() == '\r')) {
        m_error = "the value of group code " + std::to_string(code) +
                  " holds a line break and cannot be written to a DXF file";
        return;
    }
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, code);
    const auto width = static_cast<size_t>(result.ptr - digits);
    if (width < 3) {
        m_buffer.append(3 - width, ' ');
    }
    m_buffer.append(digits, width);
    m_buffer.append(m_lineEnd);
    m_buffer.append(value);
    m_buffer.append(m_lineEnd);
    if (m_buffer.size() >= kChunkSize) {
        flush();
    }
}

void TagWriter::writeLines(std::string_view lines, bool transient)
{
    if (transient) {
        flushLines();
        m_lines = lines;
        flushLines();
        return;
    }
    if (m_lines.data() + m_lines.size() == lines.data()) {
        m_lines = std::string_view(m_lines.data(), m_lines.size() + lines.size());
        return;
    }
    flushLines();
    m_lines = lines;
}

void TagWriter::flushLines()
{
    if (m_lines.empty() || failed()) {
        m_lines = {};
        return;
    }
    if (m_lines.size() < kChunkSize) {
        m_buffer.append(m_lines);
    } else {
        flush();
        if (!failed() && !m_out.write(m_lines)) {
            m_error = "cannot write " + m_out.path();
        }
    }
    m_lines = {};
    if (m_buffer.size() >= kChunkSize) {
        flush();
    }
}

void TagWriter::flush()
{
    if (!failed() && !m_buffer.empty() && !m_out.write(m_buffer)) {
        m_error = "cannot write " + m_out.path();
    }
    m_buffer.clear();
}

bool TagWriter::finish(std::string& error)
{
    flushLines();
    flush();
    if (failed()) {
        error = m_error;
        return false;
    }
    return true;
}

bool writeTags(TagWriter& writer, const DxfFile& file)
{
    for (const Tag& tag : file.tags) {
        writer.write(tag);
    }
    writer.write(0, "EOF");
    return !writer.failed();
}

bool saveAtomically(FileAccess& files, const std::string& path,
                    const std::function<bool(TagWriter&)>& writeBody, bool crlf, std::string& error)
{
    std::string reason;
    const std::string target = files.saveTarget(path, reason);
    std::unique_ptr<OutputFile> out = target.empty() ? nullptr : files.createTemp(target, reason);
    if (!out) {
        error = "cannot save " + path + ": " + reason;
        return false;
    }
    const std::string tempPath = out->path();
    bool ok = true;
    {
        TagWriter writer(*out, crlf);
        bool written = false;
        try {
            written = writeBody(writer);
        } catch (...) {
            // What was to be written could not be had (lines gone from the file they are read
            // from): the target stays as it was, and no temp file is left behind.
            out.reset();
            files.remove(tempPath);
            throw;
        }
        if (!written) {
            ok = false;
            reason = writer.failed() ? std::string() : "the drawing could not be written";
        }
        std::string writeError;
        if (!writer.finish(writeError)) {
            ok = false;
            reason = writeError;
        }
    }
    std::string closeError;
    if (!out->close(closeError) && ok) {
        ok = false;
        reason = closeError;
    }
    out.reset();
    ok = ok && files.rename(tempPath, target, reason);
    if (!ok) {
        files.remove(tempPath);
        error = "cannot save " + path + ": " + reason;
    }
    return ok;
}

}  // namespace kvdxf
