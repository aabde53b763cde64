// The lines kvcad says on stderr.
#pragma once

#include <string>

// The message without its mentions of the file, which the line around it names first: "PATH: what"
// gives "what", "PATH:12: what" "line 12: what", "cannot save PATH: why" "cannot save: why".
inline std::string withoutFile(const std::string& path, const std::string& message)
{
    if (message.compare(0, path.size() + 1, path + ":") == 0) {
        return message.compare(0, path.size() + 2, path + ": ") == 0
                   ? withoutFile(path, message.substr(path.size() + 2))
                   : "line " + message.substr(path.size() + 1);
    }
    std::string rest = message;
    const std::string mention = " " + path;
    for (size_t at = rest.find(mention); at != std::string::npos; at = rest.find(mention, at)) {
        const size_t after = at + mention.size();
        if (after == rest.size() || rest[after] == ':' || rest[after] == ' ') {
            rest.erase(at, mention.size());
        } else {
            at = after;
        }
    }
    return rest;
}

// "PATH: message", naming the file once: a message that names it first (the reader's do) is kept
// as it is, one that names it elsewhere loses that mention.
inline std::string aboutFile(const std::string& path, const std::string& message)
{
    return message.compare(0, path.size() + 1, path + ":") == 0
               ? message
               : path + ": " + withoutFile(path, message);
}

// The line of a report for an error on a file, naming the file once, as a compiler would:
// "PATH: error: what", "PATH:LINE: error: what".
inline std::string errorLine(const std::string& path, const std::string& message)
{
    if (message.compare(0, path.size() + 1, path + ":") != 0) {
        return path + ": error: " + withoutFile(path, message);
    }
    const size_t where = message.find(": ", path.size());
    return where == std::string::npos
               ? path + ": error: " + message
               : message.substr(0, where) + ": error: " + message.substr(where + 2);
}
