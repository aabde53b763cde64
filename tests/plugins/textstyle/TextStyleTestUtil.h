// Helpers of the text style plug-in tests: a drawing and its standards drawings built in code, the
// standards written to a scratch folder and read back through the host's services, as a check
// reads them.
#pragma once

#include <CKvString.h>
#include <CKvSystemServices.h>
#include <CKvTextStylePluginImpl.h>
#include <DbDatabase.h>
#include <DbTextStyleTableRecord.h>

#include <QTemporaryDir>

#include <ostream>
#include <string>
#include <vector>

// Readable failure output for strings.
void PrintTo(const CKvString& text, std::ostream* os);

// The text style of that name, opened for writing; added (with the database's defaults) when the
// drawing has none.
OdDbTextStyleTableRecordPtr textStyle(OdDbDatabase& db, const char* name);
// Marks the style as a shape-file record.
void makeShapeFile(OdDbDatabase& db, const char* name);
// Gives the style a TrueType font file and its description.
void useTrueType(OdDbDatabase& db, const char* name, bool bold, bool italic);
// Sets the host's annotative and match-orientation flags of the style.
void makeAnnotative(OdDbDatabase& db, const char* name, bool matchOrientation);

// One reported violation: the style's name and whether it is a name violation.
struct Reported
{
    std::string name;
    bool nameViolation;
    bool operator==(const Reported& other) const
    {
        return name == other.name && nameViolation == other.nameViolation;
    }
};
void PrintTo(const Reported& reported, std::ostream* os);

// A drawing, standards drawings and the plug-in, with the host's services installed and the
// error and fix classes registered for the lifetime of the object.
class Check
{
    // Registers the error and fix classes before anything holds an error or a fix, and removes
    // them after.
    struct RecordClasses
    {
        RecordClasses();
        ~RecordClasses();
    };
    RecordClasses m_classes;

public:
    Check();
    ~Check();
    Check(const Check&) = delete;
    Check& operator=(const Check&) = delete;

    // A new standards drawing; written to the scratch folder when the check runs.
    OdDbDatabase& addStandards();
    // The paths of the standards drawings, in the order they were added.
    std::vector<CKvString> standardsPaths() const;

    // Writes the standards drawings and sets the plug-in up for a check of the drawing (of the
    // styles in `context` only, when it names any) with the given standards files.
    void setUp(const std::vector<CKvString>& paths, const std::vector<OdDbObjectId>& context = {});
    void setUp() { setUp(standardsPaths()); }
    // Sets up, then walks the check to its end; the errors in the order reported.
    std::vector<OdSmartPtr<CKvStdsError>> run(const std::vector<OdDbObjectId>& context = {});
    // The violations of `run`, as names and kinds.
    std::vector<Reported> reported(const std::vector<OdDbObjectId>& context = {});
    // The error for the named style of a run; fails the test when there is none.
    OdSmartPtr<CKvStdsError> errorFor(const char* name);

    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    CKvTextStylePluginImpl plugin;

private:
    QTemporaryDir m_folder;
    CKvSystemServices m_services;
    std::vector<OdDbDatabasePtr> m_standards;
};
