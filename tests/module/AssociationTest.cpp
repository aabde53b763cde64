// How a drawing's standards association resolves to the standards files the plug-ins get.
#include "ModuleTestUtil.h"

#include <CKvStdsManager.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The standards files the cases name: a, b and c exist in "std", gone exists nowhere, moved is
// stored with a folder it has left and exists only in the support folder. A name with a trailing
// '\' stands for the file's path written with backslashes.
class Files
{
public:
    explicit Files(HostScope& host)
        : m_std(host.writeStandardsFile("std/a.dxf"))
        , m_movedTo(host.writeStandardsFile("support/moved.dxf"))
    {
        m_std.erase(m_std.rfind('/') + 1);
        host.writeStandardsFile("std/b.dxf");
        host.writeStandardsFile("std/c.dxf");
        host.services.setSupportFolders(
            {CKvString(m_movedTo.substr(0, m_movedTo.rfind('/')).c_str())});
        m_movedFrom = host.path("old/moved.dxf");
    }
    // The path stored for the name (as found, for `found`).
    std::string path(std::string name, bool found = false) const
    {
        const bool backslashes = !name.empty() && name.back() == '\\';
        if (backslashes) {
            name.pop_back();
        }
        std::string path =
            name == "moved" ? (found ? m_movedTo : m_movedFrom) : m_std + name + ".dxf";
        if (backslashes) {
            std::replace(path.begin(), path.end(), '/', '\\');
        }
        return path;
    }

private:
    std::string m_std;
    std::string m_movedTo;
    std::string m_movedFrom;
};

}  // namespace

TEST(StandardsAssociation, DrawingsAssociationResolvesToUsableFilesInCheckOrder)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<const char*, const char*>> entries;  // key, name ("#": not a text)
        const char* preferred;                                     // a name, or as stored
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"no association", {}, "None", {}},
        {"key order, not creation order", {{"2", "b"}, {"1", "a"}}, "None", {"a", "b"}},
        {"backslashes become slashes", {{"1", "a\\"}}, "None", {"a"}},
        {"same file with either separator once", {{"1", "a\\"}, {"2", "a"}}, "None", {"a"}},
        {"entries whose first item is not a text are skipped",
         {{"1", "#"}, {"2", "b"}},
         "None",
         {"b"}},
        {"moved file found by the file search", {{"1", "moved"}}, "None", {"moved"}},
        {"file found nowhere is dropped", {{"1", "gone"}, {"2", "c"}}, "None", {"c"}},
        {"preferred file first although its key sorts last",
         {{"1", "a"}, {"2", "b"}, {"3", "c"}},
         "c",
         {"c", "a", "b"}},
        {"preferred file associated with backslashes", {{"1", "a"}, {"2", "b\\"}}, "b", {"b", "a"}},
        {"preferred file the drawing does not associate is ignored", {{"1", "a"}}, "b", {"a"}},
        {"\"NONE\" in any case is no preferred file", {{"1", "a"}}, "NONE", {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostScope host;
        const Files files(host);
        const std::string preferred(c.preferred);
        host.setPreferredFile(preferred == "None" || preferred == "NONE" ? preferred
                                                                         : files.path(preferred));
        std::vector<Association> entries;
        for (const auto& entry : c.entries) {
            const bool text = std::string(entry.second) != "#";
            entries.push_back({entry.first, text ? 1 : 90, text ? files.path(entry.second) : ""});
        }
        host.open(host.writeDrawing("drawing.dxf", entries));
        LoadedModule module;
        module.load();
        std::vector<std::string> expected;
        for (const char* name : c.expected) {
            expected.push_back(files.path(name, true));
        }
        EXPECT_EQ(standardsPaths(), expected);
    }
}
