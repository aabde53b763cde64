// A DXF tag: a group code and the raw text of its value, exactly as read.
#pragma once

#include <climits>
#include <cstdint>
#include <string_view>

namespace kvdxf {

// A group code plus its raw value text. The text views into the file buffer, or into the file's
// arena for values converted from binary DXF or set later; whoever owns that storage (DxfFile)
// must outlive the tag. 16 bytes, so a drawing's tag list costs no allocation per tag.
struct Tag
{
    const char* data = nullptr;
    uint32_t size = 0;
    int32_t code = 0;
    std::string_view value() const { return {data, size}; }
};
static_assert(sizeof(Tag) == 16, "a tag is kept small: there are millions of them");

// The code of the tag that stands for a condensed object (see ObjectCondenser); no file holds it,
// as group codes have nine digits at most.
constexpr int32_t kCondensedCode = INT32_MIN;

enum class ValueKind { String, Double, Int16, Int32, Int64, Bool, Handle, Binary };

// The value type of a group code, as binary DXF stores it. Codes without a defined type (and
// negative or unknown codes) are strings, as in binary DXF where they are zero-terminated.
ValueKind kindOf(int code);

}  // namespace kvdxf
