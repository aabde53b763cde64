// The code pages of pre-AC1021 drawings, converted with iconv.
#pragma once

#include "TextCodec.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kvdxf {

// One code page. Single-byte code pages are turned into tables once; double-byte ones go through
// iconv on each call (a fresh conversion state per call keeps it thread-safe).
struct TextCodec::Charset
{
    std::string iconvName;
    bool singleByte = true;
    std::array<wchar_t, 128> high{};                  // bytes 0x80-0xFF; 0 = not in the code page
    std::unordered_map<wchar_t, unsigned char> back;  // character -> byte, single-byte only

    // The shared charset for a $DWGCODEPAGE value; never null (unknown names give CP1252).
    static std::shared_ptr<const Charset> forCodepage(const std::string& codepage);

    // Appends the characters of `bytes`, which hold no escape; U+FFFD for each undecodable byte.
    void decodeBytes(std::string_view bytes, std::wstring& out) const;
    // Appends the bytes of `text`; characters the code page lacks as \U+XXXX escapes.
    void encodeText(std::wstring_view text, std::string& out) const;
};

// Appends \U+XXXX for `c` (two escapes, a surrogate pair, beyond U+FFFF; \U+FFFD for values that
// are no character).
void appendUnicodeEscape(wchar_t c, std::string& out);

}  // namespace kvdxf
