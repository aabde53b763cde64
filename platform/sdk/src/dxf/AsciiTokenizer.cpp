// Splits an ASCII DXF buffer into tags: two lines per tag, no copy of any value.
#include "DxfReader.h"
#include "DxfTokenizer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
#ifdef __SSE2__
    // Most lines of a drawing are shorter than 16 bytes: one comparison finds their end, where
    // calling memchr for each would cost more than the search.
    if (end - from >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
        if (found != 0) {
            return from + __builtin_ctz(static_cast<unsigned>(found));
        }
        from += 16;
    }
#endif
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

// The bytes the tokeniser reads: the whole file in its buffer, or, for a file read in parts, a
// window that moves through the file and is refilled when a tag runs past its end.
class Input
{
public:
    explicit Input(const FileBytes& buffer)
        : m_begin(buffer.data()), m_end(buffer.data() + buffer.size()), m_atEnd(true)
    {}
    explicit Input(FileSource& source) : m_source(&source) {}

    const char* begin() const { return m_begin; }
    const char* end() const { return m_end; }
    bool atEnd() const { return m_atEnd; }
    FileSource* source() const { return m_source; }
    uint64_t offsetOf(const char* p) const { return m_offset + static_cast<uint64_t>(p - m_begin); }
    const std::string& error() const { return m_error; }

    // Drops the bytes before `keep` and reads more after the rest, which moves: a pointer into it
    // moves by `delta`. False when nothing more could be read: the file is read to its end
    // (atEnd), or cannot be read (error()).
    bool refill(const char* keep, uintptr_t& delta)
    {
        if (m_source == nullptr || m_atEnd) {
            return false;
        }
        const auto dropped = static_cast<size_t>(keep - m_begin);
        const auto rest = static_cast<size_t>(m_end - keep);
        const auto oldKeep = reinterpret_cast<uintptr_t>(keep);
        if (m_capacity == 0 || (dropped == 0 && rest == m_capacity)) {
            // A tag longer than the window: the window grows.
            const size_t capacity =
                m_capacity == 0 ? std::max<size_t>(partialReadWindow, 16) : 2 * m_capacity;
            std::unique_ptr<char[]> grown(new char[capacity]);
            if (rest > 0) {
                std::memcpy(grown.get(), keep, rest);
            }
            m_window = std::move(grown);
            m_capacity = capacity;
        } else if (dropped > 0 && rest > 0) {
            std::memmove(m_window.get(), keep, rest);
        }
        m_offset += dropped;
        m_begin = m_window.get();
        m_end = m_begin + rest;
        delta = reinterpret_cast<uintptr_t>(m_begin) - oldKeep;
        const size_t wanted = m_capacity - rest;
        const long long got =
            m_source->readAt(m_offset + rest, m_window.get() + rest, wanted, m_error);
        if (got <= 0) {
            m_atEnd = true;
            return false;
        }
        m_end += got;
        m_atEnd = static_cast<size_t>(got) < wanted;
        return true;
    }

private:
    FileSource* m_source = nullptr;
    std::unique_ptr<char[]> m_window;
    size_t m_capacity = 0;
    const char* m_begin = nullptr;
    const char* m_end = nullptr;
    uint64_t m_offset = 0;  // of m_begin in the file
    bool m_atEnd = false;
    std::string m_error;
};

// Follows the sections as the section finder will see them and hands each object of a BLOCKS or
// ENTITIES section, when the next "0" group ends it, to the condenser. Reading a file in parts, it
// copies every object the condenser does not take into the file's kept bytes, so that the tags
// keep their text when the window moves on.
class Condensing
{
public:
    Condensing(DxfFile& file, ObjectCondenser* condenser, const Input& in, const char* start)
        : m_file(file), m_condenser(condenser), m_in(in), m_bytes(start)
    {}

    // Called for each tag before it joins the list; `line` is where its group code line starts,
    // on line `number` of the file.
    // The tag comes as its code and value: a Tag made in memory only to be copied into the list
    // would cost a stalled load for every tag of the file.
    void add(int32_t code, std::string_view value, const char* line, uint64_t number,
             bool canonical)
    {
        if (m_condenser == nullptr && m_in.source() == nullptr) {
            return;
        }
        if (m_naming) {
            // The tag after "0 SECTION" names the section when it is a group 2.
            m_naming = false;
            m_lazySection = code == 2 && isLazySection(value);
        }
        if (code == 0) {
            objectStarts(value, line, number);
        }
        m_verbatim = m_verbatim && canonical;
    }

    // The object being read ends at `end`, with the file; it is never condensed.
    void finish(const char* end)
    {
        if (m_in.source() != nullptr) {
            keep(end);
        }
    }

    // Where the bytes the tags still need start: the object being read.
    const char* keepFrom() const { return m_bytes; }

    // The window moved: so did the object being read.
    void moved(uintptr_t delta)
    {
        m_bytes = shifted(m_bytes, delta);
        repoint(delta);
    }

private:
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

    static const char* shifted(const char* p, uintptr_t delta)
    {
        return reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(p) + delta);
    }

    void objectStarts(std::string_view type, const char* line, uint64_t number)
    {
        if (!(m_lazy && condense(line)) && m_in.source() != nullptr) {
            keep(line);
        }
        if (isKeyword(type, "SECTION")) {
            m_naming = true;
            m_lazySection = false;
            m_lazy = false;
        } else if (isKeyword(type, "ENDSEC")) {
            m_lazySection = false;
            m_lazy = false;
        } else {
            m_lazy = m_lazySection && m_condenser != nullptr;
        }
        m_first = m_file.tags.size();
        m_bytes = line;
        m_line = number;
        m_verbatim = true;
    }

    bool condense(const char* end)
    {
        DxfFile::TagVector& tags = m_file.tags;
        const size_t count = tags.size() - m_first;
        const std::string_view bytes(m_bytes, static_cast<size_t>(end - m_bytes));
        Tag replacement;
        if (count == 0 || hasCommaNumber(&tags[m_first], count, bytes) ||
            !m_condenser->condense(&tags[m_first], count, bytes, m_in.offsetOf(m_bytes),
                                   m_in.source() != nullptr, m_verbatim, replacement)) {
            return false;
        }
        tags.resize(m_first);
        tags.push_back(replacement);
        return true;
    }

    // Copies the bytes of the object read so far, up to `end`, out of the window.
    void keep(const char* end)
    {
        const auto size = static_cast<size_t>(end - m_bytes);
        if (size == 0) {
            return;
        }
        const std::string_view stored = m_file.kept.store({m_bytes, size});
        const uint64_t offset = m_in.offsetOf(m_bytes);
        repoint(reinterpret_cast<uintptr_t>(stored.data()) - reinterpret_cast<uintptr_t>(m_bytes));
        std::vector<DxfFile::Run>& runs = m_file.runs;
        if (!runs.empty() && runs.back().bytes + runs.back().size == stored.data() &&
            runs.back().offset + runs.back().size == offset) {
            runs.back().size += size;
        } else {
            runs.push_back({stored.data(), size, offset, m_line});
        }
        m_bytes = end;
    }

    // The tags of the object being read view into bytes that moved by `delta`.
    void repoint(uintptr_t delta)
    {
        DxfFile::TagVector& tags = m_file.tags;
        for (size_t i = m_first; i < tags.size(); ++i) {
            tags[i].data = shifted(tags[i].data, delta);
        }
    }

    DxfFile& m_file;
    ObjectCondenser* m_condenser;
    const Input& m_in;
    bool m_naming = false;       // the last tag was "0 SECTION"
    bool m_lazySection = false;  // in a BLOCKS or ENTITIES section
    bool m_lazy = false;         // the object being read may be condensed
    size_t m_first = 0;          // its "0" group in the list (what precedes the first is kept)
    const char* m_bytes;         // where its lines start
    uint64_t m_line = 1;         // on which line
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
    Input in = file.source != nullptr ? Input(*file.source) : Input(file.buffer);
    uintptr_t delta = 0;
    // The first line in the window, to learn the line ends (a first line longer than the window
    // makes it grow).
    while (in.refill(in.begin(), delta) &&
           std::memchr(in.begin(), '\n', static_cast<size_t>(in.end() - in.begin())) == nullptr) {
    }
    const uint64_t fileSize = file.source != nullptr ? file.source->size() : file.buffer.size();
    const char* p = in.begin();
    if (std::string_view(p, static_cast<size_t>(in.end() - p)).compare(0, 3, "\xEF\xBB\xBF") == 0) {
        p += 3;
    }
    const char* firstLineEnd = findLineEnd(p, in.end());
    file.crlf = firstLineEnd != nullptr && firstLineEnd > p && firstLineEnd[-1] == '\r';
    // Room for the most tags the file can hold (a tag takes at least 3 bytes: "0\n\n"), so the
    // list never moves; pages the tags do not fill are never touched and cost nothing. A system
    // that counts address space against memory (strict overcommit, a limit on the process) may
    // refuse that much: the list then starts at a typical size and grows as it fills.
    try {
        file.tags.reserve(fileSize / 3 + 1);
    } catch (const std::bad_alloc&) {
        file.tags.reserve(fileSize / 12 + 1);
    }

    Condensing condensing(file, condenser, in, p);
    uint64_t line = 1;
    if (file.source != nullptr) {
        file.source->noteLine(0, 1);
    }
    // A tag that runs past the end of the window is read again after the window moves on.
    auto moreInput = [&]() {
        if (file.source != nullptr) {
            file.source->noteLine(in.offsetOf(p), line);
        }
        if (!in.refill(condensing.keepFrom(), delta)) {
            return false;
        }
        condensing.moved(delta);
        p = reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(p) + delta);
        return true;
    };
    for (;;) {
        if (p == in.end() && !moreInput()) {
            break;
        }
        const char* const end = in.end();
        int32_t code = 0;
        const char* codeEnd = nullptr;
        bool canonical = false;
        const uint64_t offset = in.offsetOf(p);
        const bool isCode = readGroupCodeLine(p, end, file.crlf, code, codeEnd, canonical);
        if ((!isCode || codeEnd == nullptr || codeEnd + 1 == end) && !in.atEnd() && moreInput()) {
            continue;
        }
        if (!isCode) {
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
        if (valueLineEnd == nullptr && !in.atEnd() && moreInput()) {
            continue;
        }
        const auto size = static_cast<size_t>(valueEnd - value);
        if (size > std::numeric_limits<uint32_t>::max()) {
            found.push_back(makeDiagnostic(file, Diagnostic::Refused, line + 1, in.offsetOf(value),
                                           "not a DXF file: a line is longer than 4 GiB"));
            return false;
        }
        if (code == 0 && isKeyword({value, size}, "EOF")) {
            condensing.finish(p);
            return true;
        }
        canonical =
            canonical && valueLineEnd != nullptr && valueLineEnd - valueEnd == (file.crlf ? 1 : 0);
        condensing.add(code, {value, size}, p, line, canonical);
        Tag& tag = file.tags.emplace_back();
        tag.data = value;
        tag.size = static_cast<uint32_t>(size);
        tag.code = code;
        line += 2;
        p = valueLineEnd ? valueLineEnd + 1 : end;
    }
    if (!in.error().empty()) {
        found.push_back(makeDiagnostic(file, Diagnostic::Refused, line, in.offsetOf(p),
                                       "cannot read the file: " + in.error()));
        return false;
    }
    condensing.finish(p);
    found.push_back(makeDiagnostic(file, Diagnostic::Repaired, line, in.offsetOf(p),
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
