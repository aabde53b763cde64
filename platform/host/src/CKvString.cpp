#include <CKvString.h>
#include <OdError.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <locale.h>
#include <vector>

namespace {

// Formatting does not follow the user's locale: numbers always use the full stop (texts made
// in two sessions must compare equal), and text crosses between narrow and wide as UTF-8.
class FormattingLocale
{
public:
    FormattingLocale() : m_previous(uselocale(formattingLocale())) {}
    ~FormattingLocale() { uselocale(m_previous); }
    FormattingLocale(const FormattingLocale&) = delete;
    FormattingLocale& operator=(const FormattingLocale&) = delete;

private:
    static locale_t formattingLocale()
    {
        static const locale_t locale = [] {
            locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
            return utf8 != nullptr ? utf8
                                   : newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        }();
        return locale;
    }
    locale_t m_previous;
};

// vswprintf cannot tell a short buffer from a bad format (both give -1), so the buffer grows up
// to this size before the format is declared bad.
constexpr std::size_t kMaxFormattedLength = std::size_t(1) << 20;

std::wstring expandWide(const wchar_t* fmt, va_list args)
{
    if (fmt == nullptr) {
        throw OdError(eInvalidInput);
    }
    const FormattingLocale locale;
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list attempt;
        va_copy(attempt, args);
        const int written = std::vswprintf(buffer.data(), buffer.size(), fmt, attempt);
        va_end(attempt);
        if (written >= 0) {
            return std::wstring(buffer.data(), static_cast<std::size_t>(written));
        }
        if (buffer.size() >= kMaxFormattedLength) {
            throw OdError(eInvalidInput);
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::string expandNarrow(const char* fmt, va_list args)
{
    if (fmt == nullptr) {
        throw OdError(eInvalidInput);
    }
    const FormattingLocale locale;
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    if (length < 0) {
        throw OdError(eInvalidInput);
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    va_list attempt;
    va_copy(attempt, args);
    std::vsnprintf(buffer.data(), buffer.size(), fmt, attempt);
    va_end(attempt);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace

CKvString::CKvString(const QString& text) : m_text(text.toStdWString()) {}

QString CKvString::toQString() const
{
    return QString::fromWCharArray(m_text.c_str(), m_text.getLength());
}

CKvString& CKvString::makeUpper()
{
    m_text.makeUpper();
    return *this;
}

int CKvString::replace(const CKvString& oldText, const CKvString& newText)
{
    return m_text.replace(oldText.m_text, newText.m_text);
}

CKvString& CKvString::format(const wchar_t* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    try {
        m_text = OdString(expandWide(fmt, args));
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

CKvString& CKvString::formatA(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    try {
        m_text = OdString::fromUtf8(expandNarrow(fmt, args));
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

CKvString& CKvString::operator+=(const CKvString& other)
{
    m_text += other.m_text;
    return *this;
}

CKvString operator+(const CKvString& a, const CKvString& b)
{
    CKvString result(a);
    result += b;
    return result;
}
