#pragma once

#include <CKvStdsError.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>

#include <string>
#include <vector>

class CKvDocument;
class CKvStdsManager;
class CheckReport;
struct ReportedViolation;

// Checks one open drawing with every enabled plug-in of the manager, in the manager's order, the
// way the Verify Standards command drives them: Clear, SetContext (the whole drawing),
// SetupForAudit, Start, then per error GetError, GetAllFixes, the ignored state, Next. Each
// violation goes to the report as it is found. Raises what the plug-ins raise.
class DrawingCheck
{
public:
    DrawingCheck(CKvStdsManager& manager, CheckReport& report)
        : m_manager(manager), m_report(report)
    {}

    // `drawing`: the path the document was opened from; `standards`: the files to check with,
    // in order. Returns the number of violations that are not ignored.
    int run(CKvDocument& document, const std::string& drawing,
            const std::vector<CKvString>& standards);

private:
    void runPlugin(CKvStdsPlugins& plugin, CKvDocument& document, const std::string& drawing,
                   const std::vector<CKvString>& standards, int& violations);
    ReportedViolation describe(CKvStdsPlugins& plugin, const CKvStdsErrorPtr& error,
                               const std::string& drawing) const;

    CKvStdsManager& m_manager;
    CheckReport& m_report;
};
