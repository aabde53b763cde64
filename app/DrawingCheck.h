#pragma once

#include "CheckReport.h"

#include <CKvStdsError.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>

#include <functional>
#include <string>
#include <vector>

class CKvDocument;
class CKvStdsManager;

// One violation as a check found it: what a report shows, and what fixing it takes. The plug-in
// keeps what the error refers to until its next check begins.
struct FoundViolation
{
    ReportedViolation reported;
    CKvStdsPluginsPtr plugin;
    CKvStdsErrorPtr error;
    // The candidate fixes in the plug-in's order; `reported.recommendedFix` indexes them.
    OdArray<CKvStdsFixPtr> fixes;
};

// Checks one open drawing with every enabled plug-in of the manager, in the manager's order, the
// way the Verify Standards command drives them: Clear, SetContext (the whole drawing),
// SetupForAudit, Start, then per error GetError, GetAllFixes, the ignored state, Next. Each
// violation is handed on as it is found. Raises what the plug-ins raise.
class DrawingCheck
{
public:
    using Found = std::function<void(const FoundViolation&)>;

    // `fixesToList`: how many candidate fixes the reported violations list (0 none, -1 all).
    DrawingCheck(CKvStdsManager& manager, int fixesToList)
        : m_manager(manager), m_fixesToList(fixesToList)
    {}

    // `drawing`: the path the document was opened from; `standards`: the files to check with,
    // in order. Returns the number of violations that are not ignored.
    int run(CKvDocument& document, const std::string& drawing,
            const std::vector<CKvString>& standards, const Found& found);

private:
    void runPlugin(const CKvStdsPluginsPtr& plugin, CKvDocument& document,
                   const std::string& drawing, const std::vector<CKvString>& standards,
                   const Found& found, int& violations);
    void describe(CKvStdsPlugins& plugin, FoundViolation& violation,
                  const std::string& drawing) const;

    CKvStdsManager& m_manager;
    int m_fixesToList;
};
