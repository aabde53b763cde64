#include "ProjectFile.h"

#include "TextFile.h"

#include <QFileInfo>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdint>
#include <map>
#include <toml++/toml.h>

namespace {

constexpr const char* kDefaultName = "kvcad.toml";

const std::map<std::string, ReportFormat> kFormats = {{"text", ReportFormat::Text},
                                                      {"json", ReportFormat::Json},
                                                      {"junit", ReportFormat::Junit},
                                                      {"html", ReportFormat::Html}};

// A value of the file that is not what kvcad takes: its line and what was wanted.
struct BadValue
{
    toml::source_position where;
    std::string message;
};

class Reader
{
public:
    Reader(const std::string& path, const toml::table& root) : m_root(root)
    {
        const size_t slash = path.rfind('/');
        m_folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }

    ProjectFile read()
    {
        ProjectFile file;
        knowOnly(m_root,
                 {"drawings", "standards", "plugins", "require-standards", "jobs", "check", "fix"});
        file.drawings = strings("drawings", m_root, true);
        file.standards = strings("standards", m_root, true);
        file.plugins = strings("plugins", m_root, false);
        file.requireStandards = flag("require-standards", m_root);
        file.jobs = number("jobs", m_root, 1, 256);
        if (const toml::table* check = section("check")) {
            knowOnly(*check, {"all-fixes", "max-fixes", "reports"});
            file.allFixes = flag("all-fixes", *check);
            file.maxFixes = number("max-fixes", *check, 0, INT32_MAX);
            file.checkReports = reports(*check, {"text", "json", "junit", "html"});
        }
        if (const toml::table* fix = section("fix")) {
            knowOnly(*fix, {"output-dir", "map", "reports"});
            file.outputDir = path("output-dir", *fix);
            file.map = path("map", *fix);
            file.fixReports = reports(*fix, {"text", "json"});
        }
        return file;
    }

private:
    [[noreturn]] static void refuse(const toml::node& node, const std::string& message)
    {
        throw BadValue{node.source().begin, message};
    }

    void knowOnly(const toml::table& table, const std::vector<std::string>& known) const
    {
        for (const auto& [key, node] : table) {
            if (std::find(known.begin(), known.end(), std::string(key.str())) == known.end()) {
                std::string list;
                for (const std::string& name : known) {
                    list += (list.empty() ? "" : ", ") + name;
                }
                throw BadValue{key.source().begin, "unknown key \"" + std::string(key.str()) +
                                                       "\" (known here: " + list + ")"};
            }
        }
    }

    const toml::table* section(const char* name) const
    {
        const toml::node* node = m_root.get(name);
        if (node != nullptr && !node->is_table()) {
            refuse(*node, std::string(name) + ": expected a table, [" + name + "]");
        }
        return node == nullptr ? nullptr : node->as_table();
    }

    // A path of the file, as kvcad finds it: relative to the file's folder. A list of drawings
    // keeps its "@".
    std::string resolved(std::string path) const
    {
        const bool list = !path.empty() && path[0] == '@';
        std::string bare = list ? path.substr(1) : path;
        if (!bare.empty() && bare[0] != '/') {
            bare = m_folder + bare;
        }
        return (list ? "@" : "") + bare;
    }

    std::optional<std::vector<std::string>> strings(const char* key, const toml::table& table,
                                                    bool paths) const
    {
        const toml::node* node = table.get(key);
        if (node == nullptr) {
            return std::nullopt;
        }
        const toml::array* array = node->as_array();
        if (array == nullptr) {
            refuse(*node, std::string(key) + ": expected a list of texts, [\"...\", ...]");
        }
        std::vector<std::string> values;
        for (const toml::node& item : *array) {
            if (!item.is_string() || item.as_string()->get().empty()) {
                refuse(item, std::string(key) + ": expected a text that is not empty");
            }
            values.push_back(paths ? resolved(item.as_string()->get()) : item.as_string()->get());
        }
        return values;
    }

    std::optional<std::string> path(const char* key, const toml::table& table) const
    {
        const toml::node* node = table.get(key);
        if (node == nullptr) {
            return std::nullopt;
        }
        if (!node->is_string() || node->as_string()->get().empty()) {
            refuse(*node, std::string(key) + ": expected a path, \"...\"");
        }
        return resolved(node->as_string()->get());
    }

    static std::optional<bool> flag(const char* key, const toml::table& table)
    {
        const toml::node* node = table.get(key);
        if (node != nullptr && !node->is_boolean()) {
            refuse(*node, std::string(key) + ": expected true or false");
        }
        return node == nullptr ? std::nullopt : std::optional<bool>(node->as_boolean()->get());
    }

    static std::optional<int> number(const char* key, const toml::table& table, int least, int most)
    {
        const toml::node* node = table.get(key);
        if (node == nullptr) {
            return std::nullopt;
        }
        if (!node->is_integer() || node->as_integer()->get() < least ||
            node->as_integer()->get() > most) {
            refuse(*node, std::string(key) + ": expected a whole number from " +
                              std::to_string(least) +
                              (most == INT32_MAX ? " up" : " to " + std::to_string(most)));
        }
        return static_cast<int>(node->as_integer()->get());
    }

    std::optional<std::vector<ReportRequest>> reports(const toml::table& table,
                                                      const std::vector<std::string>& formats) const
    {
        const toml::node* node = table.get("reports");
        if (node == nullptr) {
            return std::nullopt;
        }
        const toml::array* array = node->as_array();
        if (array == nullptr || array->empty()) {
            refuse(*node,
                   "reports: expected a list of reports, [{format = \"...\", output = "
                   "\"...\"}, ...]");
        }
        std::vector<ReportRequest> requests;
        for (const toml::node& item : *array) {
            const toml::table* report = item.as_table();
            if (report == nullptr) {
                refuse(item, "reports: expected {format = \"...\", output = \"...\"}");
            }
            knowOnly(*report, {"format", "output"});
            const toml::node* format = report->get("format");
            const std::string name =
                format != nullptr && format->is_string() ? format->as_string()->get() : "";
            if (std::find(formats.begin(), formats.end(), name) == formats.end()) {
                std::string list;
                for (const std::string& each : formats) {
                    list += (list.empty() ? "" : "|") + each;
                }
                refuse(format != nullptr ? *format : item, "format: expected one of " + list);
            }
            requests.push_back(
                ReportRequest{kFormats.at(name), path("output", *report).value_or("")});
        }
        return requests;
    }

    const toml::table& m_root;
    // With its slash; empty for the current folder.
    std::string m_folder;
};

}  // namespace

std::optional<ProjectFile> readProjectFile(const std::string& given, std::string& error)
{
    const std::string path = given.empty() ? kDefaultName : given;
    if (given.empty() && !QFileInfo::exists(QString::fromUtf8(kDefaultName))) {
        return std::nullopt;
    }
    const std::optional<std::string> text = readTextFile(path, "project file", error);
    if (!text) {
        return std::nullopt;
    }
    try {
        const toml::table root = toml::parse(*text, path);
        return Reader(path, root).read();
    } catch (const toml::parse_error& e) {
        error = path + ":" + std::to_string(e.source().begin.line) + ": " +
                std::string(e.description());
    } catch (const BadValue& bad) {
        error = path + ":" + std::to_string(bad.where.line) + ": " + bad.message;
    }
    return std::nullopt;
}

std::optional<ProjectFile> completeBatchOptions(
    const CLI::App& command, BatchOptions& options,
    std::optional<std::vector<ReportRequest>> ProjectFile::*reports, std::string& error)
{
    const std::optional<ProjectFile> read = readProjectFile(options.config, error);
    if (!error.empty()) {
        return std::nullopt;
    }
    const ProjectFile file = read.value_or(ProjectFile());
    const auto absent = [&](const char* option) { return command.count(option) == 0; };
    if (absent("DRAWING") && file.drawings) {
        options.drawings = *file.drawings;
    }
    if (absent("--standards") && file.standards) {
        options.standards = *file.standards;
    }
    if (absent("--plugins") && file.plugins) {
        options.plugins = *file.plugins;
    }
    if (absent("--require-standards") && file.requireStandards) {
        options.requireStandards = *file.requireStandards;
    }
    if (absent("--jobs") && file.jobs) {
        options.jobs = *file.jobs;
    }
    if (absent("--format") && absent("--output") && file.*reports) {
        options.reports = *(file.*reports);
    }
    if (options.drawings.empty()) {
        throw CLI::RequiredError("DRAWING");
    }
    return file;
}
