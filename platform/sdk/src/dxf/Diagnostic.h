// One finding of the DXF reader: a repair it made or the reason it refused a file.
#pragma once

#include <cstdint>
#include <string>

namespace kvdxf {

struct Diagnostic
{
    enum Kind { Repaired, Refused };
    Kind kind = Repaired;
    std::string file;     // path as given to the reader
    uint64_t line = 0;    // 1-based line of the offending group code (ASCII); 0 if not applicable
    uint64_t offset = 0;  // byte offset in the file
    std::string message;  // e.g. expected a group code, found "ABC"

    // "office.dxf:1234: message" for ASCII files, "office.dxf:@offset 1234: message" for binary
    // ones (line 0, offset set), "office.dxf: message" when neither applies.
    std::string toString() const;
};

}  // namespace kvdxf
