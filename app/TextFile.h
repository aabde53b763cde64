// Small text files kvcad reads whole: the map of `kvcad fix`, lists of drawings, reports.
#pragma once

#include <optional>
#include <string>

// The file's bytes; none when it cannot be read, with `error` naming the file, what it was read
// as and why: "legacy.csv: cannot read the map: is a folder".
std::optional<std::string> readTextFile(const std::string& path, const std::string& what,
                                        std::string& error);
