// Parsing of one pattern line of a .lin file ("A,0.5,-0.25,["T",Standard,S=.1],-0.25").
#pragma once

#include "LinFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvlin {

struct PatternResult
{
    char alignment = 'A';
    std::vector<Element> elements;
    std::string error;  // empty when the line was understood; the elements are then complete
};

PatternResult parsePattern(std::string_view line);

// Text without leading and trailing blanks (spaces, tabs, CR).
std::string_view trimmed(std::string_view text);

}  // namespace kvlin
