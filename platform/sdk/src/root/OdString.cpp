#include <OdError.h>
#include <OdString.h>

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <locale.h>
#include <vector>
#include <wctype.h>

namespace {

constexpr wchar_t kReplacementChar = 0xFFFD;

// The process locale must not change how names compare, so case folding uses its own locale.
locale_t foldingLocale()
{
    static const locale_t s_locale = [] {
        locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (loc == static_cast<locale_t>(nullptr)) {
            loc = newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
        }
        return loc;
    }();
    return s_locale;
}

wchar_t foldUpper(wchar_t ch)
{
    if (ch < 0x80) {
        return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
    }
    const locale_t loc = foldingLocale();
    return loc == static_cast<locale_t>(nullptr) ? ch : static_cast<wchar_t>(towupper_l(ch, loc));
}

wchar_t foldLower(wchar_t ch)
{
    if (ch < 0x80) {
        return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
    }
    const locale_t loc = foldingLocale();
    return loc == static_cast<locale_t>(nullptr) ? ch : static_cast<wchar_t>(towlower_l(ch, loc));
}

std::wstring decodeUtf8(std::string_view in)
{
    std::wstring out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const unsigned char lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            out.push_back(kReplacementChar);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool valid = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= in.size() || (static_cast<unsigned char>(in[j]) & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(in[j]) & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        if (!valid || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(kReplacementChar);
            i = valid ? j : std::max(j, i + 1);
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i = j;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacementChar;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isSpace(wchar_t ch)
{
    const locale_t loc = foldingLocale();
    return loc == static_cast<locale_t>(nullptr) ? (ch == L' ' || (ch >= L'\t' && ch <= L'\r'))
                                                 : iswspace_l(static_cast<wint_t>(ch), loc) != 0;
}

int clampIndex(int value, int size)
{
    return std::clamp(value, 0, size);
}

}  // namespace

OdString::OdString(const wchar_t* source)
{
    if (source) {
        m_data = source;
    }
}

OdString::OdString(const wchar_t* source, int length)
{
    if (source && length > 0) {
        m_data.assign(source, static_cast<std::size_t>(length));
    }
}

OdString::OdString(const char* utf8)
{
    if (utf8) {
        m_data = decodeUtf8(utf8);
    }
}

OdString::OdString(const std::string& utf8) : m_data(decodeUtf8(utf8)) {}

OdString::OdString(wchar_t ch, int count)
{
    if (count > 0) {
        m_data.assign(static_cast<std::size_t>(count), ch);
    }
}

OdString OdString::fromUtf8(std::string_view utf8)
{
    return OdString(decodeUtf8(utf8));
}

std::string OdString::toUtf8() const
{
    std::string out;
    out.reserve(m_data.size());
    for (const wchar_t ch : m_data) {
        appendUtf8(out, static_cast<char32_t>(ch));
    }
    return out;
}

wchar_t OdString::getAt(int index) const noexcept
{
    return (index < 0 || index >= getLength()) ? L'\0' : m_data[static_cast<std::size_t>(index)];
}

int OdString::compare(const wchar_t* other) const
{
    return m_data.compare(other ? other : L"");
}

int OdString::iCompare(const OdString& other) const noexcept
{
    const std::size_t n = std::min(m_data.size(), other.m_data.size());
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t a = foldUpper(m_data[i]);
        const wchar_t b = foldUpper(other.m_data[i]);
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    if (m_data.size() == other.m_data.size()) {
        return 0;
    }
    return m_data.size() < other.m_data.size() ? -1 : 1;
}

OdString& OdString::makeUpper()
{
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), foldUpper);
    return *this;
}

OdString& OdString::makeLower()
{
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), foldLower);
    return *this;
}

int OdString::find(wchar_t ch, int start) const noexcept
{
    if (start < 0 || start >= getLength()) {
        return -1;
    }
    const std::size_t pos = m_data.find(ch, static_cast<std::size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int OdString::find(const OdString& sub, int start) const noexcept
{
    if (start < 0 || start > getLength()) {
        return -1;
    }
    const std::size_t pos = m_data.find(sub.m_data, static_cast<std::size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int OdString::reverseFind(wchar_t ch) const noexcept
{
    const std::size_t pos = m_data.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

OdString OdString::mid(int first) const
{
    return mid(first, getLength());
}

OdString OdString::mid(int first, int count) const
{
    const int begin = clampIndex(first, getLength());
    const int end = clampIndex(begin + std::max(count, 0), getLength());
    return OdString(
        m_data.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

OdString OdString::left(int count) const
{
    return mid(0, count);
}

OdString OdString::right(int count) const
{
    const int n = clampIndex(count, getLength());
    return mid(getLength() - n, n);
}

int OdString::replace(const OdString& oldText, const OdString& newText)
{
    if (oldText.isEmpty()) {
        return 0;
    }
    int count = 0;
    std::size_t pos = 0;
    while ((pos = m_data.find(oldText.m_data, pos)) != std::wstring::npos) {
        m_data.replace(pos, oldText.m_data.size(), newText.m_data);
        pos += newText.m_data.size();
        ++count;
    }
    return count;
}

int OdString::replace(wchar_t oldChar, wchar_t newChar)
{
    int count = 0;
    for (wchar_t& ch : m_data) {
        if (ch == oldChar) {
            ch = newChar;
            ++count;
        }
    }
    return count;
}

OdString& OdString::trimLeft()
{
    const auto it =
        std::find_if(m_data.begin(), m_data.end(), [](wchar_t ch) { return !isSpace(ch); });
    m_data.erase(m_data.begin(), it);
    return *this;
}

OdString& OdString::trimRight()
{
    const auto it =
        std::find_if(m_data.rbegin(), m_data.rend(), [](wchar_t ch) { return !isSpace(ch); });
    m_data.erase(it.base(), m_data.end());
    return *this;
}

OdString& OdString::trimLeft(const OdString& targets)
{
    m_data.erase(0, std::min(m_data.find_first_not_of(targets.m_data), m_data.size()));
    return *this;
}

OdString& OdString::trimRight(const OdString& targets)
{
    const std::size_t last = m_data.find_last_not_of(targets.m_data);
    m_data.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

OdString& OdString::format(const wchar_t* fmt, ...)
{
    if (!fmt) {
        throw OdError(eInvalidInput);
    }
    // vswprintf reports "too small" and "bad format" alike; grow the buffer up to a bound and
    // treat anything beyond it as a bad format.
    constexpr std::size_t kMaxChars = std::size_t(1) << 24;
    std::vector<wchar_t> buffer(256);
    while (true) {
        va_list args;
        va_start(args, fmt);
        const int written = std::vswprintf(buffer.data(), buffer.size(), fmt, args);
        va_end(args);
        if (written >= 0) {
            m_data.assign(buffer.data(), static_cast<std::size_t>(written));
            return *this;
        }
        if (buffer.size() >= kMaxChars) {
            throw OdError(eInvalidInput);
        }
        buffer.resize(buffer.size() * 4);
    }
}

OdString& OdString::operator+=(const OdString& other)
{
    m_data += other.m_data;
    return *this;
}

OdString& OdString::operator+=(const wchar_t* other)
{
    if (other) {
        m_data += other;
    }
    return *this;
}

OdString& OdString::operator+=(wchar_t ch)
{
    m_data += ch;
    return *this;
}

OdString operator+(const OdString& a, const OdString& b)
{
    OdString result(a);
    result += b;
    return result;
}

OdString operator+(const OdString& a, const wchar_t* b)
{
    OdString result(a);
    result += b;
    return result;
}

OdString operator+(const wchar_t* a, const OdString& b)
{
    OdString result(a);
    result += b;
    return result;
}

OdString operator+(const OdString& a, wchar_t b)
{
    OdString result(a);
    result += b;
    return result;
}

std::size_t OdStringNoCaseHash::operator()(const OdString& s) const noexcept
{
    // FNV-1a over the folded code points.
    std::size_t hash = 14695981039346656037ull;
    for (const wchar_t ch : s.wstring()) {
        hash ^= static_cast<std::size_t>(foldUpper(ch));
        hash *= 1099511628211ull;
    }
    return hash;
}
