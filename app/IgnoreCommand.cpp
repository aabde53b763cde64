// kvcad ignore DRAWING KIND NAME [--off] [--user NAME]: marks the record's violations as ignored
// in the drawing, as the Verify Standards dialog does, for an approved exception; --off clears
// the mark. The drawing is saved as every save is (through a temporary file).
#include "CommandLine.h"
#include "Commands.h"

#include <CKvIgnoredState.h>
#include <CKvUtilsBase.h>
#include <DbDatabase.h>
#include <DbSymbolTable.h>
#include <OdError.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace {

struct IgnoreOptions
{
    std::string drawing;
    std::string kind;
    std::string name;
    bool off = false;
    std::optional<std::string> user;
};

// The kinds of record, as kvcad fix --map names them, and their tables.
const std::pair<const char*, OdDbObjectId (OdDbDatabase::*)() const> kTables[] = {
    {"layer", &OdDbDatabase::getLayerTableId},
    {"linestyle", &OdDbDatabase::getLinetypeTableId},
    {"textstyle", &OdDbDatabase::getTextStyleTableId},
    {"dimstyle", &OdDbDatabase::getDimStyleTableId},
};

int ignore(const IgnoreOptions& options)
{
    const auto said = [&](const std::string& message, int exitCode) {
        std::fprintf(stderr, "%s: %s\n", options.drawing.c_str(), message.c_str());
        return exitCode;
    };
    OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(options.drawing));
    OdDbObjectId tableId;
    for (const auto& [kind, table] : kTables) {
        if (CKvString(options.kind.c_str()).CompareNoCase(CKvString(kind)) == 0) {
            tableId = ((*db).*table)();
        }
    }
    OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.openObject().get());
    const OdDbObjectId id = table.isNull() ? OdDbObjectId() : table->getAt(OdString(options.name));
    const std::string record = options.kind + " \"" + options.name + "\"";
    if (id.isNull()) {
        return said("no " + record + " in the drawing", kExitUnreadable);
    }
    const CKvString user = options.off    ? CKvString()
                           : options.user ? CKvString(options.user->c_str())
                                          : CKvUtilsBase::getUserName();
    CKvIgnoredState now;
    try {
        now = readIgnoredState(id);
    } catch (const OdError&) {
        // A mark another program wrote in a shape we cannot read is replaced.
        now.hasRecord = true;
        now.ignored = !options.off;
    }
    if (options.off ? !now.ignored : now.hasRecord && now.ignored && now.user.Compare(user) == 0) {
        return said(record +
                        (options.off ? " is not marked ignored"
                                     : " is marked ignored by " + user.toUtf8() + " already") +
                        "; nothing changed",
                    kExitViolations);
    }
    if (!writeIgnoredState(id, !options.off, user)) {
        return said(record + " cannot be changed", kExitUnreadable);
    }
    db->writeFile(OdString(options.drawing));
    return kExitOk;
}

}  // namespace

CommandRun setUpIgnore(CLI::App& command)
{
    auto options = std::make_shared<IgnoreOptions>();
    command.add_option("DRAWING", options->drawing, "the drawing")->required();
    command
        .add_option("KIND", options->kind,
                    "the kind of record: layer, linestyle, textstyle or dimstyle")
        ->required()
        ->transform(
            CLI::IsMember({"layer", "linestyle", "textstyle", "dimstyle"}, CLI::ignore_case));
    command.add_option("NAME", options->name, "the record's name (in any letter case)")->required();
    CLI::Option* off =
        command.add_flag("--off", options->off, "clear the mark: the violations count again");
    command
        .add_option("--user", options->user, "who approved the exception (default: the login name)")
        ->type_name("NAME")
        ->excludes(off);
    return
        [options] { return reportingErrors(options->drawing, [&] { return ignore(*options); }); };
}
