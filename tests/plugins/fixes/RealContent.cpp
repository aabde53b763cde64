#include "RealContent.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvLayerPluginImpl.h>
#include <CKvLineStylePluginImpl.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvTextStylePluginImpl.h>
#include <DbDatabase.h>
#include <OdError.h>

#include <algorithm>
#include <cctype>
#include <fstream>

const std::vector<FixPath> kFixPaths = {
    {"layer values rewritten in place", RecordKind::Layer, "Doors", "Doors"},
    {"layer renamed to the standards name", RecordKind::Layer, "A-ANNO", "ANNO"},
    {"layer merged into the standards layer", RecordKind::Layer, "WALLS-OLD", "Walls"},
    {"layer given a complex line style copied from the standards", RecordKind::Layer, "Gas", "Gas"},
    {"line style redefined in place", RecordKind::LineStyle, "FENCE", "FENCE"},
    {"line style with shapes brought in", RecordKind::LineStyle, "OLDLT", "BATT"},
    {"line style replacing the drawing's record of its name", RecordKind::LineStyle, "OLDLT3",
     "DASHED"},
    {"line style merged into Continuous", RecordKind::LineStyle, "OLDLT2", "Continuous"},
    {"text style rewritten in place", RecordKind::TextStyle, "Notes", "Notes"},
    {"text style renamed to the standards name", RecordKind::TextStyle, "Labels2", "Labels"},
    {"text style merged into the standards style", RecordKind::TextStyle, "Notes2", "Notes"},
    {"dimension style rewritten in place with its arrow block", RecordKind::DimStyle, "ISO-25",
     "ISO-25"},
    {"dimension style renamed to the standards name", RecordKind::DimStyle, "MyDim", "Arch"},
    {"dimension style merged into the standards style", RecordKind::DimStyle, "Old", "Standard"},
};

FixHost::FixHost(const CKvString& resources) : m_services(new CKvSystemServices(resources))
{
    CKvStdsFix::rxInit();
    CKvStdsError::rxInit();
    SetKvSystemServices(m_services.get());
}

FixHost::~FixHost()
{
    SetKvSystemServices(nullptr);
    CKvStdsError::rxUninit();
    CKvStdsFix::rxUninit();
}

namespace {

// Checks the drawing as the manager does, calling found(error) for each violation.
template <class Found>
void check(CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing, const CKvString& standards,
           Found found)
{
    plugin.Clear();
    plugin.SetContext(OdArray<OdDbObjectId>(), true);
    plugin.SetupForAudit(drawing, CKvString("real-content.dxf"), {standards}, {standards});
    for (plugin.Start(OdSmartPtr<CKvStdsError>()); !plugin.Done(); plugin.Next()) {
        found(plugin.GetError());
    }
}

// Checks the drawing and applies the named fix to the named record's violation.
std::string applyWith(CKvStdsPlugins& plugin, const FixPath& path, const OdDbDatabasePtr& drawing,
                      const CKvString& standards)
{
    OdSmartPtr<CKvStdsError> error;
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    int recommended = -1;
    check(plugin, drawing, standards, [&](const OdSmartPtr<CKvStdsError>& found) {
        if (found->GetObjectName() == CKvString(path.violating)) {
            error = found;
            plugin.GetAllFixes(error, fixes, recommended);
        }
    });
    if (error.isNull()) {
        return std::string("no violation of ") + path.violating;
    }
    for (const OdSmartPtr<CKvStdsFix>& fix : fixes) {
        if (fix->GetFixObjectName() == CKvString(path.fix)) {
            CKvString message("not set");
            plugin.FixError(error, fix, message);
            plugin.Clear();
            return message.isEmpty() ? std::string()
                                     : "FixError gave the message " + message.toUtf8();
        }
    }
    plugin.Clear();
    return std::string("no fix ") + path.fix + " offered for " + path.violating;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

namespace {

// Calls use(plugin) with a plug-in of the kind.
template <class Use>
void withPlugin(RecordKind kind, Use use)
{
    switch (kind) {
        case RecordKind::Layer: {
            CKvLayerPluginImpl plugin;
            use(plugin);
            break;
        }
        case RecordKind::LineStyle: {
            CKvLineStylePluginImpl plugin;
            use(plugin);
            break;
        }
        case RecordKind::TextStyle: {
            CKvTextStylePluginImpl plugin;
            use(plugin);
            break;
        }
        case RecordKind::DimStyle: {
            CKvDimStylePluginImpl plugin;
            use(plugin);
            break;
        }
    }
}

}  // namespace

std::string FixHost::apply(const FixPath& path, const std::string& drawing,
                           const std::string& standards, const std::string& output)
{
    try {
        const OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing));
        std::string problem;
        withPlugin(path.kind, [&](CKvStdsPlugins& plugin) {
            problem = applyWith(plugin, path, db, CKvString(standards.c_str()));
        });
        if (problem.empty()) {
            db->writeFile(OdString(output));
        }
        return problem;
    } catch (const OdError& e) {
        return e.description().toUtf8();
    }
}

std::vector<std::string> FixHost::violations(RecordKind kind, const std::string& drawing,
                                             const std::string& standards)
{
    const OdDbDatabasePtr db = OdDbDatabase::readFile(OdString(drawing));
    std::vector<std::string> names;
    withPlugin(kind, [&](CKvStdsPlugins& plugin) {
        check(plugin, db, CKvString(standards.c_str()), [&](const OdSmartPtr<CKvStdsError>& e) {
            names.push_back(e->GetObjectName().toUtf8());
        });
        plugin.Clear();
    });
    return names;
}

// ---------------------------------------------------------------------------------------------
// The written files

std::string DxfObject::handle() const
{
    return value(type() == "DIMSTYLE" ? 105 : 5);
}

std::string DxfObject::owner() const
{
    int depth = 0;
    for (size_t i = 1; i < tags.size() && tags[i].first != 100; ++i) {
        if (tags[i].first == 102) {
            depth += tags[i].second.rfind('{', 0) == 0 ? 1 : -1;
        } else if (tags[i].first == 330 && depth == 0) {
            return tags[i].second;
        }
    }
    return std::string();
}

std::string DxfObject::value(int code, int n) const
{
    for (const auto& [c, v] : tags) {
        if (c == code && n-- == 0) {
            return trimmed(v);
        }
    }
    return std::string();
}

bool DxfObject::has(int code, const std::string& value) const
{
    return std::any_of(tags.begin(), tags.end(), [&](const auto& tag) {
        return tag.first == code && upper(trimmed(tag.second)) == upper(value);
    });
}

DxfText::DxfText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string codeLine;
    std::string value;
    std::string section;
    std::string variable;
    bool sectionName = false;
    while (std::getline(in, codeLine) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') {
            value.pop_back();
        }
        const int code = std::stoi(codeLine);
        if (sectionName) {
            section = value;
            sectionName = false;
        } else if (code == 0 && (value == "SECTION" || value == "ENDSEC" || value == "EOF" ||
                                 value == "ENDTAB")) {
            sectionName = value == "SECTION";
            variable.clear();
        } else if (section == "HEADER") {
            if (code == 9) {
                variable = value;
            } else if (!variable.empty() && header.count(variable) == 0) {
                header[variable] = value;
            }
        } else if (code == 0) {
            objects.push_back(DxfObject{section, {{code, value}}});
        } else if (!objects.empty()) {
            objects.back().tags.emplace_back(code, value);
        }
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        m_byHandle[objects[i].handle()] = i;
    }
}

const DxfObject* DxfText::byHandle(const std::string& handle) const
{
    const auto found = m_byHandle.find(handle);
    return found == m_byHandle.end() ? nullptr : &objects[found->second];
}

const DxfObject* DxfText::record(const std::string& type, const std::string& name) const
{
    for (const DxfObject& object : objects) {
        if (object.section == "TABLES" && object.type() == type &&
            upper(object.value(2)) == upper(name)) {
            return &object;
        }
    }
    return nullptr;
}

std::string DxfText::handleOf(const std::string& type, const std::string& name) const
{
    const DxfObject* found = record(type, name);
    return found == nullptr ? std::string() : found->handle();
}

std::set<std::string> changedObjects(const DxfText& before, const DxfText& after)
{
    return before.handles([&](const DxfObject& object) {
        const DxfObject* now = after.byHandle(object.handle());
        return !object.handle().empty() && (now == nullptr || now->tags != object.tags);
    });
}
