#include "LinFile.h"

#include "LinPattern.h"

#include <cctype>
#include <cmath>
#include <optional>

namespace kvlin {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

class Reader
{
public:
    void readLine(int number, std::string_view line)
    {
        line = trimmed(line);
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (line.front() == '*') {
            readHeader(number, line.substr(1));
        } else {
            readPattern(number, line);
        }
    }

    LinFile finish()
    {
        closePending();
        return std::move(m_file);
    }

private:
    void readHeader(int number, std::string_view header)
    {
        closePending();
        const size_t comma = header.find(',');
        Definition definition;
        definition.line = number;
        definition.name = std::string(trimmed(header.substr(0, comma)));
        if (comma != std::string_view::npos) {
            definition.description = std::string(trimmed(header.substr(comma + 1)));
        }
        if (definition.name.empty()) {
            addProblem(number, "line style header without a name");
            m_skipPattern = true;
            return;
        }
        if (find(m_file, definition.name)) {
            addProblem(number, "line style " + quoted(definition.name) +
                                   " is defined again; the first definition is used");
            m_skipPattern = true;
            return;
        }
        m_pending = std::move(definition);
    }

    void readPattern(int number, std::string_view line)
    {
        if (!m_pending) {
            // The pattern of a header already reported needs no second message.
            if (!m_skipPattern) {
                addProblem(number, "pattern line without a \"*NAME\" header before it");
            }
            m_skipPattern = false;
            return;
        }
        PatternResult pattern = parsePattern(line);
        if (!pattern.error.empty()) {
            addProblem(number, "line style " + quoted(m_pending->name) + ": " + pattern.error);
        } else {
            m_pending->alignment = pattern.alignment;
            m_pending->elements = std::move(pattern.elements);
            m_file.definitions.push_back(std::move(*m_pending));
        }
        m_pending.reset();
    }

    void closePending()
    {
        if (m_pending) {
            addProblem(m_pending->line,
                       "line style " + quoted(m_pending->name) + " has no pattern line");
            m_pending.reset();
        }
        m_skipPattern = false;
    }

    void addProblem(int line, std::string message)
    {
        m_file.problems.push_back(Problem{line, std::move(message)});
    }

    LinFile m_file;
    std::optional<Definition> m_pending;
    bool m_skipPattern = false;  // the header before was refused; its pattern goes with it
};

}  // namespace

double Definition::patternLength() const
{
    double length = 0;
    for (const Element& element : elements) {
        length += std::fabs(element.length);
    }
    return length;
}

LinFile parse(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    Reader reader;
    int number = 1;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        reader.readLine(number, text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
        ++number;
    }
    return reader.finish();
}

const Definition* find(const LinFile& file, std::string_view name)
{
    for (const Definition& definition : file.definitions) {
        if (equalsIgnoringCase(definition.name, name)) {
            return &definition;
        }
    }
    return nullptr;
}

}  // namespace kvlin
