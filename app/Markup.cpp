#include "Markup.h"

#include <QString>
#include <QVector>

namespace {

// Characters XML 1.0 allows in a document.
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

std::string xml(std::string_view text)
{
    // Malformed UTF-8 is read as U+FFFD.
    const QVector<uint> codePoints =
        QString::fromUtf8(text.data(), static_cast<int>(text.size())).toUcs4();
    std::string out;
    out.reserve(text.size());
    for (const uint c : codePoints) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default: {
                const uint kept = isXmlChar(c) ? c : 0xFFFDu;
                out += QString::fromUcs4(&kept, 1).toUtf8().toStdString();
            }
        }
    }
    return out;
}
