#include "CheckTestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

QStringList lines(const std::string& text)
{
    return QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
}

QStringList standardsOf(const QJsonObject& drawing)
{
    QStringList paths;
    for (const QJsonValue& path : drawing.value("standards").toArray()) {
        paths << path.toString();
    }
    return paths;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

TEST(CommandLine, ArgumentErrorsExitTwoWithTheUsageAndHelpExitsZero)
{
    CheckScope scope;
    const std::string drawing = scope.writeDrawing("a.dxf", {});
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
        const char* out;  // part of stdout; part of stderr when the exit code is 2
    };
    const Case cases[] = {
        {"no drawing", {"check"}, 2, "DRAWING"},
        {"only options", {"check", "--format", "json"}, 2, "DRAWING"},
        {"unknown option", {"check", drawing, "--fast"}, 2, "--fast"},
        {"unknown format", {"check", drawing, "--format", "xml"}, 2, "xml"},
        {"format without a value", {"check", drawing, "--format"}, 2, "--format"},
        {"standards without a value", {"check", drawing, "--standards"}, 2, "--standards"},
        {"output twice", {"check", drawing, "--output", "a", "--output", "b"}, 2, "--output"},
        {"empty output name", {"check", drawing, "--output", ""}, 2, "--output"},
        {"empty standards name", {"check", drawing, "--standards", ""}, 2, "--standards"},
        {"a shard beyond the parts", {"check", drawing, "--shard", "4/3"}, 2, "--shard"},
        {"no jobs", {"fix", drawing, "--jobs", "0"}, 2, "--jobs"},
        {"merging no report", {"report", "merge"}, 2, "REPORT"},
        {"no command", {}, 2, "usage: kvcad"},
        {"unknown command", {"verify", drawing}, 2, "verify"},
        {"an edit without its file",
         {"standards", "add", drawing},
         2,
         "usage: kvcad standards add"},
        {"the version", {"--version"}, 0, "kvcad "},
        {"help of a command", {"check", "--help"}, 0, "usage: kvcad check"},
        {"help of a standards action", {"standards", "plugins", "--help"}, 0, "--enable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KvcadRun run = scope.kvcad(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        const std::string& said = c.exitCode == 0 ? run.out : run.err;
        EXPECT_NE(said.find(c.out), std::string::npos) << said;
        EXPECT_EQ(c.exitCode == 0 ? run.err : run.out, "");
        if (c.exitCode != 0 && !c.args.empty() && c.args[0] == "check") {
            EXPECT_NE(run.err.find("usage: kvcad check"), std::string::npos) << run.err;
        }
    }
}

TEST(CheckCommand, EveryMessageNamesTheFileOnce)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string readOnly = scope.writeDrawing("read-only.dxf", {{"Walls", 2}}, {standards});
    QFile::setPermissions(q(readOnly), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const std::string folder = QFileInfo(q(scope.path("folder.dxf/x"))).path().toStdString();
    const std::string missing = scope.path("missing.dxf");
    const std::string garbage = scope.writeGarbage("garbage.dws");
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
        std::string file;
    };
    const Case cases[] = {
        {"info of a folder", {"info", folder}, folder},
        {"convert of a missing file", {"convert", missing, scope.path("out.dxf")}, missing},
        {"a read-only drawing fixed", {"fix", readOnly}, readOnly},
        {"a standards file given relative, that is no drawing",
         {"standards", "add", readOnly, "garbage.dws"},
         "garbage.dws"},
        {"a read-only drawing's association edited",
         {"standards", "remove", readOnly, standards},
         readOnly},
        {"a standards file that is no drawing",
         {"check", readOnly, "--standards", garbage},
         garbage},
        {"a map that is a folder", {"fix", readOnly, "--map", folder}, folder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KvcadRun run = scope.kvcad(c.args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_TRUE(q(run.err).contains(q(c.file))) << run.err;
        for (const QString& line : lines(run.err) + lines(run.out)) {
            EXPECT_LE(line.count(q(c.file)), 1) << line.toStdString();
        }
    }
}

TEST(CheckCommand, AStandardsFileSharedByManyDrawingsIsReportedOnce)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string broken = scope.writeGarbage("broken.dws");
    const std::string missing = scope.path("nowhere.dws");
    struct Case
    {
        const char* what;
        std::vector<std::string> associated;
        std::vector<std::string> options;
        std::string failingFile;
    };
    const Case cases[] = {
        {"associated file that is no DXF", {broken}, {}, broken},
        {"missing file given after a good one",
         {},
         {"--standards", standards, "--standards", missing},
         missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args = {"check", "--format", "json"};
        for (const char* name : {"a.dxf", "b.dxf", "c.dxf"}) {
            args.push_back(scope.writeDrawing(name, {{"Temp", 2}}, c.associated));
        }
        args.insert(args.end(), c.options.begin(), c.options.end());
        const KvcadRun run = scope.kvcad(args);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(lines(run.err).size(), 1) << run.err;
        EXPECT_TRUE(lines(run.err)[0].startsWith(q(c.failingFile))) << run.err;
        ASSERT_EQ(run.drawings().size(), 3) << run.out;
        for (const QJsonValue& drawing : run.drawings()) {
            EXPECT_TRUE(drawing.toObject().value("error").toString().contains(q(c.failingFile)));
            EXPECT_TRUE(drawing.toObject().value("violations").toArray().isEmpty());
        }
    }
}

TEST(CheckCommand, StandardsOptionReplacesTheAssociationAndKeepsItsOrder)
{
    CheckScope scope;
    const std::string associated = scope.writeDrawing("std/associated.dws", {{"Walls", 2}});
    const std::string red = scope.writeDrawing("std/red.dws", {{"Walls", 1}});
    const std::string yellow = scope.writeDrawing("std/yellow.dws", {{"Walls", 2}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Walls", 2}}, {associated});
    struct Case
    {
        const char* what;
        std::vector<std::string> standards;
        QStringList expected;
        int exitCode;
        QString fixFile;  // of the recommended fix of "Walls"; empty: no violation
    };
    const Case cases[] = {
        {"the association", {}, {q(associated)}, 0, {}},
        {"one file instead", {red}, {q(red)}, 1, q(red)},
        {"the first file's layer is the standard", {red, yellow}, {q(red), q(yellow)}, 1, q(red)},
        {"in the order given", {yellow, red}, {q(yellow), q(red)}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args = {"check", drawing, "--format", "json"};
        for (const std::string& file : c.standards) {
            args.insert(args.end(), {"--standards", file});
        }
        const KvcadRun run = scope.kvcad(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        ASSERT_EQ(run.drawings().size(), 1) << run.out;
        const QJsonObject report = run.drawings()[0].toObject();
        EXPECT_EQ(standardsOf(report), c.expected);
        const QJsonObject walls = violationNamed(report, "Walls");
        EXPECT_EQ(walls.value("fix").toObject().value("standardsFile").toString(), c.fixFile);
    }
}

TEST(CheckCommand, AssociationIsResolvedAsTheModuleResolvesIt)
{
    CheckScope scope;
    const std::string beside = scope.writeDrawing("project/office.dws", {});
    const std::string elsewhere = scope.writeDrawing("elsewhere/office.dws", {});
    struct Case
    {
        const char* what;
        std::vector<std::string> stored;
        QStringList resolved;
        const char* missing;  // the files named as found nowhere; nullptr: all are found
    };
    const Case cases[] = {
        {"a bare file name, found beside the drawing", {"office.dws"}, {q(beside)}, nullptr},
        {"a moved file, found beside the drawing by its name",
         {"C:\\standards\\office.dws"},
         {q(beside)},
         nullptr},
        {"two moved files found in one place: the file once",
         {"C:\\standards\\office.dws", "D:\\old\\office.dws"},
         {q(beside)},
         nullptr},
        {"a file stored as it is and as it was before it moved: the file once",
         {beside, "C:\\standards\\office.dws"},
         {q(beside)},
         nullptr},
        {"a file that exists as stored", {elsewhere}, {q(elsewhere)}, nullptr},
        {"a file found nowhere: not checked", {"/srv/none/absent.dws"}, {}, "/srv/none/absent.dws"},
        {"every file found nowhere named",
         {elsewhere, "/srv/a.dws", "/srv/b.dws"},
         {},
         "/srv/a.dws, /srv/b.dws"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string drawing = scope.writeDrawing("project/drawing.dxf", {}, c.stored);
        const KvcadRun run = scope.kvcad({"check", drawing, "--format", "json"});
        EXPECT_EQ(run.exitCode, c.missing ? 2 : 0) << run.err;
        ASSERT_EQ(run.drawings().size(), 1) << run.out;
        const QJsonObject report = run.drawings()[0].toObject();
        if (c.missing == nullptr) {
            EXPECT_EQ(standardsOf(report), c.resolved);
        } else {
            EXPECT_TRUE(q(run.err).startsWith(q(drawing))) << run.err;
            EXPECT_TRUE(q(run.err).contains(c.missing)) << run.err;
            EXPECT_TRUE(report.value("error").toString().contains(c.missing));
        }
    }
}

TEST(CheckCommand, ADrawingWhoseAssociationCannotBeReadIsReportedByEveryCommand)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string good = scope.writeDrawing("good.dxf", {{"Temp", 2}}, {standards});
    const std::string broken = scope.writeDrawing("broken.dxf", {{"Temp", 2}});
    scope.breakAssociation(broken);
    const std::string report = scope.path("out/report.json");
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"check, with a drawing after it", {"check", broken, good, "--output", report}},
        {"fix", {"fix", broken, good, "--output", report}},
        {"info", {"info", broken}},
        {"standards list", {"standards", "list", broken}},
        {"standards add", {"standards", "add", broken, standards}},
        {"run", {"run", broken, "INTERSTATEVERIFY"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KvcadRun run = scope.kvcad(c.args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_TRUE(q(run.err).startsWith(q(broken) + ": ")) << run.err;
        EXPECT_TRUE(q(run.err).contains("\"AcStStandard\"")) << run.err;
        if (c.args.back() == report) {
            // The other drawing is still done, and the report put in place whole.
            EXPECT_EQ(QDir(q(scope.path("out"))).entryList(QDir::Files),
                      QStringList{"report.json"});
            QFile written(q(report));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_TRUE(written.readAll().contains("\"Temp\""));
        }
    }
    // The other program's object is still there.
    const KvcadRun info = scope.kvcad({"info", broken, "--json"});
    EXPECT_TRUE(q(info.out).contains("XRECORD")) << info.out;
}

TEST(CheckCommand, IgnoredViolationsAreShownAndDoNotCount)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    struct Case
    {
        const char* what;
        std::vector<std::string> ignored;
        int exitCode;
    };
    const Case cases[] = {
        {"nothing ignored", {}, 1},
        {"one of two ignored", {"Temp"}, 1},
        {"both ignored", {"Temp", "Walls"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string drawing =
            scope.writeDrawing("drawing.dxf", {{"Temp", 2}, {"Walls", 3}}, {standards});
        for (const std::string& layer : c.ignored) {
            scope.ignoreLayer(drawing, layer, "alice");
        }
        const KvcadRun json = scope.kvcad({"check", drawing, "--format", "json"});
        EXPECT_EQ(json.exitCode, c.exitCode) << json.err;
        ASSERT_EQ(json.drawings().size(), 1) << json.out;
        const KvcadRun text = scope.kvcad({"check", drawing});
        EXPECT_EQ(text.exitCode, c.exitCode);
        for (const char* layer : {"Temp", "Walls"}) {
            SCOPED_TRACE(layer);
            const bool ignored =
                std::find(c.ignored.begin(), c.ignored.end(), layer) != c.ignored.end();
            const QJsonObject violation = violationNamed(json.drawings()[0].toObject(), layer);
            EXPECT_EQ(violation.value("ignored").toBool(), ignored);
            EXPECT_EQ(violation.value("ignoredBy").toString(), ignored ? "alice" : "");
            const QString marker = ignored ? QString("ignored (by alice): Layer \"%1\"")
                                           : QString("violation: Layer \"%1\"");
            EXPECT_TRUE(q(text.out).contains(marker.arg(layer))) << text.out;
        }
        const QStringList said = lines(text.out);
        EXPECT_TRUE(said.last().contains(QString("%1 ignored").arg(c.ignored.size()))) << text.out;
        EXPECT_EQ(said.contains(q(drawing) + ": OK (2 ignored)"), c.exitCode == 0) << text.out;
        EXPECT_TRUE(said.contains("standards files: " + q(standards))) << text.out;
        EXPECT_TRUE(
            said.contains("plug-ins: Dimension Styles 1.0, Layers 1.0, Line Styles 1.0, "
                          "Text Styles 1.0"))
            << text.out;
    }
}

TEST(CheckCommand, AnIgnoredMarkThatCannotBeReadDoesNotHideTheViolation)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Temp", 2}}, {standards});
    scope.breakIgnoredMark(drawing, "Temp");
    const KvcadRun run = scope.kvcad({"check", drawing, "--format", "json"});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.drawings().size(), 1) << run.out;
    const QJsonObject temp = violationNamed(run.drawings()[0].toObject(), "Temp");
    EXPECT_FALSE(temp.isEmpty());
    EXPECT_FALSE(temp.value("ignored").toBool());
    ASSERT_EQ(lines(run.err).size(), 1) << run.err;
    EXPECT_TRUE(lines(run.err)[0].contains("Layer \"Temp\"")) << run.err;
}

TEST(CheckCommand, AReportThatCannotBeWrittenOrWouldReplaceAFileReadExitsTwo)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string associated = scope.writeDrawing("associated.dws", {{"Walls", 1}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Temp", 2}}, {associated});
    const std::string absent = scope.path("absent") + "/report.json";
    struct Case
    {
        const char* what;
        std::vector<std::string> options;
        std::string target;
    };
    const Case cases[] = {
        {"a folder that does not exist", {}, absent},
        {"the drawing", {}, drawing},
        {"a standards file given", {"--standards", standards}, standards},
        {"the drawing's associated standards file", {}, associated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile file(q(c.target));
        const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        std::vector<std::string> args = {"check", drawing, "--output", c.target};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const KvcadRun run = scope.kvcad(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(q(run.err).contains(q(c.target))) << run.err;
        QFile after(q(c.target));
        EXPECT_EQ(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray(), before);
        EXPECT_TRUE(QDir(q(scope.path(""))).entryList({"*.tmp-*"}, QDir::Files).isEmpty());
    }
}

}  // namespace

TEST(CheckCommand, DisabledPluginsAreNotRun)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Temp", 2}}, {standards});
    struct Case
    {
        const char* what;
        std::vector<std::string> plugins;  // arguments of "kvcad standards plugins"
        int pluginsExit;
        int checkExit;
    };
    const Case cases[] = {
        {"layers disabled by name", {"--disable", "layers"}, 0, 0},
        {"an unknown plug-in changes nothing",
         {"--enable", "Layers", "--disable", "Hatches"},
         2,
         0},
        {"every plug-in disabled: nothing is checked",
         {"--disable", "Layers", "--disable", "Line Styles", "--disable", "Text Styles",
          "--disable", "Dimension Styles"},
         0,
         2},
        {"layers enabled by class id", {"--enable", "e81a7eb1-a22c-4bd4-96f8-725d0798de29"}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args{"standards", "plugins"};
        args.insert(args.end(), c.plugins.begin(), c.plugins.end());
        const KvcadRun plugins = scope.kvcad(args);
        EXPECT_EQ(plugins.exitCode, c.pluginsExit) << plugins.err;
        const KvcadRun check = scope.kvcad({"check", drawing});
        EXPECT_EQ(check.exitCode, c.checkExit) << check.out << check.err;
    }
    const KvcadRun listed = scope.kvcad({"standards", "plugins"});
    EXPECT_TRUE(
        q(listed.out)
            .contains(QRegularExpression("^on +Layers ", QRegularExpression::MultilineOption)))
        << listed.out;
}

TEST(CheckCommand, PluginsOptionChoosesThePluginsOfOneRun)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Temp", 2}}, {standards});
    ASSERT_EQ(scope.kvcad({"standards", "plugins", "--disable", "Layers"}).exitCode, 0);
    struct Case
    {
        const char* what;
        std::string plugins;
        int exitCode;
        const char* said;  // on stdout, or on stderr with exit 2
    };
    const Case cases[] = {
        {"a disabled plug-in by name, in any case", "layers", 1, "plug-ins: Layers 1.0\n"},
        {"by class id, with another", "Text Styles,E81A7EB1-a22c-4bd4-96f8-725d0798de29", 1,
         "plug-ins: Layers 1.0, Text Styles 1.0\n"},
        {"others only", "Text Styles", 0, "plug-ins: Text Styles 1.0\n"},
        {"an unknown one", "Layers,Hatches", 2, "no standards plug-in \"Hatches\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* command : {"check", "fix"}) {
            const KvcadRun run = scope.kvcad({command, drawing, "--plugins", c.plugins});
            EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
            if (c.exitCode == 2 || std::string(command) == "check") {
                EXPECT_TRUE(q(c.exitCode == 2 ? run.err : run.out).contains(c.said))
                    << run.out << run.err;
            }
        }
    }
    // The user's flags are as they were.
    EXPECT_TRUE(
        q(scope.kvcad({"standards", "plugins"}).out)
            .contains(QRegularExpression("^off +Layers ", QRegularExpression::MultilineOption)));
}

TEST(CheckCommand, RequireStandardsFailsADrawingWithoutAssociation)
{
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string associated =
        scope.writeDrawing("associated.dxf", {{"Walls", 1}}, {standards});
    const std::string alone = scope.writeDrawing("alone.dxf", {{"Walls", 1}});
    const std::string shard = scope.path("shard.json");
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {"associated", {"check", associated, "--require-standards"}, 0, ": OK"},
        {"not required", {"check", alone}, 0, "note: no standards files"},
        {"text", {"check", alone, "--require-standards"}, 1, "violation: no standards file"},
        {"junit",
         {"check", alone, "--require-standards", "--format", "junit"},
         1,
         "<failure message=\"no standards file"},
        {"html",
         {"check", alone, "--require-standards", "--format", "html"},
         1,
         "class=\"failed\">no standards file"},
        {"json, merged into text",
         {"check", alone, "--require-standards", "--format", "json", "--output", shard},
         1,
         ""},
        {"the merge", {"report", "merge", shard}, 1, "violation: no standards file"},
        {"fix", {"fix", alone, "--require-standards"}, 1, "violation: no standards file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KvcadRun run = scope.kvcad(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(q(run.out).contains(c.said)) << run.out;
    }
}
