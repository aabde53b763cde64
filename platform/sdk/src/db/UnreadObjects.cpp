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
#include <limits>

namespace kvdb {

namespace {

// The value of the first group of `code` in the object, as getInt reads it.
int64_t intOf(const TagList& tags, int code)
{
    const int at = findTag(tags, code);
    int64_t value = 0;
    return at >= 0 && kvdxf::parseInt(tags[static_cast<size_t>(at)].value(), value) ? value : 0;
}

}  // namespace

bool FileCondenser::condense(const Tag* tags, size_t count, std::string_view bytes, bool verbatim,
                             Tag& replacement)
{
    const std::string_view type = tags[0].value();
    if (type == "BLOCK" || type == "ENDBLK" ||
        bytes.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    TagList view;
    view.assignView(tags, count);
    // Layer names in XDATA are found as every object's are (XDATA is last).
    if (tags[count - 1].code >= 1000) {
        for (size_t i = xdataStart(view); i < count; ++i) {
            if (tags[i].code == 1003) {
                return false;
            }
        }
    }
    for (size_t i = 1; i < count; ++i) {
        uint64_t handle = 0;
        if ((tags[i].code == 5 || tags[i].code == 105) &&
            kvdxf::parseHandle(tags[i].value(), handle) && handle > m_maxHandle &&
            handle < (uint64_t(1) << 62)) {
            m_maxHandle = handle;
        }
    }
    OdDbStub& stub = *m_db.addStub();
    const size_t at = Loader::handleTag(tags, count, false);
    if (at != 0 && !kvdxf::parseHandle(tags[at].value(), stub.handle)) {
        stub.handle = 0;
    }
    UnreadObject& unread = stub.unread;
    unread.bytes = bytes.data();
    unread.size = static_cast<uint32_t>(bytes.size());
    unread.verbatim = verbatim;
    unread.followers = type == "POLYLINE" || (type == "INSERT" && intOf(view, 66) == 1);
    unread.sequenceEnd = type == "SEQEND";
    unread.follower = unread.sequenceEnd || type == "ATTRIB" || type == "VERTEX";
    unread.paperSpace = intOf(view, 67) == 1;
    unread.ownerHandle = Loader::ownerOf(tags, count);
    const int layer = findCommonTag(view, 8);
    replacement.data = reinterpret_cast<const char*>(&stub);
    replacement.size = layer < 0 ? kNoLayer : numberOf(tags[layer].value());
    replacement.code = kvdxf::kCondensedCode;
    ++m_db.unreadObjects;
    return true;
}

OdDbStub* FileCondenser::stubOf(const Tag& replacement)
{
    return reinterpret_cast<OdDbStub*>(const_cast<char*>(replacement.data));
}

uint32_t FileCondenser::numberOf(std::string_view layer)
{
    const auto [it, added] =
        m_layerNumbers.emplace(layer, static_cast<uint32_t>(m_layerNames.size()));
    if (added) {
        m_layerNames.push_back(layer);
    }
    return it->second;
}

OdDbObject* makeUnreadObject(const OdDbStub& unreadStub)
{
    OdDbStub& stub = const_cast<OdDbStub&>(unreadStub);
    const UnreadObject unread = stub.unread;
    const std::string_view lines(unread.bytes, unread.size);
    OdDbObject* object = createForDxfType(kvdxf::firstTag(lines).value(), true, {});
    ObjectData& data = Access::state(object);
    data.unreadBytes = unread.bytes;
    data.unreadSize = unread.size;
    data.verbatim = unread.verbatim;
    data.placement = unread.placement;
    data.owner = unread.owner;
    data.isNew = false;
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
    lines = {stub->unread.bytes, stub->unread.size};
    verbatim = stub->unread.verbatim;
    return stub->unread.size != 0;
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
        std::string_view lines;
        bool verbatim = false;
        if (unreadLines(&stub, lines, verbatim)) {
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
