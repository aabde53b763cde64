// The lines kvcad says on stderr.
#pragma once

#include <string>

// "PATH: message", unless the message names the file first already (the reader's do).
inline std::string aboutFile(const std::string& path, const std::string& message)
{
    return message.compare(0, path.size() + 1, path + ":") == 0 ? message : path + ": " + message;
}
