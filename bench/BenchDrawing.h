// The synthetic drawing written by kv_gen_drawing: its options, the records it plans and the
// generator that writes it as ASCII DXF. The output depends only on the options: the generator
// uses its own fixed-seed random numbers, not the standard library's distributions, whose results
// differ between implementations.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kvbench {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kExtent = 10000.0;  // entities lie in [0, kExtent] x [0, kExtent] (inches)
inline constexpr int kDimensionBlockCount = 8;
inline constexpr const char* kAppName = "KV_BENCH";

struct Options
{
    std::string output;
    long entities = -1;
    long layers = 10;
    long textStyles = 3;
    long dimStyles = 2;
    long linetypes = 4;
    std::string version = "AC1027";
};

// splitmix64: tiny, fast and identical on every platform. The default seed is the one
// kv_gen_drawing has always used.
class Random
{
public:
    Random() = default;
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double between(double low, double high) { return low + (high - low) * unit(); }
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t m_state = 0x4B56424E43480001ull;
};

// Appends DXF tags (group code line, value line) to a string.
class Tags
{
public:
    explicit Tags(std::string& out) : m_out(out) {}

    void str(int code, std::string_view value)
    {
        code_(code);
        m_out.append(value);
        m_out.push_back('\n');
    }
    void integer(int code, long long value)
    {
        code_(code);
        char buffer[32];
        const int n = std::snprintf(buffer, sizeof buffer, "%lld\n", value);
        m_out.append(buffer, static_cast<size_t>(n));
    }
    void real(int code, double value)
    {
        code_(code);
        char buffer[40];
        int n = std::snprintf(buffer, sizeof buffer, "%.10g", value);
        // Always a decimal point, as the desktop program writes reals.
        if (std::strpbrk(buffer, ".en") == nullptr) {
            buffer[n++] = '.';
            buffer[n++] = '0';
        }
        buffer[n++] = '\n';
        m_out.append(buffer, static_cast<size_t>(n));
    }
    void handle(int code, std::uint64_t value)
    {
        code_(code);
        char buffer[24];
        const int n = std::snprintf(buffer, sizeof buffer, "%" PRIX64 "\n", value);
        m_out.append(buffer, static_cast<size_t>(n));
    }
    void point(int code, double x, double y, double z = 0.0)
    {
        real(code, x);
        real(code + 10, y);
        real(code + 20, z);
    }

private:
    void code_(int code)
    {
        char buffer[16];
        const int n = std::snprintf(buffer, sizeof buffer, "%3d\n", code);
        m_out.append(buffer, static_cast<size_t>(n));
    }
    std::string& m_out;
};

struct Linetype
{
    std::string name, description;
    std::vector<double> pattern;
    std::uint64_t handle = 0;
};

struct Layer
{
    std::string name;
    int colour = 7;
    std::string linetype = "Continuous";
    int lineweight = -3;
    bool plot = true;
    std::uint64_t handle = 0;
};

struct TextStyle
{
    std::string name, font;
    double width = 1.0;
    std::uint64_t handle = 0;
};

struct DimStyle
{
    std::string name;
    double scale = 1.0, arrow = 0.18, text = 0.18, gap = 0.09;
    int decimals = 4;
    size_t textStyle = 0;
    std::uint64_t handle = 0;
};

struct Attribute
{
    std::string tag, prompt;
    double x, y;
};

struct Block
{
    std::string name;
    std::vector<Attribute> attributes;
    std::uint64_t record = 0;
};

class Generator
{
public:
    explicit Generator(const Options& options) : m_options(options), m_tags(m_body) { plan(); }

    // The whole file. Handles are handed out while the body is written, so the header, which
    // must state the next free handle, is written last and put in front.
    std::string write()
    {
        writeClasses();
        writeTables();
        writeBlocks();
        writeEntities();
        writeObjects();
        m_tags.str(0, "EOF");
        std::string header;
        writeHeader(header);
        return header + m_body;
    }

private:
    enum Table {
        VportTable,
        LtypeTable,
        LayerTable,
        StyleTable,
        ViewTable,
        UcsTable,
        AppidTable,
        DimstyleTable,
        BlockRecordTable,
        TableCount
    };

    // Entity properties other than the layer; zero/empty means "by layer", not written.
    struct Look
    {
        std::string_view linetype;
        int colour = 0;
        int lineweight = 0;
    };

    struct Entry
    {
        const char* name;
        std::uint64_t handle;
    };

    std::uint64_t allocate() { return m_nextHandle++; }
    static std::string dimensionBlockName(int index) { return "*D" + std::to_string(index + 1); }

    // Names every record and hands out the handles of everything referenced before it is written.
    void plan();

    // Sections other than ENTITIES.
    void writeHeader(std::string& out) const;
    void writeClasses();
    void beginTable(Table table, const char* name, size_t count);
    void beginRecord(Table table, const char* type, const char* subclass, std::uint64_t handle,
                     std::string_view name, int flags);
    void writeTables();
    void writeLinetype(const Linetype& linetype, std::uint64_t handle);
    void writeDimStyles();
    void writeBlockRecord(std::uint64_t handle, std::string_view name, std::uint64_t layout);
    void beginBlock(std::uint64_t record, std::string_view name, int flags);
    void endBlock(std::uint64_t record);
    void writeBlocks();
    void writeObjects();
    void dictionary(std::uint64_t handle, std::uint64_t owner,
                    std::initializer_list<Entry> entries);
    void layout(std::uint64_t handle, const char* name, int order, std::uint64_t record);

    // Entities, owned by m_owner.
    std::uint64_t beginEntity(const char* type, std::string_view layer, const Look& look);
    void arrow(double x, double y, double direction);
    void line(std::string_view layer, const Look& look, double x1, double y1, double x2, double y2);
    void circle(std::string_view layer, const Look& look, double x, double y, double radius);
    std::string words(int count);
    // Application data carried by part of the entities, as asset-tracking tools attach it.
    void xdata(long index);
    void writeEntities();
    void writeEntity(long index);
    void polyline(std::string_view layer, const Look& look, double x, double y);
    const TextStyle& anyTextStyle();
    void text(std::string_view layer, const Look& look, double x, double y);
    void mtext(std::string_view layer, const Look& look, double x, double y);
    void insert(std::string_view layer, double x, double y, long index);
    void dimension(std::string_view layer, double x, double y);
    void leader(std::string_view layer, double x, double y);

    const Options& m_options;
    std::string m_body;
    Tags m_tags;
    Random m_random;
    std::uint64_t m_nextHandle = 1;
    std::uint64_t m_owner = 0;  // block record of the entities being written

    std::uint64_t m_tables[TableCount] = {};
    std::uint64_t m_builtinLinetypes[3] = {};
    std::uint64_t m_vport = 0, m_appAcad = 0, m_appBench = 0;
    std::uint64_t m_modelSpace = 0, m_paperSpace = 0;
    std::uint64_t m_dimensionBlocks[kDimensionBlockCount] = {};
    std::uint64_t m_rootDictionary = 0, m_groupDictionary = 0, m_layoutDictionary = 0;
    std::uint64_t m_modelLayout = 0, m_paperLayout = 0;
    std::vector<Linetype> m_linetypes;
    std::vector<Layer> m_layers;
    std::vector<TextStyle> m_textStyles;
    std::vector<DimStyle> m_dimStyles;
    std::vector<Block> m_blocks;
};

}  // namespace kvbench
