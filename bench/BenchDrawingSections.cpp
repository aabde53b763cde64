#include "BenchDrawing.h"

#include <cmath>
#include <string>

namespace kvbench {

void Generator::writeHeader(std::string& out) const
{
    Tags t(out);
    t.str(0, "SECTION");
    t.str(2, "HEADER");
    t.str(9, "$ACADVER");
    t.str(1, m_options.version);
    t.str(9, "$ACADMAINTVER");
    t.integer(m_options.version == "AC1032" ? 90 : 70, 6);
    t.str(9, "$DWGCODEPAGE");
    t.str(3, "ANSI_1252");
    t.str(9, "$INSBASE");
    t.point(10, 0, 0);
    t.str(9, "$EXTMIN");
    t.point(10, 0, 0);
    t.str(9, "$EXTMAX");
    t.point(10, kExtent, kExtent);
    t.str(9, "$LTSCALE");
    t.real(40, 1.0);
    t.str(9, "$CLAYER");
    t.str(8, "0");
    t.str(9, "$CELTYPE");
    t.str(6, "ByLayer");
    t.str(9, "$CECOLOR");
    t.integer(62, 256);
    t.str(9, "$TEXTSTYLE");
    t.str(7, "Standard");
    t.str(9, "$DIMSTYLE");
    t.str(2, "Standard");
    t.str(9, "$LUNITS");
    t.integer(70, 2);
    t.str(9, "$HANDSEED");
    t.handle(5, m_nextHandle);
    t.str(9, "$MEASUREMENT");
    t.integer(70, 0);
    t.str(9, "$CELWEIGHT");
    t.integer(370, -1);
    t.str(9, "$INSUNITS");
    t.integer(70, 1);
    t.str(0, "ENDSEC");
}

void Generator::writeClasses()
{
    m_tags.str(0, "SECTION");
    m_tags.str(2, "CLASSES");
    m_tags.str(0, "ENDSEC");
}

void Generator::beginTable(Table table, const char* name, size_t count)
{
    m_tags.str(0, "TABLE");
    m_tags.str(2, name);
    m_tags.handle(5, m_tables[table]);
    m_tags.handle(330, 0);
    m_tags.str(100, "AcDbSymbolTable");
    m_tags.integer(70, static_cast<long long>(count));
}

void Generator::beginRecord(Table table, const char* type, const char* subclass,
                            std::uint64_t handle, std::string_view name, int flags)
{
    m_tags.str(0, type);
    m_tags.handle(table == DimstyleTable ? 105 : 5, handle);
    m_tags.handle(330, m_tables[table]);
    m_tags.str(100, "AcDbSymbolTableRecord");
    m_tags.str(100, subclass);
    m_tags.str(2, name);
    m_tags.integer(70, flags);
}

void Generator::writeTables()
{
    m_tags.str(0, "SECTION");
    m_tags.str(2, "TABLES");

    beginTable(VportTable, "VPORT", 1);
    beginRecord(VportTable, "VPORT", "AcDbViewportTableRecord", m_vport, "*Active", 0);
    m_tags.point(10, 0, 0);  // lower left, upper right, centre, snap base, snap, grid
    m_tags.real(11, 1.0);
    m_tags.real(21, 1.0);
    m_tags.real(12, kExtent / 2);
    m_tags.real(22, kExtent / 2);
    m_tags.real(13, 0.0);
    m_tags.real(23, 0.0);
    m_tags.real(14, 0.5);
    m_tags.real(24, 0.5);
    m_tags.real(15, 0.5);
    m_tags.real(25, 0.5);
    m_tags.point(16, 0, 0, 1);
    m_tags.point(17, 0, 0, 0);
    m_tags.real(40, kExtent);
    m_tags.real(41, 1.5);
    m_tags.real(42, 50.0);
    m_tags.str(0, "ENDTAB");

    beginTable(LtypeTable, "LTYPE", 3 + m_linetypes.size());
    const char* const builtins[] = {"ByBlock", "ByLayer", "Continuous"};
    for (int i = 0; i < 3; ++i) {
        writeLinetype(Linetype{builtins[i], i == 2 ? "Solid line" : "", {}, 0},
                      m_builtinLinetypes[i]);
    }
    for (const Linetype& linetype : m_linetypes) {
        writeLinetype(linetype, linetype.handle);
    }
    m_tags.str(0, "ENDTAB");

    beginTable(LayerTable, "LAYER", m_layers.size());
    for (const Layer& layer : m_layers) {
        beginRecord(LayerTable, "LAYER", "AcDbLayerTableRecord", layer.handle, layer.name, 0);
        m_tags.integer(62, layer.colour);
        m_tags.str(6, layer.linetype);
        if (!layer.plot) {
            m_tags.integer(290, 0);
        }
        m_tags.integer(370, layer.lineweight);
    }
    m_tags.str(0, "ENDTAB");

    beginTable(StyleTable, "STYLE", m_textStyles.size());
    for (const TextStyle& style : m_textStyles) {
        beginRecord(StyleTable, "STYLE", "AcDbTextStyleTableRecord", style.handle, style.name, 0);
        m_tags.real(40, 0.0);
        m_tags.real(41, style.width);
        m_tags.real(50, 0.0);
        m_tags.integer(71, 0);
        m_tags.real(42, 0.2);
        m_tags.str(3, style.font);
        m_tags.str(4, "");
    }
    m_tags.str(0, "ENDTAB");

    beginTable(ViewTable, "VIEW", 0);
    m_tags.str(0, "ENDTAB");
    beginTable(UcsTable, "UCS", 0);
    m_tags.str(0, "ENDTAB");

    beginTable(AppidTable, "APPID", 2);
    beginRecord(AppidTable, "APPID", "AcDbRegAppTableRecord", m_appAcad, "ACAD", 0);
    beginRecord(AppidTable, "APPID", "AcDbRegAppTableRecord", m_appBench, kAppName, 0);
    m_tags.str(0, "ENDTAB");

    writeDimStyles();

    beginTable(BlockRecordTable, "BLOCK_RECORD",
               2 + m_blocks.size() + static_cast<size_t>(kDimensionBlockCount));
    writeBlockRecord(m_modelSpace, "*Model_Space", m_modelLayout);
    writeBlockRecord(m_paperSpace, "*Paper_Space", m_paperLayout);
    for (const Block& block : m_blocks) {
        writeBlockRecord(block.record, block.name, 0);
    }
    for (int i = 0; i < kDimensionBlockCount; ++i) {
        writeBlockRecord(m_dimensionBlocks[i], dimensionBlockName(i), 0);
    }
    m_tags.str(0, "ENDTAB");

    m_tags.str(0, "ENDSEC");
}

void Generator::writeLinetype(const Linetype& linetype, std::uint64_t handle)
{
    beginRecord(LtypeTable, "LTYPE", "AcDbLinetypeTableRecord", handle, linetype.name, 0);
    m_tags.str(3, linetype.description);
    m_tags.integer(72, 65);
    m_tags.integer(73, static_cast<long long>(linetype.pattern.size()));
    double total = 0;
    for (const double length : linetype.pattern) {
        total += std::fabs(length);
    }
    m_tags.real(40, total);
    for (const double length : linetype.pattern) {
        m_tags.real(49, length);
        m_tags.integer(74, 0);
    }
}

void Generator::writeDimStyles()
{
    beginTable(DimstyleTable, "DIMSTYLE", m_dimStyles.size());
    m_tags.str(100, "AcDbDimStyleTable");
    m_tags.integer(71, static_cast<long long>(m_dimStyles.size()));
    for (const DimStyle& style : m_dimStyles) {
        m_tags.handle(340, style.handle);
    }
    for (const DimStyle& style : m_dimStyles) {
        beginRecord(DimstyleTable, "DIMSTYLE", "AcDbDimStyleTableRecord", style.handle, style.name,
                    0);
        m_tags.real(40, style.scale);                              // DIMSCALE
        m_tags.real(41, style.arrow);                              // DIMASZ
        m_tags.real(42, 0.0625);                                   // DIMEXO
        m_tags.real(43, 0.38);                                     // DIMDLI
        m_tags.real(44, 0.18);                                     // DIMEXE
        m_tags.real(140, style.text);                              // DIMTXT
        m_tags.real(141, 0.09);                                    // DIMCEN
        m_tags.real(147, style.gap);                               // DIMGAP
        m_tags.integer(77, 1);                                     // DIMTAD
        m_tags.integer(271, style.decimals);                       // DIMDEC
        m_tags.handle(340, m_textStyles[style.textStyle].handle);  // DIMTXSTY
    }
    m_tags.str(0, "ENDTAB");
}

void Generator::writeBlockRecord(std::uint64_t handle, std::string_view name, std::uint64_t layout)
{
    beginRecord(BlockRecordTable, "BLOCK_RECORD", "AcDbBlockTableRecord", handle, name, 0);
    m_tags.handle(340, layout);
    m_tags.integer(70, 0);   // insertion units
    m_tags.integer(280, 1);  // explodable
    m_tags.integer(281, 0);  // scalable
}

void Generator::beginBlock(std::uint64_t record, std::string_view name, int flags)
{
    m_tags.str(0, "BLOCK");
    m_tags.handle(5, allocate());
    m_tags.handle(330, record);
    m_tags.str(100, "AcDbEntity");
    m_tags.str(8, "0");
    m_tags.str(100, "AcDbBlockBegin");
    m_tags.str(2, name);
    m_tags.integer(70, flags);
    m_tags.point(10, 0, 0);
    m_tags.str(3, name);
    m_tags.str(1, "");
}

void Generator::endBlock(std::uint64_t record)
{
    m_tags.str(0, "ENDBLK");
    m_tags.handle(5, allocate());
    m_tags.handle(330, record);
    m_tags.str(100, "AcDbEntity");
    m_tags.str(8, "0");
    m_tags.str(100, "AcDbBlockEnd");
}

void Generator::writeBlocks()
{
    m_tags.str(0, "SECTION");
    m_tags.str(2, "BLOCKS");
    beginBlock(m_modelSpace, "*Model_Space", 0);
    endBlock(m_modelSpace);
    beginBlock(m_paperSpace, "*Paper_Space", 0);
    endBlock(m_paperSpace);
    for (const Block& block : m_blocks) {
        beginBlock(block.record, block.name, 2);  // 2: has attribute definitions
        m_owner = block.record;
        circle("0", Look{}, 0, 0, 0.5);
        line("0", Look{}, -0.5, 0, 0.5, 0);
        for (const Attribute& attribute : block.attributes) {
            beginEntity("ATTDEF", "0", Look{});
            m_tags.str(100, "AcDbText");
            m_tags.point(10, attribute.x, attribute.y);
            m_tags.real(40, 0.12);
            m_tags.str(1, "");
            m_tags.str(100, "AcDbAttributeDefinition");
            m_tags.integer(280, 0);
            m_tags.str(3, attribute.prompt);
            m_tags.str(2, attribute.tag);
            m_tags.integer(70, 0);
        }
        endBlock(block.record);
    }
    // Dimension pictures: a dimension line, two extension lines, two arrows, the measurement
    // and the definition points. They are shared by the dimensions of the same length and
    // drawn at the origin; the benchmarks read and write dimensions, they never draw them.
    for (int i = 0; i < kDimensionBlockCount; ++i) {
        const double length = 2.0 + i;
        beginBlock(m_dimensionBlocks[i], dimensionBlockName(i), 1);  // 1: anonymous
        m_owner = m_dimensionBlocks[i];
        line("0", Look{}, 0, 1, length, 1);
        line("0", Look{}, 0, 0.0625, 0, 1.18);
        line("0", Look{}, length, 0.0625, length, 1.18);
        arrow(0, 1, 1);
        arrow(length, 1, -1);
        beginEntity("MTEXT", "0", Look{});
        m_tags.str(100, "AcDbMText");
        m_tags.point(10, length / 2, 1.09);
        m_tags.real(40, 0.18);
        m_tags.integer(71, 8);
        m_tags.str(1, std::to_string(static_cast<int>(length)) + ".0000");
        for (const double x : {0.0, length}) {
            beginEntity("POINT", "Defpoints", Look{});
            m_tags.str(100, "AcDbPoint");
            m_tags.point(10, x, 0);
        }
        endBlock(m_dimensionBlocks[i]);
    }
    m_tags.str(0, "ENDSEC");
}

void Generator::writeObjects()
{
    m_tags.str(0, "SECTION");
    m_tags.str(2, "OBJECTS");
    dictionary(m_rootDictionary, 0,
               {{"ACAD_GROUP", m_groupDictionary}, {"ACAD_LAYOUT", m_layoutDictionary}});
    dictionary(m_groupDictionary, m_rootDictionary, {});
    dictionary(m_layoutDictionary, m_rootDictionary,
               {{"Layout1", m_paperLayout}, {"Model", m_modelLayout}});
    layout(m_modelLayout, "Model", 0, m_modelSpace);
    layout(m_paperLayout, "Layout1", 1, m_paperSpace);
    m_tags.str(0, "ENDSEC");
}

void Generator::dictionary(std::uint64_t handle, std::uint64_t owner,
                           std::initializer_list<Entry> entries)
{
    m_tags.str(0, "DICTIONARY");
    m_tags.handle(5, handle);
    m_tags.handle(330, owner);
    m_tags.str(100, "AcDbDictionary");
    m_tags.integer(281, 1);
    for (const Entry& entry : entries) {
        m_tags.str(3, entry.name);
        m_tags.handle(350, entry.handle);
    }
}

void Generator::layout(std::uint64_t handle, const char* name, int order, std::uint64_t record)
{
    m_tags.str(0, "LAYOUT");
    m_tags.handle(5, handle);
    m_tags.handle(330, m_layoutDictionary);
    m_tags.str(100, "AcDbPlotSettings");
    m_tags.str(1, "");
    m_tags.str(2, "none_device");
    m_tags.str(4, "ANSI_B_(11.00_x_17.00_Inches)");
    m_tags.str(6, "");
    for (int code = 40; code <= 49; ++code) {
        m_tags.real(code, code == 44 ? 431.8 : code == 45 ? 279.4 : 0.0);
    }
    m_tags.real(140, 0.0);
    m_tags.real(141, 0.0);
    m_tags.real(142, 1.0);
    m_tags.real(143, 1.0);
    m_tags.integer(70, order == 0 ? 1024 : 0);
    m_tags.integer(72, 0);
    m_tags.integer(73, 0);
    m_tags.integer(74, 5);
    m_tags.str(7, "");
    m_tags.integer(75, 16);
    m_tags.integer(76, 0);
    m_tags.integer(77, 2);
    m_tags.integer(78, 300);
    m_tags.real(147, 1.0);
    m_tags.real(148, 0.0);
    m_tags.real(149, 0.0);
    m_tags.str(100, "AcDbLayout");
    m_tags.str(1, name);
    m_tags.integer(70, 1);
    m_tags.integer(71, order);
    m_tags.point(10, 0, 0);  // limits, insertion base, extents
    m_tags.real(11, 17.0);
    m_tags.real(21, 11.0);
    m_tags.point(12, 0, 0);
    m_tags.point(14, 0, 0);
    m_tags.point(15, kExtent, kExtent);
    m_tags.real(146, 0.0);
    m_tags.point(13, 0, 0);
    m_tags.point(16, 1, 0);
    m_tags.point(17, 0, 1);
    m_tags.integer(76, 0);
    m_tags.handle(330, record);
}

}  // namespace kvbench
