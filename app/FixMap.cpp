#include "FixMap.h"

#include "TextFile.h"

namespace {

// The record kinds of the table and the DXF classes of their records.
const std::pair<const char*, const char*> kKinds[] = {
    {"layer", "LAYER"}, {"linestyle", "LTYPE"}, {"textstyle", "STYLE"}, {"dimstyle", "DIMSTYLE"}};

std::string key(const CKvString& dxfClass, const CKvString& name)
{
    CKvString upper = name;
    return dxfClass.toUtf8() + '\n' + upper.makeUpper().toUtf8();
}

// The DXF class of a kind of the table; empty for an unknown one.
std::string dxfClassOf(const std::string& kind)
{
    for (const auto& [word, dxfClass] : kKinds) {
        if (CKvString(kind.c_str()).CompareNoCase(CKvString(word)) == 0) {
            return dxfClass;
        }
    }
    return std::string();
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

struct CsvRecord
{
    std::vector<std::string> fields;
    int line = 0;
};

// Records of CSV text: fields separated by commas, a field in double quotes may hold commas,
// line breaks and doubled quotes; spaces around a field that is not quoted are dropped. Blank
// lines are no records.
std::vector<CsvRecord> parseCsv(const std::string& text)
{
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;     // inside quotes
    bool wasQuoted = false;  // the field began with a quote
    int line = 1;
    record.line = line;
    auto endField = [&] {
        record.fields.push_back(wasQuoted ? field : trimmed(field));
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        if (record.fields.size() > 1 || !record.fields[0].empty()) {
            records.push_back(record);
        }
        record = CsvRecord();
        record.line = line;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
        } else if (c == '"' && trimmed(field).empty()) {
            field.clear();
            quoted = wasQuoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (c != '\r') {
            field += c;
        }
    }
    endRecord();
    return records;
}

}  // namespace

std::optional<FixMap> FixMap::read(const std::string& path, std::string& error)
{
    std::optional<std::string> read = readTextFile(path, "map", error);
    if (!read) {
        return std::nullopt;
    }
    std::string& text = *read;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    FixMap map;
    const std::vector<CsvRecord> records = parseCsv(text);
    for (size_t i = 0; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        const std::string where = path + ":" + std::to_string(record.line) + ": ";
        if (record.fields.size() != 3) {
            error = where + "expected kind,name,standard, found " +
                    std::to_string(record.fields.size()) + " fields";
            return std::nullopt;
        }
        const Row row{record.fields[0], record.fields[1], record.fields[2], record.line};
        if (i == 0 && row.kind == "kind" && row.name == "name" && row.standard == "standard") {
            continue;
        }
        const std::string dxfClass = dxfClassOf(row.kind);
        if (dxfClass.empty()) {
            error = where + "unknown kind \"" + row.kind +
                    "\" (layer, linestyle, textstyle or dimstyle)";
            return std::nullopt;
        }
        const auto [known, added] =
            map.m_index.emplace(key(CKvString(dxfClass.c_str()), CKvString(row.name.c_str())),
                                static_cast<int>(map.m_rows.size()));
        if (!added) {
            error = where + row.kind + " \"" + row.name + "\" is mapped already on line " +
                    std::to_string(map.m_rows[static_cast<size_t>(known->second)].line);
            return std::nullopt;
        }
        map.m_rows.push_back(row);
    }
    return map;
}

int FixMap::find(const CKvString& dxfClass, const CKvString& name) const
{
    const auto found = m_index.find(key(dxfClass, name));
    return found == m_index.end() ? -1 : found->second;
}
