#pragma once

#include <CKvString.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Legacy names and the standards records they become, for `kvcad fix --map`: a CSV table, one
// row "kind,name,standard" per record (kind: layer, linestyle, textstyle or dimstyle), fields
// quoted as CSV quotes them, an optional header row "kind,name,standard". Kinds and names compare
// ignoring case.
class FixMap
{
public:
    struct Row
    {
        std::string kind;  // as written in the file
        std::string name;
        std::string standard;
        int line = 0;
    };

    // Null, with a message naming the file and the line in `error`, when the file cannot be read,
    // a row has not three fields or names an unknown kind, or a record is mapped twice.
    static std::optional<FixMap> read(const std::string& path, std::string& error);

    // The index of the row of the record of that DXF class ("LAYER") and name; -1 when none.
    int find(const CKvString& dxfClass, const CKvString& name) const;
    const std::vector<Row>& rows() const { return m_rows; }

private:
    std::vector<Row> m_rows;
    // By DXF class and upper-cased name.
    std::unordered_map<std::string, int> m_index;
};
