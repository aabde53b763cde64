// Reader of line style definition files (.lin).
//
// A definition is a header line "*NAME[,description]" followed by a pattern line
// "A,e1,e2,...": a positive element is a dash, a negative one a gap, 0 a dot. A bracketed
// element ["text",STYLE,S=..,R=..,X=..,Y=..] or [SHAPE,file.shx,...] does not count as an element
// of its own: it decorates the element written before it, as the drawing stores it (the LTYPE
// record counts dashes only). Lines starting with ';' are comments.
//
// parse() never throws. A line it cannot use becomes a Problem (1-based line number, message)
// and the definition it belongs to is skipped; the remaining definitions are still read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvlin {

struct Element
{
    double length = 0;  // > 0 dash, < 0 gap, 0 dot
    enum Kind { Plain, Text, Shape } kind = Plain;
    std::string text;                  // Text
    std::string styleName;             // Text: text style name
    std::string shapeName, shapeFile;  // Shape
    double scale = 1, rotation = 0;    // rotation in degrees as written
    bool absoluteRotation = false;     // A= instead of R=
    bool upright = false;              // U=
    double xOffset = 0, yOffset = 0;
};

struct Definition
{
    std::string name, description;
    char alignment = 'A';
    std::vector<Element> elements;
    // Sum of the absolute element lengths: the length of one repetition of the pattern.
    double patternLength() const;
    int line = 0;  // line of the header in the file
};

struct Problem
{
    int line;
    std::string message;
};

struct LinFile
{
    std::vector<Definition> definitions;
    std::vector<Problem> problems;
};

// Reads the text of a .lin file. Accepts LF and CRLF line ends and a leading UTF-8 byte order mark.
LinFile parse(std::string_view text);

// The first definition whose name matches ignoring ASCII case, or nullptr.
const Definition* find(const LinFile& file, std::string_view name);

}  // namespace kvlin
