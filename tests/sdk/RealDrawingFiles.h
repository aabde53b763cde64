// The real-world drawings the SDK's tests read: the names of the DXF files in a folder, sorted;
// none when the folder is missing (the tests that need them then skip).
#pragma once

#include <algorithm>
#include <dirent.h>
#include <string>
#include <vector>

inline std::vector<std::string> realDrawingFiles(const char* folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder)) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dxf") == 0) {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}
