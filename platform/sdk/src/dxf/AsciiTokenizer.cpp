// Splits an ASCII DXF buffer into tags: two lines per tag, no copy of any value.
#include "DxfTokenizer.h"

#include <cstring>
#include <limits>
#include <new>

namespace kvdxf::detail {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

const char* findLineEnd(const char* from, const char* end)
{
    if (from >= end) {
        return nullptr;
    }
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(end - from)));
}

// The group code line as nearly every file writes it: spaces, up to nine digits, the line end
// ("\n" or "\r\n"). Returns the position of its '\n', or null for any other line, which then
// takes the general path (parseGroupCode); both read the same code from a line they both accept.
const char* readPlainGroupCode(const char* p, const char* end, int32_t& code)
{
    while (p < end && *p == ' ') {
        ++p;
    }
    const char* const digits = p;
    int32_t value = 0;
    for (; p < end && p - digits < 9; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) {
            break;
        }
        value = value * 10 + static_cast<int32_t>(digit);
    }
    if (p == digits) {
        return nullptr;
    }
    if (p < end && *p == '\r') {
        ++p;
    }
    if (p == end || *p != '\n') {
        return nullptr;
    }
    code = value;
    return p;
}

// Group codes are plain decimal integers, padded with blanks ("  0", " 10", "1001"); nine digits
// at most, so a value never overflows.
bool parseGroupCode(const char* first, const char* last, int32_t& code)
{
    while (first < last && isBlank(*first)) {
        ++first;
    }
    while (last > first && isBlank(last[-1])) {
        --last;
    }
    const bool negative = first < last && *first == '-';
    if (negative) {
        ++first;
    }
    if (first == last || last - first > 9) {
        return false;
    }
    int32_t value = 0;
    for (; first < last; ++first) {
        const unsigned digit = static_cast<unsigned char>(*first) - unsigned{'0'};
        if (digit > 9) {
            return false;
        }
        value = value * 10 + static_cast<int32_t>(digit);
    }
    code = negative ? -value : value;
    return true;
}

// Reads the group code line at `p`: its code and the position of its '\n' (null when the line
// ends the file). False when the line is not a group code.
bool readGroupCodeLine(const char* p, const char* end, int32_t& code, const char*& lineEnd)
{
    lineEnd = readPlainGroupCode(p, end, code);
    if (lineEnd != nullptr) {
        return true;
    }
    lineEnd = findLineEnd(p, end);
    return parseGroupCode(p, lineEnd ? lineEnd : end, code);
}

bool onlyBlanks(const char* first, const char* last)
{
    for (; first < last; ++first) {
        if (!isBlank(*first) && *first != '\n') {
            return false;
        }
    }
    return true;
}

// The offending line as shown in a message: blanks trimmed, at most 40 characters, bytes that
// are not printable ASCII shown as '?' so a binary file does not garble the terminal.
std::string shownText(const char* first, const char* last)
{
    while (first < last && isBlank(*first)) {
        ++first;
    }
    while (last > first && isBlank(last[-1])) {
        --last;
    }
    constexpr ptrdiff_t kMaxShown = 40;
    const bool cut = last - first > kMaxShown;
    if (cut) {
        last = first + kMaxShown;
    }
    std::string shown;
    for (; first < last; ++first) {
        const unsigned char c = static_cast<unsigned char>(*first);
        shown += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    return cut ? shown + "..." : shown;
}

}  // namespace

bool tokenizeAscii(DxfFile& file, std::vector<Diagnostic>& found)
{
    const char* const begin = file.buffer.data();
    const char* const end = begin + file.buffer.size();
    const char* p = begin;
    if (file.text().compare(0, 3, "\xEF\xBB\xBF") == 0) {
        p += 3;
    }
    const char* firstLineEnd = findLineEnd(p, end);
    file.crlf = firstLineEnd != nullptr && firstLineEnd > p && firstLineEnd[-1] == '\r';
    // Room for the most tags the file can hold (a tag takes at least 3 bytes: "0\n\n"), so the
    // list never moves; pages the tags do not fill are never touched and cost nothing. A system
    // that counts address space against memory (strict overcommit, a limit on the process) may
    // refuse that much: the list then starts at a typical size and grows as it fills.
    try {
        file.tags.reserve(file.buffer.size() / 3 + 1);
    } catch (const std::bad_alloc&) {
        file.tags.reserve(file.buffer.size() / 12 + 1);
    }

    uint64_t line = 1;
    while (p < end) {
        int32_t code = 0;
        const char* codeEnd = nullptr;
        const uint64_t offset = static_cast<uint64_t>(p - begin);
        if (!readGroupCodeLine(p, end, code, codeEnd)) {
            if (!file.tags.empty() && onlyBlanks(p, end)) {
                break;  // blank lines at the end of a file that lacks "0 EOF"
            }
            const std::string shown = shownText(p, codeEnd ? codeEnd : end);
            found.push_back(makeDiagnostic(
                file, Diagnostic::Refused, line, offset,
                file.tags.empty()
                    ? "not a DXF file: the first line is not a group code (found \"" + shown + "\")"
                    : "expected a group code, found \"" + shown + '"'));
            return false;
        }
        if (codeEnd == nullptr || codeEnd + 1 == end) {
            found.push_back(makeDiagnostic(file, Diagnostic::Repaired, line, offset,
                                           "the file ends after group code " +
                                               std::to_string(code) +
                                               " without its value; the tag was dropped"));
            break;
        }
        const char* value = codeEnd + 1;
        const char* valueLineEnd = findLineEnd(value, end);
        const char* valueEnd = valueLineEnd ? valueLineEnd : end;
        while (valueEnd > value && valueEnd[-1] == '\r') {
            --valueEnd;
        }
        const auto size = static_cast<size_t>(valueEnd - value);
        if (size > std::numeric_limits<uint32_t>::max()) {
            found.push_back(makeDiagnostic(file, Diagnostic::Refused, line + 1,
                                           static_cast<uint64_t>(value - begin),
                                           "not a DXF file: a line is longer than 4 GiB"));
            return false;
        }
        if (code == 0 && isKeyword({value, size}, "EOF")) {
            return true;
        }
        file.tags.push_back(Tag{value, static_cast<uint32_t>(size), code});
        line += 2;
        p = valueLineEnd ? valueLineEnd + 1 : end;
    }
    found.push_back(makeDiagnostic(file, Diagnostic::Repaired, line,
                                   static_cast<uint64_t>(p - begin),
                                   "the file has no \"0 EOF\" tag; it was read to its end"));
    return true;
}

}  // namespace kvdxf::detail
