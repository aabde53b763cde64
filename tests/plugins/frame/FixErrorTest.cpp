// A fix that cannot be applied changes nothing, whatever the kind of record: FixError without an
// error, without values to apply (a name violation has no recommended fix, and outside the
// preparation of the candidates none is known), with a fix from a standards file that is gone,
// or for a record that is never renamed nor merged. The drawing saved afterwards is the same, byte
// for byte.
#include "PluginCheck.h"

#include <CKvDimStylePluginImpl.h>
#include <CKvLayerPluginImpl.h>
#include <CKvLineStylePluginImpl.h>
#include <CKvTextStylePluginImpl.h>

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

OdSmartPtr<CKvStdsError> errorOn(const Violation& like, OdDbObjectId id, const char* name)
{
    OdSmartPtr<CKvStdsError> error = CKvStdsError::createObject();
    error->SetDescription(like.error->GetDescription());
    error->SetObjectId(id);
    error->SetObjectName(CKvString(name));
    return error;
}

}  // namespace

TEST(PluginFixError, AFixThatCannotBeAppliedChangesNothing)
{
    // Builds the drawing's records Old (no standard of its name) and Kept (other values than the
    // standards' Kept), and the standards' Kept.
    using Build = std::function<void(OdDbDatabase & drawing, OdDbDatabase & standards)>;
    // Fixes beyond the shared ones: the plug-in, the drawing, the name violation of Old.
    using Extra =
        std::function<void(CKvStdsPlugins&, OdDbDatabase&, const Violation&, CheckScope&)>;
    struct Case
    {
        const char* what;
        std::function<CKvStdsPlugins*()> plugin;
        Build build;
        Extra extra;
    };
    const Case cases[] = {
        {"layers, and layer 0 is never renamed nor merged", [] { return new CKvLayerPluginImpl; },
         [](OdDbDatabase& d, OdDbDatabase& s) {
             addLayer(&d, "Old", indexColor(3));
             addLayer(&d, "Kept", indexColor(3));
             addLayer(&s, "Kept", indexColor(5));
             addLineOn(d.getModelSpaceId(), d.getLayerZeroId());
         },
         [](CKvStdsPlugins& plugin, OdDbDatabase& d, const Violation& old, CheckScope&) {
             CKvString message;
             plugin.FixError(errorOn(old, d.getLayerZeroId(), "0"), fixNamed(old, "Kept"), message);
         }},
        {"line styles, and the users of Continuous never move, nor from a file that is gone",
         [] { return new CKvLineStylePluginImpl; },
         [](OdDbDatabase& d, OdDbDatabase& s) {
             addLineStyle(&d, "Old", {1.0, -0.5});
             addLineStyle(&d, "Kept", {1.0, -0.5});
             addLineStyle(&s, "Kept", {2.0, -1.0});
             addLineOn(d.getModelSpaceId(), addLayer(&d, "Site", indexColor(3), "Old"));
         },
         [](CKvStdsPlugins& plugin, OdDbDatabase& d, const Violation& old, CheckScope& scope) {
             CKvString message;
             plugin.FixError(errorOn(old, d.getLinetypeContinuousId(), "Continuous"),
                             fixNamed(old, "Kept"), message);
             OdSmartPtr<CKvStdsFix> elsewhere = fixNamed(old, "Kept");
             elsewhere->SetStandardsFile(scope.missing("gone.dws"));
             plugin.FixError(old.error, elsewhere, message);
         }},
        {"text styles", [] { return new CKvTextStylePluginImpl; },
         [](OdDbDatabase& d, OdDbDatabase& s) {
             textStyle(d, "Old");
             textStyle(d, "Kept")->setTextSize(7.0);
             textStyle(s, "Kept");
         },
         nullptr},
        {"dimension styles", [] { return new CKvDimStylePluginImpl; },
         [](OdDbDatabase& d, OdDbDatabase& s) {
             dimStyle(d, "Old");
             dimStyle(d, "Kept")->setDimasz(9.0);
             dimStyle(s, "Kept")->setDimasz(4.5);
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope;
        const std::unique_ptr<CKvStdsPlugins> plugin(c.plugin());
        OdDbDatabasePtr drawing = OdDbDatabase::createObject();
        OdDbDatabasePtr standards = OdDbDatabase::createObject();
        c.build(*drawing, *standards);
        const CKvString before = scope.save(drawing.get(), "before.dxf");
        const std::vector<Violation> found =
            CheckScope::check(*plugin, drawing, {scope.save(standards.get(), "s.dws")});
        const Violation& old = violationOf(found, "Old");
        CKvString message;
        plugin->FixError(old.error, OdSmartPtr<CKvStdsFix>(), message);
        plugin->FixError(violationOf(found, "Kept").error, OdSmartPtr<CKvStdsFix>(), message);
        plugin->FixError(OdSmartPtr<CKvStdsError>(), fixNamed(old, "Kept"), message);
        if (c.extra) {
            c.extra(*plugin, *drawing, old, scope);
        }
        QFile was(before.toQString());
        QFile now(scope.save(drawing.get(), "after.dxf").toQString());
        ASSERT_TRUE(was.open(QIODevice::ReadOnly) && now.open(QIODevice::ReadOnly));
        EXPECT_TRUE(was.readAll() == now.readAll());
    }
}
