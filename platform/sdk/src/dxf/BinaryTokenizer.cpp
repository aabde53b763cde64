// Reads binary DXF: typed values are turned into the text an ASCII file would hold, so the layers
// above see one kind of tag whatever the file was.
#include "DxfNumbers.h"
#include "DxfTokenizer.h"

#include <cstring>
#include <string>

namespace kvdxf::detail {

namespace {

constexpr size_t kSentinelSize = 22;

class BinaryCursor
{
public:
    BinaryCursor(std::string_view buffer, size_t start)
        : m_data(reinterpret_cast<const unsigned char*>(buffer.data()))
        , m_size(buffer.size())
        , m_pos(start)
    {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t pos() const { return m_pos; }
    bool has(size_t count) const { return m_size - m_pos >= count; }

    // Little-endian unsigned value of `count` bytes; the caller checked has(count).
    uint64_t takeUnsigned(size_t count)
    {
        uint64_t value = 0;
        for (size_t i = 0; i < count; ++i) {
            value |= uint64_t{m_data[m_pos + i]} << (8 * i);
        }
        m_pos += count;
        return value;
    }

    // A zero-terminated string; false when the terminator is missing.
    bool takeString(const char*& text, size_t& size)
    {
        const void* zero = std::memchr(m_data + m_pos, 0, m_size - m_pos);
        if (zero == nullptr) {
            return false;
        }
        text = reinterpret_cast<const char*>(m_data + m_pos);
        size = static_cast<size_t>(static_cast<const unsigned char*>(zero) - (m_data + m_pos));
        m_pos += size + 1;
        return true;
    }

    const unsigned char* take(size_t count)
    {
        const unsigned char* bytes = m_data + m_pos;
        m_pos += count;
        return bytes;
    }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos;
};

size_t fixedSize(ValueKind kind)
{
    switch (kind) {
        case ValueKind::Double:
        case ValueKind::Int64:
            return 8;
        case ValueKind::Int32:
            return 4;
        case ValueKind::Int16:
            return 2;
        case ValueKind::Bool:
            return 1;
        case ValueKind::String:
        case ValueKind::Handle:
        case ValueKind::Binary:
            break;
    }
    return 0;
}

std::string fixedValueText(ValueKind kind, uint64_t bits)
{
    switch (kind) {
        case ValueKind::Double: {
            double value = 0;
            std::memcpy(&value, &bits, sizeof value);
            return formatDouble(value);
        }
        case ValueKind::Int64:
            return std::to_string(static_cast<int64_t>(bits));
        case ValueKind::Int32:
            return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(bits)));
        case ValueKind::Int16:
            return std::to_string(static_cast<int16_t>(static_cast<uint16_t>(bits)));
        case ValueKind::Bool:
        case ValueKind::String:
        case ValueKind::Handle:
        case ValueKind::Binary:
            break;
    }
    return std::to_string(bits);
}

std::string hexText(const unsigned char* bytes, size_t count)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(count * 2, '0');
    for (size_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0xF];
    }
    return text;
}

}  // namespace

bool tokenizeBinary(DxfFile& file, std::vector<Diagnostic>& found)
{
    file.binary = true;
    // "0 SECTION" opens every file: with 2-byte codes the byte after the first code byte is the
    // code's high byte (0), with 1-byte codes (AC1009) it is the 'S' of SECTION.
    file.shortCodes = file.buffer.size() > kSentinelSize + 1 && file.buffer[kSentinelSize + 1] != 0;
    file.tags.reserve(file.buffer.size() / 8 + 16);
    BinaryCursor in(file.text(), kSentinelSize);

    auto refuseTruncated = [&](size_t tagOffset) {
        found.push_back(makeDiagnostic(file, Diagnostic::Refused, 0, tagOffset,
                                       "the binary DXF file is cut off inside a tag"));
        return false;
    };
    while (!in.atEnd()) {
        const size_t tagOffset = in.pos();
        int32_t code = 0;
        if (file.shortCodes) {
            code = static_cast<int32_t>(in.takeUnsigned(1));
            if (code == 255) {  // escape to a 2-byte code (XDATA codes 1000 and above)
                if (!in.has(2)) {
                    return refuseTruncated(tagOffset);
                }
                code = static_cast<int32_t>(in.takeUnsigned(2));
            }
        } else {
            if (!in.has(2)) {
                return refuseTruncated(tagOffset);
            }
            code = static_cast<int32_t>(in.takeUnsigned(2));
        }

        const ValueKind kind = kindOf(code);
        std::string_view text;
        if (kind == ValueKind::String || kind == ValueKind::Handle) {
            const char* data = nullptr;
            size_t size = 0;
            if (!in.takeString(data, size)) {
                return refuseTruncated(tagOffset);
            }
            text = std::string_view(data, size);
        } else if (kind == ValueKind::Binary) {
            if (!in.has(1)) {
                return refuseTruncated(tagOffset);
            }
            const auto count = static_cast<size_t>(in.takeUnsigned(1));
            if (!in.has(count)) {
                return refuseTruncated(tagOffset);
            }
            text = file.arena.store(hexText(in.take(count), count));
        } else {
            const size_t size = fixedSize(kind);
            if (!in.has(size)) {
                return refuseTruncated(tagOffset);
            }
            text = file.arena.store(fixedValueText(kind, in.takeUnsigned(size)));
        }
        if (code == 0 && isKeyword(text, "EOF")) {
            return true;
        }
        file.tags.push_back(Tag{text.data(), static_cast<uint32_t>(text.size()), code});
    }
    found.push_back(makeDiagnostic(file, Diagnostic::Repaired, 0, in.pos(),
                                   "the file has no \"0 EOF\" tag; it was read to its end"));
    return true;
}

}  // namespace kvdxf::detail
