#include "CodePage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>

namespace kvdxf {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// iconv's name for a $DWGCODEPAGE value as real files spell it ("ANSI_1252", "ansi_1251",
// "dos932", "iso8859_1", "ASCII"); empty for names we do not know.
std::string iconvNameFor(const std::string& codepage)
{
    std::string name;
    for (const char c : codepage) {
        if (c != ' ' && c != '\t') {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    auto digitsAfter = [&name](std::string_view prefix) -> std::string {
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size()) {
            return {};
        }
        const std::string digits = name.substr(prefix.size());
        for (const char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return {};
            }
        }
        return digits;
    };
    if (const std::string n = digitsAfter("ansi_"); !n.empty()) {
        return "CP" + n;
    }
    if (const std::string n = digitsAfter("dos"); !n.empty()) {
        return "CP" + n;
    }
    if (const std::string n = digitsAfter("iso8859_"); !n.empty()) {
        return "ISO-8859-" + n;
    }
    static const std::map<std::string, std::string> kOthers = {
        {"mac-roman", "MACINTOSH"}, {"big5", "BIG5"},  {"ksc5601", "CP949"},
        {"johab", "JOHAB"},         {"gb2312", "GBK"},
    };
    const auto it = kOthers.find(name);
    return it == kOthers.end() ? std::string() : it->second;
}

// One iconv conversion; closed on destruction.
class Conversion
{
public:
    Conversion(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Conversion()
    {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as it can into [out, out + outLeft); returns errno of
    // the stop (0 when all was converted) and advances the pointers.
    int run(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) const
    {
        char* input = const_cast<char*>(in);  // iconv's historic signature; it does not write
        const size_t result = iconv(m_cd, &input, &inLeft, &out, &outLeft);
        in = input;
        return result == static_cast<size_t>(-1) ? errno : 0;
    }

private:
    iconv_t m_cd;
};

std::shared_ptr<TextCodec::Charset> build(const std::string& iconvName)
{
    Conversion toWide("WCHAR_T", iconvName.c_str());
    if (!toWide.valid()) {
        return nullptr;
    }
    auto charset = std::make_shared<TextCodec::Charset>();
    charset->iconvName = iconvName;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char in[1] = {static_cast<char>(byte)};
        const char* input = in;
        size_t inLeft = 1;
        wchar_t c = 0;
        char* output = reinterpret_cast<char*>(&c);
        size_t outLeft = sizeof c;
        const int stop = toWide.run(input, inLeft, output, outLeft);
        if (stop == EINVAL) {
            // A lead byte waiting for its second byte: a double-byte code page.
            charset->singleByte = false;
            charset->back.clear();
            return charset;
        }
        if (stop == 0 && outLeft == 0) {
            charset->high[static_cast<size_t>(byte - 0x80)] = c;
            charset->back.emplace(c, static_cast<unsigned char>(byte));
        }
    }
    return charset;
}

}  // namespace

std::shared_ptr<const TextCodec::Charset> TextCodec::Charset::forCodepage(
    const std::string& codepage)
{
    static std::mutex s_mutex;
    static std::map<std::string, std::shared_ptr<const Charset>> s_cache;
    std::string name = iconvNameFor(codepage);
    if (name.empty()) {
        name = "CP1252";
    }
    const std::lock_guard<std::mutex> lock(s_mutex);
    const auto it = s_cache.find(name);
    if (it != s_cache.end()) {
        return it->second;
    }
    // Names iconv does not know are not remembered: a file may invent any number of them.
    std::shared_ptr<const Charset> charset = build(name);
    if (!charset) {
        name = "CP1252";
        const auto fallback = s_cache.find(name);
        charset = fallback != s_cache.end() ? fallback->second : build(name);
    }
    s_cache.emplace(name, charset);
    return charset;
}

void TextCodec::Charset::decodeBytes(std::string_view bytes, std::wstring& out) const
{
    if (singleByte) {
        for (const char b : bytes) {
            const auto byte = static_cast<unsigned char>(b);
            if (byte < 0x80) {
                out += static_cast<wchar_t>(byte);
            } else {
                const wchar_t c = high[byte - 0x80];
                out += c != 0 ? c : kReplacement;
            }
        }
        return;
    }
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    if (ascii) {
        out.append(bytes.begin(), bytes.end());
        return;
    }
    Conversion toWide("WCHAR_T", iconvName.c_str());
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    std::wstring chunk(inLeft + 1, L'\0');
    while (inLeft > 0) {
        char* output = reinterpret_cast<char*>(chunk.data());
        size_t outLeft = chunk.size() * sizeof(wchar_t);
        const int stop = toWide.run(in, inLeft, output, outLeft);
        out.append(
            chunk.data(),
            static_cast<size_t>(output - reinterpret_cast<char*>(chunk.data())) / sizeof(wchar_t));
        if (stop == 0) {
            break;
        }
        // EILSEQ or a lead byte at the end (EINVAL): one replacement, go on after the byte.
        out += kReplacement;
        ++in;
        --inLeft;
    }
}

void TextCodec::Charset::encodeText(std::wstring_view text, std::string& out) const
{
    std::unique_ptr<Conversion> fromWide;  // opened at the first character beyond ASCII
    for (const wchar_t c : text) {
        if (c >= 0 && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (singleByte) {
            const auto it = back.find(c);
            if (it != back.end()) {
                out += static_cast<char>(it->second);
                continue;
            }
        } else {
            if (!fromWide) {
                fromWide = std::make_unique<Conversion>(iconvName.c_str(), "WCHAR_T");
            }
            const char* in = reinterpret_cast<const char*>(&c);
            size_t inLeft = sizeof c;
            char bytes[16];
            char* output = bytes;
            size_t outLeft = sizeof bytes;
            if (fromWide->valid() && fromWide->run(in, inLeft, output, outLeft) == 0) {
                out.append(bytes, static_cast<size_t>(output - bytes));
                continue;
            }
        }
        appendUnicodeEscape(c, out);
    }
}

}  // namespace kvdxf
