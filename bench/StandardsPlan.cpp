#include "StandardsPlan.h"

#include "BenchDrawing.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>

namespace kvbench {

namespace {

// Shares of the drawing's slots.
constexpr double kNameViolations = 0.08;
constexpr double kPropertiesViolations = 0.10;
constexpr double kOtherCase = 0.10;

std::string numbered(const std::string& prefix, long index)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%05ld", index);
    return prefix + buffer;
}

template <class T, size_t N>
const T& pick(Random& random, const T (&choices)[N])
{
    return choices[static_cast<size_t>(random.below(static_cast<int>(N)))];
}

// A choice that differs from `current`; the choices hold at least two different values.
template <class T, size_t N>
T otherThan(Random& random, const T (&choices)[N], const T& current)
{
    T chosen = current;
    while (chosen == current) {
        chosen = pick(random, choices);
    }
    return chosen;
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

Verdict drawVerdict(Random& random)
{
    const double roll = random.unit();
    if (roll < kNameViolations) {
        return Verdict::Name;
    }
    return roll < kNameViolations + kPropertiesViolations ? Verdict::Properties : Verdict::Conforms;
}

// The drawing's name for a standards record: the same one, now and then in lower case (names
// compare ignoring case), or one the standards lack.
std::string drawingName(const std::string& name, Verdict verdict, Random& random)
{
    if (verdict == Verdict::Name) {
        return "LOCAL-" + name;
    }
    if (!random.chance(kOtherCase)) {
        return name;
    }
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

void planLinetypes(long count, Random& random, StandardsPlan& plan)
{
    struct Family
    {
        const char* name;
        const char* comments;
        std::vector<double> pattern;
    };
    static const Family kFamilies[] = {
        {"DASHED_", "Dashed __ __ __ __ __ __", {0.5, -0.25}},
        {"HIDDEN_", "Hidden _ _ _ _ _ _ _ _", {0.25, -0.125}},
        {"CENTER_", "Center ____ _ ____ _ ____", {1.25, -0.25, 0.25, -0.25}},
        {"PHANTOM_", "Phantom ____ _ _ ____ _ _", {1.25, -0.25, 0.25, -0.25, 0.25, -0.25}},
        {"DOT_", "Dot . . . . . . . . . . .", {0.0, -0.25}},
        {"DASHDOT_", "Dash dot __ . __ . __ .", {0.5, -0.25, 0.0, -0.25}},
        {"BORDER_", "Border __ __ . __ __ .", {0.5, -0.25, 0.5, -0.25, 0.0, -0.25}},
        {"DIVIDE_", "Divide __ . . __ . . __", {0.5, -0.25, 0.0, -0.25, 0.0, -0.25}},
    };
    static const double kScales[] = {0.5, 1.0, 2.0, 4.0};
    for (long i = 0; i < count; ++i) {
        const Family& family = kFamilies[static_cast<size_t>(i) % std::size(kFamilies)];
        LinetypeSpec standard;
        standard.name = numbered(family.name, i + 1);
        standard.comments = family.comments;
        const double scale = pick(random, kScales);
        for (const double length : family.pattern) {
            standard.dashes.push_back(length * scale);
        }
        LinetypeSpec drawing = standard;
        drawing.verdict = drawVerdict(random);
        drawing.name = drawingName(standard.name, drawing.verdict, random);
        if (drawing.verdict == Verdict::Properties) {
            if (random.chance(0.5)) {
                // One dash and gap more: the number of dashes differs.
                drawing.dashes.push_back(0.25 * scale);
                drawing.dashes.push_back(-0.125 * scale);
            } else {
                // As many dashes, a longer pattern.
                drawing.dashes.front() += 0.125 * scale;
            }
        }
        plan.standards.linetypes.push_back(standard);
        plan.drawing.linetypes.push_back(drawing);
    }
}

void planLayers(long count, Random& random, StandardsPlan& plan)
{
    static const char* const kDisciplines[] = {
        "A-WALL-", "A-DOOR-", "A-GLAZ-", "A-FURN-", "S-COLS-", "S-BEAM-", "E-LITE-", "E-POWR-",
        "M-HVAC-", "M-DUCT-", "P-PIPE-", "P-FIXT-", "C-TOPO-", "L-PLNT-", "G-ANNO-", "G-DIMS-"};
    static const int kLineweights[] = {-3, 0, 13, 18, 25, 35, 50, 70};

    // Standards layers use line styles the drawing has under the same name; a drawing layer
    // given another line style may use any of the drawing's.
    std::vector<std::string> shared;
    std::vector<std::string> drawingLinetypes = {"Continuous"};
    for (size_t k = 0; k < plan.drawing.linetypes.size(); ++k) {
        if (plan.drawing.linetypes[k].verdict != Verdict::Name) {
            shared.push_back(plan.standards.linetypes[k].name);
        }
        drawingLinetypes.push_back(plan.drawing.linetypes[k].name);
    }

    // A few hidden layers, none in a drawing too small to keep visible ones around them.
    const long hidden = count < 10 ? 0 : 2 + count / 5000;
    long nextHidden = count / (hidden + 1);
    long hiddenSoFar = 0;
    for (long i = 0; i < count; ++i) {
        LayerSpec standard;
        standard.name = numbered(kDisciplines[i % 16], i / 16 + 1);
        standard.colour = 1 + random.below(255);
        if (!shared.empty() && random.chance(0.4)) {
            standard.linetype =
                shared[static_cast<size_t>(random.below(static_cast<int>(shared.size())))];
        }
        standard.lineweight = pick(random, kLineweights);
        plan.standards.layers.push_back(standard);

        LayerSpec drawing = standard;
        if (i == nextHidden && hiddenSoFar < hidden) {
            // Names starting with "*" are hidden from the user and never checked.
            drawing.name = "*" + numbered("HIDDEN-", ++hiddenSoFar);
            drawing.verdict = Verdict::Unchecked;
            nextHidden = count * (hiddenSoFar + 1) / (hidden + 1);
            plan.drawing.layers.push_back(drawing);
            continue;
        }
        drawing.verdict = drawVerdict(random);
        drawing.name = drawingName(standard.name, drawing.verdict, random);
        if (drawing.verdict == Verdict::Properties) {
            switch (random.below(3)) {
                case 0:
                    drawing.colour = 1 + (standard.colour + random.below(254)) % 255;
                    break;
                case 1:
                    while (sameIgnoringCase(drawing.linetype, standard.linetype)) {
                        drawing.linetype = drawingLinetypes[static_cast<size_t>(
                            random.below(static_cast<int>(drawingLinetypes.size())))];
                    }
                    break;
                default:
                    drawing.lineweight = otherThan(random, kLineweights, standard.lineweight);
                    break;
            }
        }
        plan.drawing.layers.push_back(drawing);
    }
}

void planTextStyles(long count, Random& random, StandardsPlan& plan)
{
    struct Font
    {
        const char* file;
        const char* typeface;  // empty for SHX fonts
    };
    static const char* const kPurposes[] = {"NOTES-", "TITLE-", "LABEL-", "SCHED-", "TAGS-"};
    static const Font kFonts[] = {{"romans.shx", ""},
                                  {"simplex.shx", ""},
                                  {"isocp.shx", ""},
                                  {"arial.ttf", "Arial"},
                                  {"times.ttf", "Times New Roman"},
                                  {"calibri.ttf", "Calibri"}};
    static const double kHeights[] = {0.0, 0.09375, 0.125, 0.1875, 0.25, 2.5};
    static const double kWidths[] = {1.0, 0.8, 0.9};
    static const double kObliques[] = {0.0, 15.0 * kPi / 180.0};
    auto setFont = [&](TextStyleSpec& style, size_t font) {
        style.font = kFonts[font].file;
        style.typeface = kFonts[font].typeface;
        const bool trueType = !style.typeface.empty();
        style.bigFont = !trueType && random.chance(0.1) ? "extfont.shx" : "";
        style.bold = trueType && random.chance(0.3);
        style.italic = trueType && random.chance(0.2);
    };
    for (long i = 0; i < count; ++i) {
        TextStyleSpec standard;
        standard.name = numbered(kPurposes[i % 5], i / 5 + 1);
        const size_t font = static_cast<size_t>(random.below(static_cast<int>(std::size(kFonts))));
        setFont(standard, font);
        standard.height = pick(random, kHeights);
        standard.width = pick(random, kWidths);
        standard.oblique = pick(random, kObliques);
        plan.standards.textStyles.push_back(standard);

        TextStyleSpec drawing = standard;
        drawing.verdict = drawVerdict(random);
        drawing.name = drawingName(standard.name, drawing.verdict, random);
        if (drawing.verdict == Verdict::Properties) {
            if (random.chance(0.5)) {
                const int offset = 1 + random.below(static_cast<int>(std::size(kFonts)) - 1);
                setFont(drawing, (font + static_cast<size_t>(offset)) % std::size(kFonts));
            } else {
                drawing.height = otherThan(random, kHeights, standard.height);
            }
        }
        plan.drawing.textStyles.push_back(drawing);
    }
}

void planDimStyles(long count, Random& random, StandardsPlan& plan)
{
    static const char* const kFamilies[] = {"ARCH-",   "CIVIL-", "MECH-",
                                            "ISO-25-", "ANSI-",  "SITE-"};
    static const double kScales[] = {1.0, 2.0, 4.0, 8.0, 16.0, 48.0, 96.0};
    static const double kArrows[] = {0.0625, 0.09375, 0.125, 0.1875, 2.5};
    static const double kTexts[] = {0.09375, 0.125, 0.1875, 2.5};
    static const double kGaps[] = {0.03125, 0.0625, 0.09, 0.625};
    static const double kOffsets[] = {0.0625, 0.125};
    static const int kDecimals[] = {0, 1, 2, 3, 4, 5, 6};
    for (long i = 0; i < count; ++i) {
        DimStyleSpec standard;
        standard.name = numbered(kFamilies[i % 6], i / 6 + 1);
        standard.scale = pick(random, kScales);
        standard.arrow = pick(random, kArrows);
        standard.text = pick(random, kTexts);
        standard.gap = pick(random, kGaps);
        standard.extensionOffset = pick(random, kOffsets);
        standard.decimals = pick(random, kDecimals);
        standard.textAbove = random.below(2);
        plan.standards.dimStyles.push_back(standard);

        DimStyleSpec drawing = standard;
        drawing.verdict = drawVerdict(random);
        drawing.name = drawingName(standard.name, drawing.verdict, random);
        if (drawing.verdict == Verdict::Properties) {
            switch (random.below(4)) {
                case 0:
                    drawing.arrow = otherThan(random, kArrows, standard.arrow);
                    break;
                case 1:
                    drawing.decimals = otherThan(random, kDecimals, standard.decimals);
                    break;
                case 2:
                    drawing.textAbove = 1 - standard.textAbove;
                    break;
                default:
                    drawing.scale = otherThan(random, kScales, standard.scale);
                    break;
            }
        }
        plan.drawing.dimStyles.push_back(drawing);
    }
}

}  // namespace

StandardsPlan planStandards(long layers, unsigned long long seed)
{
    Random random(seed);
    StandardsPlan plan;
    planLinetypes(std::max(1L, layers / 40), random, plan);
    planLayers(std::max(1L, layers), random, plan);
    planTextStyles(std::max(1L, layers / 10), random, plan);
    planDimStyles(std::max(1L, layers / 10), random, plan);
    return plan;
}

}  // namespace kvbench
