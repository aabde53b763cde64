#include "StandardsFiles.h"

#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <QFileInfo>

#include <cstdio>

std::string StandardsFiles::problemWith(const CKvString& path)
{
    const std::string key = CKvString(QFileInfo(path.toQString()).absoluteFilePath()).toUtf8();
    const auto known = m_problems.find(key);
    if (known != m_problems.end()) {
        return known->second;
    }
    const std::string problem = readProblem(path);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
    }
    m_problems.emplace(key, problem);
    return problem;
}

std::string StandardsFiles::readProblem(const CKvString& path) const
{
    const std::string name = path.toUtf8();
    const QFileInfo file(path.toQString());
    if (!file.exists()) {
        return name + ": standards file not found";
    }
    if (!file.isFile()) {
        return name + ": standards file is not a file";
    }
    if (!m_services.readDrawing(path).isNull()) {
        return std::string();
    }
    // The host's reader only says that it failed; the drawing reader says why, naming the file.
    try {
        OdDbDatabase::readFile(path.toOdString());
    } catch (const OdError& e) {
        return e.description().toUtf8() + " (a standards file)";
    }
    return name + ": cannot read the standards file";
}
