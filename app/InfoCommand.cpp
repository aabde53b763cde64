#include "CommandLine.h"
#include "Commands.h"
#include "DrawingBatch.h"
#include "Json.h"

#include <CKvStandardsAssociation.h>
#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <DbEntity.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <OdError.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string utf8(const OdString& text)
{
    return text.toUtf8();
}

// One record as a JSON object of its values, in the order they are shown.
using Fields = Json;

std::vector<Fields> records(const OdDbObjectId& tableId, Fields (*describe)(OdDbSymbolTableRecord*))
{
    std::vector<Fields> out;
    OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.openObject().get());
    if (table.isNull()) {
        return out;
    }
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        OdDbSymbolTableRecordPtr record = it->getRecord();
        Fields fields = {{"name", utf8(record->getName())}};
        fields.update(describe(record.get()));
        out.push_back(std::move(fields));
    }
    return out;
}

std::string recordName(const OdDbObjectId& id)
{
    OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
    return record.isNull() ? std::string() : utf8(record->getName());
}

Fields describeLayer(OdDbSymbolTableRecord* r)
{
    auto* layer = static_cast<OdDbLayerTableRecord*>(r);
    return {{"color", utf8(layer->color().colorNameForDisplay())},
            {"linetype", recordName(layer->linetypeObjectId())},
            {"lineweight", static_cast<int>(layer->lineWeight())},
            {"off", layer->isOff()},
            {"frozen", layer->isFrozen()},
            {"locked", layer->isLocked()},
            {"plottable", layer->isPlottable()}};
}

Fields describeLinetype(OdDbSymbolTableRecord* r)
{
    auto* lt = static_cast<OdDbLinetypeTableRecord*>(r);
    return {{"description", utf8(lt->comments())},
            {"dashes", lt->numDashes()},
            {"patternLength", lt->patternLength()}};
}

Fields describeTextStyle(OdDbSymbolTableRecord* r)
{
    auto* style = static_cast<OdDbTextStyleTableRecord*>(r);
    return {{"font", utf8(style->fileName())},
            {"bigFont", utf8(style->bigFontFileName())},
            {"height", style->textSize()},
            {"width", style->xScale()},
            {"shapeFile", style->isShapeFile()}};
}

Fields describeDimStyle(OdDbSymbolTableRecord* r)
{
    auto* style = static_cast<OdDbDimStyleTableRecord*>(r);
    return {{"dimscale", style->dimscale()},
            {"dimtxt", style->dimtxt()},
            {"dimasz", style->dimasz()},
            {"dimtxsty", recordName(style->dimtxsty())}};
}

Fields describeBlock(OdDbSymbolTableRecord* r)
{
    auto* block = static_cast<OdDbBlockTableRecord*>(r);
    int count = 0;
    for (OdDbObjectIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
        ++count;
    }
    return {{"entities", count}, {"xref", block->isFromExternalReference()}};
}

void countEntities(const OdDbObjectId& blockId, std::map<std::string, int>& counts)
{
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::cast(blockId.openObject().get());
    if (block.isNull()) {
        return;
    }
    // Entities not read yet tell their type without being made; a type is empty only when the
    // id has no object or the entity's type line is empty, which opening tells apart.
    for (OdDbObjectIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
        const OdDbObjectId id = it->objectId();
        const OdString type = id.dxfTypeName();
        if (!type.isEmpty() || !OdDbEntity::cast(id.openObject().get()).isNull()) {
            ++counts[utf8(type)];
        }
    }
}

// Values as JSON writes them: names in quotes, numbers and flags bare.
void printText(const std::string& title, const std::vector<Fields>& list)
{
    std::printf("%s (%zu):\n", title.c_str(), list.size());
    for (const Fields& fields : list) {
        std::printf(" ");
        for (const auto& [key, value] : fields.items()) {
            std::printf(" %s=%s", key.c_str(), jsonText(value).c_str());
        }
        std::printf("\n");
    }
}

struct InfoOptions
{
    std::string drawing;
    bool json = false;
};

int runInfo(const InfoOptions& options)
{
    const std::string& path = options.drawing;
    OdDbDatabasePtr db;
    try {
        db = OdDbDatabase::readFile(OdString(path), true);
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", utf8(e.description()).c_str());
        return kExitUnreadable;
    }
    std::map<std::string, int> counts;
    countEntities(db->getModelSpaceId(), counts);
    countEntities(db->getPaperSpaceId(), counts);
    const std::vector<std::pair<std::string, std::vector<Fields>>> tables = {
        {"layers", records(db->getLayerTableId(), &describeLayer)},
        {"linetypes", records(db->getLinetypeTableId(), &describeLinetype)},
        {"textStyles", records(db->getTextStyleTableId(), &describeTextStyle)},
        {"dimStyles", records(db->getDimStyleTableId(), &describeDimStyle)},
        {"blocks", records(db->getBlockTableId(), &describeBlock)},
    };
    const CKvStandardsAssociation association(db.get());
    const std::vector<std::string> standards = toUtf8(association.paths());
    std::vector<std::string> messages;
    for (const OdString& message : db->messages()) {
        messages.push_back(utf8(message));
    }
    // Shown with the rest, but the drawing cannot be checked as it is.
    const std::string problem = association.problem().toUtf8();
    if (!problem.empty()) {
        messages.push_back(path + ": " + problem);
    }
    const int status = problem.empty() ? kExitOk : kExitUnreadable;
    if (options.json) {
        Json info = {{"drawing", path},
                     {"version", utf8(db->versionString())},
                     {"codepage", utf8(db->codePage())},
                     {"entities", counts}};
        for (const auto& [name, list] : tables) {
            info[name] = list;
        }
        info["standards"] = standards;
        info["messages"] = messages;
        std::printf("%s\n", jsonText(info).c_str());
        return status;
    }
    std::printf("drawing: %s\nversion: %s\ncode page: %s\n", path.c_str(),
                utf8(db->versionString()).c_str(), utf8(db->codePage()).c_str());
    std::printf("entities:");
    for (const auto& [type, n] : counts) {
        std::printf(" %s=%d", type.c_str(), n);
    }
    std::printf("\n");
    for (const auto& [name, list] : tables) {
        printText(name, list);
    }
    std::printf("standards (%zu):\n", standards.size());
    for (const std::string& s : standards) {
        std::printf("  %s\n", s.c_str());
    }
    for (const std::string& message : messages) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    return status;
}

}  // namespace

CommandRun setUpInfo(CLI::App& command)
{
    auto options = std::make_shared<InfoOptions>();
    command.add_option("DRAWING", options->drawing, "the drawing")->required();
    command.add_flag("--json", options->json, "one JSON object instead of text");
    return
        [options] { return reportingErrors(options->drawing, [&] { return runInfo(*options); }); };
}
