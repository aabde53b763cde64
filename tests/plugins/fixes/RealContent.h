// Fixes tried on a drawing with the content real drawings have (tests/data/real-content.dxf,
// checked against tests/data/real-content-standards.dxf): arrow blocks with their own layers,
// line styles and text styles, complex line styles with texts and shapes, extension dictionaries
// and ignore marks on records, a multiline style, XDATA naming layers, dimensions and leaders,
// entities in blocks and paper space, attributes on other layers than their block reference.
//
// A fix path is applied as the Verify Standards dialog applies a fix: the plug-in of its kind
// checks the drawing, and the fix of that name offered for the record's violation goes to
// FixError; the drawing is then saved. The written files are read back as DXF text (DxfText) to
// see what changed; the interop test checks with ezdxf that every reference resolves.
#pragma once

#include <CKvString.h>
#include <CKvSystemServices.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

enum class RecordKind { Layer, LineStyle, TextStyle, DimStyle };

struct FixPath
{
    const char* what;
    RecordKind kind;
    const char* violating;  // the drawing's record
    const char* fix;        // the standards record offered for it
};

// Every way a fix of the four kinds changes the fixture drawing.
extern const std::vector<FixPath> kFixPaths;

// The host's services and the error and fix classes, for as long as it lives.
class FixHost
{
public:
    explicit FixHost(const CKvString& resources);
    ~FixHost();
    FixHost(const FixHost&) = delete;
    FixHost& operator=(const FixHost&) = delete;

    // Applies the fix path to the drawing file and writes the result; empty when done, else what
    // could not be done.
    std::string apply(const FixPath& path, const std::string& drawing, const std::string& standards,
                      const std::string& output);
    // The names of the records of the kind that violate the standards, in the order reported.
    std::vector<std::string> violations(RecordKind kind, const std::string& drawing,
                                        const std::string& standards);

private:
    std::unique_ptr<CKvSystemServices> m_services;
};

// The objects of a DXF file as written: each with its groups and its text, by handle.
struct DxfObject
{
    std::string section;
    std::vector<std::pair<int, std::string>> tags;  // tags[0] is the "0 TYPE" group

    const std::string& type() const { return tags.front().second; }
    std::string handle() const;
    // The first 330 outside application groups, before any subclass marker.
    std::string owner() const;
    // The value of the n-th group of the code, or empty.
    std::string value(int code, int n = 0) const;
    bool has(int code, const std::string& value) const;
};

class DxfText
{
public:
    explicit DxfText(const std::string& path);

    std::vector<DxfObject> objects;
    std::map<std::string, std::string> header;  // "$CLAYER" -> "Walls" (first value)

    const DxfObject* byHandle(const std::string& handle) const;
    // The table record of that type and name (ignoring case), or null.
    const DxfObject* record(const std::string& type, const std::string& name) const;
    std::string handleOf(const std::string& type, const std::string& name) const;
    // Handles of the objects for which `test` holds.
    template <class Test>
    std::set<std::string> handles(Test test) const
    {
        std::set<std::string> found;
        for (const DxfObject& object : objects) {
            if (test(object)) {
                found.insert(object.handle());
            }
        }
        return found;
    }

private:
    std::map<std::string, size_t> m_byHandle;
};

// The objects of `before` that `after` lacks or holds with other groups, by handle.
std::set<std::string> changedObjects(const DxfText& before, const DxfText& after);
