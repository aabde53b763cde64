// How a drawing's standards association resolves to the standards files the plug-ins get.
#include "ModuleTestUtil.h"

#include <CKvStdsManager.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string withBackslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The standards files every case starts from: a/b/c exist in "std", "gone.dxf" exists nowhere,
// "moved.dxf" only in the support folder.
struct Files
{
    explicit Files(HostScope& host)
        : a(host.writeStandardsFile("std/a.dxf"))
        , b(host.writeStandardsFile("std/b.dxf"))
        , c(host.writeStandardsFile("std/c.dxf"))
        , gone(host.path("std/gone.dxf"))
        , movedFrom(host.path("old/moved.dxf"))
        , movedTo(host.writeStandardsFile("support/moved.dxf"))
    {
        host.services.setSupportFolders({CKvString(movedTo.substr(0, movedTo.rfind('/')).c_str())});
    }
    std::string a, b, c, gone, movedFrom, movedTo;
};

}  // namespace

TEST(StandardsAssociation, DrawingsAssociationResolvesToUsableFilesInCheckOrder)
{
    struct Case
    {
        const char* what;
        std::function<std::vector<Association>(const Files&)> entries;
        std::function<std::string(const Files&)> preferred;  // "None" when empty
        std::function<std::vector<std::string>(const Files&)> expected;
    };
    const auto none = [](const Files&) { return std::string(); };
    const Case cases[] = {
        {"no association", [](const Files&) { return std::vector<Association>{}; }, none,
         [](const Files&) { return std::vector<std::string>{}; }},
        {"key order, not creation order",
         [](const Files& f) {
             return std::vector<Association>{{"2", 1, f.b}, {"1", 1, f.a}};
         },
         none,
         [](const Files& f) {
             return std::vector<std::string>{f.a, f.b};
         }},
        {"backslashes become slashes",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, withBackslashes(f.a)}};
         },
         none, [](const Files& f) { return std::vector<std::string>{f.a}; }},
        {"same file with either separator once",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, withBackslashes(f.a)}, {"2", 1, f.a}};
         },
         none, [](const Files& f) { return std::vector<std::string>{f.a}; }},
        {"entries whose first item is not a text are skipped",
         [](const Files& f) {
             return std::vector<Association>{{"1", 90, ""}, {"2", 1, f.b}};
         },
         none, [](const Files& f) { return std::vector<std::string>{f.b}; }},
        {"moved file found by the file search",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.movedFrom}};
         },
         none, [](const Files& f) { return std::vector<std::string>{f.movedTo}; }},
        {"file found nowhere is dropped",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.gone}, {"2", 1, f.c}};
         },
         none, [](const Files& f) { return std::vector<std::string>{f.c}; }},
        {"preferred file first although its key sorts last",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.a}, {"2", 1, f.b}, {"3", 1, f.c}};
         },
         [](const Files& f) { return f.c; },
         [](const Files& f) {
             return std::vector<std::string>{f.c, f.a, f.b};
         }},
        {"preferred file associated with backslashes",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.a}, {"2", 1, withBackslashes(f.b)}};
         },
         [](const Files& f) { return f.b; },
         [](const Files& f) {
             return std::vector<std::string>{f.b, f.a};
         }},
        {"preferred file the drawing does not associate is ignored",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.a}};
         },
         [](const Files& f) { return f.b; },
         [](const Files& f) { return std::vector<std::string>{f.a}; }},
        {"\"NONE\" in any case is no preferred file",
         [](const Files& f) {
             return std::vector<Association>{{"1", 1, f.a}};
         },
         [](const Files&) { return std::string("NONE"); },
         [](const Files& f) { return std::vector<std::string>{f.a}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        const Files files(host);
        const std::string preferred = c.preferred(files);
        host.setPreferredFile(preferred);
        host.open(host.writeDrawing("drawing.dxf", c.entries(files)));
        LoadedModule module;
        module.load();
        EXPECT_EQ(standardsPaths(), c.expected(files));
    }
}
