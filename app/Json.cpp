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
