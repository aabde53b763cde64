// Every fix path of the four kinds on a drawing with real content: applied, saved and read again,
// the written file compared object by object with the drawing as written before the fix.
#include "RealContent.h"

#include <DbDatabase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <unistd.h>

namespace {

using Handles = std::set<std::string>;

const std::string kDrawing = KV_FIXTURE_DIR "/real-content.dxf";
const std::string kStandards = KV_FIXTURE_DIR "/real-content-standards.dxf";

Handles operator|(Handles a, const Handles& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// The object and everything it owns through extension dictionaries and dictionary entries.
Handles withOwned(const DxfText& dxf, const std::string& handle)
{
    Handles owned{handle};
    const DxfObject* object = dxf.byHandle(handle);
    for (const auto& [code, value] : object != nullptr ? object->tags : decltype(object->tags)()) {
        const DxfObject* target = (code == 360 || code == 350) ? dxf.byHandle(value) : nullptr;
        if (target != nullptr && target->owner() == handle) {
            owned = owned | withOwned(dxf, value);
        }
    }
    return owned;
}

Handles record(const DxfText& dxf, const char* type, const char* name)
{
    return {dxf.handleOf(type, name)};
}

// The entities, and for line styles the layers, that name `name` with the group; layer names in
// XDATA wherever they are.
Handles users(const DxfText& dxf, int code, const char* name)
{
    return dxf.handles([&](const DxfObject& object) {
        const bool user = object.section == "ENTITIES" || object.section == "BLOCKS" ||
                          (code == 6 && object.type() == "LAYER") || code == 1003;
        return user && object.has(code, name);
    });
}

const DxfObject& at(const DxfText& dxf, const std::string& handle)
{
    static const DxfObject none{"", {{0, "<missing>"}}};
    const DxfObject* found = dxf.byHandle(handle);
    EXPECT_NE(found, nullptr) << "object " << handle;
    return found != nullptr ? *found : none;
}

const DxfObject& named(const DxfText& dxf, const char* type, const char* name)
{
    static const DxfObject none{"", {{0, "<missing>"}}};
    const DxfObject* found = dxf.record(type, name);
    EXPECT_NE(found, nullptr) << type << " " << name;
    return found != nullptr ? *found : none;
}

void expectGone(const DxfText& after, const Handles& handles)
{
    for (const std::string& handle : handles) {
        EXPECT_EQ(after.byHandle(handle), nullptr) << handle << " is still there";
    }
}

// Every former user of `name` by the group now names `now` instead (a table in every row type).
void expectMoved(const DxfText& before, const DxfText& after, int code, const char* name,
                 const char* now)
{
    const Handles moved = users(before, code, name);
    EXPECT_FALSE(moved.empty());
    for (const std::string& handle : moved) {
        const DxfObject& user = at(after, handle);
        EXPECT_TRUE(user.has(code, now) && !user.has(code, name))
            << user.type() << " " << handle << " does not name " << now;
    }
}

// The entities of a block, by type.
std::vector<std::string> blockContent(const DxfText& dxf, const char* block)
{
    const std::string owner = dxf.handleOf("BLOCK_RECORD", block);
    std::vector<std::string> types;
    for (const DxfObject& object : dxf.objects) {
        if (object.section == "BLOCKS" && object.owner() == owner) {
            types.push_back(object.type());
        }
    }
    return types;
}

// What a fix path may change (everything else must stay byte for byte) and what it must do.
struct Expected
{
    const char* path;
    std::function<Handles(const DxfText& before)> mayChange;
    std::vector<std::string> headerMayChange;  // "$DIM" stands for every dimension variable
    std::function<void(const DxfText& before, const DxfText& after)> check;
};

const Expected kExpected[] = {
    {"layer values rewritten in place",
     [](const DxfText& b) { return record(b, "LAYER", "Doors"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         EXPECT_EQ(at(a, b.handleOf("LAYER", "Doors")).value(62), "2");
     }},
    {"layer renamed to the standards name",
     [](const DxfText& b) {
         return record(b, "LAYER", "A-ANNO") | users(b, 8, "A-ANNO") | users(b, 1003, "A-ANNO");
     },
     {},
     [](const DxfText& b, const DxfText& a) {
         const DxfObject& layer = at(a, b.handleOf("LAYER", "A-ANNO"));
         EXPECT_EQ(layer.value(2), "ANNO");
         EXPECT_NE(a.byHandle(layer.value(360)), nullptr) << "the ignore mark is kept";
         expectMoved(b, a, 8, "A-ANNO", "ANNO");
         expectMoved(b, a, 1003, "A-ANNO", "ANNO");
     }},
    {"layer merged into the standards layer",
     [](const DxfText& b) {
         return withOwned(b, b.handleOf("LAYER", "WALLS-OLD")) | record(b, "LTYPE", "WALLLT") |
                record(b, "LAYER", "Walls") | users(b, 8, "WALLS-OLD");
     },
     {"$CLAYER"},
     [](const DxfText& b, const DxfText& a) {
         expectGone(a,
                    withOwned(b, b.handleOf("LAYER", "WALLS-OLD")) | record(b, "LTYPE", "WALLLT"));
         EXPECT_EQ(named(a, "LAYER", "Walls").value(62), "5");
         expectMoved(b, a, 8, "WALLS-OLD", "Walls");
         EXPECT_EQ(a.header.at("$CLAYER"), "Walls");
     }},
    {"layer given a complex line style copied from the standards",
     [](const DxfText& b) { return record(b, "LAYER", "Gas"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         EXPECT_EQ(at(a, b.handleOf("LAYER", "Gas")).value(6), "GAS");
         // Its text is written in the drawing's own Standard style, which stays as it was.
         EXPECT_EQ(named(a, "LTYPE", "GAS").value(340), b.handleOf("STYLE", "Standard"));
     }},
    {"line style redefined in place",
     [](const DxfText& b) { return record(b, "LTYPE", "FENCE"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         const DxfObject& fence = at(a, b.handleOf("LTYPE", "FENCE"));
         EXPECT_EQ(fence.value(49), "0.5");
         EXPECT_EQ(fence.value(340), b.handleOf("STYLE", "LTSTYLE"));
     }},
    {"line style with shapes brought in",
     [](const DxfText& b) { return users(b, 6, "OLDLT"); },
     {"$CELTYPE"},
     [](const DxfText& b, const DxfText& a) {
         // The shapes come from the drawing's own record of the shape file.
         const Handles shapeFile = b.handles([](const DxfObject& o) {
             return o.type() == "STYLE" && o.value(3) == "ltypeshp.shx";
         });
         EXPECT_EQ(Handles{named(a, "LTYPE", "BATT").value(340)}, shapeFile);
         expectMoved(b, a, 6, "OLDLT", "BATT");
         EXPECT_EQ(a.header.at("$CELTYPE"), "BATT");
         // The multiline style still uses OLDLT, which therefore stays.
         EXPECT_NE(a.record("LTYPE", "OLDLT"), nullptr);
     }},
    {"line style replacing the drawing's record of its name",
     [](const DxfText& b) {
         return record(b, "LTYPE", "DASHED") | record(b, "LTYPE", "OLDLT3") | users(b, 6, "OLDLT3");
     },
     {},
     [](const DxfText& b, const DxfText& a) {
         EXPECT_EQ(at(a, b.handleOf("LTYPE", "DASHED")).value(49), "0.5");
         expectMoved(b, a, 6, "OLDLT3", "DASHED");
         expectGone(a, record(b, "LTYPE", "OLDLT3"));
     }},
    {"line style merged into Continuous",
     [](const DxfText& b) { return record(b, "LTYPE", "OLDLT2") | users(b, 6, "OLDLT2"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         expectMoved(b, a, 6, "OLDLT2", "Continuous");
         expectGone(a, record(b, "LTYPE", "OLDLT2"));
     }},
    {"text style rewritten in place",
     [](const DxfText& b) { return record(b, "STYLE", "Notes"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         EXPECT_EQ(at(a, b.handleOf("STYLE", "Notes")).value(40), "3.5");
     }},
    {"text style renamed to the standards name",
     [](const DxfText& b) { return record(b, "STYLE", "Labels2") | users(b, 7, "Labels2"); },
     {},
     [](const DxfText& b, const DxfText& a) {
         const DxfObject& style = at(a, b.handleOf("STYLE", "Labels2"));
         EXPECT_EQ(style.value(2), "Labels");
         EXPECT_NE(a.byHandle(style.value(360)), nullptr) << "the ignore mark is kept";
         expectMoved(b, a, 7, "Labels2", "Labels");
     }},
    {"text style merged into the standards style",
     [](const DxfText& b) {
         return withOwned(b, b.handleOf("STYLE", "Notes2")) | record(b, "STYLE", "Notes") |
                users(b, 7, "Notes2");
     },
     {"$TEXTSTYLE"},
     [](const DxfText& b, const DxfText& a) {
         expectGone(a, withOwned(b, b.handleOf("STYLE", "Notes2")));
         expectMoved(b, a, 7, "Notes2", "Notes");
         EXPECT_EQ(a.header.at("$TEXTSTYLE"), "Notes");
     }},
    {"dimension style rewritten in place with its arrow block",
     [](const DxfText& b) { return record(b, "DIMSTYLE", "ISO-25"); },
     {"$DIM"},
     [](const DxfText& b, const DxfText& a) {
         const DxfObject& style = at(a, b.handleOf("DIMSTYLE", "ISO-25"));
         EXPECT_EQ(style.value(41), "3.5");
         // The drawing's own DimText and FENCE are used as they are.
         EXPECT_EQ(style.value(340), b.handleOf("STYLE", "DimText"));
         EXPECT_EQ(style.value(345), b.handleOf("LTYPE", "FENCE"));
         // The arrow block comes whole, with the records its entities use.
         EXPECT_EQ(style.value(342), a.handleOf("BLOCK_RECORD", "_ArchTick"));
         EXPECT_EQ(blockContent(a, "_ArchTick"),
                   (std::vector<std::string>{"BLOCK", "LINE", "TEXT", "INSERT", "ENDBLK"}));
         EXPECT_EQ(blockContent(a, "Dot"), (std::vector<std::string>{"BLOCK", "CIRCLE", "ENDBLK"}));
         for (const auto& [type, name] : {std::pair{"LAYER", "ARROWS"},
                                          {"LTYPE", "ARROWLT"},
                                          {"STYLE", "ArrowText"},
                                          {"APPID", "KV_ARROW"}}) {
             EXPECT_NE(a.record(type, name), nullptr) << type << " " << name;
         }
         EXPECT_EQ(a.header.at("$DIMTXSTY"), "DimText");
         EXPECT_EQ(a.header.at("$DIMLTYPE"), "FENCE");
         EXPECT_EQ(a.header.at("$DIMBLK"), "_ArchTick");
     }},
    {"dimension style renamed to the standards name",
     [](const DxfText& b) { return record(b, "DIMSTYLE", "MyDim") | users(b, 3, "MyDim"); },
     {"$DIM"},
     [](const DxfText& b, const DxfText& a) {
         const DxfObject& style = at(a, b.handleOf("DIMSTYLE", "MyDim"));
         EXPECT_EQ(style.value(2), "Arch");
         EXPECT_EQ(style.value(342), b.handleOf("BLOCK_RECORD", "Closed"));
         expectMoved(b, a, 3, "MyDim", "Arch");
     }},
    {"dimension style merged into the standards style",
     [](const DxfText& b) {
         return record(b, "DIMSTYLE", "Old") | users(b, 3, "Old") |
                b.handles([](const DxfObject& o) { return o.value(2) == "DIMSTYLE"; });
     },
     {"$DIM"},
     [](const DxfText& b, const DxfText& a) {
         expectGone(a, record(b, "DIMSTYLE", "Old"));
         expectMoved(b, a, 3, "Old", "Standard");
         EXPECT_EQ(a.header.at("$DIMSTYLE"), "Standard");
     }},
};

std::string scratch(const std::string& name)
{
    return ::testing::TempDir() + "/" + std::to_string(getpid()) + "-" + name;
}

bool headerMayChange(const Expected& expected, const std::string& variable)
{
    return variable == "$HANDSEED" ||
           std::any_of(expected.headerMayChange.begin(), expected.headerMayChange.end(),
                       [&](const std::string& allowed) { return variable.rfind(allowed, 0) == 0; });
}

}  // namespace

TEST(FixOnRealContent, EveryFixPathChangesOnlyWhatItFixes)
{
    ASSERT_EQ(std::size(kExpected), kFixPaths.size());
    FixHost host{CKvString(KV_RESOURCE_DIR)};
    // The drawing as written without a fix: what every fixed drawing is compared with.
    const std::string baseline = scratch("real-content-baseline.dxf");
    OdDbDatabase::readFile(OdString(kDrawing))->writeFile(OdString(baseline));
    const DxfText before(baseline);
    for (size_t i = 0; i < kFixPaths.size(); ++i) {
        const FixPath& path = kFixPaths[i];
        const Expected& expected = kExpected[i];
        SCOPED_TRACE(path.what);
        ASSERT_EQ(std::string(expected.path), path.what);
        const std::string output = scratch("fixed-" + std::to_string(i) + ".dxf");
        ASSERT_EQ(host.apply(path, kDrawing, kStandards, output), "");

        const DxfText after(output);
        const Handles allowed = expected.mayChange(before);
        for (const std::string& handle : changedObjects(before, after)) {
            EXPECT_EQ(allowed.count(handle), 1u)
                << at(before, handle).type() << " " << handle << " changed";
        }
        for (const auto& [variable, value] : before.header) {
            const auto now = after.header.find(variable);
            EXPECT_TRUE(headerMayChange(expected, variable) ||
                        (now != after.header.end() && now->second == value))
                << variable << " changed";
        }
        expected.check(before, after);
        // Read again, the record is standard now.
        EXPECT_TRUE(OdDbDatabase::readFile(OdString(output))->messages().empty());
        const std::vector<std::string> left = host.violations(path.kind, output, kStandards);
        EXPECT_EQ(std::count(left.begin(), left.end(), path.fix), 0);
    }
}

TEST(FixOnRealContent, LayerZeroIsNeverFixedAway)
{
    // Standards without a layer "0" get the layer 0 every drawing has when they are read, so the
    // drawing's layer 0 is no name violation that a fix of another name could rename or merge.
    std::ifstream in(kStandards, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string zero = "AcDbLayerTableRecord\n  2\n0\n";
    text.replace(text.find(zero), zero.size(), "AcDbLayerTableRecord\n  2\nZERO\n");
    const std::string standards = scratch("standards-without-0.dxf");
    std::ofstream(standards, std::ios::binary) << text;

    FixHost host{CKvString(KV_RESOURCE_DIR)};
    const std::vector<std::string> layers = host.violations(RecordKind::Layer, kDrawing, standards);
    EXPECT_EQ(std::count(layers.begin(), layers.end(), "0"), 0);
    EXPECT_EQ(host.apply({"layer 0", RecordKind::Layer, "0", "Walls"}, kDrawing, standards,
                         scratch("zero.dxf")),
              "no violation of 0");
}
