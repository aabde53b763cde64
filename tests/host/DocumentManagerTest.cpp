#include "CommandTestUtil.h"

#include <CKvDocumentManager.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Logs document events as "Event:file name" and whether the host was busy ("!") when it came.
class LoggingDocumentReactor : public CKvDocumentManagerReactor
{
public:
    explicit LoggingDocumentReactor(EventLog& log) : m_log(log) {}

    void DocumentCreateStarted(CKvDocument* d) override { note("CreateStarted", d); }
    void DocumentCreated(CKvDocument* d) override { note("Created", d); }
    void DocumentCreateCanceled(CKvDocument* d) override { note("CreateCanceled", d); }
    void DocumentToBeDestroyed(CKvDocument* d) override { note("ToBeDestroyed", d); }
    void DocumentDestroyed(CKvDocument*, const CKvString& f) override
    {
        m_log.push_back("Destroyed:" + name(f));
    }
    void DocumentToBeActivated(CKvDocument* d) override { note("ToBeActivated", d); }
    void DocumentBecameCurrent(CKvDocument* d) override { note("BecameCurrent", d); }
    void DocumentActivated(CKvDocument* d) override { note("Activated", d); }
    void DocumentToBeDeactivated(CKvDocument* d) override { note("ToBeDeactivated", d); }

private:
    static std::string name(const CKvString& path)
    {
        return QFileInfo(path.toQString()).fileName().toStdString();
    }
    void note(const char* what, CKvDocument* d)
    {
        const bool busy = d->isBusy() && d->commandContext()->isBusy();
        m_log.push_back(std::string(what) + ":" + name(d->fileName()) + (busy ? "!" : ""));
    }
    EventLog& m_log;
};

// Two saved drawings, a.dxf and b.dxf, in a folder of their own.
class Drawings
{
public:
    Drawings()
    {
        for (const char* name : {"a.dxf", "b.dxf"}) {
            OdDbDatabasePtr db = OdDbDatabase::createObject();
            db->writeFile(OdString(path(name).toUtf8()));
        }
    }
    CKvString path(const char* name) const { return CKvString(QDir(m_dir.path()).filePath(name)); }

private:
    QTemporaryDir m_dir;
};

std::string activeName()
{
    CKvDocument* d = ACTIVE_DOCUMENT();
    return d ? QFileInfo(d->fileName().toQString()).fileName().toStdString() : "none";
}

}  // namespace

// Closing announces the destruction first and moves to another document.
TEST(DocumentManager, OpeningSwitchingAndClosingSendEventsInOrderAndActiveDocumentFollows)
{
    EXPECT_EQ(ACTIVE_DOCUMENT(), nullptr);  // no services
    ServicesScope scope;
    Drawings files;
    CKvDocumentManager* manager = scope.services.documentManager();
    EventLog log;
    LoggingDocumentReactor reactor(log);
    manager->addReactor(&reactor);

    struct Step
    {
        const char* what;
        std::function<void()> act;
        EventLog events;
        const char* active;
    };
    CKvDocument* a = nullptr;
    CKvDocument* b = nullptr;
    const Step steps[] = {
        {"no document", [] {}, {}, "none"},
        {"open a",
         [&] { a = manager->open(files.path("a.dxf")); },
         {"CreateStarted:a.dxf!", "Created:a.dxf", "ToBeActivated:a.dxf", "BecameCurrent:a.dxf",
          "Activated:a.dxf"},
         "a.dxf"},
        {"open b",
         [&] { b = manager->open(files.path("b.dxf")); },
         {"CreateStarted:b.dxf!", "Created:b.dxf", "ToBeDeactivated:a.dxf", "ToBeActivated:b.dxf",
          "BecameCurrent:b.dxf", "Activated:b.dxf"},
         "b.dxf"},
        {"switch to a",
         [&] { manager->activate(a); },
         {"ToBeDeactivated:b.dxf", "ToBeActivated:a.dxf", "BecameCurrent:a.dxf", "Activated:a.dxf"},
         "a.dxf"},
        {"switch to the current one", [&] { manager->activate(a); }, {}, "a.dxf"},
        {"unreadable drawing",
         [&] {
             EXPECT_EQ(manager->open(files.path("none.dxf")), nullptr);
             EXPECT_FALSE(manager->lastError().isEmpty());
             EXPECT_EQ(manager->documents(), (std::vector<CKvDocument*>{a, b}));
             EXPECT_EQ(manager->documentOf(b->database()), b);
         },
         {"CreateStarted:none.dxf!", "CreateCanceled:none.dxf!"},
         "a.dxf"},
        {"close the current one",
         [&] { manager->close(a); },
         {"ToBeDeactivated:a.dxf!", "ToBeDestroyed:a.dxf!", "Destroyed:a.dxf",
          "ToBeActivated:b.dxf", "BecameCurrent:b.dxf", "Activated:b.dxf"},
         "b.dxf"},
        {"open a again",
         [&] { a = manager->open(files.path("a.dxf")); },
         {"CreateStarted:a.dxf!", "Created:a.dxf", "ToBeDeactivated:b.dxf", "ToBeActivated:a.dxf",
          "BecameCurrent:a.dxf", "Activated:a.dxf"},
         "a.dxf"},
        {"close another one",
         [&] {
             OdDbDatabase* closed = b->database();
             manager->close(b);
             EXPECT_EQ(manager->documentOf(closed), nullptr);
             EXPECT_EQ(manager->documents(), std::vector<CKvDocument*>{a});
         },
         {"ToBeDestroyed:b.dxf!", "Destroyed:b.dxf"},
         "a.dxf"},
        {"close the last one",
         [&] { manager->close(a); },
         {"ToBeDeactivated:a.dxf!", "ToBeDestroyed:a.dxf!", "Destroyed:a.dxf"},
         "none"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        log.clear();
        step.act();
        EXPECT_EQ(log, step.events);
        EXPECT_EQ(activeName(), step.active);
        EXPECT_FALSE(scope.services.commandProcessor().isBusy());
    }
    manager->removeReactor(&reactor);
}
