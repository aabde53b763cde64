#include "DxfNumbers.h"

#include <charconv>
#include <cmath>

namespace kvdxf {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Plain loops: every handle and number of a drawing passes here, most without any blank.
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

bool parseDouble(std::string_view text, double& out)
{
    text = trimmed(text);
    // from_chars takes no '+' sign; a second sign after it must still be refused.
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    const char* const end = text.data() + text.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

bool parseInt(std::string_view text, int64_t& out)
{
    text = trimmed(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    const char* const end = text.data() + text.size();
    int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        return false;
    }
    out = value;
    return true;
}

bool parseHandle(std::string_view text, uint64_t& out)
{
    text = trimmed(text);
    if (text.empty() || text.size() > 16) {
        return false;
    }
    // A plain loop: every object has a handle and most have an owner handle.
    uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit > 9) {
            digit = (static_cast<unsigned char>(c) | 0x20u) - unsigned{'a'} + 10;
            if (digit < 10 || digit > 15) {
                return false;
            }
        }
        value = value << 4 | digit;
    }
    out = value;
    return true;
}

std::string formatDouble(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    std::string formatted(text, result.ptr);
    if (std::isfinite(value) && formatted.find_first_of(".e") == std::string::npos) {
        formatted += ".0";
    }
    return formatted;
}

std::string formatHandle(uint64_t handle)
{
    char text[17];
    const auto result = std::to_chars(text, text + sizeof text, handle, 16);
    std::string formatted(text, result.ptr);
    for (char& c : formatted) {
        if (c >= 'a' && c <= 'f') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return formatted;
}

}  // namespace kvdxf
