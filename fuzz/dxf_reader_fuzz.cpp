// Feeds arbitrary bytes to the DXF reader and checks what must hold for every input: no crash,
// a refusal always says why, a file that was read writes back and reads again to the same tags,
// writing is deterministic, and every string value survives decode/encode.
#include "DxfReader.h"
#include "TagWriter.h"
#include "TextCodec.h"

#include <cstdint>
#include <string>

namespace {

class MemoryOutputFile : public kvdxf::OutputFile
{
public:
    bool write(std::string_view bytes) override
    {
        m_bytes.append(bytes);
        return true;
    }
    bool close(std::string&) override { return true; }
    const std::string& path() const override { return m_path; }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::string m_path = "memory";
};

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

// The file as ASCII DXF; false when a value cannot be written (a binary string with a line feed).
bool writeAscii(const kvdxf::DxfFile& file, std::string& bytes)
{
    MemoryOutputFile out;
    kvdxf::TagWriter writer(out, file.crlf);
    kvdxf::writeTags(writer, file);
    std::string error;
    const bool written = writer.finish(error);
    check(written == error.empty());
    bytes = out.bytes();
    return written;
}

void checkStructure(const kvdxf::DxfFile& file)
{
    for (const kvdxf::Section& section : file.sections) {
        check(section.begin <= section.end && section.end < file.tags.size());
        check(file.tags[section.end].code == 0);
    }
    for (size_t index : file.strayTags) {
        check(index < file.tags.size());
    }
    if (!file.tags.empty()) {
        const kvdxf::DxfFile::Location where = file.locate(file.tags.back());
        check(where.offset <= file.buffer.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const kvdxf::ReadResult result =
        kvdxf::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.dxf");
    if (!result.ok()) {
        check(!result.diagnostics.empty());
        check(result.diagnostics.back().kind == kvdxf::Diagnostic::Refused);
        check(!result.diagnostics.back().message.empty());
        return 0;
    }
    const kvdxf::DxfFile& file = *result.file;
    checkStructure(file);

    const kvdxf::TextCodec codec = kvdxf::TextCodec::forDrawing(file.version, file.codepage);
    for (const kvdxf::Tag& tag : file.tags) {
        if (kvdxf::kindOf(tag.code) == kvdxf::ValueKind::String) {
            const std::wstring text = codec.decode(tag.value());
            check(codec.decode(codec.encode(text)) == text);
        }
    }

    std::string written;
    if (!writeAscii(file, written)) {
        return 0;
    }
    const kvdxf::ReadResult again = kvdxf::parse(written, "again.dxf");
    check(again.ok());
    check(again.file->tags.size() == file.tags.size());
    for (size_t i = 0; i < file.tags.size(); ++i) {
        check(again.file->tags[i].code == file.tags[i].code);
        check(again.file->tags[i].value() == file.tags[i].value());
    }
    std::string rewritten;
    check(writeAscii(*again.file, rewritten));
    check(rewritten == written);
    return 0;
}
