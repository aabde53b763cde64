#include "Commands.h"
#include "Json.h"
#include "ModuleHost.h"

#include <CKvDocumentManager.h>
#include <CKvStandardsAssociation.h>
#include <CKvStandardsSettings.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <algorithm>
#include <cstdio>
#include <list>
#include <memory>
#include <string>

namespace {

int usage()
{
    std::fputs(
        "usage: kvcad standards add|remove|up|down DRAWING FILE\n"
        "       kvcad standards list DRAWING [--json]\n"
        "       kvcad standards settings [--preferred FILE|None] [--auto-fix on|off]\n"
        "                                [--show-ignored on|off]\n"
        "       kvcad standards plugins [--enable PLUGIN]... [--disable PLUGIN]...\n"
        "                               (PLUGIN: its name, such as Layers, or its class id)\n",
        stderr);
    return kExitUnreadable;
}

OdDbDatabasePtr readDrawing(const std::string& path)
{
    try {
        return OdDbDatabase::readFile(OdString(path));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return OdDbDatabasePtr();
    }
}

int editAssociation(const std::string& action, const std::string& drawing, const std::string& file)
{
    OdDbDatabasePtr db = readDrawing(drawing);
    if (db.isNull()) {
        return kExitUnreadable;
    }
    CKvStandardsAssociation association(db.get());
    const CKvString path(file.c_str());
    bool changed = false;
    const char* why = "";
    if (action == "add") {
        changed = association.add(path);
        why = "is already associated";
    } else if (action == "remove") {
        changed = association.remove(path);
        why = "is not associated";
    } else if (action == "up") {
        changed = association.moveUp(path);
        why = "is first or not associated";
    } else {
        changed = association.moveDown(path);
        why = "is last or not associated";
    }
    if (!changed) {
        std::fprintf(stderr, "%s: %s %s; nothing changed\n", drawing.c_str(), file.c_str(), why);
        return kExitViolations;
    }
    try {
        db->writeFile(OdString(drawing));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().c_str());
        return kExitUnreadable;
    }
    return kExitOk;
}

// The files as the standards module resolves them for the drawing: opened as the current
// document, whose association the module reads.
bool resolvedPaths(const std::string& drawing, std::vector<CKvString>& resolved)
{
    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    CKvDocumentManager* documents = host->services().documentManager();
    CKvDocument* document = documents->open(CKvString(drawing.c_str()));
    if (document == nullptr) {
        std::fprintf(stderr, "%s\n", documents->lastError().toUtf8().c_str());
        return false;
    }
    documents->activate(document);
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager == nullptr) {
        std::fprintf(stderr, "the standards module published no manager\n");
        return false;
    }
    resolved = manager->getDwsPathArray();
    documents->close(document);
    return true;
}

int listAssociation(const std::string& drawing, bool json)
{
    OdDbDatabasePtr db = readDrawing(drawing);
    if (db.isNull()) {
        return kExitUnreadable;
    }
    const std::vector<CKvString> stored = CKvStandardsAssociation(db.get()).paths();
    std::vector<CKvString> resolved;
    if (!resolvedPaths(drawing, resolved)) {
        return kExitUnreadable;
    }
    auto jsonList = [](const std::vector<CKvString>& paths) {
        std::string out = "[";
        for (size_t i = 0; i < paths.size(); ++i) {
            out += (i ? ", " : "") + jsonQuote(paths[i].toUtf8());
        }
        return out + "]";
    };
    if (json) {
        std::printf("{\"stored\": %s, \"resolved\": %s}\n", jsonList(stored).c_str(),
                    jsonList(resolved).c_str());
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

bool onOff(const std::string& value, bool& out)
{
    if (value == "on" || value == "off") {
        out = value == "on";
        return true;
    }
    return false;
}

int settings(const std::vector<std::string>& args)
{
    CKvStandardsSettings settings = CKvStandardsSettings::load();
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return usage();
        }
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        bool flag = false;
        if (option == "--preferred") {
            settings.setPreferredStandardsFile(CKvString(value.c_str()));
        } else if (option == "--auto-fix" && onOff(value, flag)) {
            settings.setAutomaticFix(flag);
        } else if (option == "--show-ignored" && onOff(value, flag)) {
            settings.setShowIgnored(flag);
        } else {
            return usage();
        }
    }
    if (args.size() > 1 && !settings.save()) {
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
int plugins(const std::vector<std::string>& args)
{
    std::vector<std::pair<std::string, bool>> changes;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size() || (args[i] != "--enable" && args[i] != "--disable")) {
            return usage();
        }
        changes.emplace_back(args[i + 1], args[i] == "--enable");
    }
    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitUnreadable;
    }
    std::list<OdSmartPtr<CKvStdsPlugins>> list;
    if (CKvStdsManager* manager = GetKvStandardManager()) {
        manager->getPluginList(list);
    }
    CKvStandardsSettings settings = host->services().standardsSettings();
    for (const auto& [which, enable] : changes) {
        const CKvString wanted(which.c_str());
        const auto found = std::find_if(list.begin(), list.end(), [&](const auto& plugin) {
            return plugin->Name().CompareNoCase(wanted) == 0 ||
                   plugin->classId().CompareNoCase(wanted) == 0;
        });
        if (found == list.end()) {
            std::fprintf(stderr, "kvcad: no standards plug-in \"%s\"\n", which.c_str());
            return kExitUnreadable;
        }
        (*found)->setEnabled(enable);
        settings.setPluginEnabled((*found)->classId(), enable);
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

int runStandards(const std::vector<std::string>& args)
{
    if (args.empty()) {
        return usage();
    }
    const std::string& action = args[0];
    if (action == "settings") {
        return settings(args);
    }
    if (action == "plugins") {
        return plugins(args);
    }
    if (action == "list" && (args.size() == 2 || (args.size() == 3 && args[2] == "--json"))) {
        return listAssociation(args[1], args.size() == 3);
    }
    if ((action == "add" || action == "remove" || action == "up" || action == "down") &&
        args.size() == 3) {
        return editAssociation(action, args[1], args[2]);
    }
    return usage();
}
