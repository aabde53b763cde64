#include "TagOps.h"

#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "dxf/DxfNumbers.h"
#include "dxf/TextCodec.h"

#include <DbDatabase.h>
#include <RxClass.h>

#include <algorithm>
#include <cstring>

namespace kvdb {

namespace {

// Texts of objects without a database are written as the newest DXF versions store them.
const kvdxf::TextCodec& freeCodec()
{
    static const kvdxf::TextCodec codec = kvdxf::TextCodec::forDrawing("AC1032", "ANSI_1252");
    return codec;
}

const kvdxf::TextCodec& codecOf(const OdDbObject* object)
{
    OdDbDatabase* db = object->database();
    return db != nullptr ? db->impl().codec : freeCodec();
}

// The object's references may have changed.
void touch(const OdDbObject* object)
{
    if (OdDbDatabase* db = object->database()) {
        db->impl().touch(object);
    }
}

bool isMarker(const Tag& tag, const char* subclass)
{
    return tag.code == 100 && tag.value() == subclass;
}

// [first, last) of the scope of a subclass, or {0, 0} when it is missing.
std::pair<size_t, size_t> scopeOf(const TagList& tags, const char* subclass)
{
    const size_t xdata = xdataStart(tags);
    if (subclass == nullptr) {
        return {1, xdata};
    }
    size_t i = 1;
    bool anyMarker = false;
    for (; i < xdata; ++i) {
        if (tags[i].code == 100) {
            anyMarker = true;
            if (isMarker(tags[i], subclass)) {
                break;
            }
        }
    }
    if (i == xdata) {
        return anyMarker ? std::pair<size_t, size_t>{0, 0} : std::pair<size_t, size_t>{1, xdata};
    }
    size_t end = i + 1;
    while (end < xdata && tags[end].code != 100) {
        ++end;
    }
    return {i + 1, end};
}

// Calls visit(index) for each group of `code` in [first, last) until it returns false,
// skipping application groups ("102 {NAME" ... "102 }") that sit inside the scope.
template <class Visit>
void forEachInScope(const TagList& tags, size_t first, size_t last, int code, Visit visit)
{
    int depth = 0;
    for (size_t i = first; i < last; ++i) {
        const Tag& tag = tags[i];
        if (tag.code == 102) {
            if (!tag.value().empty() && tag.value()[0] == '{') {
                ++depth;
            } else if (depth > 0) {
                --depth;
            }
            continue;
        }
        if (depth == 0 && tag.code == code && !visit(i)) {
            return;
        }
    }
}

int findInScope(const TagList& tags, size_t first, size_t last, int code, int occurrence)
{
    int found = -1;
    forEachInScope(tags, first, last, code, [&](size_t i) {
        if (occurrence-- == 0) {
            found = static_cast<int>(i);
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace

size_t xdataStart(const TagList& tags)
{
    for (size_t i = 1; i < tags.size(); ++i) {
        if (tags[i].code == 1001) {
            return i;
        }
    }
    return tags.size();
}

int findTag(const TagList& tags, int code)
{
    return findInScope(tags, 1, xdataStart(tags), code, 0);
}

int findCommonTag(const TagList& tags, int code)
{
    for (size_t i = 1; i < tags.size(); ++i) {
        const Tag& tag = tags[i];
        if (tag.code == 100) {
            if (tag.value() != "AcDbEntity") {
                return -1;
            }
            continue;
        }
        if (tag.code == 1001) {
            return -1;
        }
        if (tag.code == code) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int findTag(const OdDbObject* object, int code, const char* subclass, int occurrence)
{
    ensureTags(object);
    const TagList& tags = dataOf(object).tags;
    const auto scope = scopeOf(tags, subclass);
    if (scope.first == 0) {
        return -1;
    }
    return findInScope(tags, scope.first, scope.second, code, occurrence);
}

std::pair<size_t, size_t> subclassScope(const OdDbObject* object, const char* subclass)
{
    ensureTags(object);
    return scopeOf(dataOf(object).tags, subclass);
}

std::vector<size_t> findAllTags(const OdDbObject* object, int code, const char* subclass)
{
    std::vector<size_t> found;
    const auto scope = subclassScope(object, subclass);
    if (scope.first != 0) {
        forEachInScope(dataOf(object).tags, scope.first, scope.second, code, [&](size_t i) {
            found.push_back(i);
            return true;
        });
    }
    return found;
}

bool hasTag(const OdDbObject* object, int code, const char* subclass)
{
    return findTag(object, code, subclass) >= 0;
}

OdString getString(const OdDbObject* object, int code, const char* subclass, int occurrence)
{
    const int i = findTag(object, code, subclass, occurrence);
    return i < 0 ? OdString() : decodeText(object, dataOf(object).tags[i].value());
}

double getDouble(const OdDbObject* object, int code, double def, const char* subclass,
                 int occurrence)
{
    const int i = findTag(object, code, subclass, occurrence);
    double value = def;
    if (i < 0 || !kvdxf::parseDouble(dataOf(object).tags[i].value(), value)) {
        return def;
    }
    return value;
}

int64_t getInt(const OdDbObject* object, int code, int64_t def, const char* subclass,
               int occurrence)
{
    const int i = findTag(object, code, subclass, occurrence);
    int64_t value = def;
    if (i < 0 || !kvdxf::parseInt(dataOf(object).tags[i].value(), value)) {
        return def;
    }
    return value;
}

OdUInt64 getHandle(const OdDbObject* object, int code, const char* subclass, int occurrence)
{
    const int i = findTag(object, code, subclass, occurrence);
    uint64_t value = 0;
    if (i < 0 || !kvdxf::parseHandle(dataOf(object).tags[i].value(), value)) {
        return 0;
    }
    return value;
}

std::string_view storeText(OdDbObject* object, std::string_view text)
{
    OdDbDatabase* db = object->database();
    if (db != nullptr) {
        return db->impl().store(text);
    }
    ObjectData& data = dataOf(object);
    if (!data.ownArena) {
        data.ownArena = std::make_unique<kvdxf::StringArena>();
    }
    return data.ownArena->store(text);
}

OdString decodeText(const OdDbObject* object, std::string_view raw)
{
    return OdString(codecOf(object).decode(raw));
}

std::string encodeText(const OdDbObject* object, const OdString& text)
{
    return codecOf(object).encode(text.wstring());
}

void insertTag(OdDbObject* object, size_t index, int code, std::string_view raw)
{
    ensureTags(object);
    ObjectData& data = dataOf(object);
    std::vector<Tag>& tags = data.tags.edit();
    Tag tag;
    tag.code = code;
    const std::string_view stored = storeText(object, raw);
    tag.data = stored.data();
    tag.size = static_cast<uint32_t>(stored.size());
    tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(index), tag);
    data.tags.sync();
    for (NameRef& ref : data.refs) {
        if (ref.tag >= index) {
            ++ref.tag;
        }
    }
    touch(object);
}

void eraseTags(OdDbObject* object, size_t first, size_t count)
{
    ObjectData& data = dataOf(object);
    std::vector<Tag>& tags = data.tags.edit();
    tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(first),
               tags.begin() + static_cast<std::ptrdiff_t>(first + count));
    data.tags.sync();
    data.refs.erase(std::remove_if(data.refs.begin(), data.refs.end(),
                                   [&](const NameRef& ref) {
                                       return ref.tag >= first && ref.tag < first + count;
                                   }),
                    data.refs.end());
    for (NameRef& ref : data.refs) {
        if (ref.tag >= first + count) {
            ref.tag -= static_cast<uint32_t>(count);
        }
    }
    touch(object);
}

void replaceValue(OdDbObject* object, size_t index, std::string_view raw)
{
    ObjectData& data = dataOf(object);
    if (data.tags[index].value() == raw) {
        return;
    }
    const std::string_view stored = storeText(object, raw);
    std::vector<Tag>& tags = data.tags.edit();
    tags[index].data = stored.data();
    tags[index].size = static_cast<uint32_t>(stored.size());
    data.tags.sync();
    touch(object);
}

int setRaw(OdDbObject* object, int code, std::string_view raw, const char* subclass, int occurrence)
{
    ObjectData& data = dataOf(object);
    int i = findTag(object, code, subclass, occurrence);
    if (i >= 0) {
        replaceValue(object, static_cast<size_t>(i), raw);
        return i;
    }
    auto scope = scopeOf(data.tags, subclass);
    if (scope.first == 0) {
        // The subclass is missing: it starts before the XDATA.
        const size_t at = xdataStart(data.tags);
        insertTag(object, at, 100, subclass);
        scope = {at + 1, at + 1};
    }
    insertTag(object, scope.second, code, raw);
    return static_cast<int>(scope.second);
}

int setString(OdDbObject* object, int code, const OdString& text, const char* subclass,
              int occurrence)
{
    return setRaw(object, code, encodeText(object, text), subclass, occurrence);
}

int setDouble(OdDbObject* object, int code, double value, const char* subclass, int occurrence)
{
    return setRaw(object, code, kvdxf::formatDouble(value), subclass, occurrence);
}

int setInt(OdDbObject* object, int code, int64_t value, const char* subclass, int occurrence)
{
    // Integers are written right-aligned in six characters, as CAD programs do.
    char text[32];
    std::snprintf(text, sizeof text, "%6lld", static_cast<long long>(value));
    return setRaw(object, code, text, subclass, occurrence);
}

int setHandle(OdDbObject* object, int code, OdUInt64 handle, const char* subclass, int occurrence)
{
    return setRaw(object, code, kvdxf::formatHandle(handle), subclass, occurrence);
}

void removeTag(OdDbObject* object, int code, const char* subclass, int occurrence)
{
    const int i = findTag(object, code, subclass, occurrence);
    if (i >= 0) {
        eraseTags(object, static_cast<size_t>(i), 1);
    }
}

OdResBufPtr resBufFromTag(const OdDbObject* object, const Tag& tag)
{
    OdResBufPtr item = OdResBuf::newRb(tag.code);
    int64_t number = 0;
    switch (kvdxf::kindOf(tag.code)) {
        case kvdxf::ValueKind::Double: {
            double v = 0;
            kvdxf::parseDouble(tag.value(), v);
            item->setDouble(v);
            break;
        }
        case kvdxf::ValueKind::Int16:
        case kvdxf::ValueKind::Bool:
            kvdxf::parseInt(tag.value(), number);
            if (tag.code >= 290 && tag.code <= 299) {
                item->setBool(number != 0);
            } else if (tag.code >= 280 && tag.code <= 289) {
                item->setInt8(static_cast<OdInt8>(number));
            } else {
                item->setInt16(static_cast<OdInt16>(number));
            }
            break;
        case kvdxf::ValueKind::Int32:
            kvdxf::parseInt(tag.value(), number);
            item->setInt32(static_cast<OdInt32>(number));
            break;
        case kvdxf::ValueKind::Int64:
            kvdxf::parseInt(tag.value(), number);
            item->setInt64(number);
            break;
        case kvdxf::ValueKind::Handle: {
            uint64_t h = 0;
            kvdxf::parseHandle(tag.value(), h);
            item->setHandle(h);
            break;
        }
        default:
            item->setString(decodeText(object, tag.value()));
            break;
    }
    return item;
}

std::string tagTextOf(const OdDbObject* object, const OdResBuf* value)
{
    const int code = value->restype();
    switch (kvdxf::kindOf(code)) {
        case kvdxf::ValueKind::Double:
            return kvdxf::formatDouble(value->getDouble());
        case kvdxf::ValueKind::Int16:
        case kvdxf::ValueKind::Bool:
            return std::to_string(code >= 290 && code <= 299 ? (value->getBool() ? 1 : 0)
                                                             : static_cast<int>(value->getInt16()));
        case kvdxf::ValueKind::Int32:
            return std::to_string(value->getInt32());
        case kvdxf::ValueKind::Int64:
            return std::to_string(value->getInt64());
        case kvdxf::ValueKind::Handle:
            return kvdxf::formatHandle(value->getHandle());
        default:
            return encodeText(object, value->getString());
    }
}

NameRef* findRef(const OdDbObject* object, RefRole role)
{
    for (NameRef& ref : dataOf(object).refs) {
        if (ref.role == role) {
            return &ref;
        }
    }
    return nullptr;
}

NameRef* refAt(const OdDbObject* object, size_t tag)
{
    for (NameRef& ref : dataOf(object).refs) {
        if (ref.tag == tag) {
            return &ref;
        }
    }
    return nullptr;
}

void setRef(OdDbObject* object, RefRole role, OdDbStub* target, int code, const char* subclass)
{
    if (NameRef* ref = findRef(object, role)) {
        ref->target = target;
        touch(object);
        return;
    }
    int i = findTag(object, code, subclass);
    if (i < 0) {
        i = setRaw(object, code, "", subclass);
    }
    ObjectData& data = dataOf(object);
    data.refs.push_back(NameRef{static_cast<uint32_t>(i), role, target});
    std::sort(data.refs.begin(), data.refs.end(),
              [](const NameRef& a, const NameRef& b) { return a.tag < b.tag; });
    touch(object);
}

}  // namespace kvdb
