#include "TextStyleTestUtil.h"

#include <CKvObjectAnnotationContext.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <DbSymbolTable.h>

#include <QDir>

#include <gtest/gtest.h>

void PrintTo(const CKvString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8() << '"';
}

void PrintTo(const Reported& reported, std::ostream* os)
{
    *os << reported.name << (reported.nameViolation ? " (name)" : " (properties)");
}

OdDbTextStyleTableRecordPtr textStyle(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr table = db.getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbObjectId id = table->getAt(OdString(name));
    if (id.isNull()) {
        OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::createObject();
        style->setName(OdString(name));
        id = table->add(style.get());
    }
    return id.safeOpenObject(OdDb::kForWrite);
}

void makeShapeFile(OdDbDatabase& db, const char* name)
{
    textStyle(db, name)->setIsShapeFile(true);
}

void useTrueType(OdDbDatabase& db, const char* name, bool bold, bool italic)
{
    OdDbTextStyleTableRecordPtr style = textStyle(db, name);
    style->setFileName(OdString("arial.ttf"));
    style->setFont(OdString("Arial"), bold, italic, 0, 34);
}

void makeAnnotative(OdDbDatabase& db, const char* name, bool matchOrientation)
{
    CKvObjectAnnotationContext::SetAnnotative(textStyle(db, name)->objectId(), true,
                                              matchOrientation);
}

Check::RecordClasses::RecordClasses()
{
    CKvStdsError::rxInit();
    CKvStdsFix::rxInit();
}

Check::RecordClasses::~RecordClasses()
{
    CKvStdsFix::rxUninit();
    CKvStdsError::rxUninit();
}

Check::Check() : m_services(CKvString())
{
    SetKvSystemServices(&m_services);
}

Check::~Check()
{
    plugin.Clear();
    SetKvSystemServices(nullptr);
}

OdDbDatabase& Check::addStandards()
{
    m_standards.push_back(OdDbDatabase::createObject());
    return *m_standards.back();
}

std::vector<CKvString> Check::standardsPaths() const
{
    std::vector<CKvString> paths;
    for (std::size_t i = 0; i < m_standards.size(); ++i) {
        paths.emplace_back(QDir(m_folder.path()).filePath(QString("standards%1.dxf").arg(i + 1)));
    }
    return paths;
}

void Check::setUp(const std::vector<CKvString>& paths, const std::vector<OdDbObjectId>& context)
{
    const std::vector<CKvString> written = standardsPaths();
    for (std::size_t i = 0; i < m_standards.size(); ++i) {
        m_standards[i]->writeFile(written[i].toOdString());
    }
    OdArray<OdDbObjectId> ids;
    for (const OdDbObjectId& id : context) {
        ids.append(id);
    }
    plugin.Clear();
    plugin.SetContext(ids, ids.isEmpty());
    plugin.SetupForAudit(drawing, CKvString("drawing.dxf"), {}, paths);
}

std::vector<OdSmartPtr<CKvStdsError>> Check::run(const std::vector<OdDbObjectId>& context)
{
    setUp(standardsPaths(), context);
    std::vector<OdSmartPtr<CKvStdsError>> errors;
    for (plugin.Start(OdSmartPtr<CKvStdsError>()); !plugin.Done(); plugin.Next()) {
        errors.push_back(plugin.GetError());
    }
    return errors;
}

std::vector<Reported> Check::reported(const std::vector<OdDbObjectId>& context)
{
    std::vector<Reported> result;
    for (const OdSmartPtr<CKvStdsError>& error : run(context)) {
        const bool nameViolation =
            error->GetDescription() ==
            plugin.violationMessage(CKvStandardsPluginBase::Violation::kName);
        result.push_back({error->GetObjectName().toUtf8(), nameViolation});
    }
    return result;
}

OdSmartPtr<CKvStdsError> Check::errorFor(const char* name)
{
    for (const OdSmartPtr<CKvStdsError>& error : run()) {
        if (error->GetObjectName() == CKvString(name)) {
            return error;
        }
    }
    ADD_FAILURE() << "no error for " << name;
    return OdSmartPtr<CKvStdsError>();
}
