// Numbers in DXF value texts: parsed when asked for, written in C locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvdxf {

// All parsers accept blanks (space, tab, CR) around the number and return false for anything
// else that is not exactly one number; `out` is then left unchanged.

// C locale, whatever the process locale: "1e5", "-.5", "+2." are numbers, "1,5", "inf", "nan"
// and values out of double range are not.
bool parseDouble(std::string_view text, double& out);
// Decimal, optional sign, must fit in 64 bits.
bool parseInt(std::string_view text, int64_t& out);
// Hexadecimal handle, either case, 1-16 digits.
bool parseHandle(std::string_view text, uint64_t& out);

// Shortest text that reads back to the same double, C locale; it always holds a '.' or an
// exponent so readers that tell integers from reals by the text see a real: 1 -> "1.0",
// 0.1 -> "0.1", 1e20 -> "1e+20". Infinities and NaN (never valid in a drawing) come out as
// "inf", "-inf", "nan".
std::string formatDouble(double value);
// Uppercase hex without leading zeros; 0 -> "0".
std::string formatHandle(uint64_t handle);

}  // namespace kvdxf
