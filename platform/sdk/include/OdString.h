// OdString: the SDK's wide string. Holds UTF-32 code points in a std::wstring (wchar_t is 32 bits
// on the platforms we build for); copies are plain value copies.
//
// Contract:
// - Narrow text given to the constructors (const char*, std::string) and to fromUtf8() is UTF-8;
//   invalid sequences become U+FFFD, never an exception. toUtf8() writes UTF-8; an unpaired
//   surrogate or a value above U+10FFFF is written as U+FFFD. A null pointer gives an empty string.
// - compare() and operator== / != / < compare code points, case-sensitively.
// - iCompare(), makeUpper(), makeLower() and the no-case functors fold case by the Unicode tables
//   of the C.UTF-8 locale, whatever the process locale is ("ÄBC" equals "äbc"). When that locale
//   is missing, only ASCII letters fold.
// - Positions and counts are in code points. mid/left/right clamp out-of-range arguments;
//   find returns -1 when nothing is found.
// - format() follows swprintf: wide strings need %ls, narrow ones %s. A format that cannot be
//   expanded raises OdError(eInvalidInput).
#ifndef OD_STRING_H
#define OD_STRING_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#define OD_T(x) L##x

class OdString
{
public:
    OdString() = default;
    OdString(const wchar_t* source);
    OdString(const wchar_t* source, int length);
    OdString(const std::wstring& source) : m_data(source) {}
    OdString(std::wstring&& source) noexcept : m_data(std::move(source)) {}
    OdString(const char* utf8);
    OdString(const std::string& utf8);
    OdString(wchar_t ch, int count);

    static OdString fromUtf8(std::string_view utf8);
    std::string toUtf8() const;

    const wchar_t* c_str() const noexcept { return m_data.c_str(); }
    operator const wchar_t*() const noexcept { return m_data.c_str(); }
    const std::wstring& wstring() const noexcept { return m_data; }

    int getLength() const noexcept { return static_cast<int>(m_data.size()); }
    bool isEmpty() const noexcept { return m_data.empty(); }
    bool empty() const noexcept { return m_data.empty(); }
    // Out-of-range positions read as L'\0'.
    wchar_t getAt(int index) const noexcept;
    wchar_t operator[](int index) const noexcept { return getAt(index); }

    // <0, 0 or >0; case-sensitive by code point.
    int compare(const OdString& other) const noexcept { return m_data.compare(other.m_data); }
    int compare(const wchar_t* other) const;
    // <0, 0 or >0 after case folding.
    int iCompare(const OdString& other) const noexcept;

    OdString& makeUpper();
    OdString& makeLower();

    int find(wchar_t ch, int start = 0) const noexcept;
    int find(const OdString& sub, int start = 0) const noexcept;
    int reverseFind(wchar_t ch) const noexcept;

    OdString mid(int first) const;
    OdString mid(int first, int count) const;
    OdString left(int count) const;
    OdString right(int count) const;

    // Replaces every occurrence, left to right, without rescanning the replacement; returns how
    // many were replaced. An empty `oldText` replaces nothing.
    int replace(const OdString& oldText, const OdString& newText);
    int replace(wchar_t oldChar, wchar_t newChar);

    // Removes leading/trailing white space (iswspace), or the given characters.
    OdString& trimLeft();
    OdString& trimRight();
    OdString& trimLeft(const OdString& targets);
    OdString& trimRight(const OdString& targets);

    OdString& format(const wchar_t* fmt, ...);

    OdString& operator+=(const OdString& other);
    OdString& operator+=(const wchar_t* other);
    OdString& operator+=(wchar_t ch);

private:
    std::wstring m_data;
};

OdString operator+(const OdString& a, const OdString& b);
OdString operator+(const OdString& a, const wchar_t* b);
OdString operator+(const wchar_t* a, const OdString& b);
OdString operator+(const OdString& a, wchar_t b);

inline bool operator==(const OdString& a, const OdString& b) noexcept
{
    return a.wstring() == b.wstring();
}
inline bool operator==(const OdString& a, const wchar_t* b)
{
    return a.compare(b) == 0;
}
inline bool operator==(const wchar_t* a, const OdString& b)
{
    return b.compare(a) == 0;
}
inline bool operator!=(const OdString& a, const OdString& b) noexcept
{
    return !(a == b);
}
inline bool operator!=(const OdString& a, const wchar_t* b)
{
    return !(a == b);
}
inline bool operator!=(const wchar_t* a, const OdString& b)
{
    return !(a == b);
}
inline bool operator<(const OdString& a, const OdString& b) noexcept
{
    return a.wstring() < b.wstring();
}
inline bool operator<(const OdString& a, const wchar_t* b)
{
    return a.compare(b) < 0;
}
inline bool operator<(const wchar_t* a, const OdString& b)
{
    return b.compare(a) > 0;
}

namespace std {
template <>
struct hash<OdString>
{
    std::size_t operator()(const OdString& s) const noexcept
    {
        return std::hash<std::wstring>()(s.wstring());
    }
};
}  // namespace std

// Hash and equality that ignore case, for name lookups in unordered containers:
// std::unordered_map<OdString, T, OdStringNoCaseHash, OdStringNoCaseEqual>.
struct OdStringNoCaseHash
{
    std::size_t operator()(const OdString& s) const noexcept;
};

struct OdStringNoCaseEqual
{
    bool operator()(const OdString& a, const OdString& b) const noexcept
    {
        return a.iCompare(b) == 0;
    }
};

#endif  // OD_STRING_H
