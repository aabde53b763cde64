#include "DrawingList.h"

#include "TextFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fnmatch.h>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isPattern(const std::string& text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

bool isHidden(const fs::path& path)
{
    const std::string name = path.filename().string();
    return !name.empty() && name[0] == '.';
}

bool isDrawingFile(const fs::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".dxf" || extension == ".dws";
}

bool isFolder(const std::string& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The drawings below the folder, in path order; folders that cannot be read are passed over.
std::vector<std::string> drawingsIn(const std::string& folder)
{
    std::vector<std::string> found;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (isHidden(it->path())) {
            it.disable_recursion_pending();
        } else if (std::error_code ignored;
                   isDrawingFile(it->path()) && !it->is_directory(ignored)) {
            found.push_back(it->path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The names in the folder ("" is the current one), in no particular order.
std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

// The paths below `base` that match parts[at...] of a pattern split at its slashes.
void match(const std::string& base, const std::vector<std::string>& parts, size_t at,
           std::vector<std::string>& found)
{
    if (at == parts.size()) {
        found.push_back(base);
        return;
    }
    const std::string& part = parts[at];
    if (part.empty() || !isPattern(part)) {
        const std::string next = part.empty() ? base : joinPath(base, part);
        if (at + 1 == parts.size() ? exists(next) : isFolder(next)) {
            match(next, parts, at + 1, found);
        }
        return;
    }
    if (part == "**") {
        match(base, parts, at + 1, found);
        for (const std::string& name : namesIn(base)) {
            if (name[0] != '.' && isFolder(joinPath(base, name))) {
                match(joinPath(base, name), parts, at, found);
            }
        }
        return;
    }
    for (const std::string& name : namesIn(base)) {
        // As a shell does, a wildcard matches a leading dot only when the pattern spells it.
        const std::string path = joinPath(base, name);
        if (fnmatch(part.c_str(), name.c_str(), FNM_PERIOD) == 0 &&
            (at + 1 == parts.size() || isFolder(path))) {
            match(path, parts, at + 1, found);
        }
    }
}

std::vector<std::string> matches(const std::string& pattern)
{
    std::vector<std::string> parts;
    size_t begin = 0;
    for (size_t slash = pattern.find('/'); slash != std::string::npos;
         slash = pattern.find('/', begin)) {
        parts.push_back(pattern.substr(begin, slash - begin));
        begin = slash + 1;
    }
    parts.push_back(pattern.substr(begin));
    std::vector<std::string> found;
    // An absolute pattern begins with an empty part, the root.
    match(parts[0].empty() ? "/" : std::string(), parts, parts[0].empty() ? 1 : 0, found);
    std::sort(found.begin(), found.end());
    return found;
}

class Expansion
{
public:
    void add(const std::string& argument)
    {
        if (isFolder(argument)) {
            addFound(argument, drawingsIn(argument));
        } else if (!exists(argument) && isPattern(argument)) {
            std::vector<std::string> found;
            for (const std::string& path : matches(argument)) {
                if (isFolder(path)) {
                    const std::vector<std::string> inside = drawingsIn(path);
                    found.insert(found.end(), inside.begin(), inside.end());
                } else {
                    found.push_back(path);
                }
            }
            addFound(argument, found);
        } else {
            addFile(argument);
        }
    }

    std::vector<std::string> take() { return std::move(m_drawings); }

private:
    void addFound(const std::string& argument, const std::vector<std::string>& found)
    {
        if (found.empty()) {
            addFile(argument);
        }
        for (const std::string& path : found) {
            addFile(path);
        }
    }

    void addFile(const std::string& path)
    {
        std::error_code error;
        const fs::path canonical = fs::canonical(path, error);
        if (m_seen.insert(error ? path : canonical.string()).second) {
            m_drawings.push_back(path);
        }
    }

    std::vector<std::string> m_drawings;
    std::set<std::string> m_seen;
};

}  // namespace

std::optional<std::vector<std::string>> expandDrawings(const std::vector<std::string>& arguments,
                                                       std::string& error)
{
    Expansion expansion;
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || argument[0] != '@') {
            expansion.add(argument);
            continue;
        }
        const std::optional<std::string> list =
            readTextFile(argument.substr(1), "list of drawings", error);
        if (!list) {
            return std::nullopt;
        }
        size_t begin = 0;
        while (begin < list->size()) {
            size_t end = list->find('\n', begin);
            end = end == std::string::npos ? list->size() : end;
            std::string line = list->substr(begin, end - begin);
            begin = end + 1;
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty() && line[0] != '#') {
                expansion.add(line);
            }
        }
    }
    return expansion.take();
}

std::optional<Shard> parseShard(const std::string& text)
{
    const size_t slash = text.find('/');
    const std::string digits = "0123456789";
    if (slash == std::string::npos || slash == 0 || slash + 1 == text.size() ||
        text.find_first_not_of(digits) != slash ||
        text.find_first_not_of(digits, slash + 1) != std::string::npos || text.size() > 12) {
        return std::nullopt;
    }
    const Shard shard{std::stoi(text.substr(0, slash)), std::stoi(text.substr(slash + 1))};
    return shard.index >= 1 && shard.index <= shard.count ? std::optional<Shard>(shard)
                                                          : std::nullopt;
}

std::vector<std::string> shardOf(const std::vector<std::string>& drawings, Shard shard)
{
    const size_t size = drawings.size();
    const auto bound = [&](int index) {
        return size * static_cast<size_t>(index) / static_cast<size_t>(shard.count);
    };
    return std::vector<std::string>(drawings.begin() + static_cast<long>(bound(shard.index - 1)),
                                    drawings.begin() + static_cast<long>(bound(shard.index)));
}

std::string nothingAt(const std::string& path)
{
    if (isFolder(path)) {
        return "no .dxf or .dws drawing in the folder";
    }
    return !exists(path) && isPattern(path) ? "no file matches the pattern" : "not found";
}
