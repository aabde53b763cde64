// The records kv_gen_standards puts into a drawing and into its standards drawing, planned before
// anything is written. The plan depends only on the record count and the seed.
//
// Every standards record has a slot in the drawing. Most slots hold a record of the same name
// (now and then in another letter case) and the same values; some hold a record of that name
// with one compared value changed (a properties violation); some hold a record under a name the
// standards lack (a name violation), which leaves that standards record unused. A few more
// layers are hidden, which the check skips.
#pragma once

#include <string>
#include <vector>

namespace kvbench {

// What the check is meant to report for a record of the drawing.
enum class Verdict { Conforms, Properties, Name, Unchecked };

struct LinetypeSpec
{
    std::string name, comments;
    std::vector<double> dashes;  // dashes > 0, gaps < 0, dots 0
    Verdict verdict = Verdict::Conforms;
};

struct LayerSpec
{
    std::string name;
    int colour = 7;
    std::string linetype = "Continuous";
    int lineweight = -3;
    Verdict verdict = Verdict::Conforms;
};

struct TextStyleSpec
{
    std::string name, font, bigFont;
    std::string typeface;  // TrueType fonts only
    bool bold = false, italic = false;
    double height = 0.0, width = 1.0, oblique = 0.0;  // oblique in radians
    Verdict verdict = Verdict::Conforms;
};

struct DimStyleSpec
{
    std::string name;
    double scale = 1.0, arrow = 0.18, text = 0.18, gap = 0.09, extensionOffset = 0.0625;
    int decimals = 4, textAbove = 0;
    Verdict verdict = Verdict::Conforms;
};

// The records of one drawing, in table order.
struct RecordSet
{
    std::vector<LinetypeSpec> linetypes;
    std::vector<LayerSpec> layers;
    std::vector<TextStyleSpec> textStyles;
    std::vector<DimStyleSpec> dimStyles;
};

struct StandardsPlan
{
    RecordSet standards;
    RecordSet drawing;
};

// layers: the number of drawing layers (at least 1; hidden ones from 10 layers on); the drawing
// and the standards get layers / 10 text and dimension styles and layers / 40 line styles, at
// least one of each.
StandardsPlan planStandards(long layers, unsigned long long seed);

// How many records of a set have the verdict.
template <class Spec>
long countVerdict(const std::vector<Spec>& records, Verdict verdict)
{
    long count = 0;
    for (const Spec& record : records) {
        count += record.verdict == verdict ? 1 : 0;
    }
    return count;
}

}  // namespace kvbench
