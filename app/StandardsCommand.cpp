#include "BatchCommand.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DrawingBatch.h"
#include "DrawingList.h"
#include "Json.h"
#include "ModuleHost.h"

#include <CKvDocumentManager.h>
#include <CKvStandardsAssociation.h>
#include <CKvStandardsSettings.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace {

OdDbDatabasePtr readDrawing(const std::string& path)
{
    try {
        return OdDbDatabase::readFile(OdString(path));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return OdDbDatabasePtr();
    }
}

// How a path given on the command line is stored: absolute, cleaned, with forward slashes, so that
// the association works from any folder.
CKvString storedForm(const std::string& file)
{
    const QString path = QString::fromStdString(file).replace('\\', '/');
    return CKvString(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

// The ways a stored or given path may be spelt: with either slash, relative to the current folder
// or to the drawing's, and the file it names when it exists.
std::set<QString> spellings(const CKvString& path, const QDir& drawingFolder)
{
    const QString slashes = path.toQString().replace('\\', '/');
    std::set<QString> forms = {slashes, QDir::cleanPath(QDir::current().absoluteFilePath(slashes)),
                               QDir::cleanPath(drawingFolder.absoluteFilePath(slashes))};
    for (const QString& form : std::set<QString>(forms)) {
        const QString canonical = QFileInfo(form).canonicalFilePath();
        if (!canonical.isEmpty()) {
            forms.insert(canonical);
        }
    }
    return forms;
}

// The stored path that names the same file as `file`, however either is spelt; empty when none
// does.
CKvString storedEntry(const std::vector<CKvString>& stored, const std::string& file,
                      const std::string& drawing)
{
    const QDir folder = QFileInfo(QString::fromStdString(drawing)).absoluteDir();
    const std::set<QString> given = spellings(CKvString(file.c_str()), folder);
    for (const CKvString& entry : stored) {
        for (const QString& form : spellings(entry, folder)) {
            if (given.count(form) > 0) {
                return entry;
            }
        }
    }
    return CKvString();
}

// Empty when the file can be associated with the drawing, else why not.
std::string refusal(const std::string& drawing, const std::string& file)
{
    const QFileInfo info(storedForm(file).toQString());
    if (!info.exists()) {
        return file + ": standards file not found";
    }
    if (!info.isFile()) {
        return file + ": is a folder, not a standards drawing";
    }
    if (info.canonicalFilePath() ==
        QFileInfo(QString::fromStdString(drawing)).canonicalFilePath()) {
        return file + ": is the drawing itself";
    }
    const std::string stored = storedForm(file).toUtf8();
    try {
        OdDbDatabase::readFile(OdString(stored));
    } catch (const OdError& e) {
        // The reader names the file as it was read: "/abs/a.dws:12: ..." becomes "a.dws:12: ...".
        std::string message = e.description().toUtf8();
        if (message.compare(0, stored.size() + 1, stored + ":") == 0) {
            message.replace(0, stored.size(), file);
        }
        return aboutFile(file, message) + " (not a standards drawing)";
    }
    return std::string();
}

int editAssociation(const std::string& action, const std::string& drawing, const std::string& file)
{
    OdDbDatabasePtr db = readDrawing(drawing);
    if (db.isNull()) {
        return kExitUnreadable;
    }
    CKvStandardsAssociation association(db.get());
    const CKvString problem = association.problem();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", drawing.c_str(), problem.toUtf8().c_str());
        return kExitUnreadable;
    }
    const CKvString entry = storedEntry(association.paths(), file, drawing);
    bool changed = false;
    const char* why = "";
    if (action == "add") {
        const std::string refused = refusal(drawing, file);
        if (!refused.empty()) {
            std::fprintf(stderr, "%s\n", refused.c_str());
            return kExitUnreadable;
        }
        changed = entry.isEmpty() && association.add(storedForm(file));
        why = "is already associated";
    } else if (action == "remove") {
        changed = association.remove(entry);
        why = "is not associated";
    } else if (action == "up") {
        changed = association.moveUp(entry);
        why = "is first or not associated";
    } else {
        changed = association.moveDown(entry);
        why = "is last or not associated";
    }
    if (!changed) {
        std::fprintf(stderr, "%s: %s %s; nothing changed\n", drawing.c_str(), file.c_str(), why);
        return kExitViolations;
    }
    db->writeFile(OdString(drawing));
    return kExitOk;
}

// Edits the association of every drawing; the exit code of the worst: 2 when a drawing (or the
// list of them) cannot be read or written, else 1 when one is left as it was.
int editAssociations(const std::string& action, const std::vector<std::string>& arguments,
                     const std::string& file)
{
    std::string error;
    const std::optional<std::vector<std::string>> drawings = expandDrawings(arguments, error);
    if (!drawings) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    int worst = kExitOk;
    for (const std::string& drawing : *drawings) {
        worst = std::max(worst, reportingErrors(drawing, [&] {
                             return editAssociation(action, drawing, file);
                         }));
    }
    return worst;
}

// The files as the standards module resolves them for the drawing: opened as the current
// document, whose association the module reads.
bool resolvedPaths(const std::string& drawing, std::vector<CKvString>& resolved)
{
    return ModuleHost::runOn(drawing, [&](ModuleHost& host) {
               CKvDocumentManager* documents = host.services().documentManager();
               CKvDocument* document = documents->open(CKvString(drawing.c_str()));
               if (document == nullptr) {
                   std::fprintf(stderr, "%s\n", documents->lastError().toUtf8().c_str());
                   return kExitUnreadable;
               }
               CKvStdsManager* manager = GetKvStandardManager();
               if (manager == nullptr) {
                   std::fprintf(stderr, "the standards module published no manager\n");
                   return kExitUnreadable;
               }
               resolved = manager->getDwsPathArray();
               documents->close(document);
               return kExitOk;
           }) == kExitOk;
}

int listAssociation(const std::string& drawing, bool json)
{
    OdDbDatabasePtr db = readDrawing(drawing);
    if (db.isNull()) {
        return kExitUnreadable;
    }
    const CKvStandardsAssociation association(db.get());
    const CKvString problem = association.problem();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", drawing.c_str(), problem.toUtf8().c_str());
        return kExitUnreadable;
    }
    const std::vector<CKvString> stored = association.paths();
    std::vector<CKvString> resolved;
    if (!resolvedPaths(drawing, resolved)) {
        return kExitUnreadable;
    }
    if (json) {
        const Json list = {{"stored", toUtf8(stored)}, {"resolved", toUtf8(resolved)}};
        std::printf("%s\n", jsonText(list).c_str());
        return kExitOk;
    }
    std::printf("stored (%zu):\n", stored.size());
    for (const CKvString& path : stored) {
        std::printf("  %s\n", path.toUtf8().c_str());
    }
    std::printf("resolved (%zu):\n", resolved.size());
    for (const CKvString& path : resolved) {
        std::printf("  %s\n", path.toUtf8().c_str());
    }
    return kExitOk;
}

struct SettingsOptions
{
    std::optional<std::string> preferred;
    std::optional<std::string> automaticFix;  // "on" or "off"
    std::optional<std::string> showIgnored;
};

int settings(const SettingsOptions& options)
{
    CKvStandardsSettings settings = CKvStandardsSettings::load();
    if (options.preferred) {
        // Kept as the association keeps the file, so that the manager finds it there.
        const bool none =
            CKvString(options.preferred->c_str())
                .CompareNoCase(CKvString(CKvStandardsSettings::kNoPreferredFile)) == 0;
        settings.setPreferredStandardsFile(none ? CKvString(CKvStandardsSettings::kNoPreferredFile)
                                                : storedForm(*options.preferred));
    }
    if (options.automaticFix) {
        settings.setAutomaticFix(*options.automaticFix == "on");
    }
    if (options.showIgnored) {
        settings.setShowIgnored(*options.showIgnored == "on");
    }
    const bool changed = options.preferred || options.automaticFix || options.showIgnored;
    if (changed && !settings.save()) {
        std::fprintf(stderr, "%s: cannot write the settings\n",
                     CKvStandardsSettings::filePath().toUtf8().constData());
        return kExitUnreadable;
    }
    std::printf("preferred: %s\nauto-fix: %s\nshow-ignored: %s\n",
                settings.preferredStandardsFile().toUtf8().c_str(),
                settings.automaticFix() ? "on" : "off", settings.showIgnored() ? "on" : "off");
    return kExitOk;
}

// The module's plug-ins with their enabled flags; --enable and --disable change the flags kept in
// the settings, which every later run (and the standards configuration) uses.
// `changes`: the plug-ins to enable (true) or disable, in the order given.
int plugins(const std::vector<std::pair<std::string, bool>>& changes)
{
    std::string error;
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
    std::list<OdSmartPtr<CKvStdsPlugins>> list;
    manager->getPluginList(list);
    CKvStandardsSettings settings = host->services().standardsSettings();
    for (const auto& [which, enable] : changes) {
        const CKvStdsPluginsPtr plugin = pluginNamed(*manager, which);
        if (plugin.isNull()) {
            std::fprintf(stderr, "kvcad: no standards plug-in \"%s\"\n", which.c_str());
            return kExitUnreadable;
        }
        plugin->setEnabled(enable);
        settings.setPluginEnabled(plugin->classId(), enable);
    }
    if (!changes.empty() && !settings.save()) {
        std::fprintf(stderr, "%s: cannot write the settings\n",
                     CKvStandardsSettings::filePath().toUtf8().constData());
        return kExitUnreadable;
    }
    for (const OdSmartPtr<CKvStdsPlugins>& plugin : list) {
        std::printf("%-4s %-18s %s %s\n", plugin->Enabled() ? "on" : "off",
                    plugin->Name().toUtf8().c_str(), plugin->Version().toUtf8().c_str(),
                    plugin->classId().toUtf8().c_str());
    }
    return kExitOk;
}

}  // namespace

CommandRun setUpStandards(CLI::App& command)
{
    command.require_subcommand(1);
    std::vector<Subcommand> actions;
    const std::pair<const char*, const char*> edits[] = {
        {"add", "associate the standards file with the drawings (saves each one changed)"},
        {"remove", "remove the file from the drawings' association (saves each one changed)"},
        {"up", "check with the file one place earlier (saves each drawing changed)"},
        {"down", "check with the file one place later (saves each drawing changed)"},
    };
    for (const auto& [name, summary] : edits) {
        CLI::App* edit = command.add_subcommand(name, summary);
        // The last argument is the file, however many drawings come before it.
        edit->positionals_at_end();
        auto files = std::make_shared<std::pair<std::vector<std::string>, std::string>>();
        edit->add_option("DRAWING", files->first,
                         "the drawings: files, folders, patterns and @FILE lists, as kvcad check "
                         "takes them")
            ->required();
        edit->add_option("FILE", files->second, "the standards file")->required();
        actions.emplace_back(edit, [action = std::string(name), files] {
            return editAssociations(action, files->first, files->second);
        });
    }

    CLI::App* list = command.add_subcommand(
        "list", "the stored standards files of a drawing, and those a check uses");
    auto listed = std::make_shared<std::pair<std::string, bool>>();
    list->add_option("DRAWING", listed->first, "the drawing")->required();
    list->add_flag("--json", listed->second, "one JSON object instead of text");
    actions.emplace_back(list, [listed] {
        return reportingErrors(listed->first,
                               [&] { return listAssociation(listed->first, listed->second); });
    });

    CLI::App* settingsCommand = command.add_subcommand(
        "settings", "show the standards settings, changing those given first");
    auto settingsOptions = std::make_shared<SettingsOptions>();
    settingsCommand
        ->add_option("--preferred", settingsOptions->preferred,
                     "the standards file checked first when a drawing names it, or None")
        ->type_name("FILE|None");
    settingsCommand
        ->add_option("--auto-fix", settingsOptions->automaticFix,
                     "fix every violation when the Verify Standards dialog opens")
        ->check(CLI::IsMember({"on", "off"}));
    settingsCommand
        ->add_option("--show-ignored", settingsOptions->showIgnored,
                     "show violations marked ignored in the Verify Standards dialog")
        ->check(CLI::IsMember({"on", "off"}));
    actions.emplace_back(settingsCommand, [settingsOptions] { return settings(*settingsOptions); });

    CLI::App* pluginsCommand = command.add_subcommand(
        "plugins", "the module's plug-ins and whether each one runs, changing those given first");
    auto changes = std::make_shared<std::vector<std::pair<std::string, bool>>>();
    for (const bool enable : {true, false}) {
        pluginsCommand
            ->add_option_function<std::string>(
                enable ? "--enable" : "--disable",
                [changes, enable](const std::string& plugin) {
                    changes->emplace_back(plugin, enable);
                },
                "a plug-in by its name, such as Layers, or its class id; may be repeated")
            ->type_name("PLUGIN")
            // Each one as it comes, so that the last word on a plug-in wins.
            ->trigger_on_parse()
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
    actions.emplace_back(pluginsCommand, [changes] { return plugins(*changes); });
    return runChosen(std::move(actions));
}
