// Reading DXF files (ASCII or binary) into a lossless tag list.
#pragma once

#include "Diagnostic.h"
#include "DxfFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kvdxf {

class FileAccess;

struct ReadResult
{
    std::unique_ptr<DxfFile> file;        // null when refused
    std::vector<Diagnostic> diagnostics;  // everything found (the repairs and the refusal)
    bool ok() const { return file != nullptr; }
};

// Lets the reader keep objects of the BLOCKS and ENTITIES sections of an ASCII file as the bytes
// they were read from, for whoever builds on the tags to read them when needed: a drawing's
// entities are many, and most are never looked at.
class ObjectCondenser
{
public:
    virtual ~ObjectCondenser() = default;
    // Called when an object of such a section ends: `tags` are its tags, its "0" group first, and
    // `bytes` the lines they were read from (readCondensed reads the same tags from them again),
    // which start at `offset` of the file; `verbatim` says whether those lines are exactly what
    // TagWriter writes for the tags. `transient`: the file is read in parts, and `bytes` are gone
    // after the call (the lines stay in the file, where the DxfFile's source finds them).
    // Returns true to have the tags replaced by `replacement`, whose code must be kCondensedCode
    // and whose data and size are the condenser's. Objects holding a real number with a decimal
    // comma are not offered, so that the section finder reports it; nor is the last object of a
    // file that lacks "0 EOF".
    virtual bool condense(const Tag* tags, size_t count, std::string_view bytes, uint64_t offset,
                          bool transient, bool verbatim, Tag& replacement) = 0;
};

// The tags of an object's bytes, read again as the reader read them, appended to `tags`.
void readCondensed(std::string_view bytes, std::vector<Tag>& tags);
// The first tag of an object's bytes (its "0" group).
Tag firstTag(std::string_view bytes);

// Reads a whole DXF file from memory; ASCII or binary is told from the first bytes.
//
// Repaired and reported (the file is still read): a missing "0 EOF", a last tag without a value
// line (dropped), a section without "0 ENDSEC" (one is added before the next SECTION or at the
// end), a SECTION without a name, tags outside any section (kept where they are, listed in
// strayTags), a binary file cut off at a tag boundary.
// Refused with one message: an empty file, a DWG file, a file that does not start with a group
// code or has no SECTION, a group code line that is not an integer, a binary tag cut off inside.
// ASCII: group code lines may be padded with blanks; values keep every byte of their line except
// the line end (LF, CRLF, or a CR at the end of the file); a UTF-8 byte order mark is skipped;
// text after "0 EOF" is ignored. Binary: numbers are converted to the text an ASCII file would
// hold (formatDouble for reals, decimal integers), binary chunks to uppercase hex.
// With a condenser, objects it condenses stand in the tag list as its replacement, one tag each
// (ASCII files only).
ReadResult parse(FileBytes contents, std::string displayName, ObjectCondenser* condenser = nullptr);
// The same for bytes held elsewhere, which are copied.
ReadResult parse(std::string_view contents, std::string displayName);

// The bytes of the window a file read in parts goes through (4 MiB); tests make it small, so that
// tags cross its end and lines are longer than it.
extern size_t partialReadWindow;

// Reads `path` through `files` and parses it; a file that cannot be read is refused. `inParts`
// (with a condenser): an ASCII file is read through a window instead of into one buffer, and the
// lines of the objects condensed stay in the file, which the DxfFile keeps open (its source).
ReadResult readFile(const std::string& path, FileAccess& files,
                    ObjectCondenser* condenser = nullptr, bool inParts = false);

}  // namespace kvdxf
