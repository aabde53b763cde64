// A DXF file read into memory as a flat list of tags, grouped into sections.
#pragma once

#include "BulkAllocator.h"
#include "Diagnostic.h"
#include "FileSource.h"
#include "StringArena.h"
#include "Tag.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kvdxf {

struct Section
{
    std::string name;  // HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS, THUMBNAILIMAGE, ...
    size_t begin = 0;  // index into DxfFile::tags of the first tag after "0 SECTION"/"2 NAME"
    size_t end = 0;    // index of the "0 ENDSEC" tag (exclusive end of content)
};

// Owns the file's bytes and every text its tags view into; it is not copyable or movable, so the
// reader hands it out in a unique_ptr and tags stay valid as long as the DxfFile lives.
//
// After reading, the tag list is well formed: each section starts with "0 SECTION" (usually
// followed by "2 NAME") and tags[section.end] is a "0 ENDSEC" tag (one the reader added when the
// file lacked it). Tags outside any section are kept in place and listed in strayTags, so writing
// the tags in order reproduces the file. The terminating "0 EOF" is not in the list.
class DxfFile
{
public:
    using TagVector = std::vector<Tag, BulkAllocator<Tag>>;

    DxfFile() = default;
    DxfFile(const DxfFile&) = delete;
    DxfFile& operator=(const DxfFile&) = delete;

    std::string path;
    FileBytes buffer;  // the whole file as read; tags view into it
    StringArena arena;

    // A file read in parts (partial load) has no buffer: the bytes of the objects the reader kept
    // are copied into `kept`, in runs of bytes that follow each other in the file, and the file
    // stays open in `source` for those it left there (condensed objects, see ObjectCondenser).
    struct Run
    {
        const char* bytes;  // in `kept`
        size_t size;
        uint64_t offset;  // in the file
        uint64_t line;    // the line its first byte is on
    };
    std::unique_ptr<FileSource> source;
    StringArena kept;
    std::vector<Run> runs;
    TagVector tags;                 // every tag in file order, up to but excluding "0 EOF"
    std::vector<Section> sections;  // in file order
    std::vector<size_t> strayTags;  // indexes of tags outside any section, kept for writing
    bool binary = false;
    bool shortCodes = false;  // binary DXF with 1-byte group codes (AC1009)
    bool crlf = false;        // ASCII line endings were CRLF (the writer repeats the style)
    std::string version;      // value of $ACADVER ("" if none), e.g. "AC1015"
    std::string codepage;     // value of $DWGCODEPAGE ("" if none)
    std::vector<Diagnostic> diagnostics;  // the repairs made while reading

    // Where a tag is in the file, for messages from the layers above: the 1-based line of its
    // group code and the byte offset of that line (ASCII), or line 0 and the offset of the group
    // code (binary). A tag whose text is not in the buffer or a run (converted or set later) has
    // no place in the file: {0, 0}. Costs a scan of the buffer up to the tag; meant for error
    // paths.
    struct Location
    {
        uint64_t line;
        uint64_t offset;
    };
    Location locate(const Tag& tag) const;
    // Where the object of a partial load that starts at `offset` of the file is.
    Location locateOffset(uint64_t offset) const;

    std::string_view text() const { return {buffer.data(), buffer.size()}; }
};

}  // namespace kvdxf
