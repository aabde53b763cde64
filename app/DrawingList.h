// The drawings a batch command is given, and the part of them one machine of several takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Expands the arguments naming drawings into the drawings, in the order given:
// - a file is itself;
// - a folder gives the .dxf and .dws files below it (in any letter case, in every subfolder but
//   hidden ones), in the order of their paths;
// - a pattern the shell did not expand (*, ?, [...] within a name, ** for any number of folders)
//   gives the files it matches in the order of their paths, and the drawings of the folders it
//   matches;
// - @FILE gives the drawings of the arguments in FILE, one a line (blank lines and lines that
//   begin with # are skipped), relative to the current folder as the arguments are.
// Each file comes once, where it first comes. An argument that gives nothing (no such file, an
// empty folder, a pattern that matches nothing) is kept as it is, for the batch to report.
// None, with a message naming the file in `error`, when a list cannot be read.
std::optional<std::vector<std::string>> expandDrawings(const std::vector<std::string>& arguments,
                                                       std::string& error);

// The K-th of N parts of a list (`kvcad check --shard K/N`).
struct Shard
{
    int index = 1;
    int count = 1;
};

// "K/N" with 1 <= K <= N; none when the text is not that.
std::optional<Shard> parseShard(const std::string& text);

// The shard's part: consecutive drawings, the parts differing in size by one at most, so that
// every drawing falls in exactly one part and the parts, taken in order, are the list.
std::vector<std::string> shardOf(const std::vector<std::string>& drawings, Shard shard);

// Why nothing was found at a path that is kept as given: "no file matches the pattern", "no .dxf
// or .dws drawing in the folder", "not found".
std::string nothingAt(const std::string& path);
