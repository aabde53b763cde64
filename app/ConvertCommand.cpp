#include "CommandLine.h"
#include "Commands.h"

#include <DbDatabase.h>
#include <OdError.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct ConvertOptions
{
    std::string in;
    std::string out;
};

int runConvert(const ConvertOptions& options)
{
    OdDbDatabasePtr db;
    try {
        db = OdDbDatabase::readFile(OdString(options.in), true);
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return kExitUnreadable;
    }
    // What reading repaired, one line each naming the file, as info lists it.
    for (const OdString& message : db->messages()) {
        std::fprintf(stderr, "%s\n", message.toUtf8().c_str());
    }
    try {
        db->writeFile(OdString(options.out));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return kExitUnreadable;
    }
    return kExitOk;
}

}  // namespace

CommandRun setUpConvert(CLI::App& command)
{
    auto options = std::make_shared<ConvertOptions>();
    command.add_option("IN", options->in, "the drawing to read")->required();
    command.add_option("OUT", options->out, "where to write it")->required();
    return [options] { return reportingErrors(options->in, [&] { return runConvert(*options); }); };
}
