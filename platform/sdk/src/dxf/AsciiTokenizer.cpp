// Splits an ASCII DXF buffer into tags: two lines per tag, no copy of any value.
#include "DxfReader.h"
#include "DxfTokenizer.h"

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>

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
inline const char* readPlainGroupCode(const char* p, const char* end, bool crlf, int32_t& code,
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
// The general path, out of line: the plain one runs for nearly every line of a file.
[[gnu::noinline]] bool readOtherGroupCodeLine(const char* p, const char* end, int32_t& code,
                                              const char*& lineEnd, bool& canonical)
{
    canonical = false;
    lineEnd = findLineEnd(p, end);
    return parseGroupCode(p, lineEnd ? lineEnd : end, code);
}

inline bool readGroupCodeLine(const char* p, const char* end, bool crlf, int32_t& code,
                              const char*& lineEnd, bool& canonical)
{
    lineEnd = readPlainGroupCode(p, end, crlf, code, canonical);
    return lineEnd != nullptr || readOtherGroupCodeLine(p, end, code, lineEnd, canonical);
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

// One object of the file as the splitter found it: its tags, from its "0" group (for the first
// object, from the first tag of the file), and the lines they were read from.
struct ObjectSpan
{
    size_t firstTag;  // in the batch's tags
    size_t tagCount;
    const char* bytes;  // in the batch's bytes
    size_t size;
    uint64_t offset;  // of its first byte in the file
    uint64_t line;    // its first line
    bool verbatim;    // its lines are what TagWriter writes for its tags
    bool last;        // the last object of the file, which is never condensed
};

// A stretch of the file and the objects found in it. Reading a file in parts, the batch owns its
// bytes: a window of the file.
struct Batch
{
    std::unique_ptr<char[]> window;
    size_t capacity = 0;
    const char* begin = nullptr;
    const char* end = nullptr;
    uint64_t offset = 0;  // of `begin` in the file
    DxfFile::TagVector tags;
    std::vector<ObjectSpan> objects;

    uint64_t offsetOf(const char* p) const { return offset + static_cast<uint64_t>(p - begin); }
};

// Takes the objects the splitter finds, in file order, into the file's tag list: it follows the
// sections as the section finder will see them and hands each object of a BLOCKS or ENTITIES
// section to the condenser. Reading a file in parts, it copies every object the condenser does
// not take into the file's kept bytes, as the batch's window is used again.
class Condensing
{
public:
    Condensing(DxfFile& file, ObjectCondenser* condenser)
        : m_file(file), m_condenser(condenser), m_inParts(file.source != nullptr)
    {}

    // Objects of a file read in parts, as a batch holds them.
    void take(const Batch& batch)
    {
        for (const ObjectSpan& object : batch.objects) {
            const Tag* tags = batch.tags.data() + object.firstTag;
            Tag replacement;
            if (condensable(tags, object) && condense(tags, object, replacement)) {
                m_file.tags.push_back(replacement);
                continue;
            }
            const size_t at = m_file.tags.size();
            m_file.tags.insert(m_file.tags.end(), tags, tags + object.tagCount);
            keep(object, at);
        }
    }

    // An object of a file read whole, whose tags end the file's list.
    void takeInPlace(const ObjectSpan& object)
    {
        DxfFile::TagVector& tags = m_file.tags;
        const Tag* first = tags.data() + object.firstTag;
        Tag replacement;
        if (condensable(first, object) && condense(first, object, replacement)) {
            tags.resize(object.firstTag);
            tags.push_back(replacement);
        }
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

    // Follows the sections, the object being the next; whether it may be condensed.
    bool condensable(const Tag* tags, const ObjectSpan& object)
    {
        bool lazy = false;
        if (object.tagCount == 0 || tags[0].code != 0) {
            // Tags before the first "0" group of the file.
        } else if (isKeyword(tags[0].value(), "SECTION")) {
            // The tag after "0 SECTION" names the section when it is a group 2.
            m_lazySection =
                object.tagCount > 1 && tags[1].code == 2 && isLazySection(tags[1].value());
        } else if (isKeyword(tags[0].value(), "ENDSEC")) {
            m_lazySection = false;
        } else {
            lazy = m_lazySection && m_condenser != nullptr && !object.last;
        }
        return lazy;
    }

    // Whether the condenser takes the object, to stand in the list as `replacement`.
    bool condense(const Tag* tags, const ObjectSpan& object, Tag& replacement)
    {
        const std::string_view bytes(object.bytes, object.size);
        return !hasCommaNumber(tags, object.tagCount, bytes) &&
               m_condenser->condense(tags, object.tagCount, bytes, object.offset, m_inParts,
                                     object.verbatim, replacement);
    }

    // Copies the object's lines out of the window; its tags, from `at` in the list, view the copy.
    void keep(const ObjectSpan& object, size_t at)
    {
        if (object.size == 0) {
            return;
        }
        const std::string_view stored = m_file.kept.store({object.bytes, object.size});
        const uintptr_t delta =
            reinterpret_cast<uintptr_t>(stored.data()) - reinterpret_cast<uintptr_t>(object.bytes);
        DxfFile::TagVector& tags = m_file.tags;
        for (size_t i = at; i < tags.size(); ++i) {
            tags[i].data =
                reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(tags[i].data) + delta);
        }
        std::vector<DxfFile::Run>& runs = m_file.runs;
        if (!runs.empty() && runs.back().bytes + runs.back().size == stored.data() &&
            runs.back().offset + runs.back().size == object.offset) {
            runs.back().size += object.size;
        } else {
            runs.push_back({stored.data(), object.size, object.offset, object.line});
        }
    }

    DxfFile& m_file;
    ObjectCondenser* m_condenser;
    bool m_inParts;
    bool m_lazySection = false;  // in a BLOCKS or ENTITIES section
};

// Batches on their way from the splitter, on a thread of its own, to the condensing and back.
class BatchQueue
{
public:
    explicit BatchQueue(size_t batches) : m_batches(batches)
    {
        for (Batch& batch : m_batches) {
            m_free.push_back(&batch);
        }
    }

    // A batch to fill; null when the condensing stopped.
    Batch* takeFree()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_free.empty() || m_stopped; });
        if (m_stopped) {
            return nullptr;
        }
        Batch* batch = m_free.back();
        m_free.pop_back();
        return batch;
    }
    void giveBack(Batch* batch)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_free.push_back(batch);
        m_changed.notify_all();
    }
    void deliver(Batch* batch)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_full.push_back(batch);
        m_changed.notify_all();
    }
    // The splitter is done: no batch follows those delivered.
    void close()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    // The condensing stopped (an error): the splitter stops too.
    void stop()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
        m_changed.notify_all();
    }
    // The next batch found; null when the splitter is done.
    Batch* takeFull()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_full.empty() || m_closed; });
        if (m_full.empty()) {
            return nullptr;
        }
        Batch* batch = m_full.front();
        m_full.pop_front();
        return batch;
    }

private:
    std::vector<Batch> m_batches;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Batch*> m_free;
    std::deque<Batch*> m_full;
    bool m_closed = false;
    bool m_stopped = false;
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

// Splits the file into tags and objects: a file read whole object by object, each handed to the
// condensing as it ends; a file read in parts window by window, each handed over as a batch when a
// tag runs past its end (the object it is part of goes to the next window, where its tags are read
// again).
class Splitter
{
public:
    // Takes a batch's objects and gives the batch to fill next, empty; null to stop.
    using Deliver = std::function<Batch*(Batch*)>;

    // A file read whole: each object goes to `inPlace` as soon as it ends, its tags in the
    // file's list.
    Splitter(DxfFile& file, std::vector<Diagnostic>& found, Condensing& inPlace)
        : m_file(file), m_found(found), m_inPlace(&inPlace), m_tags(&file.tags)
    {}
    // A file read in parts: batches go to `deliver`.
    Splitter(DxfFile& file, std::vector<Diagnostic>& found, Deliver deliver)
        : m_file(file), m_found(found), m_deliver(std::move(deliver))
    {}

    // False when the file is refused (the last diagnostic says why) or the splitting stopped.
    bool run(Batch* batch)
    {
        m_batch = batch;
        if (m_inPlace == nullptr) {
            m_tags = &batch->tags;
        }
        const char* p = nullptr;
        if (m_file.source == nullptr) {
            batch->begin = m_file.buffer.data();
            batch->end = batch->begin + m_file.buffer.size();
            m_atEnd = true;
            p = batch->begin;
        } else {
            m_file.source->noteLine(0, 1);
            p = readWindow(nullptr, nullptr, 0);
            // The first line in the window, to learn the line ends.
            while (p != nullptr && !m_atEnd &&
                   std::memchr(p, '\n', static_cast<size_t>(m_batch->end - p)) == nullptr) {
                p = readWindow(p, m_batch->end, 0);
            }
            if (p == nullptr) {
                return failedRead(0, 1);
            }
        }
        if (std::string_view(p, size_t(m_batch->end - p)).compare(0, 3, "\xEF\xBB\xBF") == 0) {
            p += 3;
        }
        const char* firstLineEnd = findLineEnd(p, m_batch->end);
        m_file.crlf = firstLineEnd != nullptr && firstLineEnd > p && firstLineEnd[-1] == '\r';
        m_objectBytes = p;
        return split(p);
    }

private:
    bool split(const char* p)
    {
        uint64_t line = 1;
        for (;;) {
            if (p == m_batch->end && !m_atEnd) {
                if ((p = moreInput(line)) == nullptr) {
                    return m_batch != nullptr && failedRead(objectOffset(), line);
                }
                continue;
            }
            if (p == m_batch->end) {
                break;
            }
            const char* const end = m_batch->end;
            int32_t code = 0;
            const char* codeEnd = nullptr;
            bool canonical = false;
            const uint64_t offset = m_batch->offsetOf(p);
            const bool isCode = readGroupCodeLine(p, end, m_file.crlf, code, codeEnd, canonical);
            // A line that runs past the end of the window is read again from the next; so are
            // blank lines there, which end the file only when nothing follows them.
            const char* const value = codeEnd != nullptr ? codeEnd + 1 : end;
            const bool blankEnd = !isCode && m_tagsRead > 0 && onlyBlanks(p, end);
            if ((codeEnd == nullptr || value == end || blankEnd) && !m_atEnd) {
                if ((p = moreInput(line)) == nullptr) {
                    return m_batch != nullptr && failedRead(objectOffset(), line);
                }
                continue;
            }
            if (!isCode) {
                if (blankEnd) {
                    break;  // blank lines at the end of a file that lacks "0 EOF"
                }
                const std::string shown = shownText(p, codeEnd ? codeEnd : end);
                m_found.push_back(makeDiagnostic(
                    m_file, Diagnostic::Refused, line, offset,
                    m_tagsRead == 0
                        ? "not a DXF file: the first line is not a group code (found \"" + shown +
                              "\")"
                        : "expected a group code, found \"" + shown + '"'));
                return false;
            }
            if (value == end) {
                m_found.push_back(makeDiagnostic(m_file, Diagnostic::Repaired, line, offset,
                                                 "the file ends after group code " +
                                                     std::to_string(code) +
                                                     " without its value; the tag was dropped"));
                break;
            }
            const char* valueEnd = nullptr;
            const char* const valueLineEnd = readValueLine(value, end, valueEnd);
            if (valueLineEnd == nullptr && !m_atEnd) {
                if ((p = moreInput(line)) == nullptr) {
                    return m_batch != nullptr && failedRead(objectOffset(), line);
                }
                continue;
            }
            const auto size = static_cast<size_t>(valueEnd - value);
            if (size > std::numeric_limits<uint32_t>::max()) {
                m_found.push_back(makeDiagnostic(m_file, Diagnostic::Refused, line + 1,
                                                 m_batch->offsetOf(value),
                                                 "not a DXF file: a line is longer than 4 GiB"));
                return false;
            }
            if (code == 0 && isKeyword({value, size}, "EOF")) {
                return finish(p);
            }
            if (code == 0 && !objectStarts(p, line)) {
                return false;
            }
            m_verbatim = m_verbatim && canonical && valueLineEnd != nullptr &&
                         valueLineEnd - valueEnd == (m_file.crlf ? 1 : 0);
            Tag& tag = m_tags->emplace_back();
            tag.data = value;
            tag.size = static_cast<uint32_t>(size);
            tag.code = code;
            ++m_tagsRead;
            line += 2;
            p = valueLineEnd ? valueLineEnd + 1 : end;
        }
        m_found.push_back(makeDiagnostic(m_file, Diagnostic::Repaired, line, m_batch->offsetOf(p),
                                         "the file has no \"0 EOF\" tag; it was read to its end"));
        return finish(p);
    }

    uint64_t objectOffset() const { return m_batch->offsetOf(m_objectBytes); }

    // The object being read ends where the "0" group at `p`, on line `line`, starts the next.
    bool objectStarts(const char* p, uint64_t line)
    {
        endObject(p, false);
        m_objectFirstTag = m_tags->size();
        m_objectBytes = p;
        m_objectLine = line;
        m_verbatim = true;
        return true;
    }

    void endObject(const char* end, bool last)
    {
        const size_t count = m_tags->size() - m_objectFirstTag;
        const auto size = static_cast<size_t>(end - m_objectBytes);
        if (count == 0 && size == 0) {
            return;
        }
        const ObjectSpan object{m_objectFirstTag, count,        m_objectBytes, size,
                                objectOffset(),   m_objectLine, m_verbatim,    last};
        if (m_inPlace != nullptr) {
            m_inPlace->takeInPlace(object);
        } else {
            m_batch->objects.push_back(object);
        }
    }

    // The file ends at `end`; so does its last object.
    bool finish(const char* end)
    {
        endObject(end, true);
        if (m_inPlace != nullptr) {
            return true;
        }
        m_batch = m_deliver(m_batch);
        return m_batch != nullptr;
    }

    // The next window of the file, starting with the object being read, whose tags are read again
    // from the line it starts on; null when the file could not be read or the splitting stopped
    // (then m_batch is null).
    const char* moreInput(uint64_t& line)
    {
        m_file.source->noteLine(objectOffset(), m_objectLine);
        const char* p = readWindow(m_objectBytes, m_batch->end, m_batch->offsetOf(m_objectBytes));
        if (p == nullptr) {
            return nullptr;
        }
        line = m_objectLine;
        m_objectBytes = p;
        m_objectFirstTag = 0;
        m_verbatim = true;
        return p;
    }

    // Hands over the batch and fills the next with the bytes [carry, carryEnd), which start at
    // `offset` of the file, followed by as many of the file's next bytes as fit; returns its
    // first byte, null when the file could not be read or the splitting stopped.
    const char* readWindow(const char* carry, const char* carryEnd, uint64_t offset)
    {
        const std::string carried(carry, carry != nullptr ? size_t(carryEnd - carry) : 0);
        Batch* batch = m_batch;
        if (batch == nullptr || !batch->tags.empty() || !batch->objects.empty() ||
            batch->begin != nullptr) {
            batch = m_deliver(m_batch);
            m_batch = batch;
            if (batch == nullptr) {
                return nullptr;
            }
            m_tags = &batch->tags;
        }
        // A window at least twice what it carries: an object longer than the window makes it
        // grow.
        const size_t capacity = std::max(
            {batch->capacity, std::max<size_t>(partialReadWindow, 16), 2 * carried.size()});
        if (capacity > batch->capacity) {
            batch->window.reset(new char[capacity]);
            batch->capacity = capacity;
        }
        std::memcpy(batch->window.get(), carried.data(), carried.size());
        const size_t wanted = capacity - carried.size();
        const long long got = m_file.source->readAt(
            offset + carried.size(), batch->window.get() + carried.size(), wanted, m_error);
        if (got < 0) {
            return nullptr;
        }
        batch->begin = batch->window.get();
        batch->end = batch->begin + carried.size() + size_t(got);
        batch->offset = offset;
        m_atEnd = static_cast<size_t>(got) < wanted;
        return batch->begin;
    }

    bool failedRead(uint64_t offset, uint64_t line)
    {
        m_found.push_back(makeDiagnostic(m_file, Diagnostic::Refused, line, offset,
                                         "cannot read the file: " + m_error));
        return false;
    }

    DxfFile& m_file;
    std::vector<Diagnostic>& m_found;
    Condensing* m_inPlace = nullptr;
    Deliver m_deliver;
    Batch* m_batch = nullptr;
    DxfFile::TagVector* m_tags = nullptr;  // where the tags go
    bool m_atEnd = false;
    std::string m_error;
    size_t m_tagsRead = 0;
    // The object being read.
    size_t m_objectFirstTag = 0;
    const char* m_objectBytes = nullptr;
    uint64_t m_objectLine = 1;
    bool m_verbatim = true;
};

}  // namespace

bool tokenizeAscii(DxfFile& file, std::vector<Diagnostic>& found, ObjectCondenser* condenser)
{
    const uint64_t fileSize = file.source != nullptr ? file.source->size() : file.buffer.size();
    // Room for the most tags the file can hold (a tag takes at least 3 bytes: "0\n\n"), so the
    // list never moves; pages the tags do not fill are never touched and cost nothing. A system
    // that counts address space against memory (strict overcommit, a limit on the process) may
    // refuse that much: the list then starts at a typical size and grows as it fills.
    try {
        file.tags.reserve(fileSize / 3 + 1);
    } catch (const std::bad_alloc&) {
        file.tags.reserve(fileSize / 12 + 1);
    }
    Condensing condensing(file, condenser);
    auto emptied = [](Batch* batch) {
        batch->tags.clear();
        batch->objects.clear();
        return batch;
    };
    // A file read in parts that spans several windows is split on a thread of its own while the
    // objects found are condensed.
    if (file.source == nullptr) {
        Batch batch;
        return Splitter(file, found, condensing).run(&batch);
    }
    auto splitHere = [&] {
        Batch batch;
        Splitter splitter(file, found, [&](Batch* full) {
            condensing.take(*full);
            return emptied(full);
        });
        return splitter.run(&batch);
    };
    if (fileSize <= 2 * partialReadWindow) {
        return splitHere();
    }
    BatchQueue queue(3);
    bool split = false;
    std::exception_ptr failure;
    std::thread splitting;
    try {
        splitting = std::thread([&] {
            try {
                Splitter splitter(file, found, [&](Batch* full) {
                    queue.deliver(full);
                    Batch* next = queue.takeFree();
                    return next != nullptr ? emptied(next) : nullptr;
                });
                split = splitter.run(queue.takeFree());
            } catch (...) {
                failure = std::current_exception();
            }
            queue.close();
        });
    } catch (const std::system_error&) {
        return splitHere();  // no thread to be had: the same work, one step after the other
    }
    try {
        while (Batch* batch = queue.takeFull()) {
            condensing.take(*batch);
            queue.giveBack(batch);
        }
    } catch (...) {
        queue.stop();
        splitting.join();
        throw;
    }
    splitting.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return split;
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
