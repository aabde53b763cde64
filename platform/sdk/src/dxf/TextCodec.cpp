#include "TextCodec.h"

#include "CodePage.h"

#include <cstdlib>

namespace kvdxf {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The UTF-16 unit of a "\U+XXXX" escape at `pos`, or -1.
int escapeAt(std::string_view raw, size_t pos)
{
    if (raw.size() - pos < 7 || raw[pos] != '\\' || raw[pos + 1] != 'U' || raw[pos + 2] != '+') {
        return -1;
    }
    int unit = 0;
    for (size_t i = pos + 3; i < pos + 7; ++i) {
        const int digit = hexDigit(raw[i]);
        if (digit < 0) {
            return -1;
        }
        unit = unit * 16 + digit;
    }
    return unit;
}

bool isHighSurrogate(int unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(int unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Strict UTF-8: overlong forms, surrogates and values beyond U+10FFFF are undecodable bytes.
void decodeUtf8(std::string_view bytes, std::wstring& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++p;
            continue;
        }
        int length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && end - p >= length;
        for (int i = 1; valid && i < length; ++i) {
            valid = (p[i] & 0xC0) == 0x80;
            c = (c << 6) | (p[i] & 0x3F);
        }
        valid = valid && c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (!valid) {
            out += kReplacement;
            ++p;
            continue;
        }
        out += static_cast<wchar_t>(c);
        p += length;
    }
}

void encodeUtf8(wchar_t wide, std::string& out)
{
    const auto c = static_cast<char32_t>(wide);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUnit(unsigned unit, std::string& out)
{
    static const char kDigits[] = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kDigits[(unit >> shift) & 0xF];
    }
}

// AC1021 is the first version written in UTF-8; older ones are "AC1009", "AC1015", or odd
// names like "AC2.10" that are older still.
bool isUtf8Version(const std::string& version)
{
    if (version.size() != 6 || version.compare(0, 2, "AC") != 0) {
        return false;
    }
    for (size_t i = 2; i < version.size(); ++i) {
        if (version[i] < '0' || version[i] > '9') {
            return false;
        }
    }
    return std::atoi(version.c_str() + 2) >= 1021;
}

}  // namespace

void appendUnicodeEscape(wchar_t wide, std::string& out)
{
    const auto c = static_cast<char32_t>(wide);
    if (c > 0x10FFFF) {
        appendUnit(0xFFFD, out);
    } else if (c >= 0x10000) {
        appendUnit(0xD800 + ((c - 0x10000) >> 10), out);
        appendUnit(0xDC00 + ((c - 0x10000) & 0x3FF), out);
    } else {
        appendUnit(c, out);
    }
}

TextCodec TextCodec::forDrawing(const std::string& version, const std::string& codepage)
{
    TextCodec codec;
    if (!isUtf8Version(version)) {
        codec.m_charset = Charset::forCodepage(codepage);
    }
    return codec;
}

std::string TextCodec::charsetName() const
{
    return m_charset ? m_charset->iconvName : std::string("UTF-8");
}

std::wstring TextCodec::decode(std::string_view raw) const
{
    std::wstring text;
    text.reserve(raw.size());
    auto decodePlain = [this, &text](std::string_view bytes) {
        if (m_charset) {
            m_charset->decodeBytes(bytes, text);
        } else {
            decodeUtf8(bytes, text);
        }
    };
    size_t plainStart = 0;
    size_t pos = raw.find('\\');
    while (pos != std::string_view::npos) {
        const int unit = escapeAt(raw, pos);
        if (unit < 0) {
            pos = raw.find('\\', pos + 1);
            continue;
        }
        decodePlain(raw.substr(plainStart, pos - plainStart));
        pos += 7;
        const int low = isHighSurrogate(unit) ? escapeAt(raw, pos) : -1;
        if (isLowSurrogate(low)) {
            text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            pos += 7;
        } else {
            text += static_cast<wchar_t>(unit);
        }
        plainStart = pos;
        pos = raw.find('\\', pos);
    }
    decodePlain(raw.substr(plainStart));
    return text;
}

std::string TextCodec::encode(std::wstring_view text) const
{
    std::string raw;
    raw.reserve(text.size());
    if (m_charset) {
        m_charset->encodeText(text, raw);
        return raw;
    }
    for (const wchar_t c : text) {
        const auto value = static_cast<char32_t>(c);
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            appendUnicodeEscape(c, raw);
        } else {
            encodeUtf8(c, raw);
        }
    }
    return raw;
}

}  // namespace kvdxf
