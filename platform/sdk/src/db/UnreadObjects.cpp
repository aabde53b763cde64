#include "UnreadObjects.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "Loader.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbObject.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>

namespace kvdb {

namespace {

// What the database needs of an entity before its groups are read, found in one pass over its
// tags: each as the function named finds it in the tags of a made object.
struct EntityFacts
{
    size_t handle = 0;        // Loader::handleTag
    OdUInt64 owner = 0;       // Loader::ownerOf
    int layer = -1;           // findCommonTag(tags, 8)
    int flag66 = -1;          // findTag(tags, 66)
    int flag67 = -1;          // findTag(tags, 67)
    bool xdataLayer = false;  // collectNameRefs finds a layer name in its XDATA (1003)
    OdUInt64 maxHandle = 0;   // the largest handle of any group 5 or 105, as Loader::run reads it

    EntityFacts(const Tag* tags, size_t count)
    {
        bool handleOpen = true;  // before the first 1001 and the first marker but AcDbEntity
        bool ownerOpen = true;   // before the first marker
        bool commonOpen = true;  // the same as handleOpen
        bool xdata = false;      // from the first 1001 on
        int ownerDepth = 0;      // application groups, as ownerOf counts them
        int scopeDepth = 0;      // the same, as findTag counts them
        for (size_t i = 1; i < count; ++i) {
            const Tag& tag = tags[i];
            const int code = tag.code;
            if (code == 100) {
                ownerOpen = false;
                if (tag.value() != "AcDbEntity") {
                    handleOpen = false;
                    commonOpen = false;
                }
                continue;
            }
            if (code == 1001) {
                xdata = true;
                handleOpen = false;
                commonOpen = false;
            }
            if (code == 102) {
                const bool opens = !tag.value().empty() && tag.value()[0] == '{';
                if (ownerOpen) {
                    ownerDepth += opens ? 1 : -1;
                }
                if (opens) {
                    ++scopeDepth;
                } else if (scopeDepth > 0) {
                    --scopeDepth;
                }
                continue;
            }
            if (code == 5 || code == 105) {
                uint64_t value = 0;
                if (kvdxf::parseHandle(tag.value(), value) && value > maxHandle &&
                    value < (uint64_t(1) << 62)) {
                    maxHandle = value;
                }
                if (code == 5 && handleOpen && handle == 0) {
                    handle = i;
                }
            } else if (code == 330 && ownerOpen && ownerDepth <= 0) {
                ownerOpen = false;
                if (!kvdxf::parseHandle(tag.value(), owner)) {
                    owner = 0;
                }
            } else if (code == 8 && commonOpen) {
                layer = static_cast<int>(i);
                commonOpen = false;
            } else if (xdata) {
                xdataLayer = xdataLayer || code == 1003;
            } else if (scopeDepth == 0 && code == 66 && flag66 < 0) {
                flag66 = static_cast<int>(i);
            } else if (scopeDepth == 0 && code == 67 && flag67 < 0) {
                flag67 = static_cast<int>(i);
            }
        }
        xdataLayer = xdataLayer && tags[count - 1].code >= 1000;
    }
};

// The value of a group as getInt reads it; 0 for none.
int64_t intAt(const Tag* tags, int at)
{
    int64_t value = 0;
    return at >= 0 && kvdxf::parseInt(tags[at].value(), value) ? value : 0;
}

}  // namespace

bool FileCondenser::condense(const Tag* tags, size_t count, std::string_view bytes, uint64_t offset,
                             bool transient, bool verbatim, Tag& replacement)
{
    const std::string_view type = tags[0].value();
    if (type == "BLOCK" || type == "ENDBLK" ||
        bytes.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    const EntityFacts facts(tags, count);
    // Layer names in XDATA are found as every object's are.
    if (facts.xdataLayer) {
        return false;
    }
    uint16_t typeNumber = 0;
    if (transient && !typeNumberOf(type, typeNumber)) {
        return false;
    }
    m_maxHandle = std::max(m_maxHandle, facts.maxHandle);
    OdDbStub& stub = *m_db.addStub();
    if (facts.handle != 0 && !kvdxf::parseHandle(tags[facts.handle].value(), stub.handle)) {
        stub.handle = 0;
    }
    UnreadObject& unread = stub.unread;
    if (transient) {
        unread.offset = offset;
        unread.inFile = true;
        unread.type = typeNumber;
    } else {
        unread.bytes = bytes.data();
    }
    unread.size = static_cast<uint32_t>(bytes.size());
    unread.verbatim = verbatim;
    unread.followers = type == "POLYLINE" || (type == "INSERT" && intAt(tags, facts.flag66) == 1);
    unread.sequenceEnd = type == "SEQEND";
    unread.follower = unread.sequenceEnd || type == "ATTRIB" || type == "VERTEX";
    unread.paperSpace = intAt(tags, facts.flag67) == 1;
    unread.ownerHandle = facts.owner;
    replacement.data = reinterpret_cast<const char*>(&stub);
    replacement.size = facts.layer < 0 ? kNoLayer : numberOf(tags[facts.layer].value(), transient);
    replacement.code = kvdxf::kCondensedCode;
    ++m_db.unreadObjects;
    return true;
}

OdDbStub* FileCondenser::stubOf(const Tag& replacement)
{
    return reinterpret_cast<OdDbStub*>(const_cast<char*>(replacement.data));
}

bool FileCondenser::typeNumberOf(std::string_view type, uint16_t& number)
{
    // Entities of a type come in runs, and a drawing has few types.
    std::vector<std::string_view>& types = m_db.unreadTypes;
    if (m_lastType < types.size() && types[m_lastType] == type) {
        number = m_lastType;
        return true;
    }
    const auto at =
        static_cast<size_t>(std::find(types.begin(), types.end(), type) - types.begin());
    if (at == types.size()) {
        if (types.size() == UINT16_MAX) {
            return false;
        }
        types.push_back(m_db.store(type));
    }
    number = m_lastType = static_cast<uint16_t>(at);
    return true;
}

uint32_t FileCondenser::numberOf(std::string_view layer, bool store)
{
    // A table of numbers at most half full, probed linearly from the name's hash: a drawing names
    // few layers, and this runs for most of its entities.
    if (2 * (m_layerNames.size() + 1) > m_slots.size()) {
        std::vector<uint32_t> slots(std::max<size_t>(64, 2 * m_slots.size()), kNoLayer);
        m_slots.swap(slots);
        for (uint32_t number = 0; number < m_layerNames.size(); ++number) {
            size_t at = hashOf(m_layerNames[number]) & (m_slots.size() - 1);
            while (m_slots[at] != kNoLayer) {
                at = (at + 1) & (m_slots.size() - 1);
            }
            m_slots[at] = number;
        }
    }
    size_t at = hashOf(layer) & (m_slots.size() - 1);
    for (; m_slots[at] != kNoLayer; at = (at + 1) & (m_slots.size() - 1)) {
        if (m_layerNames[m_slots[at]] == layer) {
            return m_slots[at];
        }
    }
    m_slots[at] = static_cast<uint32_t>(m_layerNames.size());
    m_layerNames.push_back(store ? m_db.store(layer) : layer);
    return m_slots[at];
}

size_t FileCondenser::hashOf(std::string_view text)
{
    return std::hash<std::string_view>()(text);
}

namespace {

[[noreturn]] void cannotRead(const OdDbStub& stub, const std::string& why)
{
    const DatabaseImpl& db = stub.db->impl();
    throw OdError(OdString::fromUtf8(db.source()->path() + ": entity " +
                                     kvdxf::formatHandle(stub.handle) + " cannot be read: " + why),
                  eFileAccessErr);
}

// The lines of an unread object a partial load left in the file, as the file holds them now:
// they must still start with the object's type.
std::string_view linesInFile(const OdDbStub& stub)
{
    kvdxf::FileSource* source = stub.db->impl().source();
    std::string_view lines;
    std::string error;
    if (source == nullptr || !source->bytes(stub.unread.offset, stub.unread.size, lines, error)) {
        cannotRead(stub, error);
    }
    const Tag type = kvdxf::firstTag(lines);
    if (type.code != 0 || type.value() != unreadTypeOf(&stub)) {
        cannotRead(stub, kvdxf::FileSource::kChanged);
    }
    return lines;
}

}  // namespace

OdDbObject* makeUnreadObject(const OdDbStub& unreadStub)
{
    OdDbStub& stub = const_cast<OdDbStub&>(unreadStub);
    const UnreadObject unread = stub.unread;
    std::unique_ptr<char[]> copy;
    std::string_view lines;
    if (unread.inFile) {
        const std::string_view inFile = linesInFile(stub);
        copy.reset(new char[inFile.size()]);
        std::memcpy(copy.get(), inFile.data(), inFile.size());
        lines = {copy.get(), inFile.size()};
    } else {
        lines = {unread.bytes, unread.size};
    }
    OdDbObject* object = createForDxfType(kvdxf::firstTag(lines).value(), true, {});
    ObjectData& data = Access::state(object);
    data.unreadBytes = lines.data();
    data.unreadSize = unread.size;
    data.verbatim = unread.verbatim;
    data.placement = unread.placement;
    data.owner = unread.owner;
    data.isNew = false;
    if (unread.inFile) {
        data.linesFromFile = std::move(copy);
        data.offset = unread.offset;
        data.type = unread.type;
    }
    if (unread.followers) {
        auto& followers = stub.db->impl().unreadFollowers;
        const auto found = followers.find(&stub);
        if (found != followers.end()) {
            data.children = std::move(found->second);
            followers.erase(found);
        }
    }
    stub.unread = UnreadObject();
    stub.setObject(object);
    object->addRef();
    Access::setStub(object, &stub);
    return object;
}

void Access::returnToUnread(OdDbObject* object)
{
    ObjectData& data = *object->m_data;
    OdDbStub* stub = object->m_stub;
    if (data.unreadBytes == nullptr || data.erased || object->m_refs != 1 || stub == nullptr ||
        stub->db == nullptr || stub->resident() != object) {
        return;
    }
    UnreadObject& unread = stub->unread;
    if (data.linesFromFile != nullptr) {
        unread.offset = data.offset;
        unread.inFile = true;
        unread.type = data.type;
    } else {
        unread.bytes = data.unreadBytes;
    }
    unread.size = data.unreadSize;
    unread.verbatim = data.verbatim;
    unread.placement = data.placement;
    unread.owner = data.owner;
    unread.followers = !data.children.empty();
    if (unread.followers) {
        stub->db->impl().unreadFollowers[stub] = std::move(data.children);
    }
    stub->setObject(nullptr);
    delete object;
}

void Access::readTags(const OdDbObject* object)
{
    ObjectData& data = *object->m_data;
    std::vector<Tag> tags;
    kvdxf::readCondensed({data.unreadBytes, data.unreadSize}, tags);
    data.tags.adopt(std::move(tags));
    data.unreadBytes = nullptr;
    data.unreadSize = 0;
}

void Access::readGroups(const OdDbObject* object)
{
    readTags(object);
    auto* changing = const_cast<OdDbObject*>(object);
    if (OdDbDatabase* db = object->database()) {
        DatabaseImpl& impl = db->impl();
        --impl.unreadObjects;
        collectNameRefs(impl, changing, impl.readCache());
    }
    changing->syncFromData();
}

bool unreadLines(const OdDbStub* stub, std::string_view& lines, bool& verbatim)
{
    if (const OdDbObject* object = stub->resident()) {
        const ObjectData& data = Access::state(object);
        lines = {data.unreadBytes, data.unreadSize};
        verbatim = data.verbatim;
        return data.unreadBytes != nullptr;
    }
    verbatim = stub->unread.verbatim;
    if (stub->unread.size == 0) {
        return false;
    }
    lines = stub->unread.inFile ? linesInFile(*stub)
                                : std::string_view(stub->unread.bytes, stub->unread.size);
    return true;
}

bool hasUnreadLines(const OdDbStub* stub)
{
    const OdDbObject* object = stub->resident();
    return object != nullptr ? Access::state(object).unreadBytes != nullptr
                             : stub->unread.size != 0;
}

std::string_view unreadTypeOf(const OdDbStub* stub)
{
    if (stub->resident() == nullptr && stub->unread.inFile) {
        return stub->db->impl().unreadTypes[stub->unread.type];
    }
    std::string_view lines;
    bool verbatim = false;
    return unreadLines(stub, lines, verbatim) ? kvdxf::firstTag(lines).value() : std::string_view();
}

const std::vector<OdDbStub*>& followersOf(const DatabaseImpl& db, const OdDbStub* stub)
{
    static const std::vector<OdDbStub*> kNone;
    if (const OdDbObject* object = stub->resident()) {
        return Access::state(object).children;
    }
    if (!stub->unread.followers) {
        return kNone;
    }
    const auto found = db.unreadFollowers.find(stub);
    return found != db.unreadFollowers.end() ? found->second : kNone;
}

Placement placementOf(const OdDbStub* stub)
{
    const OdDbObject* object = stub->resident();
    return object != nullptr ? Access::state(object).placement : stub->unread.placement;
}

Tag typeTagOf(const OdDbStub* stub)
{
    if (stub->resident() == nullptr && stub->unread.inFile) {
        const std::string_view type = unreadTypeOf(stub);
        return Tag{type.data(), static_cast<uint32_t>(type.size()), 0};
    }
    std::string_view lines;
    bool verbatim = false;
    if (unreadLines(stub, lines, verbatim)) {
        return kvdxf::firstTag(lines);
    }
    return dataOf(stub->object()).tags[0];
}

void DatabaseImpl::readAll()
{
    if (unreadObjects == 0) {
        return;
    }
    for (OdDbStub& stub : stubs) {
        if (hasUnreadLines(&stub)) {
            dataOf(stub.object());
        }
    }
    m_readCache.reset();
}

NameCache* DatabaseImpl::readCache()
{
    // While the drawing is read, its tables may still change.
    if (!loaded) {
        return nullptr;
    }
    if (!m_readCache) {
        m_readCache = std::make_unique<NameCache>();
    }
    return m_readCache.get();
}

}  // namespace kvdb
