#include "Commands.h"
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
#include <string>
#include <vector>

namespace {

std::string utf8(const OdString& text)
{
    return text.toUtf8();
}

// One record as a list of (key, value) pairs; values are already JSON.
using Fields = std::vector<std::pair<std::string, std::string>>;

std::string num(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", value);
    return buf;
}

std::vector<Fields> records(OdDbDatabase* db, const OdDbObjectId& tableId,
                            Fields (*describe)(OdDbSymbolTableRecord*))
{
    std::vector<Fields> out;
    OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.openObject().get());
    if (table.isNull()) {
        return out;
    }
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        OdDbSymbolTableRecordPtr record = it->getRecord();
        Fields fields = {{"name", jsonQuote(utf8(record->getName()))}};
        for (auto& field : describe(record.get())) {
            fields.push_back(field);
        }
        out.push_back(fields);
    }
    (void)db;
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
    return {{"color", jsonQuote(utf8(layer->color().colorNameForDisplay()))},
            {"linetype", jsonQuote(recordName(layer->linetypeObjectId()))},
            {"lineweight", std::to_string(layer->lineWeight())},
            {"off", layer->isOff() ? "true" : "false"},
            {"frozen", layer->isFrozen() ? "true" : "false"},
            {"locked", layer->isLocked() ? "true" : "false"},
            {"plottable", layer->isPlottable() ? "true" : "false"}};
}

Fields describeLinetype(OdDbSymbolTableRecord* r)
{
    auto* lt = static_cast<OdDbLinetypeTableRecord*>(r);
    return {{"description", jsonQuote(utf8(lt->comments()))},
            {"dashes", std::to_string(lt->numDashes())},
            {"patternLength", num(lt->patternLength())}};
}

Fields describeTextStyle(OdDbSymbolTableRecord* r)
{
    auto* style = static_cast<OdDbTextStyleTableRecord*>(r);
    return {{"font", jsonQuote(utf8(style->fileName()))},
            {"bigFont", jsonQuote(utf8(style->bigFontFileName()))},
            {"height", num(style->textSize())},
            {"width", num(style->xScale())},
            {"shapeFile", style->isShapeFile() ? "true" : "false"}};
}

Fields describeDimStyle(OdDbSymbolTableRecord* r)
{
    auto* style = static_cast<OdDbDimStyleTableRecord*>(r);
    return {{"dimscale", num(style->dimscale())},
            {"dimtxt", num(style->dimtxt())},
            {"dimasz", num(style->dimasz())},
            {"dimtxsty", jsonQuote(recordName(style->dimtxsty()))}};
}

Fields describeBlock(OdDbSymbolTableRecord* r)
{
    auto* block = static_cast<OdDbBlockTableRecord*>(r);
    int count = 0;
    for (OdDbObjectIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
        ++count;
    }
    return {{"entities", std::to_string(count)},
            {"xref", block->isFromExternalReference() ? "true" : "false"}};
}

void countEntities(const OdDbObjectId& blockId, std::map<std::string, int>& counts)
{
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::cast(blockId.openObject().get());
    if (block.isNull()) {
        return;
    }
    for (OdDbObjectIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
        OdDbEntityPtr entity = it->entity();
        if (!entity.isNull()) {
            ++counts[utf8(entity->dxfTypeName())];
        }
    }
}

void printText(const std::string& title, const std::vector<Fields>& list)
{
    std::printf("%s (%zu):\n", title.c_str(), list.size());
    for (const Fields& fields : list) {
        std::printf(" ");
        for (const auto& [key, value] : fields) {
            std::printf(" %s=%s", key.c_str(), value.c_str());
        }
        std::printf("\n");
    }
}

void printJsonList(const std::vector<Fields>& list)
{
    std::printf("[");
    for (size_t i = 0; i < list.size(); ++i) {
        std::printf("%s{", i ? ", " : "");
        for (size_t k = 0; k < list[i].size(); ++k) {
            std::printf("%s%s: %s", k ? ", " : "", jsonQuote(list[i][k].first).c_str(),
                        list[i][k].second.c_str());
        }
        std::printf("}");
    }
    std::printf("]");
}

}  // namespace

int runInfo(const std::vector<std::string>& args)
{
    std::string path;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (path.empty()) {
            path = arg;
        } else {
            std::fputs("usage: kvcad info DRAWING [--json]\n", stderr);
            return kExitUnreadable;
        }
    }
    if (path.empty()) {
        std::fputs("usage: kvcad info DRAWING [--json]\n", stderr);
        return kExitUnreadable;
    }
    OdDbDatabasePtr db;
    try {
        db = OdDbDatabase::readFile(OdString(path));
    } catch (const OdError& e) {
        std::fprintf(stderr, "%s\n", utf8(e.description()).c_str());
        return kExitUnreadable;
    }
    std::map<std::string, int> counts;
    countEntities(db->getModelSpaceId(), counts);
    countEntities(db->getPaperSpaceId(), counts);
    const std::vector<std::pair<std::string, std::vector<Fields>>> tables = {
        {"layers", records(db.get(), db->getLayerTableId(), &describeLayer)},
        {"linetypes", records(db.get(), db->getLinetypeTableId(), &describeLinetype)},
        {"textStyles", records(db.get(), db->getTextStyleTableId(), &describeTextStyle)},
        {"dimStyles", records(db.get(), db->getDimStyleTableId(), &describeDimStyle)},
        {"blocks", records(db.get(), db->getBlockTableId(), &describeBlock)},
    };
    std::vector<std::string> standards;
    for (const CKvString& path : CKvStandardsAssociation(db.get()).paths()) {
        standards.push_back(path.toUtf8());
    }
    if (json) {
        std::printf("{\"drawing\": %s, \"version\": %s, \"codepage\": %s, \"entities\": {",
                    jsonQuote(path).c_str(), jsonQuote(utf8(db->versionString())).c_str(),
                    jsonQuote(utf8(db->codePage())).c_str());
        bool first = true;
        for (const auto& [type, n] : counts) {
            std::printf("%s%s: %d", first ? "" : ", ", jsonQuote(type).c_str(), n);
            first = false;
        }
        std::printf("}");
        for (const auto& [name, list] : tables) {
            std::printf(", %s: ", jsonQuote(name).c_str());
            printJsonList(list);
        }
        std::printf(", \"standards\": [");
        for (size_t i = 0; i < standards.size(); ++i) {
            std::printf("%s%s", i ? ", " : "", jsonQuote(standards[i]).c_str());
        }
        std::printf("], \"messages\": [");
        const auto messages = db->messages();
        for (size_t i = 0; i < messages.size(); ++i) {
            std::printf("%s%s", i ? ", " : "", jsonQuote(utf8(messages[i])).c_str());
        }
        std::printf("]}\n");
        return kExitOk;
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
    for (const OdString& message : db->messages()) {
        std::fprintf(stderr, "%s\n", utf8(message).c_str());
    }
    return kExitOk;
}
