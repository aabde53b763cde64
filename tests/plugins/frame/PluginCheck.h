// Running a plug-in's check outside the module, as the manager does: the host records and the
// plug-in's class registered, the host's services installed (SetupForAudit reads the standards
// files through them), standards drawings saved to a temporary folder, and the whole walk
// (Clear, SetContext, SetupForAudit, Start, then GetError, GetAllFixes and Next until Done).
#pragma once

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsPlugins.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <OdDb.h>

#include <QTemporaryDir>

#include <CmColor.h>
#include <memory>
#include <string>
#include <vector>

// One violation as the manager keeps it: the error, the fixes offered and the recommended one.
struct Violation
{
    OdSmartPtr<CKvStdsError> error;
    OdArray<OdSmartPtr<CKvStdsFix>> fixes;
    int recommended = -1;

    std::string name() const;
    std::string description() const;
    // The display names of the fixes, in order.
    std::vector<std::string> fixNames() const;
};

class CheckScope
{
public:
    // resources: the host's resources folder (its line style definition files); none by default.
    explicit CheckScope(const CKvString& resources = CKvString());
    ~CheckScope();
    CheckScope(const CheckScope&) = delete;
    CheckScope& operator=(const CheckScope&) = delete;

    // Saves the drawing as a standards file of that name in the temporary folder; its path.
    CKvString save(OdDbDatabase* standards, const char* fileName);
    // The drawing saved and read again, its records whose names hold a '|' marked as records of
    // an external reference (DXF flags 16 and 32), as a drawing that references another holds
    // them.
    OdDbDatabasePtr withXrefRecords(OdDbDatabase* drawing);
    // A path in the temporary folder where no file is.
    CKvString missing(const char* fileName) const;

    // The whole check of the drawing against the standards files; with ids, restricted to them.
    static std::vector<Violation> check(CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing,
                                        const std::vector<CKvString>& standards,
                                        const OdArray<OdDbObjectId>& ids = OdArray<OdDbObjectId>(),
                                        bool checkAll = true);
    // The names of the violating records, in order.
    static std::vector<std::string> names(const std::vector<Violation>& violations);

private:
    QTemporaryDir m_folder;
    std::unique_ptr<CKvSystemServices> m_services;
};

std::string text(const CKvString& value);

OdDbObjectId addLineStyle(OdDbDatabase* db, const char* name, const std::vector<double>& dashes);
OdDbObjectId addLayer(OdDbDatabase* db, const char* name, const OdCmColor& color,
                      const char* lineStyle = "Continuous",
                      OdDb::LineWeight lineWeight = OdDb::kLnWtByLwDefault);
OdCmColor indexColor(int index);
// The text style of that name, opened for writing; added when missing. Then: made a shape-file
// style, given a TrueType font and its description, made annotative by the host's flags.
OdDbTextStyleTableRecordPtr textStyle(OdDbDatabase& db, const char* name);
void makeShapeFile(OdDbDatabase& db, const char* name);
void useTrueType(OdDbDatabase& db, const char* name, bool bold, bool italic);
void makeAnnotative(OdDbDatabase& db, const char* name, bool matchOrientation);
// The dimension style of that name, opened for writing; added with the defaults when missing.
OdDbDimStyleTableRecordPtr dimStyle(OdDbDatabase& db, const char* name);
// A new block definition of that name.
OdDbObjectId addBlock(OdDbDatabase& db, const char* name);
// A line on the layer appended to the block (model space, a block definition).
OdDbObjectId addLineOn(OdDbObjectId block, OdDbObjectId layer);
// The violation of the named record; fails the test when there is none.
const Violation& violationOf(const std::vector<Violation>& violations, const char* name);
// The fix of that name offered for the violation; fails the test when there is none.
OdSmartPtr<CKvStdsFix> fixNamed(const Violation& violation, const char* name);
// A true colour; with an index, one that keeps that palette index too, as drawings store it.
OdCmColor trueColor(int red, int green, int blue, int index = 0);
