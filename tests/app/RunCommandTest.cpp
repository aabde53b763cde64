// kvcad run: commands run on a drawing opened as the current document.
#include "CheckTestUtil.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(RunCommand, RunsCommandsAsTypedAndSaysWhichDidNotEndNormally)
{
    CheckScope scope;
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Walls", 1}});
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
        const char* message;  // part of stderr, or nullptr when it must be empty
    };
    const Case cases[] = {
        {"a module command", {"run", drawing, "INTERSTATEVERIFY"}, 0, nullptr},
        {"an unknown command", {"run", drawing, "NOSUCH"}, 1, "\"NOSUCH\" is not a command"},
        {"the host's configuration, with a page it does not have",
         {"run", drawing, "_DWGSTANDARDS 7"},
         1,
         "\"_DWGSTANDARDS 7\" ended with an error"},
        {"several, one failing", {"run", drawing, "INTERSTATEVERIFY", "NOSUCH"}, 1, "NOSUCH"},
        {"no command", {"run", drawing}, 2, "usage: kvcad run"},
        {"an unreadable drawing",
         {"run", scope.path("missing.dxf"), "INTERSTATEVERIFY"},
         2,
         "missing.dxf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KvcadRun run = scope.kvcad(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.message == nullptr) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        }
    }
}

TEST(RunCommand, WithoutADisplayItRefusesRatherThanWaitOnADialogNobodySees)
{
    CheckScope scope;
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Walls", 1}});
    const char* const display[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<std::pair<QByteArray, bool>> saved;
    for (const char* variable : display) {
        saved.emplace_back(qgetenv(variable), qEnvironmentVariableIsSet(variable));
        qunsetenv(variable);
    }
    const KvcadRun run = scope.kvcad({"run", drawing, "INTERSTATEVERIFY"});
    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i].second) {
            qputenv(display[i], saved[i].first);
        }
    }
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("kvcad check and kvcad fix"), std::string::npos) << run.err;
}

TEST(RunCommand, SaveWritesTheDrawingBackOnlyWhenAsked)
{
    // A drawing that conforms to its standards: the background check finds nothing to ask about.
    CheckScope scope;
    const std::string standards = scope.writeDrawing("std.dws", {{"Walls", 1}});
    const std::string drawing = scope.writeDrawing("drawing.dxf", {{"Walls", 1}}, {standards});
    const QString path = QString::fromStdString(drawing);
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    const auto backdate = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    };
    const auto written = [&] { return QFileInfo(path).lastModified() > past.addSecs(60); };

    backdate();
    EXPECT_EQ(scope.kvcad({"run", drawing, "INTERSTATEVERIFY"}).exitCode, 0);
    EXPECT_FALSE(written());
    EXPECT_EQ(scope.kvcad({"run", drawing, "INTERSTATEVERIFY", "--save"}).exitCode, 0);
    EXPECT_TRUE(written());
    // Still the same drawing, associated with its standards file.
    const KvcadRun check = scope.kvcad({"check", drawing, "--format", "json"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    const QJsonArray used = check.drawings()[0].toObject()["standards"].toArray();
    ASSERT_EQ(used.size(), 1);
    EXPECT_EQ(used[0].toString().toStdString(), standards);
}
