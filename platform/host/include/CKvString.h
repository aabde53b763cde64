// CKvString: the host's wide-character string, used for every name, path and message that crosses
// the host interfaces. Holds UTF-32 code points (wchar_t); copies are plain value copies.
//
// Contract:
// - Converts to and from QString (UTF-16) and OdString without loss; narrow text given to the
//   const char* constructor is UTF-8 (invalid sequences become U+FFFD).
// - Compare() and ==, != and < compare code points, case-sensitively. CompareNoCase() (also
//   spelt compareNoCase()) and makeUpper() fold case exactly as the SDK folds record names
//   (OdString::iCompare), whatever the process locale is.
// - format() follows swprintf (wide strings need %ls, narrow ones %s); formatA() takes a narrow
//   format and narrow arguments, expands them like snprintf and reads the result as UTF-8. A
//   format that cannot be expanded raises OdError(eInvalidInput) and leaves the string unchanged.
// - replace() replaces every occurrence left to right without rescanning the replacement and
//   returns how many it replaced; an empty search text replaces nothing.
#ifndef KV_CKV_STRING_H
#define KV_CKV_STRING_H

#include <OdString.h>

#include <QString>

#include <cstddef>
#include <functional>
#include <string>

class CKvString
{
public:
    CKvString() = default;
    CKvString(const wchar_t* text) : m_text(text) {}
    CKvString(const char* utf8) : m_text(utf8) {}
    CKvString(const std::wstring& text) : m_text(text) {}
    CKvString(const OdString& text) : m_text(text) {}
    CKvString(const QString& text);

    QString toQString() const;
    const OdString& toOdString() const noexcept { return m_text; }
    std::string toUtf8() const { return m_text.toUtf8(); }
    const wchar_t* c_str() const noexcept { return m_text.c_str(); }

    int getLength() const noexcept { return m_text.getLength(); }
    bool isEmpty() const noexcept { return m_text.isEmpty(); }

    // <0, 0 or >0.
    int Compare(const CKvString& other) const noexcept { return m_text.compare(other.m_text); }
    int CompareNoCase(const CKvString& other) const noexcept
    {
        return m_text.iCompare(other.m_text);
    }
    int compareNoCase(const CKvString& other) const noexcept { return CompareNoCase(other); }

    CKvString& makeUpper();
    int replace(const CKvString& oldText, const CKvString& newText);

    CKvString& format(const wchar_t* fmt, ...);
    CKvString& formatA(const char* fmt, ...);

    CKvString& operator+=(const CKvString& other);

private:
    OdString m_text;
};

CKvString operator+(const CKvString& a, const CKvString& b);

inline bool operator==(const CKvString& a, const CKvString& b) noexcept
{
    return a.Compare(b) == 0;
}
inline bool operator!=(const CKvString& a, const CKvString& b) noexcept
{
    return a.Compare(b) != 0;
}
inline bool operator<(const CKvString& a, const CKvString& b) noexcept
{
    return a.Compare(b) < 0;
}

namespace std {
template <>
struct hash<CKvString>
{
    std::size_t operator()(const CKvString& s) const noexcept
    {
        return std::hash<OdString>()(s.toOdString());
    }
};
}  // namespace std

// Hash and equality that ignore case, for unordered containers keyed by record names, command
// names or plug-in class ids.
struct CKvStringNoCaseHash
{
    std::size_t operator()(const CKvString& s) const noexcept
    {
        return OdStringNoCaseHash()(s.toOdString());
    }
};

struct CKvStringNoCaseEqual
{
    bool operator()(const CKvString& a, const CKvString& b) const noexcept
    {
        return a.CompareNoCase(b) == 0;
    }
};

#endif  // KV_CKV_STRING_H
