// The text style tests' check: a drawing and standards drawings built in code; the standards are
// written to the scope's folder when the check runs and read back as a check reads them.
#pragma once

#include "PluginCheck.h"

#include <CKvTextStylePluginImpl.h>

#include <ostream>

// Readable failure output for strings.
inline void PrintTo(const CKvString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8() << '"';
}

// One reported violation: the style's name and whether it is a name violation.
struct Reported
{
    std::string name;
    bool nameViolation;
    bool operator==(const Reported& other) const
    {
        return name == other.name && nameViolation == other.nameViolation;
    }
};
inline void PrintTo(const Reported& reported, std::ostream* os)
{
    *os << reported.name << (reported.nameViolation ? " (name)" : " (properties)");
}

class Check
{
    CheckScope m_scope;  // first: the error and fix classes outlive the plug-in's records
    std::vector<OdDbDatabasePtr> m_standards;

public:
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    CKvTextStylePluginImpl plugin;

    ~Check() { plugin.Clear(); }

    // A new standards drawing; written when the check runs.
    OdDbDatabase& addStandards()
    {
        m_standards.push_back(OdDbDatabase::createObject());
        return *m_standards.back();
    }
    std::vector<CKvString> standardsPaths() const
    {
        std::vector<CKvString> paths;
        for (size_t i = 1; i <= m_standards.size(); ++i) {
            paths.push_back(m_scope.missing(("standards" + std::to_string(i) + ".dxf").c_str()));
        }
        return paths;
    }
    // The check of the drawing (of the styles in `context` only, when it names any).
    std::vector<Violation> violations(const std::vector<OdDbObjectId>& context = {})
    {
        const std::vector<CKvString> paths = standardsPaths();
        for (size_t i = 0; i < m_standards.size(); ++i) {
            m_standards[i]->writeFile(paths[i].toOdString());
        }
        OdArray<OdDbObjectId> ids;
        for (const OdDbObjectId& id : context) {
            ids.append(id);
        }
        return CheckScope::check(plugin, drawing, paths, ids, ids.isEmpty());
    }
    std::vector<Reported> reported(const std::vector<OdDbObjectId>& context = {})
    {
        std::vector<Reported> found;
        for (const Violation& v : violations(context)) {
            found.push_back({v.name(), v.description() == "TextStyle name is non-standard."});
        }
        return found;
    }
    // The error of a whole check for the named style; null (and a failure) when there is none.
    OdSmartPtr<CKvStdsError> errorFor(const char* name)
    {
        return violationOf(violations(), name).error;
    }
};
