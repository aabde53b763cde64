#pragma once

#include <CKvString.h>

#include <string>
#include <unordered_map>

class CKvSystemServices;

// Whether standards files can be read, for `kvcad check`. The plug-ins pass over a standards
// file they cannot read without a word, so each file is read once through the host's reader
// before it is used; the answer is kept, however many drawings share the file.
class StandardsFiles
{
public:
    explicit StandardsFiles(const CKvSystemServices& services) : m_services(services) {}

    // Empty when the file can be read; else a message naming the file and what is wrong, which
    // is also written to stderr the first time the file is asked for.
    std::string problemWith(const CKvString& path);

private:
    std::string readProblem(const CKvString& path) const;

    const CKvSystemServices& m_services;
    // By absolute path.
    std::unordered_map<std::string, std::string> m_problems;
};
