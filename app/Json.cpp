#include "Json.h"

#include "CheckReport.h"

std::string jsonText(const Json& value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

namespace {

Json typedJson(const TypedValue& value)
{
    if (const long long* integer = std::get_if<long long>(&value)) {
        return *integer;
    }
    if (const double* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const bool* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    return Json();
}

TypedValue typedFromJson(const Json& value)
{
    if (value.is_boolean()) {
        return value.get<bool>();
    }
    if (value.is_number_integer()) {
        return value.get<long long>();
    }
    if (value.is_number()) {
        return value.get<double>();
    }
    return TypedValue();
}

// The member of an object, or null when it has none.
const Json& member(const Json& object, const char* key)
{
    static const Json kNull;
    const auto found = object.find(key);
    return found == object.end() ? kNull : *found;
}

}  // namespace

Json fixJson(const ReportedFix& fix)
{
    return {{"name", fix.name}, {"standardsFile", fix.standardsFile}};
}

Json violationJson(const ReportedViolation& v, bool allFixes)
{
    Json properties = Json::object();
    Json values = Json::object();
    for (const ReportedProperty& property : v.properties) {
        properties[property.name] = property.text;
        if (!std::holds_alternative<std::monostate>(property.value)) {
            values[property.name] = typedJson(property.value);
        }
    }
    Json diff = Json::array();
    for (const PropertyDiff& d : v.diff) {
        Json entry = {{"property", d.property}, {"current", d.current}, {"standard", d.standard}};
        if (!std::holds_alternative<std::monostate>(d.currentValue)) {
            entry["currentValue"] = typedJson(d.currentValue);
        }
        if (!std::holds_alternative<std::monostate>(d.standardValue)) {
            entry["standardValue"] = typedJson(d.standardValue);
        }
        diff.push_back(std::move(entry));
    }
    Json violation = {{"category", v.category},
                      {"plugin", v.plugin},
                      {"objectType", v.objectType},
                      {"name", v.name},
                      {"handle", v.handle},
                      {"description", v.description},
                      {"ignored", v.ignored},
                      {"ignoredBy", v.ignoredBy},
                      {"recommendedFix", v.recommendedFix},
                      {"fix", v.fix ? fixJson(*v.fix) : Json()},
                      {"fixCount", v.fixCount},
                      {"properties", std::move(properties)},
                      {"values", std::move(values)},
                      {"diff", std::move(diff)}};
    if (allFixes) {
        Json fixes = Json::array();
        for (const ReportedFix& fix : v.fixes) {
            fixes.push_back(fixJson(fix));
        }
        violation["fixes"] = std::move(fixes);
        if (v.fixesNotListed > 0) {
            violation["fixesNotListed"] = v.fixesNotListed;
        }
    }
    return violation;
}

std::string checkReportHead(const ReportSettings& settings)
{
    std::string head = jsonText(Json{{"version", 1},
                                     {"command", "check"},
                                     {"plugins", settings.plugins},
                                     {"allFixes", settings.allFixes},
                                     {"requireStandards", settings.requireStandards}});
    head.pop_back();
    return head + ",\"drawings\":[";
}

ReportedFix fixFromJson(const Json& value)
{
    return ReportedFix{value.at("name").get<std::string>(),
                       value.at("standardsFile").get<std::string>()};
}

ReportedViolation violationFromJson(const Json& value)
{
    ReportedViolation v;
    v.category = value.at("category").get<std::string>();
    v.plugin = value.at("plugin").get<std::string>();
    v.objectType = value.at("objectType").get<std::string>();
    v.name = value.at("name").get<std::string>();
    v.handle = value.at("handle").get<std::string>();
    v.description = value.at("description").get<std::string>();
    v.ignored = value.at("ignored").get<bool>();
    v.ignoredBy = value.at("ignoredBy").get<std::string>();
    v.recommendedFix = value.at("recommendedFix").get<int>();
    if (!value.at("fix").is_null()) {
        v.fix = fixFromJson(value.at("fix"));
    }
    v.fixCount = value.at("fixCount").get<int>();
    const Json& values = value.at("values");
    for (const auto& [name, text] : value.at("properties").items()) {
        v.properties.push_back(ReportedProperty{name, text.get<std::string>(),
                                                typedFromJson(member(values, name.c_str()))});
    }
    for (const Json& d : value.at("diff")) {
        v.diff.push_back(PropertyDiff{
            d.at("property").get<std::string>(), d.at("current").get<std::string>(),
            d.at("standard").get<std::string>(), typedFromJson(member(d, "currentValue")),
            typedFromJson(member(d, "standardValue"))});
    }
    for (const Json& fix : member(value, "fixes")) {
        v.fixes.push_back(fixFromJson(fix));
    }
    const Json& notListed = member(value, "fixesNotListed");
    v.fixesNotListed = notListed.is_null() ? 0 : notListed.get<int>();
    return v;
}

void replayCheckedDrawing(const Json& drawing, CheckReport& report)
{
    // Read whole before the report hears of it, so that a malformed drawing leaves it as it was.
    const std::string path = drawing.at("drawing").get<std::string>();
    const auto standards = drawing.at("standards").get<std::vector<std::string>>();
    std::vector<ReportedViolation> violations;
    for (const Json& violation : drawing.at("violations")) {
        violations.push_back(violationFromJson(violation));
    }
    const Json& error = member(drawing, "error");
    const std::string why = error.is_null() ? std::string() : error.get<std::string>();
    report.beginDrawing(path, standards);
    for (const ReportedViolation& violation : violations) {
        report.addViolation(violation);
    }
    report.endDrawing(why);
}
