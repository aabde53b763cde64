#include "Commands.h"

#include <DbDatabase.h>
#include <OdError.h>

#include <cstdio>

int runConvert(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("usage: kvcad convert IN OUT\n", stderr);
        return kExitUnreadable;
    }
    OdDbDatabasePtr db;
    try {
        db = OdDbDatabase::readFile(OdString(args[0]));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return kExitUnreadable;
    }
    try {
        db->writeFile(OdString(args[1]));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return kExitUnreadable;
    }
    return kExitOk;
}
