#include "CheckReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DrawingCheck.h"
#include "ModuleHost.h"
#include "ReportOutput.h"
#include "StandardsFiles.h"

#include <CKvDocumentManager.h>
#include <CKvStdsManager.h>
#include <OdError.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct CheckOptions
{
    std::vector<std::string> drawings;
    // Replace each drawing's association when given.
    std::vector<std::string> standards;
    ReportFormat format = ReportFormat::Text;
    std::string output;
    bool allFixes = false;
};

std::vector<std::string> utf8(const std::vector<CKvString>& paths)
{
    std::vector<std::string> out;
    for (const CKvString& path : paths) {
        out.push_back(path.toUtf8());
    }
    return out;
}

// Runs the check of every drawing against its standards files. A drawing that cannot be read,
// or whose standards files cannot all be read, is reported as not checked: checked against
// part of its standards it would show violations that are none.
class CheckRun
{
public:
    CheckRun(ModuleHost& host, CKvStdsManager& manager, CheckReport& report,
             const CheckOptions& options)
        : m_documents(*host.services().documentManager())
        , m_standardsFiles(host.services())
        , m_check(manager, report)
        , m_manager(manager)
        , m_report(report)
        , m_options(options)
    {
        for (const std::string& path : options.standards) {
            m_given.push_back(CKvString(path.c_str()));
        }
    }

    // The exit code.
    int run()
    {
        for (const std::string& drawing : m_options.drawings) {
            checkDrawing(drawing);
        }
        m_report.finish();
        return m_failed ? kExitUnreadable : (m_violations ? kExitViolations : kExitOk);
    }

private:
    void checkDrawing(const std::string& drawing)
    {
        CKvDocument* document = m_documents.open(CKvString(drawing.c_str()));
        if (document == nullptr) {
            // The reader's message names the file.
            const std::string why = m_documents.lastError().toUtf8();
            fail(drawing, {}, why.empty() ? drawing + ": cannot read the drawing" : why, true);
            return;
        }
        // The module resolved the drawing's association when the document became current.
        m_documents.activate(document);
        const std::vector<CKvString> standards =
            m_given.empty() ? m_manager.getDwsPathArray() : m_given;
        for (const CKvString& path : standards) {
            const std::string problem = m_standardsFiles.problemWith(path);
            if (!problem.empty()) {
                fail(drawing, utf8(standards), problem, false);
                m_documents.close(document);
                return;
            }
        }
        m_report.beginDrawing(drawing, utf8(standards));
        try {
            m_violations = m_check.run(*document, drawing, standards) > 0 || m_violations;
            m_report.endDrawing(std::string());
        } catch (const OdError& e) {
            // A drawing the plug-ins cannot get through is reported; the others are checked.
            const std::string message = drawing + ": check stopped: " + e.description().toUtf8();
            std::fprintf(stderr, "%s\n", message.c_str());
            m_report.endDrawing(message);
            m_failed = true;
        }
        m_documents.close(document);
    }

    // `tell`: say it on stderr (standards files say so themselves, once).
    void fail(const std::string& drawing, const std::vector<std::string>& standards,
              const std::string& message, bool tell)
    {
        if (tell) {
            std::fprintf(stderr, "%s\n", message.c_str());
        }
        m_report.beginDrawing(drawing, standards);
        m_report.endDrawing(message);
        m_failed = true;
    }

    CKvDocumentManager& m_documents;
    StandardsFiles m_standardsFiles;
    DrawingCheck m_check;
    CKvStdsManager& m_manager;
    CheckReport& m_report;
    const CheckOptions& m_options;
    std::vector<CKvString> m_given;
    bool m_violations = false;
    bool m_failed = false;
};

int runCheck(const CheckOptions& options)
{
    std::string error;
    std::unique_ptr<ReportOutput> output = ReportOutput::open(options.output, error);
    if (!output) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager == nullptr) {
        std::fprintf(stderr, "the standards module published no manager\n");
        return kExitUnreadable;
    }
    const std::unique_ptr<CheckReport> report =
        makeCheckReport(options.format, output->stream(), options.allFixes);
    const int result = CheckRun(*host, *manager, *report, options).run();
    if (!output->commit(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    return result;
}

}  // namespace

CommandRun setUpCheck(CLI::App& command)
{
    auto options = std::make_shared<CheckOptions>();
    command.add_option("DRAWING", options->drawings, "the drawings to check")->required();
    command
        .add_option("--standards", options->standards,
                    "check with this standards file instead of the drawing's association; "
                    "repeat for several, in order")
        ->type_name("FILE")
        ->allow_extra_args(false)
        ->check(nonEmpty("a file name"));
    addFormatOption(command, options->format,
                    {ReportFormat::Text, ReportFormat::Json, ReportFormat::Junit});
    command.add_option("--output", options->output, "write the report to FILE instead")
        ->type_name("FILE")
        ->check(nonEmpty("a file name"));
    command.add_flag("--all-fixes", options->allFixes,
                     "list every candidate fix of each violation");
    return [options] { return runCheck(*options); };
}
