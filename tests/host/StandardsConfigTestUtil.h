// Helpers for the standards configuration tests: the widgets' application, a settings folder of
// the test's own and a drawing open as the current document with a manager over stand-in
// plug-ins.
#pragma once

#include "CommandTestUtil.h"
#include "HostDoubles.h"
#include "WidgetChecks.h"

#include <CKvDocument.h>
#include <CKvStandardsAssociation.h>
#include <CKvString.h>
#include <DbDatabase.h>

#include <QDialogButtonBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Everything a configuration test runs in: the application, a settings folder, installed
// services and a manager over the given plug-ins.
struct ConfigScope
{
    explicit ConfigScope(std::vector<CKvStdsPlugins*> plugins = {})
        : manager((ensureWidgetsApplication(), std::move(plugins)))
    {}
    ConfigScope(const ConfigScope&) = delete;
    ConfigScope& operator=(const ConfigScope&) = delete;

    // Writes a new drawing associated with `paths` into the scratch folder and opens it as the
    // current document.
    CKvDocument* openDrawing(const std::vector<CKvString>& paths = {})
    {
        OdDbDatabasePtr db = OdDbDatabase::createObject();
        CKvStandardsAssociation(db.get()).setPaths(paths);
        const QString file = home.path() + "/drawing.dxf";
        db->writeFile(CKvString(file).toOdString());
        return services.services.documentManager()->open(CKvString(file));
    }

    ConfigHomeScope home;
    ServicesScope services;
    StubManager manager;
};

// The association the document's drawing holds.
inline std::vector<std::string> storedAssociation(CKvDocument* document)
{
    std::vector<std::string> paths;
    for (const CKvString& path : CKvStandardsAssociation(document->database()).paths()) {
        paths.push_back(path.toUtf8());
    }
    return paths;
}
