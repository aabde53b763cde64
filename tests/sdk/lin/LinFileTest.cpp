#include "LinFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<double> lengths(const kvlin::Definition& definition)
{
    std::vector<double> result;
    for (const kvlin::Element& element : definition.elements) {
        result.push_back(element.length);
    }
    return result;
}

std::string problemText(const kvlin::LinFile& file)
{
    std::string text;
    for (const kvlin::Problem& problem : file.problems) {
        text += std::to_string(problem.line) + ": " + problem.message + "\n";
    }
    return text;
}

TEST(LinFile, ReadsHeadersAndPatterns)
{
    struct Case
    {
        const char* what;
        std::string text;
        std::string name, description;
        std::vector<double> lengths;
        int line;
    };
    const Case cases[] = {
        {"plain definition",
         "*DASHED,Dashed __ __\nA,0.5,-0.25\n",
         "DASHED",
         "Dashed __ __",
         {0.5, -0.25},
         1},
        {"no description", "*HIDDEN\nA,.25,-.125\n", "HIDDEN", "", {0.25, -0.125}, 1},
        {"comments and blank lines",
         ";; file\n\n; note\n*DOT,Dot . .\n\n;; x\nA,0,-.25\n",
         "DOT",
         "Dot . .",
         {0, -0.25},
         4},
        {"CRLF line ends",
         "*DASHED,Dashed\r\nA,0.5,-0.25\r\n",
         "DASHED",
         "Dashed",
         {0.5, -0.25},
         1},
        {"blanks around everything",
         "  *DASHED , Dashed  \t\n\t A , .5 , -.25 \n",
         "DASHED",
         "Dashed",
         {0.5, -0.25},
         1},
        {"byte order mark",
         "\xEF\xBB\xBF*DASHED,Dashed\nA,.5,-.25\n",
         "DASHED",
         "Dashed",
         {0.5, -0.25},
         1},
        {"description keeps commas",
         "*BORDER,Border, wide\nA,1,-1\n",
         "BORDER",
         "Border, wide",
         {1, -1},
         1},
        {"number forms",
         "*N\nA,.5,-.25,0,1e-2,-2.5E+1,+3,-0\n",
         "N",
         "",
         {0.5, -0.25, 0, 0.01, -25, 3, 0},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kvlin::LinFile file = kvlin::parse(c.text);
        EXPECT_EQ(problemText(file), "");
        ASSERT_EQ(file.definitions.size(), 1u);
        const kvlin::Definition& d = file.definitions.front();
        EXPECT_EQ(d.name, c.name);
        EXPECT_EQ(d.description, c.description);
        EXPECT_EQ(d.alignment, 'A');
        EXPECT_EQ(lengths(d), c.lengths);
        EXPECT_EQ(d.line, c.line);
    }
    // The pattern length sums the absolute lengths; a bracket adds none.
    const kvlin::LinFile two =
        kvlin::parse("*Dashed,one\nA,.5,-.2,[\"G\",Standard],-.25\n*B\nA,1\n");
    EXPECT_DOUBLE_EQ(two.definitions.front().patternLength(), 0.95);
    // Found by name ignoring case.
    EXPECT_EQ(kvlin::find(two, "DASHED"), &two.definitions.front());
    EXPECT_EQ(kvlin::find(two, "b"), &two.definitions.back());
    EXPECT_EQ(kvlin::find(two, "DASHED2"), nullptr);
}

// An element as text: its length, then what its bracket holds.
std::string describe(const kvlin::Element& e)
{
    std::ostringstream out;
    out << e.length;
    if (e.kind != kvlin::Element::Plain) {
        out << (e.kind == kvlin::Element::Text ? " text " + e.text + " in " + e.styleName
                                               : " shape " + e.shapeName + " of " + e.shapeFile)
            << " S" << e.scale << (e.absoluteRotation ? " A" : " R") << e.rotation << " X"
            << e.xOffset << " Y" << e.yOffset << (e.upright ? " upright" : "");
    }
    return out.str();
}

TEST(LinFile, BracketDecoratesThePrecedingElement)
{
    struct Case
    {
        const char* what;
        const char* pattern;
        std::vector<std::string> elements;
    };
    const Case cases[] = {
        {"text with all parameters",
         "A,.5,-.2,[\"GAS\",Standard,S=.1,R=0.0,X=-0.1,Y=-.05],-.25",
         {"0.5", "-0.2 text GAS in Standard S0.1 R0 X-0.1 Y-0.05", "-0.25"}},
        {"parameters in any order and case",
         "A,.5,[\"GAS\",Standard,y=-.05,x=-0.1,r=30,s=.1],-.25",
         {"0.5 text GAS in Standard S0.1 R30 X-0.1 Y-0.05", "-0.25"}},
        {"commas inside quoted text",
         "A,1,[\"A,B\",Notes,S=2],-1",
         {"1 text A,B in Notes S2 R0 X0 Y0", "-1"}},
        {"blanks inside brackets",
         "A,1,[ \"T\" , Notes , S = 2 , X = 1 ],-1",
         {"1 text T in Notes S2 R0 X1 Y0", "-1"}},
        {"shape with absolute rotation",
         "A,.15,-.1,[TRACK1,ltypeshp.shx,S=.25,A=90],-.15",
         {"0.15", "-0.1 shape TRACK1 of ltypeshp.shx S0.25 A90 X0 Y0", "-0.15"}},
        {"upright text",
         "A,-.2,[\"HW\",Standard,S=.1,U=0]",
         {"-0.2 text HW in Standard S0.1 R0 X0 Y0 upright"}},
        {"shape without parameters",
         "A,0,[CIRC1,shapes.shx],-1",
         {"0 shape CIRC1 of shapes.shx S1 R0 X0 Y0", "-1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kvlin::LinFile file = kvlin::parse(std::string("*P\n") + c.pattern + "\n");
        EXPECT_EQ(problemText(file), "");
        ASSERT_EQ(file.definitions.size(), 1u);
        std::vector<std::string> elements;
        for (const kvlin::Element& e : file.definitions.front().elements) {
            elements.push_back(describe(e));
        }
        EXPECT_EQ(elements, c.elements);
    }
}

TEST(LinFile, BadLinesBecomeProblemsAndTheRestIsRead)
{
    struct Case
    {
        const char* what;
        std::string text;
        std::vector<int> problemLines;
        std::vector<std::string> names;  // definitions read despite the problems
    };
    const std::string good = "*GOOD,Good\nA,1,-1\n";
    const Case cases[] = {
        {"header without pattern before another header", "*LOST,Lost\n" + good, {1}, {"GOOD"}},
        {"pattern without header", "A,1,-1\n" + good, {1}, {"GOOD"}},
        {"bad number", "*BAD\nA,0.5,-0.2x\n" + good, {2}, {"GOOD"}},
        {"not a finite number", "*BAD\nA,inf,-1\n*BAD2\nA,1,nan\n" + good, {2, 4}, {"GOOD"}},
        {"alignment other than A", "*BAD\nB,1,-1\n" + good, {2}, {"GOOD"}},
        {"header without a name", "*,Nameless\nA,1,-1\n" + good, {1}, {"GOOD"}},
        {"name defined twice keeps the first", good + "*good,Again\nA,5,-5\n", {3}, {"GOOD"}},
        {"bracket before any element", "*BAD\nA,[\"T\",Standard],1\n" + good, {2}, {"GOOD"}},
        {"bracket not closed", "*BAD\nA,1,[\"T\",Standard,S=1\n" + good, {2}, {"GOOD"}},
        {"missing text style",
         "*BAD\nA,1,[\"T\"]\n*BAD2\nA,1,[\"T\",S=1]\n" + good,
         {2, 4},
         {"GOOD"}},
        {"unknown parameter", "*BAD\nA,1,[\"T\",Standard,Q=1]\n" + good, {2}, {"GOOD"}},
        {"parameter given twice", "*BAD\nA,1,[\"T\",Standard,S=1,s=2]\n" + good, {2}, {"GOOD"}},
        {"two rotations", "*BAD\nA,1,[\"T\",Standard,R=1,A=2]\n" + good, {2}, {"GOOD"}},
        {"problems on CRLF lines count lines",
         "*A\r\nA,1\r\n*B\r\nA,x\r\n" + good,
         {4},
         {"A", "GOOD"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kvlin::LinFile file = kvlin::parse(c.text);
        std::vector<int> lines;
        for (const kvlin::Problem& problem : file.problems) {
            lines.push_back(problem.line);
            EXPECT_FALSE(problem.message.empty());
        }
        EXPECT_EQ(lines, c.problemLines) << problemText(file);
        std::vector<std::string> names;
        for (const kvlin::Definition& definition : file.definitions) {
            names.push_back(definition.name);
        }
        EXPECT_EQ(names, c.names);
    }
    // A message names the line style and the bad text.
    const kvlin::LinFile bad = kvlin::parse("*DASHED\nA,0.5,-0.2x\n");
    ASSERT_EQ(bad.problems.size(), 1u);
    EXPECT_NE(bad.problems[0].message.find("DASHED"), std::string::npos);
    EXPECT_NE(bad.problems[0].message.find("-0.2x"), std::string::npos);
}

}  // namespace
