#include "LinPattern.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace kvlin {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

struct Split
{
    std::vector<std::string_view> fields;
    std::string error;
};

// Splits at commas that are neither inside a bracketed element nor inside quoted text, so that
// ["A,B",Standard] stays one field and its text keeps the comma.
Split splitFields(std::string_view line, bool insideBrackets)
{
    Split split;
    bool inQuote = false;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            inQuote = !inQuote;
        } else if (inQuote) {
            continue;
        } else if (c == '[') {
            if (depth > 0 || insideBrackets) {
                split.error = "'[' inside a bracketed element";
                return split;
            }
            ++depth;
        } else if (c == ']') {
            if (depth == 0) {
                split.error = "']' without a matching '['";
                return split;
            }
            --depth;
        } else if (c == ',' && depth == 0) {
            split.fields.push_back(trimmed(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    if (inQuote) {
        split.error = "quoted text is not closed";
    } else if (depth > 0) {
        split.error = "bracketed element is not closed with ']'";
    } else {
        split.fields.push_back(trimmed(line.substr(start)));
    }
    return split;
}

// A number as written in .lin files: "0.5", ".5", "-.25", "1e-2". Parsed independently of the
// C locale. Infinity and NaN are refused.
std::optional<double> parseNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Applies "KEY=value" of a bracketed element. Rotation is one parameter written three ways:
// R= relative to the line, A= absolute, U= kept upright.
std::string applyParameter(std::string_view item, Element& element, std::string& seen)
{
    const size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
        return "expected KEY=value in bracketed element, found " + quoted(item);
    }
    const std::string_view key = trimmed(item.substr(0, equals));
    const std::string_view valueText = trimmed(item.substr(equals + 1));
    if (key.size() != 1) {
        return "unknown parameter " + quoted(key) + " in bracketed element";
    }
    const char name = static_cast<char>(std::toupper(static_cast<unsigned char>(key.front())));
    const char slot = (name == 'A' || name == 'U') ? 'R' : name;
    if (std::string_view("SRXY").find(slot) == std::string_view::npos) {
        return "unknown parameter " + quoted(key) + " in bracketed element";
    }
    if (seen.find(slot) != std::string::npos) {
        return std::string(slot == 'R' ? "rotation" : std::string(1, name)) +
               " is given twice in bracketed element";
    }
    seen += slot;
    const std::optional<double> value = parseNumber(valueText);
    if (!value) {
        return "bad number " + quoted(valueText) + " for " + std::string(1, name) + "=";
    }
    switch (name) {
        case 'S':
            element.scale = *value;
            break;
        case 'X':
            element.xOffset = *value;
            break;
        case 'Y':
            element.yOffset = *value;
            break;
        default:
            element.rotation = *value;
            element.absoluteRotation = name == 'A';
            element.upright = name == 'U';
            break;
    }
    return {};
}

// Fills the text or shape part of `element` from the inside of "[...]".
std::string applyBracket(std::string_view inside, Element& element)
{
    const Split split = splitFields(inside, true);
    if (!split.error.empty()) {
        return split.error;
    }
    const std::vector<std::string_view>& items = split.fields;
    const std::string_view first = items.front();
    if (items.size() < 2 || trimmed(items[1]).empty() ||
        items[1].find('=') != std::string_view::npos) {
        return "bracketed element " + quoted(first) + " needs a text style or shape file";
    }
    if (!first.empty() && first.front() == '"') {
        if (first.size() < 2 || first.back() != '"') {
            return "unexpected text after the quoted text in " + quoted(first);
        }
        element.kind = Element::Text;
        element.text = std::string(first.substr(1, first.size() - 2));
        element.styleName = std::string(items[1]);
    } else {
        if (first.empty()) {
            return "bracketed element has no text or shape name";
        }
        element.kind = Element::Shape;
        element.shapeName = std::string(first);
        element.shapeFile = std::string(items[1]);
    }
    std::string seen;
    for (size_t i = 2; i < items.size(); ++i) {
        std::string error = applyParameter(items[i], element, seen);
        if (!error.empty()) {
            return error;
        }
    }
    return {};
}

}  // namespace

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

PatternResult parsePattern(std::string_view line)
{
    PatternResult result;
    Split split = splitFields(line, false);
    if (!split.error.empty()) {
        result.error = split.error;
        return result;
    }
    const std::string_view alignment = split.fields.front();
    if (alignment != "A" && alignment != "a") {
        result.error = "pattern must start with the alignment A, found " + quoted(alignment);
        return result;
    }
    for (size_t i = 1; i < split.fields.size(); ++i) {
        const std::string_view field = split.fields[i];
        if (!field.empty() && field.front() == '[') {
            if (field.back() != ']') {
                result.error = "unexpected text after ']' in " + quoted(field);
            } else if (result.elements.empty()) {
                result.error = "bracketed element has no dash, gap or dot before it";
            } else if (result.elements.back().kind != Element::Plain) {
                result.error = "two bracketed elements follow the same dash";
            } else {
                result.error =
                    applyBracket(field.substr(1, field.size() - 2), result.elements.back());
            }
        } else if (const std::optional<double> length = parseNumber(field)) {
            Element element;
            element.length = *length;
            result.elements.push_back(element);
        } else {
            result.error = field.empty() ? std::string("empty element in pattern")
                                         : "bad number " + quoted(field);
        }
        if (!result.error.empty()) {
            return result;
        }
    }
    if (result.elements.empty()) {
        result.error = "pattern has no dashes, gaps or dots";
    }
    return result;
}

}  // namespace kvlin
