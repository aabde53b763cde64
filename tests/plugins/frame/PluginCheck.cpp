#include "PluginCheck.h"

#include <CKvObjectAnnotationContext.h>
#include <DbBlockTableRecord.h>
#include <DbLine.h>

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The record of that name in the table, opened for writing; added when missing.
template <class Record>
OdSmartPtr<Record> recordOf(OdDbObjectId tableId, const char* name)
{
    OdDbSymbolTablePtr table = tableId.safeOpenObject(OdDb::kForWrite);
    OdDbObjectId id = table->getAt(OdString(name));
    if (id.isNull()) {
        OdSmartPtr<Record> record = Record::createObject();
        record->setName(OdString(name));
        id = table->add(record.get());
    }
    return id.safeOpenObject(OdDb::kForWrite);
}

}  // namespace

CheckScope::CheckScope(const CKvString& resources) : m_services(new CKvSystemServices(resources))
{
    CKvStdsFix::rxInit();
    CKvStdsError::rxInit();
    SetKvSystemServices(m_services.get());
}

CheckScope::~CheckScope()
{
    SetKvSystemServices(nullptr);
    CKvStdsError::rxUninit();
    CKvStdsFix::rxUninit();
}

CKvString CheckScope::save(OdDbDatabase* standards, const char* fileName)
{
    const CKvString path = missing(fileName);
    standards->writeFile(OdString(path.c_str()));
    return path;
}

OdDbDatabasePtr CheckScope::withXrefRecords(OdDbDatabase* drawing)
{
    const CKvString path = save(drawing, "xref.dxf");
    QFile file(path.toQString());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString dxf = QString::fromUtf8(file.readAll());
    file.close();
    const QRegularExpression flags("\\n  2\\n[^\\n]*\\|[^\\n]*\\n 70\\n +0\\n");
    int marked = 0;
    for (QRegularExpressionMatch m = flags.match(dxf); m.hasMatch();
         m = flags.match(dxf, m.capturedEnd())) {
        dxf.replace(m.capturedEnd() - 3, 2, QStringLiteral("48"));
        ++marked;
    }
    EXPECT_GT(marked, 0) << "no record name holds a '|'";
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(dxf.toUtf8());
    file.close();
    return OdDbDatabase::readFile(OdString(path.c_str()));
}

CKvString CheckScope::missing(const char* fileName) const
{
    return CKvString(m_folder.filePath(QString::fromUtf8(fileName)));
}

std::vector<Violation> CheckScope::check(CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing,
                                         const std::vector<CKvString>& standards,
                                         const OdArray<OdDbObjectId>& ids, bool checkAll)
{
    std::vector<CKvString> names;
    for (const CKvString& path : standards) {
        names.push_back(path);
    }
    plugin.Clear();
    plugin.SetContext(ids, checkAll);
    plugin.SetupForAudit(drawing, CKvString("drawing.dxf"), names, standards);
    plugin.Start(OdSmartPtr<CKvStdsError>());
    std::vector<Violation> found;
    while (!plugin.Done()) {
        Violation violation;
        violation.error = plugin.GetError();
        plugin.GetAllFixes(violation.error, violation.fixes, violation.recommended);
        found.push_back(violation);
        plugin.Next();
        if (found.size() > 10000) {
            ADD_FAILURE() << "the walk does not end";
            break;
        }
    }
    return found;
}

std::vector<std::string> CheckScope::names(const std::vector<Violation>& violations)
{
    std::vector<std::string> result;
    for (const Violation& violation : violations) {
        result.push_back(violation.name());
    }
    return result;
}

std::string Violation::name() const
{
    return text(error->GetObjectName());
}

std::string Violation::description() const
{
    return text(error->GetDescription());
}

std::vector<std::string> Violation::fixNames() const
{
    std::vector<std::string> result;
    for (const OdSmartPtr<CKvStdsFix>& fix : fixes) {
        result.push_back(text(fix->GetFixDisplayName()));
    }
    return result;
}

std::string text(const CKvString& value)
{
    return value.toQString().toStdString();
}

OdDbObjectId addLineStyle(OdDbDatabase* db, const char* name, const std::vector<double>& dashes)
{
    OdDbSymbolTablePtr table = db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLinetypeTableRecordPtr lineStyle = OdDbLinetypeTableRecord::createObject();
    lineStyle->setName(OdString(name));
    OdArray<double> lengths;
    for (double length : dashes) {
        lengths.append(length);
    }
    lineStyle->setDashes(lengths);
    return table->add(lineStyle.get());
}

OdDbTextStyleTableRecordPtr textStyle(OdDbDatabase& db, const char* name)
{
    return recordOf<OdDbTextStyleTableRecord>(db.getTextStyleTableId(), name);
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

OdDbObjectId addLayer(OdDbDatabase* db, const char* name, const OdCmColor& color,
                      const char* lineStyle, OdDb::LineWeight lineWeight)
{
    OdDbSymbolTablePtr lineStyles = db->getLinetypeTableId().safeOpenObject();
    OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setName(OdString(name));
    layer->setColor(color);
    layer->setLinetypeObjectId(lineStyles->getAt(OdString(lineStyle)));
    layer->setLineWeight(lineWeight);
    return table->add(layer.get());
}

OdCmColor indexColor(int index)
{
    return OdCmColor::fromIndex(index);
}

OdCmColor trueColor(int red, int green, int blue, int index)
{
    OdCmColor color;
    if (index != 0) {
        color.setColorIndex(static_cast<OdInt16>(index));
    }
    color.setRGB(static_cast<OdUInt8>(red), static_cast<OdUInt8>(green),
                 static_cast<OdUInt8>(blue));
    return color;
}

OdDbObjectId addLineOn(OdDbObjectId block, OdDbObjectId layer)
{
    OdDbBlockTableRecordPtr record = block.safeOpenObject(OdDb::kForWrite);
    OdDbLinePtr line = OdDbLine::createObject();
    line->setLayer(layer);
    return record->appendOdDbEntity(line.get());
}

OdDbObjectId addBlock(OdDbDatabase& db, const char* name)
{
    OdDbSymbolTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
    block->setName(OdString(name));
    return blocks->add(block.get());
}

const Violation& violationOf(const std::vector<Violation>& violations, const char* name)
{
    for (const Violation& violation : violations) {
        if (violation.name() == name) {
            return violation;
        }
    }
    ADD_FAILURE() << "no violation of " << name;
    static const Violation none;
    return none;
}

OdSmartPtr<CKvStdsFix> fixNamed(const Violation& violation, const char* name)
{
    for (const OdSmartPtr<CKvStdsFix>& fix : violation.fixes) {
        if (fix->GetFixObjectName() == CKvString(name)) {
            return fix;
        }
    }
    ADD_FAILURE() << "no fix " << name;
    return OdSmartPtr<CKvStdsFix>();
}

OdDbDimStyleTableRecordPtr dimStyle(OdDbDatabase& db, const char* name)
{
    return recordOf<OdDbDimStyleTableRecord>(db.getDimStyleTableId(), name);
}
