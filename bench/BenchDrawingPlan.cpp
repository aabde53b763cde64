#include "BenchDrawing.h"

#include <string>

namespace kvbench {

namespace {

std::string numbered(const char* prefix, long index)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%02ld", prefix, index);
    return buffer;
}

}  // namespace

void Generator::plan()
{
    for (std::uint64_t& table : m_tables) {
        table = allocate();
    }
    static const char* const kFamilies[][2] = {
        {"DASHED", "Dashed __ __ __ __ __ __"},  {"HIDDEN", "Hidden _ _ _ _ _ _ _ _"},
        {"CENTER", "Center ____ _ ____ _ ____"}, {"PHANTOM", "Phantom ____ _ _ ____ _ _"},
        {"DOT", "Dot . . . . . . . . . . ."},    {"DASHDOT", "Dash dot __ . __ . __ ."},
        {"BORDER", "Border __ __ . __ __ ."},    {"DIVIDE", "Divide __ . . __ . . __"},
    };
    static const std::vector<double> kPatterns[] = {
        {0.5, -0.25},
        {0.25, -0.125},
        {1.25, -0.25, 0.25, -0.25},
        {1.25, -0.25, 0.25, -0.25, 0.25, -0.25},
        {0.0, -0.25},
        {0.5, -0.25, 0.0, -0.25},
        {0.5, -0.25, 0.5, -0.25, 0.0, -0.25},
        {0.5, -0.25, 0.0, -0.25, 0.0, -0.25},
    };
    static const char* const kSuffixes[] = {"", "2", "X2"};
    static const double kFactors[] = {1.0, 0.5, 2.0};
    for (long i = 0; i < m_options.linetypes; ++i) {
        const long family = i % 8;
        const long variant = (i / 8) % 3;
        const long round = i / 24;
        Linetype linetype;
        linetype.name = std::string(kFamilies[family][0]) + kSuffixes[variant];
        if (round > 0) {
            linetype.name += "_" + std::to_string(round);
        }
        linetype.description = kFamilies[family][1];
        for (const double length : kPatterns[family]) {
            linetype.pattern.push_back(length * kFactors[variant]);
        }
        m_linetypes.push_back(linetype);
    }
    for (std::uint64_t& handle : m_builtinLinetypes) {
        handle = allocate();
    }
    for (Linetype& linetype : m_linetypes) {
        linetype.handle = allocate();
    }

    static const char* const kDisciplines[] = {"A-WALL", "A-DOOR", "A-GLAZ", "S-COLS",
                                               "E-LITE", "M-HVAC", "P-PIPE", "G-ANNO"};
    static const int kLineweights[] = {-3, 0, 13, 18, 25, 35, 50, 70};
    m_layers.push_back(Layer{"0", 7, "Continuous", -3, true, 0});
    m_layers.push_back(Layer{"Defpoints", 7, "Continuous", -3, false, 0});
    for (long i = 0; i < m_options.layers; ++i) {
        Layer layer;
        layer.name = numbered((std::string(kDisciplines[i % 8]) + "-").c_str(), i / 8 + 1);
        layer.colour = static_cast<int>(1 + (i * 37) % 255);
        if (!m_linetypes.empty() && i % 3 == 1) {
            layer.linetype = m_linetypes[static_cast<size_t>(i) % m_linetypes.size()].name;
        }
        layer.lineweight = kLineweights[i % 8];
        m_layers.push_back(layer);
    }
    for (Layer& layer : m_layers) {
        layer.handle = allocate();
    }

    static const char* const kFonts[] = {"txt", "simplex.shx", "romans.shx", "arial.ttf"};
    m_textStyles.push_back(TextStyle{"Standard", "txt", 1.0, 0});
    for (long i = 0; i < m_options.textStyles; ++i) {
        m_textStyles.push_back(
            TextStyle{numbered("NOTES-", i + 1), kFonts[i % 4], 0.8 + 0.1 * (i % 3), 0});
    }
    for (TextStyle& style : m_textStyles) {
        style.handle = allocate();
    }

    m_vport = allocate();
    m_appAcad = allocate();
    m_appBench = allocate();

    m_dimStyles.push_back(DimStyle{"Standard", 1.0, 0.18, 0.18, 0.09, 4, 0, 0});
    for (long i = 0; i < m_options.dimStyles; ++i) {
        const double scale = static_cast<double>(1 << (i % 5));
        m_dimStyles.push_back(DimStyle{numbered("DIM-", i + 1), scale, 0.125, 0.125, 0.0625,
                                       static_cast<int>(i % 5),
                                       static_cast<size_t>(i + 1) % m_textStyles.size(), 0});
    }
    for (DimStyle& style : m_dimStyles) {
        style.handle = allocate();
    }

    m_modelSpace = allocate();
    m_paperSpace = allocate();
    m_blocks.push_back(Block{
        "DOOR_TAG", {{"NUMBER", "Door number", 0.0, -0.1}, {"TYPE", "Door type", 0.0, -0.4}}, 0});
    m_blocks.push_back(Block{"ROOM_TAG",
                             {{"NAME", "Room name", -0.8, 0.1},
                              {"AREA", "Room area", -0.8, -0.3},
                              {"FINISH", "Floor finish", -0.8, -0.7}},
                             0});
    m_blocks.push_back(Block{"GRID_BUBBLE", {{"GRID", "Grid line", -0.1, -0.1}}, 0});
    for (Block& block : m_blocks) {
        block.record = allocate();
    }
    for (std::uint64_t& record : m_dimensionBlocks) {
        record = allocate();
    }

    m_rootDictionary = allocate();
    m_groupDictionary = allocate();
    m_layoutDictionary = allocate();
    m_modelLayout = allocate();
    m_paperLayout = allocate();
}

}  // namespace kvbench
