#include "BenchDrawing.h"

#include <cmath>
#include <iterator>
#include <string>

namespace kvbench {

std::uint64_t Generator::beginEntity(const char* type, std::string_view layer, const Look& look)
{
    const std::uint64_t handle = allocate();
    m_tags.str(0, type);
    m_tags.handle(5, handle);
    m_tags.handle(330, m_owner);
    m_tags.str(100, "AcDbEntity");
    m_tags.str(8, layer);
    if (!look.linetype.empty()) {
        m_tags.str(6, look.linetype);
    }
    if (look.colour != 0) {
        m_tags.integer(62, look.colour);
    }
    if (look.lineweight != 0) {
        m_tags.integer(370, look.lineweight);
    }
    return handle;
}

void Generator::arrow(double x, double y, double direction)
{
    beginEntity("SOLID", "0", Look{});
    m_tags.str(100, "AcDbTrace");
    m_tags.point(10, x, y);
    m_tags.point(11, x + direction * 0.18, y + 0.03);
    m_tags.point(12, x + direction * 0.18, y - 0.03);
    m_tags.point(13, x + direction * 0.18, y - 0.03);
}

void Generator::line(std::string_view layer, const Look& look, double x1, double y1, double x2,
                     double y2)
{
    beginEntity("LINE", layer, look);
    m_tags.str(100, "AcDbLine");
    m_tags.point(10, x1, y1);
    m_tags.point(11, x2, y2);
}

void Generator::circle(std::string_view layer, const Look& look, double x, double y, double radius)
{
    beginEntity("CIRCLE", layer, look);
    m_tags.str(100, "AcDbCircle");
    m_tags.point(10, x, y);
    m_tags.real(40, radius);
}

std::string Generator::words(int count)
{
    static const char* const kWords[] = {
        "concrete", "wall", "finish", "see",       "detail", "steel",   "beam",    "level",
        "existing", "new",  "remove", "install",   "door",   "frame",   "ceiling", "height",
        "provide",  "fire", "rated",  "partition", "grid",   "typical", "section", "note"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kWords[m_random.below(static_cast<int>(std::size(kWords)))];
    }
    return text;
}

// Application data carried by part of the entities, as asset-tracking tools attach it.
void Generator::xdata(long index)
{
    m_tags.str(1001, kAppName);
    m_tags.str(1000, "asset " + std::to_string(index));
    m_tags.str(1002, "{");
    m_tags.integer(1070, static_cast<int>(index % 1000));
    m_tags.real(1040, m_random.between(0, 100));
    m_tags.str(1000, words(4));
    m_tags.str(1002, "}");
    m_tags.integer(1071, index);
}

void Generator::writeEntities()
{
    m_tags.str(0, "SECTION");
    m_tags.str(2, "ENTITIES");
    m_owner = m_modelSpace;
    for (long i = 0; i < m_options.entities; ++i) {
        writeEntity(i);
    }
    m_tags.str(0, "ENDSEC");
}

void Generator::writeEntity(long index)
{
    const std::string& layer =
        m_layers[2 + static_cast<size_t>(m_random.below(static_cast<int>(m_layers.size() - 2)))]
            .name;
    Look look;
    if (m_random.chance(0.15)) {
        look.colour = 1 + m_random.below(255);
    }
    if (!m_linetypes.empty() && m_random.chance(0.1)) {
        look.linetype =
            m_linetypes[static_cast<size_t>(m_random.below(static_cast<int>(m_linetypes.size())))]
                .name;
    }
    if (m_random.chance(0.05)) {
        look.lineweight = 25;
    }
    const double x = m_random.between(0, kExtent);
    const double y = m_random.between(0, kExtent);
    const int kind = m_random.below(100);
    if (kind < 18) {
        line(layer, look, x, y, x + m_random.between(-50, 50), y + m_random.between(-50, 50));
    } else if (kind < 26) {
        circle(layer, look, x, y, m_random.between(0.5, 20));
    } else if (kind < 34) {
        beginEntity("ARC", layer, look);
        m_tags.str(100, "AcDbCircle");
        m_tags.point(10, x, y);
        m_tags.real(40, m_random.between(0.5, 20));
        m_tags.str(100, "AcDbArc");
        m_tags.real(50, m_random.between(0, 180));
        m_tags.real(51, m_random.between(180, 360));
    } else if (kind < 56) {
        polyline(layer, look, x, y);
    } else if (kind < 66) {
        text(layer, look, x, y);
    } else if (kind < 74) {
        mtext(layer, look, x, y);
    } else if (kind < 84) {
        insert(layer, x, y, index);
    } else if (kind < 94) {
        dimension(layer, x, y);
    } else {
        leader(layer, x, y);
    }
    if (m_random.chance(0.4)) {
        xdata(index);
    }
}

void Generator::polyline(std::string_view layer, const Look& look, double x, double y)
{
    const int count = 6 + m_random.below(20);
    beginEntity("LWPOLYLINE", layer, look);
    m_tags.str(100, "AcDbPolyline");
    m_tags.integer(90, count);
    m_tags.integer(70, m_random.chance(0.3) ? 1 : 0);
    m_tags.real(43, 0.0);
    for (int i = 0; i < count; ++i) {
        x += m_random.between(-5, 5);
        y += m_random.between(-5, 5);
        m_tags.real(10, x);
        m_tags.real(20, y);
        if (i % 7 == 3) {
            m_tags.real(42, m_random.between(-1, 1));  // an arc segment
        }
    }
}

const TextStyle& Generator::anyTextStyle()
{
    return m_textStyles[static_cast<size_t>(m_random.below(static_cast<int>(m_textStyles.size())))];
}

void Generator::text(std::string_view layer, const Look& look, double x, double y)
{
    beginEntity("TEXT", layer, look);
    m_tags.str(100, "AcDbText");
    m_tags.point(10, x, y);
    m_tags.real(40, m_random.between(0.08, 0.5));
    m_tags.str(1, words(2 + m_random.below(6)));
    m_tags.real(50, m_random.chance(0.2) ? 90.0 : 0.0);
    m_tags.str(7, anyTextStyle().name);
    m_tags.str(100, "AcDbText");
}

void Generator::mtext(std::string_view layer, const Look& look, double x, double y)
{
    beginEntity("MTEXT", layer, look);
    m_tags.str(100, "AcDbMText");
    m_tags.point(10, x, y);
    m_tags.real(40, m_random.between(0.08, 0.25));
    m_tags.real(41, m_random.between(2, 8));
    m_tags.integer(71, 1 + m_random.below(9));
    m_tags.integer(72, 5);
    std::string text;
    const int paragraphs = 2 + m_random.below(5);
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0) {
            text += "\\P";
        }
        text += (p == 0 ? "{\\LNOTE:}" : std::to_string(p) + ". ") + words(8 + m_random.below(12));
    }
    // Strings longer than 250 characters are split into leading 3 groups and a final 1.
    size_t start = 0;
    while (text.size() - start > 250) {
        m_tags.str(3, std::string_view(text).substr(start, 250));
        start += 250;
    }
    m_tags.str(1, std::string_view(text).substr(start));
    m_tags.str(7, anyTextStyle().name);
}

void Generator::insert(std::string_view layer, double x, double y, long index)
{
    const Block& block =
        m_blocks[static_cast<size_t>(m_random.below(static_cast<int>(m_blocks.size())))];
    const double scale = m_random.chance(0.5) ? 1.0 : 48.0;
    const double rotation = m_random.chance(0.7) ? 0.0 : 90.0;
    beginEntity("INSERT", layer, Look{});
    m_tags.str(100, "AcDbBlockReference");
    m_tags.integer(66, 1);
    m_tags.str(2, block.name);
    m_tags.point(10, x, y);
    m_tags.real(41, scale);
    m_tags.real(42, scale);
    m_tags.real(43, scale);
    m_tags.real(50, rotation);
    for (const Attribute& attribute : block.attributes) {
        const double c = std::cos(rotation * kPi / 180), s = std::sin(rotation * kPi / 180);
        beginEntity("ATTRIB", layer, Look{});
        m_tags.str(100, "AcDbText");
        m_tags.point(10, x + scale * (attribute.x * c - attribute.y * s),
                     y + scale * (attribute.x * s + attribute.y * c));
        m_tags.real(40, 0.12 * scale);
        m_tags.str(1, attribute.tag + "-" + std::to_string(index));
        m_tags.real(50, rotation);
        m_tags.str(100, "AcDbAttribute");
        m_tags.integer(280, 0);
        m_tags.str(2, attribute.tag);
        m_tags.integer(70, 0);
    }
    beginEntity("SEQEND", layer, Look{});
}

void Generator::dimension(std::string_view layer, double x, double y)
{
    const int block = m_random.below(kDimensionBlockCount);
    const double length = 2.0 + block;
    const DimStyle& style =
        m_dimStyles[static_cast<size_t>(m_random.below(static_cast<int>(m_dimStyles.size())))];
    beginEntity("DIMENSION", layer, Look{});
    m_tags.str(100, "AcDbDimension");
    m_tags.integer(280, 0);
    m_tags.str(2, dimensionBlockName(block));
    m_tags.str(3, style.name);
    m_tags.point(10, x + length, y + 1);         // dimension line location
    m_tags.point(11, x + length / 2, y + 1.09);  // text middle
    m_tags.integer(70, 0);                       // rotated linear; the block is shared
    m_tags.integer(71, 5);
    m_tags.real(42, length);
    m_tags.str(100, "AcDbAlignedDimension");
    m_tags.point(13, x, y);
    m_tags.point(14, x + length, y);
    m_tags.real(50, 0.0);
    m_tags.str(100, "AcDbRotatedDimension");
}

void Generator::leader(std::string_view layer, double x, double y)
{
    const int count = 2 + m_random.below(3);
    beginEntity("LEADER", layer, Look{});
    m_tags.str(100, "AcDbLeader");
    m_tags.str(3, m_dimStyles.front().name);
    m_tags.integer(71, 1);  // with arrow
    m_tags.integer(72, 0);  // straight segments
    m_tags.integer(73, 3);  // no annotation
    m_tags.integer(76, count);
    for (int i = 0; i < count; ++i) {
        m_tags.point(10, x + 2.0 * i, y + (i == 0 ? 0.0 : 1.5));
    }
}

}  // namespace kvbench
