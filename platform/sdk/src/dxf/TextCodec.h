// Text in DXF values: bytes in the drawing's code page (or UTF-8) plus \U+XXXX escapes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kvdxf {

// Converts between the raw bytes of a DXF string value and text. Cheap to copy; safe to use from
// several threads.
//
// Drawings before AC1021 hold their strings in the code page named by $DWGCODEPAGE: ANSI_xxxx
// (Windows code pages, ANSI_932/936/949/950/1361 are double-byte), dosNNN, iso8859_N, mac-roman,
// big5, ksc5601, johab, gb2312. A missing, unknown or "ASCII" code page reads as ANSI_1252, which
// holds ASCII and is what such files carry in practice. AC1021 and later are UTF-8 throughout.
//
// decode: \U+XXXX escapes (4 hex digits, a UTF-16 unit; a surrogate pair is two escapes) become the
// character in every version; \M+nXXXX escapes are kept as they are (their code page numbering is
// not reliable). Bytes the code page or UTF-8 cannot decode become U+FFFD, one per byte, and a
// lone surrogate escape stays a lone surrogate.
// encode: the inverse for text that decode produced: UTF-8 for AC1021+, else the code page, with
// \U+XXXX (two for characters beyond U+FFFF) for characters the code page lacks, for surrogates
// and (UTF-8) for characters UTF-8 cannot hold. Text that literally contains "\U+" followed by
// four hex digits cannot be told from an escape: DXF has no way to write it.
class TextCodec
{
public:
    static TextCodec forDrawing(const std::string& version, const std::string& codepage);

    std::wstring decode(std::string_view raw) const;
    std::string encode(std::wstring_view text) const;

    bool isUtf8() const { return m_charset == nullptr; }
    // The character set used for the bytes: "UTF-8" or the iconv name ("CP1252", "CP932", ...).
    std::string charsetName() const;

    struct Charset;

private:
    std::shared_ptr<const Charset> m_charset;  // null for UTF-8
};

}  // namespace kvdxf
