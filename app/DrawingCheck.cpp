#include "DrawingCheck.h"

#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvValueText.h>
#include <DbHandle.h>
#include <OdError.h>

#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <list>

namespace {

ReportedFix reportedFix(const CKvStdsFixPtr& fix)
{
    if (fix.isNull()) {
        return ReportedFix();
    }
    return ReportedFix{fix->GetFixDisplayName().toUtf8(), fix->GetStandardsFile().toUtf8()};
}

// The number a whole text is, an integer where it can be; none when it is no number.
TypedValue numberIn(const std::string& text)
{
    const char* const end = text.data() + text.size();
    long long integer = 0;
    const std::from_chars_result asInteger = std::from_chars(text.data(), end, integer);
    if (!text.empty() && asInteger.ec == std::errc() && asInteger.ptr == end) {
        return integer;
    }
    double real = 0;
    const std::from_chars_result asReal = std::from_chars(text.data(), end, real);
    return !text.empty() && asReal.ec == std::errc() && asReal.ptr == end ? TypedValue(real)
                                                                          : TypedValue();
}

// Integers and reals as numbers, booleans and the texts "true" and "false" as flags, texts that
// are a whole number as that number; the full value, not the four decimals the text shows.
TypedValue typedValue(const OdResBufPtr& value)
{
    if (value.isNull()) {
        return TypedValue();
    }
    switch (value->restype()) {
        case OdResBuf::kDxfInt8:
            return static_cast<long long>(value->getInt8());
        case OdResBuf::kRtInt16:
            return static_cast<long long>(value->getInt16());
        case OdResBuf::kRtInt32:
            return static_cast<long long>(value->getInt32());
        case OdResBuf::kRtDouble:
            return value->getDouble();
        case OdResBuf::kDxfBool:
            return value->getBool();
        case OdResBuf::kRtString: {
            const std::string text = value->getString().toUtf8();
            if (text == "true" || text == "false") {
                return text == "true";
            }
            return numberIn(text);
        }
        default:
            return TypedValue();
    }
}

std::vector<PropertyDiff> propertyDiffs(CKvStdsPlugins& plugin, const CKvStdsErrorPtr& error,
                                        const CKvStdsFixPtr& fix)
{
    std::vector<CKvString> names;
    OdArray<OdResBufPtr> current;
    OdArray<OdResBufPtr> standard;
    std::vector<CKvString> extra;
    plugin.GetPropertyDiffs(error, fix, names, current, standard, extra);
    const OdArray<OdResBufPtr>& currentValues = current;
    const OdArray<OdResBufPtr>& standardValues = standard;
    const size_t count = std::min<size_t>(
        names.size(), std::min<size_t>(currentValues.size(), standardValues.size()));
    std::vector<PropertyDiff> diffs;
    for (size_t i = 0; i < count; ++i) {
        const auto index = static_cast<OdArray<OdResBufPtr>::size_type>(i);
        diffs.push_back(PropertyDiff{names[i].toUtf8(), valueText(currentValues[index]).toUtf8(),
                                     valueText(standardValues[index]).toUtf8(),
                                     typedValue(currentValues[index]),
                                     typedValue(standardValues[index])});
    }
    return diffs;
}

}  // namespace

int DrawingCheck::run(CKvDocument& document, const std::string& drawing,
                      const std::vector<CKvString>& standards, const Found& found)
{
    int violations = 0;
    std::list<CKvStdsPluginsPtr> plugins;
    m_manager.getPluginList(plugins);
    for (const CKvStdsPluginsPtr& plugin : plugins) {
        if (!plugin.isNull() && plugin->Enabled()) {
            runPlugin(plugin, document, drawing, standards, found, violations);
        }
    }
    return violations;
}

void DrawingCheck::runPlugin(const CKvStdsPluginsPtr& pPlugin, CKvDocument& document,
                             const std::string& drawing, const std::vector<CKvString>& standards,
                             const Found& found, int& violations)
{
    CKvStdsPlugins& plugin = *pPlugin;
    std::vector<CKvString> names;
    for (const CKvString& path : standards) {
        names.push_back(CKvString(QFileInfo(path.toQString()).fileName()));
    }
    plugin.Clear();
    plugin.SetContext(OdArray<OdDbObjectId>(), true);
    plugin.SetupForAudit(OdSmartPtr<OdDbDatabase>(document.database()), CKvString(drawing.c_str()),
                         names, standards);
    plugin.Start(CKvStdsErrorPtr());
    while (!plugin.Done()) {
        FoundViolation violation;
        violation.error = plugin.GetError();
        if (!violation.error.isNull()) {
            violation.plugin = pPlugin;
            describe(plugin, violation, drawing);
            violations += violation.reported.ignored ? 0 : 1;
            found(violation);
        }
        plugin.Next();
    }
}

void DrawingCheck::describe(CKvStdsPlugins& plugin, FoundViolation& violation,
                            const std::string& drawing) const
{
    const CKvStdsErrorPtr& error = violation.error;
    ReportedViolation& v = violation.reported;
    v.category = plugin.Name().toUtf8();
    v.plugin = plugin.classId().toUtf8();
    v.objectType = error->GetObjectType().toUtf8();
    v.name = error->GetObjectName().toUtf8();
    v.handle = CKvString(error->GetObjectId().getHandle().ascii()).toUtf8();
    v.description = error->GetDescription().toUtf8();

    int recommended = -1;
    plugin.GetAllFixes(error, violation.fixes, recommended);
    const OdArray<CKvStdsFixPtr>& candidates = violation.fixes;
    v.fixCount = static_cast<int>(candidates.size());
    if (recommended >= 0 && recommended < v.fixCount) {
        const CKvStdsFixPtr& fix = candidates[static_cast<unsigned>(recommended)];
        v.recommendedFix = recommended;
        v.fix = reportedFix(fix);
        v.diff = propertyDiffs(plugin, error, fix);
    }
    const int listed = m_fixesToList < 0 ? v.fixCount : std::min(m_fixesToList, v.fixCount);
    for (int i = 0; i < listed; ++i) {
        v.fixes.push_back(reportedFix(candidates[static_cast<unsigned>(i)]));
    }
    v.fixesNotListed = m_fixesToList == 0 ? 0 : v.fixCount - listed;

    try {
        loadIgnoredState(error);
        CKvString user;
        error->GetIgnoredState(v.ignored, user);
        v.ignoredBy = user.toUtf8();
    } catch (const OdError& e) {
        // A mark another program wrote in a shape we cannot read does not hide the violation.
        std::fprintf(stderr, "%s: %s \"%s\": the ignored mark cannot be read (%s); reported\n",
                     drawing.c_str(), v.objectType.c_str(), v.name.c_str(),
                     e.description().toUtf8().c_str());
    }

    for (const auto& [name, value] : error->GetProperties()) {
        v.properties.push_back(
            ReportedProperty{name.toUtf8(), valueText(value).toUtf8(), typedValue(value)});
    }
}
