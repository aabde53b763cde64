// The layer plug-in's check and fix lists on drawings built through the SDK.
#include "PluginCheck.h"

#include <CKvLayerPluginImpl.h>

#include <gtest/gtest.h>

#include <LineweightNames.h>

namespace {

using Names = std::vector<std::string>;

const char kName[] = "Layer name is non-standard.";
const char kProperties[] = "Layer properties are non-standard.";

// A drawing and a standards drawing with the line styles DASHED and HIDDEN.
struct LayerPair
{
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();

    LayerPair()
    {
        for (OdDbDatabase* db : {drawing.get(), standards.get()}) {
            addLineStyle(db, "DASHED", {0.5, -0.25});
            addLineStyle(db, "HIDDEN", {0.25, -0.125});
        }
    }

    // Spells the drawing's line style DASHED in lower case.
    void lowerCaseDashed()
    {
        OdDbSymbolTablePtr table = drawing->getLinetypeTableId().safeOpenObject();
        OdDbSymbolTableRecordPtr dashed = table->getAt(OdString("DASHED"), OdDb::kForWrite);
        dashed->setName(OdString("dashed"));
    }
};

std::string valueText(const OdSmartPtr<CKvStdsError>& error, const char* property)
{
    const OdResBufPtr value = error->GetPropertyValue(CKvString(property));
    if (value.isNull()) {
        return "<none>";
    }
    if (value->restype() == 5011) {
        return text(CKvString(value->getColor().colorNameForDisplay().c_str()));
    }
    return text(CKvString(value->getString().c_str()));
}

}  // namespace

TEST(LayerCheck, ComparesColourIndexLineStyleAndLineweightOfTheSameNamedLayer)
{
    struct Layer
    {
        const char* name;
        OdCmColor color;
        const char* lineStyle;
        OdDb::LineWeight weight;
    };
    const auto layer = [](const char* name, OdCmColor color, const char* lineStyle = "Continuous",
                          OdDb::LineWeight weight = OdDb::kLnWtByLwDefault) {
        return Layer{name, color, lineStyle, weight};
    };
    struct Case
    {
        const char* what;
        std::vector<Layer> standards;
        std::vector<Layer> drawing;  // its line style DASHED is spelt dashed
        Names violations;
        Names descriptions;
    };
    const Case cases[] = {
        {"equal layer, other capitalisation",
         {layer("Walls", indexColor(1), "DASHED", OdDb::kLnWt050)},
         {layer("WALLS", indexColor(1), "dashed", OdDb::kLnWt050)},
         {},
         {}},
        {"true colour with the standards colour's index",
         {layer("Walls", indexColor(1))},
         {layer("Walls", trueColor(250, 5, 5, 1))},
         {},
         {}},
        {"other colour index",
         {layer("Walls", indexColor(1))},
         {layer("Walls", indexColor(2))},
         {"Walls"},
         {kProperties}},
        {"other line style",
         {layer("Walls", indexColor(1), "DASHED")},
         {layer("Walls", indexColor(1), "HIDDEN")},
         {"Walls"},
         {kProperties}},
        {"ByLayer lineweight against Default",
         {layer("Walls", indexColor(1))},
         {layer("Walls", indexColor(1), "Continuous", OdDb::kLnWtByLayer)},
         {"Walls"},
         {kProperties}},
        {"a name the standards lack",
         {layer("Walls", indexColor(1))},
         {layer("Doors", indexColor(1))},
         {"Doors"},
         {kName}},
        {"DefPoints in any case is exempt when no standards file defines it",
         {layer("Walls", indexColor(1))},
         {layer("DEFPOINTS", indexColor(5))},
         {},
         {}},
        {"DefPoints defined by the standards is compared",
         {layer("Defpoints", indexColor(7))},
         {layer("DefPoints", indexColor(5))},
         {"DefPoints"},
         {kProperties}},
        {"a hidden drawing layer is never examined",
         {layer("Walls", indexColor(1))},
         {layer("*Hidden", indexColor(1))},
         {},
         {}},
        {"a hidden standards layer is a standard",
         {layer("*Hidden", indexColor(3)), layer("Walls", indexColor(1))},
         {layer("Walls", indexColor(1))},
         {},
         {}},
        {"table order of the drawing",
         {layer("Walls", indexColor(1))},
         {layer("Zeta", indexColor(1)), layer("Walls", indexColor(4)),
          layer("Alpha", indexColor(1))},
         {"Zeta", "Walls", "Alpha"},
         {kName, kProperties, kName}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope;
        CKvLayerPluginImpl plugin;
        LayerPair pair;
        pair.lowerCaseDashed();
        for (const auto& [db, layers] :
             {std::pair{pair.standards.get(), c.standards}, {pair.drawing.get(), c.drawing}}) {
            for (const Layer& l : layers) {
                addLayer(db, l.name, l.color, l.lineStyle, l.weight);
            }
        }
        const std::vector<Violation> found =
            CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
        EXPECT_EQ(CheckScope::names(found), c.violations);
        Names descriptions;
        for (const Violation& v : found) {
            descriptions.push_back(v.description());
            EXPECT_EQ(text(v.error->GetObjectType()), "Layer");
            EXPECT_TRUE(v.error->GetPlugin().get() == &plugin);
        }
        EXPECT_EQ(descriptions, c.descriptions);
    }
}

TEST(LayerCheck, ErrorsCarryTheLayersCurrentValues)
{
    CheckScope scope;
    CKvLayerPluginImpl plugin;
    LayerPair pair;
    addLayer(pair.standards.get(), "Walls", indexColor(1), "DASHED", OdDb::kLnWt025);
    const OdDbObjectId walls =
        addLayer(pair.drawing.get(), "Walls", indexColor(3), "HIDDEN", OdDb::kLnWt050);
    const std::vector<Violation> found =
        CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
    ASSERT_EQ(found.size(), 1u);
    const OdSmartPtr<CKvStdsError>& error = found[0].error;
    EXPECT_EQ(error->GetObjectId(), walls);
    EXPECT_EQ(error->GetPropertyCount(), 4);
    EXPECT_EQ(valueText(error, "Name"), "Walls");
    EXPECT_EQ(valueText(error, "LineColor"), "green");
    EXPECT_EQ(error->GetPropertyValue(CKvString("LineColor"))->restype(), 5011);
    EXPECT_EQ(valueText(error, "LineWeight"), text(ConvertLineweightToName(OdDb::kLnWt050)));
    EXPECT_EQ(valueText(error, "LineStyle"), "HIDDEN");
}

TEST(LayerCheck, StandardsFilesAreReadInOrderAndTheFirstDefinitionWins)
{
    CheckScope scope;
    CKvLayerPluginImpl plugin;
    LayerPair first;
    LayerPair second;
    addLayer(first.standards.get(), "Walls", indexColor(1));
    addLayer(second.standards.get(), "Walls", indexColor(2));
    addLayer(second.standards.get(), "Doors", indexColor(2));
    addLayer(first.drawing.get(), "Walls", indexColor(2));
    addLayer(first.drawing.get(), "Doors", indexColor(2));
    const CKvString one = scope.save(first.standards.get(), "one.dws");
    const CKvString two = scope.save(second.standards.get(), "two.dws");

    // Walls equals the second file's definition only: still a properties violation, offered the
    // first file's copy (the second one does not differ), which is recommended.
    std::vector<Violation> found =
        CheckScope::check(plugin, first.drawing, {scope.missing("gone.dws"), one, two});
    ASSERT_EQ(CheckScope::names(found), Names{"Walls"});
    EXPECT_EQ(found[0].description(), kProperties);
    ASSERT_EQ(found[0].fixNames(), (Names{"0", "Walls", "0"}));
    EXPECT_EQ(found[0].recommended, 1);
    EXPECT_EQ(text(found[0].fixes[1]->GetStandardsFile()), text(one));

    // With the files the other way round, Walls conforms.
    EXPECT_TRUE(CheckScope::check(plugin, first.drawing, {two, one}).empty());

    // No readable standards file: nothing is reported, not even unknown names.
    addLayer(first.drawing.get(), "Unknown", indexColor(1));
    EXPECT_TRUE(CheckScope::check(plugin, first.drawing, {scope.missing("gone.dws")}).empty());
}

TEST(LayerFixes, NameViolationsAreOfferedEveryStandardsLayerButDefpoints)
{
    CheckScope scope;
    CKvLayerPluginImpl plugin;
    LayerPair pair;
    addLayer(pair.standards.get(), "Walls", indexColor(1));
    addLayer(pair.standards.get(), "Defpoints", indexColor(7));
    addLayer(pair.standards.get(), "Doors", indexColor(2));
    addLayer(pair.drawing.get(), "A", indexColor(1));
    addLayer(pair.drawing.get(), "B", indexColor(1));
    const std::vector<Violation> found =
        CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
    ASSERT_EQ(CheckScope::names(found), (Names{"A", "B"}));
    for (const Violation& v : found) {
        EXPECT_EQ(v.fixNames(), (Names{"0", "Walls", "Doors"}));
        EXPECT_EQ(v.recommended, -1);
    }
    // Appended to what the caller holds already.
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    fixes.append(CKvStdsFix::createObject());
    int recommended = 7;
    plugin.GetAllFixes(found[0].error, fixes, recommended);
    EXPECT_EQ(fixes.size(), 4u);
    EXPECT_EQ(recommended, -1);
    // Only the two violation messages are answered; a null error changes nothing.
    found[0].error->SetDescription(CKvString("Layer name is non-standard"));
    recommended = 3;
    plugin.GetAllFixes(found[0].error, fixes, recommended);
    EXPECT_EQ(fixes.size(), 4u);
    EXPECT_EQ(recommended, -1);
    recommended = 3;
    plugin.GetAllFixes(OdSmartPtr<CKvStdsError>(), fixes, recommended);
    EXPECT_EQ(recommended, 3);
}

TEST(LayerFixes, PropertiesViolationsAreOfferedTheLayersThatDiffer)
{
    struct Case
    {
        const char* what;
        const char* layer;
        Names offered;
        int recommended;
    };
    // Standards: 0 (white), Copy (like the drawing's layers: yellow, HIDDEN, so never offered),
    // Walls (red), Doors (green), Defpoints (white). The recommended index counts the fixes
    // offered, not the standards layers before the same-named one.
    const Case cases[] = {
        {"an ordinary layer: every standards layer with other values",
         "Walls",
         {"0", "Walls", "Doors", "Defpoints"},
         1},
        {"other capitalisation: the same-named layer is recommended",
         "DOORS",
         {"0", "Walls", "Doors", "Defpoints"},
         2},
        {"layer 0: only the standards layers named 0", "0", {"0"}, 0},
        {"layer Defpoints: only the standards layers named Defpoints",
         "Defpoints",
         {"Defpoints"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckScope scope;
        CKvLayerPluginImpl plugin;
        LayerPair pair;
        OdDbSymbolTablePtr layers = pair.drawing->getLayerTableId().safeOpenObject();
        if (!layers->has(OdString(c.layer))) {
            addLayer(pair.drawing.get(), c.layer, indexColor(2), "HIDDEN");
        } else {
            OdDbLayerTableRecordPtr zero =
                layers->getAt(OdString(c.layer)).safeOpenObject(OdDb::kForWrite);
            zero->setColor(indexColor(2));
            zero->setLinetypeObjectId(pair.drawing->getLinetypeContinuousId());
        }
        addLayer(pair.standards.get(), "Copy", indexColor(2), "HIDDEN");
        addLayer(pair.standards.get(), "Walls", indexColor(1));
        addLayer(pair.standards.get(), "Doors", indexColor(3));
        addLayer(pair.standards.get(), "Defpoints", indexColor(7));
        const std::vector<Violation> found =
            CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].description(), kProperties);
        EXPECT_EQ(found[0].fixNames(), c.offered);
        EXPECT_EQ(found[0].recommended, c.recommended);
        // The recommended fix again, as a new fix with the same content.
        const OdSmartPtr<CKvStdsFix> direct = plugin.GetRecommendedFix(found[0].error);
        EXPECT_EQ(direct->GetPropertyCount(), 0) << "outside GetAllFixes there are no candidates";
    }
}

TEST(LayerFixes, PropertyDiffsCompareWholeColoursAndLineStylesExactly)
{
    CheckScope scope;
    CKvLayerPluginImpl plugin;
    LayerPair pair;
    addLayer(pair.standards.get(), "Walls", indexColor(1), "DASHED", OdDb::kLnWt025);
    addLayer(pair.standards.get(), "Doors", indexColor(1), "DASHED", OdDb::kLnWt025);
    pair.lowerCaseDashed();
    addLayer(pair.drawing.get(), "Walls", indexColor(1), "dashed", OdDb::kLnWt050);
    const OdCmColor nearlyRed = trueColor(255, 0, 0, 1);
    addLayer(pair.drawing.get(), "Doors", nearlyRed, "dashed", OdDb::kLnWt025);
    std::vector<Violation> found =
        CheckScope::check(plugin, pair.drawing, {scope.save(pair.standards.get(), "s.dws")});
    ASSERT_EQ(CheckScope::names(found), Names{"Walls"});
    const Violation& walls = found[0];
    ASSERT_EQ(walls.recommended, 1);
    std::vector<CKvString> names{CKvString("stale")};
    OdArray<OdSmartPtr<OdResBuf>> current;
    OdArray<OdSmartPtr<OdResBuf>> standard;
    std::vector<CKvString> extra{CKvString("untouched")};
    plugin.GetPropertyDiffs(walls.error, walls.fixes[1], names, current, standard, extra);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(text(names[0]), "LineStyle");
    EXPECT_EQ(text(names[1]), "LineWeight");
    EXPECT_EQ(text(CKvString(current[0]->getString().c_str())), "dashed");
    EXPECT_EQ(text(CKvString(standard[0]->getString().c_str())), "DASHED");
    EXPECT_EQ(extra.size(), 1u);

    // The Doors layer passes the check (same colour index) but its colour is not the fix's.
    OdSmartPtr<CKvStdsError> doors = CKvStdsError::createObject();
    doors->AddProperty(CKvString("Name"), OdResBuf::newRb(5005, OdString("Doors")));
    doors->AddProperty(CKvString("LineColor"), OdResBuf::newRb(5011, nearlyRed));
    doors->AddProperty(CKvString("LineStyle"), OdResBuf::newRb(5005, OdString("DASHED")));
    doors->AddProperty(
        CKvString("LineWeight"),
        OdResBuf::newRb(
            5005,
            OdString(
                CKvString(ConvertLineweightToName(OdDb::kLnWt025).toQString().toLower()).c_str())));
    plugin.GetPropertyDiffs(doors, walls.fixes[2], names, current, standard, extra);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(text(names[0]), "LineColor");

    // A fix equal to the record: every list becomes empty.
    OdSmartPtr<CKvStdsError> same = CKvStdsError::createObject();
    for (const auto& property : walls.fixes[2]->GetProperties()) {
        same->AddProperty(property.first, property.second);
    }
    plugin.GetPropertyDiffs(same, walls.fixes[2], names, current, standard, extra);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(current.isEmpty());
    EXPECT_TRUE(standard.isEmpty());

    // A null error changes nothing.
    names = {CKvString("kept")};
    plugin.GetPropertyDiffs(OdSmartPtr<CKvStdsError>(), walls.fixes[1], names, current, standard,
                            extra);
    EXPECT_EQ(names.size(), 1u);
}
