#pragma once

#include "Access.h"

#include <OdString.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class OdDbObject;

namespace kvdb {

// Reading and changing the DXF groups of an object. A subclass name scopes a search to the groups
// after that "100" marker up to the next marker or the XDATA; objects written without markers
// (R12) have one scope that holds everything. nullptr searches the whole object.

// Index of the first group of `code` in scope (the n-th when occurrence > 0), or -1.
int findTag(const OdDbObject* object, int code, const char* subclass = nullptr, int occurrence = 0);
// The same for the whole of a list of groups (no subclass, the first one).
int findTag(const TagList& tags, int code);
// Index of the first group of `code` among the common groups of an entity: up to the first
// marker after AcDbEntity (everything in R12), before the XDATA; or -1.
int findCommonTag(const TagList& tags, int code);
// Index where XDATA starts (the first 1001 group), or the number of groups.
size_t xdataStart(const TagList& tags);
// [first, last) of a subclass's groups, or {0, 0} when the object lacks the subclass.
std::pair<size_t, size_t> subclassScope(const OdDbObject* object, const char* subclass);
// Indexes of every group of `code` in scope, in order.
std::vector<size_t> findAllTags(const OdDbObject* object, int code, const char* subclass);

bool hasTag(const OdDbObject* object, int code, const char* subclass = nullptr);
OdString getString(const OdDbObject* object, int code, const char* subclass = nullptr,
                   int occurrence = 0);
double getDouble(const OdDbObject* object, int code, double def, const char* subclass = nullptr,
                 int occurrence = 0);
int64_t getInt(const OdDbObject* object, int code, int64_t def, const char* subclass = nullptr,
               int occurrence = 0);
OdUInt64 getHandle(const OdDbObject* object, int code, const char* subclass = nullptr,
                   int occurrence = 0);
// An enumerator stored in a group; `def` when the file holds a number outside [lowest, highest],
// which the enumeration cannot hold.
template <typename Enum>
Enum getEnum(const OdDbObject* object, int code, Enum def, Enum lowest, Enum highest,
             const char* subclass = nullptr)
{
    const int64_t value = getInt(object, code, def, subclass);
    return value >= lowest && value <= highest ? static_cast<Enum>(value) : def;
}

// Sets a group to raw text (already encoded for the file), inserting it at the end of its scope
// when missing. Returns the group's index.
int setRaw(OdDbObject* object, int code, std::string_view raw, const char* subclass = nullptr,
           int occurrence = 0);
int setString(OdDbObject* object, int code, const OdString& text, const char* subclass = nullptr,
              int occurrence = 0);
int setDouble(OdDbObject* object, int code, double value, const char* subclass = nullptr,
              int occurrence = 0);
int setInt(OdDbObject* object, int code, int64_t value, const char* subclass = nullptr,
           int occurrence = 0);
int setHandle(OdDbObject* object, int code, OdUInt64 handle, const char* subclass = nullptr,
              int occurrence = 0);
void removeTag(OdDbObject* object, int code, const char* subclass = nullptr, int occurrence = 0);

// Low-level edits that keep name references pointing at their groups.
void insertTag(OdDbObject* object, size_t index, int code, std::string_view raw);
void eraseTags(OdDbObject* object, size_t first, size_t count);
void replaceValue(OdDbObject* object, size_t index, std::string_view raw);

// Text storage for an object: its database's arena, or its own while it has no database.
std::string_view storeText(OdDbObject* object, std::string_view text);
OdString decodeText(const OdDbObject* object, std::string_view raw);
std::string encodeText(const OdDbObject* object, const OdString& text);

// A group as a typed result buffer (its code as result type), and a result buffer's value as
// the group text of its code.
OdResBufPtr resBufFromTag(const OdDbObject* object, const Tag& tag);
std::string tagTextOf(const OdDbObject* object, const OdResBuf* value);

// The by-name reference of a role (first one), or nullptr.
NameRef* findRef(const OdDbObject* object, RefRole role);
// The by-name reference held by the group at `tag`, or nullptr.
NameRef* refAt(const OdDbObject* object, size_t tag);
// Points the role's reference at target, adding the group (code, in subclass) when missing.
void setRef(OdDbObject* object, RefRole role, OdDbStub* target, int code, const char* subclass);

}  // namespace kvdb
