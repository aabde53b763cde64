// Splits an ASCII DXF buffer into tags: two lines per tag, no copy of any value.
#include "DxfReader.h"
#include "DxfTokenizer.h"

#include <algorithm>
#include <cctype>
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
// `canonical` tells whether the line is exactly what TagWriter writes for the code, with the
// line end of a file with CRLF line ends or not.
const char* readPlainGroupCode(const char* p, const char* end, bool crlf, int32_t& code,
                               bool& canonical)
{
    const char* const start = p;
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
    const ptrdiff_t count = p - digits;
    const ptrdiff_t width = p - start;
    const bool cr = p < end && *p == '\r';
    if (cr) {
        ++p;
    }
    if (p == end || *p != '\n') {
        return nullptr;
    }
    code = value;
    canonical = cr == crlf && width == (count < 3 ? 3 : count) && (count == 1 || *digits != '0');
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
// ends the file). False when the line is not a group code. `canonical` as readPlainGroupCode says;
// a line the general path reads never is.
bool readGroupCodeLine(const char* p, const char* end, bool crlf, int32_t& code,
                       const char*& lineEnd, bool& canonical)
{
    lineEnd = readPlainGroupCode(p, end, crlf, code, canonical);
    if (lineEnd != nullptr) {
        return true;
    }
    canonical = false;
    lineEnd = findLineEnd(p, end);
    return parseGroupCode(p, lineEnd ? lineEnd : end, code);
}

// The value line at `value`: sets `valueEnd` to the end of the value (carriage returns before
// the line end are no part of it) and returns the position of the line's '\n', or null when the
// line ends the file.
const char* readValueLine(const char* value, const char* end, const char*& valueEnd)
{
    const char* const lineEnd = findLineEnd(value, end);
    valueEnd = lineEnd ? lineEnd : end;
    while (valueEnd > value && valueEnd[-1] == '\r') {
        --valueEnd;
    }
    return lineEnd;
}

// Whether a group of the object holds a real number written with a decimal comma; the section
// finder reports those, so such an object is never condensed.
bool hasCommaNumber(const Tag* tags, size_t count, std::string_view bytes)
{
    if (bytes.find(',') == std::string_view::npos) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (kindOf(tags[i].code) == ValueKind::Double &&
            tags[i].value().find(',') != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// Follows the sections as the section finder will see them and hands each object of a BLOCKS or
// ENTITIES section, when the next "0" group ends it, to the condenser.
class Condensing
{
public:
    Condensing(DxfFile& file, ObjectCondenser* condenser) : m_file(file), m_condenser(condenser) {}

    // Called for each tag before it joins the list; `line` is where its group code line starts.
    void add(const Tag& tag, const char* line, bool canonical)
    {
        if (m_condenser == nullptr) {
            return;
        }
        if (m_naming) {
            // The tag after "0 SECTION" names the section when it is a group 2.
            m_naming = false;
            m_lazySection = tag.code == 2 && isLazySection(tag.value());
        }
        if (tag.code == 0) {
            objectStarts(tag, line);
        }
        m_verbatim = m_verbatim && canonical;
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    static bool isLazySection(std::string_view name)
    {
        auto same = [](std::string_view a, std::string_view b) {
            return a.size() == b.size() &&
                   std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                       return std::toupper(static_cast<unsigned char>(x)) == y;
                   });
        };
        return same(name, "BLOCKS") || same(name, "ENTITIES");
    }

    void objectStarts(const Tag& tag, const char* line)
    {
        if (m_first != kNone && m_lazy) {
            condense(line);
        }
        if (isKeyword(tag.value(), "SECTION")) {
            m_naming = true;
            m_lazySection = false;
            m_lazy = false;
        } else if (isKeyword(tag.value(), "ENDSEC")) {
            m_lazySection = false;
            m_lazy = false;
        } else {
            m_lazy = m_lazySection;
        }
        m_first = m_file.tags.size();
        m_bytes = line;
        m_verbatim = true;
    }

    void condense(const char* end)
    {
        DxfFile::TagVector& tags = m_file.tags;
        const size_t count = tags.size() - m_first;
        const std::string_view bytes(m_bytes, static_cast<size_t>(end - m_bytes));
        Tag replacement;
        if (!hasCommaNumber(&tags[m_first], count, bytes) &&
            m_condenser->condense(&tags[m_first], count, bytes, m_verbatim, replacement)) {
            tags.resize(m_first);
            tags.push_back(replacement);
        }
    }

    DxfFile& m_file;
    ObjectCondenser* m_condenser;
    bool m_naming = false;       // the last tag was "0 SECTION"
    bool m_lazySection = false;  // in a BLOCKS or ENTITIES section
    bool m_lazy = false;         // the object being read may be condensed
    size_t m_first = kNone;      // its "0" group in the list
    const char* m_bytes = nullptr;
    bool m_verbatim = true;
};

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

bool tokenizeAscii(DxfFile& file, std::vector<Diagnostic>& found, ObjectCondenser* condenser)
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

    Condensing condensing(file, condenser);
    uint64_t line = 1;
    while (p < end) {
        int32_t code = 0;
        const char* codeEnd = nullptr;
        bool canonical = false;
        const uint64_t offset = static_cast<uint64_t>(p - begin);
        if (!readGroupCodeLine(p, end, file.crlf, code, codeEnd, canonical)) {
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
        const char* valueEnd = nullptr;
        const char* valueLineEnd = readValueLine(value, end, valueEnd);
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
        const Tag tag{value, static_cast<uint32_t>(size), code};
        canonical =
            canonical && valueLineEnd != nullptr && valueLineEnd - valueEnd == (file.crlf ? 1 : 0);
        condensing.add(tag, p, canonical);
        file.tags.push_back(tag);
        line += 2;
        p = valueLineEnd ? valueLineEnd + 1 : end;
    }
    found.push_back(makeDiagnostic(file, Diagnostic::Repaired, line,
                                   static_cast<uint64_t>(p - begin),
                                   "the file has no \"0 EOF\" tag; it was read to its end"));
    return true;
}

}  // namespace kvdxf::detail

namespace kvdxf {

namespace {

// Reads the tag at `p` of bytes the reader read before, where every line is as it expects; returns
// where the next tag starts, or null when no tag is left.
const char* readAgain(const char* p, const char* end, Tag& tag)
{
    const char* codeEnd = nullptr;
    bool canonical = false;
    if (p >= end || !detail::readGroupCodeLine(p, end, false, tag.code, codeEnd, canonical) ||
        codeEnd == nullptr) {
        return nullptr;
    }
    const char* value = codeEnd + 1;
    const char* valueEnd = nullptr;
    const char* valueLineEnd = detail::readValueLine(value, end, valueEnd);
    tag.data = value;
    tag.size = static_cast<uint32_t>(valueEnd - value);
    return valueLineEnd ? valueLineEnd + 1 : end;
}

}  // namespace

void readCondensed(std::string_view bytes, std::vector<Tag>& tags)
{
    // Two lines a tag: the list is allocated once.
    tags.reserve(tags.size() +
                 static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) / 2);
    const char* const end = bytes.data() + bytes.size();
    Tag tag;
    for (const char* p = bytes.data(); (p = readAgain(p, end, tag)) != nullptr;) {
        tags.push_back(tag);
    }
}

Tag firstTag(std::string_view bytes)
{
    Tag tag;
    return readAgain(bytes.data(), bytes.data() + bytes.size(), tag) != nullptr ? tag : Tag{};
}

}  // namespace kvdxf
