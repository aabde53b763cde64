#include "Json.h"

#include "CheckReport.h"

std::string jsonText(const Json& value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json fixJson(const ReportedFix& fix)
{
    return {{"name", fix.name}, {"standardsFile", fix.standardsFile}};
}

Json violationJson(const ReportedViolation& v, bool allFixes)
{
    Json properties = Json::object();
    for (const auto& [name, value] : v.properties) {
        properties[name] = value;
    }
    Json diff = Json::array();
    for (const PropertyDiff& d : v.diff) {
        diff.push_back(
            {{"property", d.property}, {"current", d.current}, {"standard", d.standard}});
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
                      {"diff", std::move(diff)}};
    if (allFixes) {
        Json fixes = Json::array();
        for (const ReportedFix& fix : v.fixes) {
            fixes.push_back(fixJson(fix));
        }
        violation["fixes"] = std::move(fixes);
    }
    return violation;
}
