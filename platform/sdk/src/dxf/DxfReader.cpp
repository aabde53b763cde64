// Turns a file's bytes into a DxfFile: picks the tokeniser, finds the sections, reads the version
// and code page from the header.
#include "DxfReader.h"

#include "DxfTokenizer.h"
#include "FileAccess.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace kvdxf {

size_t partialReadWindow = 4 << 20;

namespace detail {

Diagnostic makeDiagnostic(const DxfFile& file, Diagnostic::Kind kind, uint64_t line,
                          uint64_t offset, std::string message)
{
    Diagnostic d;
    d.kind = kind;
    d.file = file.path;
    d.line = line;
    d.offset = offset;
    d.message = std::move(message);
    return d;
}

}  // namespace detail

namespace {

constexpr std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

bool isZeroTag(const Tag& tag, std::string_view word)
{
    return tag.code == 0 && detail::isKeyword(tag.value(), word);
}

// A file that is not DXF at all gets one message saying so instead of a parse error.
bool refuseForeign(DxfFile& file, std::vector<Diagnostic>& found)
{
    const std::string_view bytes = file.text();
    std::string message;
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        message = "not a DXF file: the file is empty";
    } else if (bytes.size() >= 3 && bytes[0] == 'A' && bytes[1] == 'C' && bytes[2] >= '0' &&
               bytes[2] <= '9') {
        // Drawing files in the native format start with their version ("AC1015").
        message = "DWG files are not supported; save the drawing as DXF";
    } else {
        return false;
    }
    found.push_back(detail::makeDiagnostic(file, Diagnostic::Refused, 0, 0, std::move(message)));
    return true;
}

class SectionFinder
{
public:
    SectionFinder(DxfFile& file, std::vector<Diagnostic>& found) : m_file(file), m_found(found) {}

    // Fills file.sections and file.strayTags; adds the "0 ENDSEC" tags the file lacks.
    void run()
    {
        const DxfFile::TagVector& tags = m_file.tags;
        bool inSection = false;
        size_t strayRun = 0;  // tags outside sections since the last section, comments aside
        size_t strayFirst = 0;
        for (size_t i = 0; i < tags.size(); ++i) {
            const Tag& tag = tags[i];
            if (inSection) {
                if (isZeroTag(tag, "ENDSEC")) {
                    m_file.sections.back().end = i;
                    inSection = false;
                } else if (isZeroTag(tag, "SECTION")) {
                    closeUnended(i);
                    inSection = false;
                } else if (kindOf(tag.code) == ValueKind::Double && tag.size > 0 &&
                           std::memchr(tag.data, ',', tag.size) != nullptr && m_commas++ == 0) {
                    m_firstComma = i;
                }
                // The tag at i is now the ENDSEC that closes the section; SECTION follows.
                continue;
            }
            if (isZeroTag(tag, "SECTION")) {
                reportStray(strayRun, strayFirst);
                strayRun = 0;
                openSection(i);
                inSection = true;
                continue;
            }
            m_file.strayTags.push_back(i);
            // Comments are allowed anywhere (writers put their name before the first section).
            if (tag.code != 999 && strayRun++ == 0) {
                strayFirst = i;
            }
        }
        reportStray(strayRun, strayFirst);
        if (inSection) {
            closeUnended(tags.size());
        }
        if (m_commas > 0) {
            // Written in a locale with a decimal comma: other programs do not read these either.
            report(m_firstComma,
                   "number \"" + std::string(m_file.tags[m_firstComma].value()) +
                       "\" has a decimal comma; kept as written, but it is no number (" +
                       std::to_string(m_commas) + (m_commas == 1 ? " number" : " numbers") +
                       " in the file)");
        }
    }

private:
    void openSection(size_t at)
    {
        Section section;
        const DxfFile::TagVector& tags = m_file.tags;
        if (at + 1 < tags.size() && tags[at + 1].code == 2) {
            section.name = std::string(tags[at + 1].value());
            section.begin = at + 2;
        } else {
            section.begin = at + 1;
            report(at, "SECTION without a name (group code 2); read as a section named \"\"");
        }
        m_file.sections.push_back(std::move(section));
    }

    // The open section lacks its ENDSEC: one is inserted at `at`, before the next SECTION or at
    // the end, so that tags[section.end] holds for every section.
    void closeUnended(size_t at)
    {
        Section& section = m_file.sections.back();
        report(at == m_file.tags.size() ? at - 1 : at,
               "section " + (section.name.empty() ? std::string("\"\"") : section.name) +
                   " has no \"0 ENDSEC\"; one was added");
        const std::string_view endsec = m_file.arena.store("ENDSEC");
        m_file.tags.insert(m_file.tags.begin() + static_cast<ptrdiff_t>(at),
                           Tag{endsec.data(), static_cast<uint32_t>(endsec.size()), 0});
        section.end = at;
    }

    void reportStray(size_t count, size_t first)
    {
        if (count > 0) {
            report(first, std::to_string(count) + (count == 1 ? " tag" : " tags") +
                              " outside any section; kept where they are");
        }
    }

    void report(size_t tagIndex, std::string message)
    {
        const DxfFile::Location where = tagIndex < m_file.tags.size()
                                            ? m_file.locate(m_file.tags[tagIndex])
                                            : DxfFile::Location{0, 0};
        Diagnostic d = detail::makeDiagnostic(m_file, Diagnostic::Repaired, where.line,
                                              where.offset, std::move(message));
        m_found.push_back(d);
    }

    DxfFile& m_file;
    std::vector<Diagnostic>& m_found;
    size_t m_commas = 0;  // real numbers written with a decimal comma
    size_t m_firstComma = 0;
};

// $ACADVER and $DWGCODEPAGE: "9 $NAME" followed by the value tag in the HEADER section.
void readHeaderFacts(DxfFile& file)
{
    for (const Section& section : file.sections) {
        if (section.name != "HEADER") {
            continue;
        }
        for (size_t i = section.begin; i + 1 < section.end; ++i) {
            const Tag& tag = file.tags[i];
            if (tag.code != 9) {
                continue;
            }
            const Tag& next = file.tags[i + 1];
            if (detail::isKeyword(tag.value(), "$ACADVER") && next.code == 1) {
                file.version = std::string(next.value());
            } else if (detail::isKeyword(tag.value(), "$DWGCODEPAGE") && next.code == 3) {
                file.codepage = std::string(next.value());
            }
        }
        return;
    }
}

}  // namespace

namespace {

// The line and offset of the group code line of the tag whose value starts at `value` in `bytes`,
// which start on line `firstLine` at `firstOffset` of the file.
DxfFile::Location locateIn(std::string_view bytes, const char* value, uint64_t firstLine,
                           uint64_t firstOffset)
{
    const char* const begin = bytes.data();
    const auto valueOffset = static_cast<size_t>(value - begin);
    // The value line starts right after the group code line's '\n'.
    const size_t codeLineEnd = valueOffset > 0 ? valueOffset - 1 : 0;
    const size_t previousEnd = bytes.rfind('\n', codeLineEnd > 0 ? codeLineEnd - 1 : 0);
    size_t codeLineStart =
        previousEnd == std::string_view::npos || codeLineEnd == 0 ? 0 : previousEnd + 1;
    if (codeLineStart == 0 && firstOffset == 0 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        codeLineStart = 3;
    }
    const auto lineBreaks = std::count(begin, begin + codeLineStart, '\n');
    return {firstLine + static_cast<uint64_t>(lineBreaks), firstOffset + codeLineStart};
}

bool holds(std::string_view bytes, const char* at)
{
    const std::less<const char*> before;
    return at != nullptr && !before(at, bytes.data()) && !before(bytes.data() + bytes.size(), at);
}

}  // namespace

DxfFile::Location DxfFile::locate(const Tag& tag) const
{
    const std::string_view bytes = text();
    if (!holds(bytes, tag.data)) {
        for (const Run& run : runs) {
            if (holds({run.bytes, run.size}, tag.data)) {
                return locateIn({run.bytes, run.size}, tag.data, run.line, run.offset);
            }
        }
        return {0, 0};
    }
    if (binary) {
        const auto valueOffset = static_cast<size_t>(tag.data - bytes.data());
        const size_t codeBytes = !shortCodes ? 2 : (tag.code >= 255 ? 3 : 1);
        return {0, valueOffset >= codeBytes ? valueOffset - codeBytes : 0};
    }
    return locateIn(bytes, tag.data, 1, 0);
}

DxfFile::Location DxfFile::locateOffset(uint64_t offset) const
{
    return {source != nullptr ? source->lineAt(offset) : 0, offset};
}

namespace {

// Splits the file into tags and finds its sections.
ReadResult readTags(std::unique_ptr<DxfFile> file, bool binary, ObjectCondenser* condenser)
{
    ReadResult result;
    const bool read = binary ? detail::tokenizeBinary(*file, result.diagnostics)
                             : detail::tokenizeAscii(*file, result.diagnostics, condenser);
    if (!read) {
        return result;
    }
    const bool hasSection = std::any_of(file->tags.begin(), file->tags.end(),
                                        [](const Tag& tag) { return isZeroTag(tag, "SECTION"); });
    if (!hasSection) {
        result.diagnostics.push_back(detail::makeDiagnostic(
            *file, Diagnostic::Refused, 0, 0, "not a DXF file: it has no \"0 SECTION\""));
        return result;
    }
    SectionFinder(*file, result.diagnostics).run();
    trimCapacity(file->tags);  // the tokeniser reserved room for the most tags a file can hold
    readHeaderFacts(*file);
    file->diagnostics = result.diagnostics;
    result.file = std::move(file);
    return result;
}

ReadResult refusal(const std::string& path, const std::string& error)
{
    ReadResult result;
    Diagnostic d;
    d.kind = Diagnostic::Refused;
    d.file = path;
    d.message = "cannot read the file: " + error;
    result.diagnostics.push_back(std::move(d));
    return result;
}

// Whether a file starting with `head` can be read in parts: an ASCII file with something in its
// first bytes; others are read whole, which also finds what is wrong with them.
bool readableInParts(std::string_view head)
{
    const size_t sentinel = std::min(head.size(), kBinarySentinel.size());
    return head.find_first_not_of(" \t\r\n") != std::string_view::npos &&
           head.compare(0, sentinel, kBinarySentinel.substr(0, sentinel)) != 0 &&
           !(head.size() >= 3 && head[0] == 'A' && head[1] == 'C' && head[2] >= '0' &&
             head[2] <= '9');
}

}  // namespace

ReadResult parse(FileBytes contents, std::string displayName, ObjectCondenser* condenser)
{
    auto file = std::make_unique<DxfFile>();
    file->path = std::move(displayName);
    file->buffer = std::move(contents);
    ReadResult result;
    if (refuseForeign(*file, result.diagnostics)) {
        return result;
    }
    const bool binary = file->text().compare(0, kBinarySentinel.size(), kBinarySentinel) == 0;
    return readTags(std::move(file), binary, condenser);
}

ReadResult parse(std::string_view contents, std::string displayName)
{
    return parse(FileBytes(contents.begin(), contents.end()), std::move(displayName));
}

ReadResult readFile(const std::string& path, FileAccess& files, ObjectCondenser* condenser,
                    bool inParts)
{
    std::string error;
    // What cannot be read in parts (a pipe, a binary file, no DXF at all) is read whole, which also
    // says what is wrong with it.
    std::unique_ptr<InputFile> input =
        inParts && condenser != nullptr ? files.openInput(path, error) : nullptr;
    if (input != nullptr) {
        char head[32];
        const long long got = input->readAt(0, head, sizeof head, error);
        if (got >= 0 && readableInParts({head, static_cast<size_t>(got)})) {
            auto file = std::make_unique<DxfFile>();
            file->path = path;
            file->source = std::make_unique<FileSource>(std::move(input), path);
            return readTags(std::move(file), false, condenser);
        }
    }
    FileBytes contents;
    if (!files.readAll(path, contents, error)) {
        return refusal(path, error);
    }
    return parse(std::move(contents), path, condenser);
}

}  // namespace kvdxf
