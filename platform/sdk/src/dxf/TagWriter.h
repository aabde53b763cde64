// Writing ASCII DXF, and saving a drawing without ever leaving a half-written target.
#pragma once

#include "FileAccess.h"
#include "Tag.h"

#include <functional>
#include <string>
#include <string_view>

namespace kvdxf {

class DxfFile;

// Writes tags as ASCII DXF: the group code right-aligned in 3 characters ("  0", " 10", "100",
// "1001"), then the value bytes exactly as held, each line ended by "\r\n" or "\n". Output is
// buffered and handed to the OutputFile in chunks of about 1 MiB.
//
// A value holding a line feed, or ending in a carriage return, cannot be written so that it reads
// back the same (binary DXF allows such strings): the writer fails with a message naming the group
// code. After the first failure nothing more is written; finish() reports it.
class TagWriter
{
public:
    TagWriter(OutputFile& out, bool crlf);
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;

    void write(int code, std::string_view value);
    void write(const Tag& t) { write(t.code, t.value()); }
    // Writes lines as they are: lines of a file read with the same line ends, which are exactly
    // what writing their tags gives. Lines that continue those written just before (the next
    // bytes of the same buffer) are handed to the OutputFile with them in one piece, unless they
    // are `transient`: gone after the call, they are copied now.
    void writeLines(std::string_view lines, bool transient = false);
    // Hands what is buffered to the OutputFile; false with the first error met.
    bool finish(std::string& error);
    bool failed() const { return !m_error.empty(); }

private:
    void flush();
    void flushLines();

    OutputFile& m_out;
    std::string_view m_lineEnd;
    std::string m_buffer;
    std::string_view m_lines;  // lines not handed over yet, viewed where they are
    std::string m_error;
};

// Writes every tag of `file` in order and the closing "0 EOF": the file as read, as ASCII DXF
// (a binary file's converted values included). Returns !writer.failed().
bool writeTags(TagWriter& writer, const DxfFile& file);

// Writes through `writeBody` into a temp file beside `path` (beside the file a link at `path`
// leads to), then renames it over that file. On any failure (a read-only file, the temp file not
// created, writeBody returning false, a write, flush, fsync or the rename failing) the temp file
// is removed, the file is untouched, false is returned and `error` says why.
bool saveAtomically(FileAccess& files, const std::string& path,
                    const std::function<bool(TagWriter&)>& writeBody, bool crlf,
                    std::string& error);

}  // namespace kvdxf
