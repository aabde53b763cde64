// The two tokenisers behind parse(): they fill DxfFile::tags from DxfFile::buffer, or (ASCII)
// from DxfFile::source for a file read in parts.
#pragma once

#include "Diagnostic.h"
#include "DxfFile.h"

#include <string_view>
#include <vector>

namespace kvdxf {
class ObjectCondenser;
}

namespace kvdxf::detail {

// Both append what they find to `found`. They return false when the file is refused (the last
// diagnostic is the refusal), true when tags were read, possibly with repairs.
// The ASCII tokeniser hands the objects of BLOCKS and ENTITIES sections to `condenser`, if any.
bool tokenizeAscii(DxfFile& file, std::vector<Diagnostic>& found, ObjectCondenser* condenser);
bool tokenizeBinary(DxfFile& file, std::vector<Diagnostic>& found);

// True when the structure keyword `word` ("SECTION", "EOF") is the value, blanks around ignored.
// Inline: it runs several times for every "0" group of a drawing.
inline bool isKeyword(std::string_view value, std::string_view word)
{
    // Keywords hold no blanks, so a value as long as the keyword matches only as it is.
    if (value.size() <= word.size()) {
        return value == word;
    }
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
        value.remove_prefix(1);
    }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
        value.remove_suffix(1);
    }
    return value == word;
}

Diagnostic makeDiagnostic(const DxfFile& file, Diagnostic::Kind kind, uint64_t line,
                          uint64_t offset, std::string message);

}  // namespace kvdxf::detail
