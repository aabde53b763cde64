// The lines kvcad says on stderr.
#pragma once

#include <string>

// "PATH: message", unless the message names the file first already (the reader's do).
inline std::string aboutFile(const std::string& path, const std::string& message)
{
    return message.compare(0, path.size() + 1, path + ":") == 0 ? message : path + ": " + message;
}

// The line of a report for an error on a file, naming the file once, as a compiler would:
// "PATH: error: what", "PATH:LINE: error: what".
inline std::string errorLine(const std::string& path, const std::string& message)
{
    if (message.compare(0, path.size() + 1, path + ":") != 0) {
        return path + ": error: " + message;
    }
    const size_t where = message.find(": ", path.size());
    return where == std::string::npos
               ? path + ": error: " + message
               : message.substr(0, where) + ": error: " + message.substr(where + 2);
}

// The message without the file it begins with: "what", "line 12: what".
inline std::string withoutFile(const std::string& path, const std::string& message)
{
    if (message.compare(0, path.size() + 2, path + ": ") == 0) {
        return message.substr(path.size() + 2);
    }
    return message.compare(0, path.size() + 1, path + ":") == 0
               ? "line " + message.substr(path.size() + 1)
               : message;
}
