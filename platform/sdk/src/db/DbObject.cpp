#include "Access.h"
#include "DatabaseImpl.h"
#include "DbMacros.h"
#include "TagOps.h"
#include "UnreadObjects.h"
#include "dxf/DxfNumbers.h"
#include "dxf/DxfReader.h"

#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbObject.h>
#include <DbRegAppTable.h>
#include <DbRegAppTableRecord.h>
#include <RxClass.h>

using namespace kvdb;

namespace {

// The type of an object kept as the lines it was read from: the value of its first group.
OdString typeOfUnread(const char* bytes, size_t size)
{
    return OdString::fromUtf8(kvdxf::firstTag({bytes, size}).value());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Handles and ids

OdString OdDbHandle::ascii() const
{
    return OdString(kvdxf::formatHandle(m_value));
}

OdDbHandle OdDbHandle::fromAscii(const OdString& text)
{
    uint64_t value = 0;
    return kvdxf::parseHandle(text.toUtf8(), value) ? OdDbHandle(value) : OdDbHandle();
}

const OdDbObjectId OdDbObjectId::kNull;

bool OdDbObjectId::isValid() const
{
    return m_stub != nullptr && m_stub->db != nullptr;
}

bool OdDbObjectId::isErased() const
{
    return m_stub != nullptr && m_stub->resident() != nullptr &&
           Access::state(m_stub->resident()).erased;
}

OdDbHandle OdDbObjectId::getHandle() const
{
    return m_stub != nullptr ? OdDbHandle(m_stub->handle) : OdDbHandle();
}

OdDbDatabase* OdDbObjectId::database() const
{
    return m_stub != nullptr ? m_stub->db : nullptr;
}

OdString OdDbObjectId::dxfTypeName() const
{
    if (m_stub == nullptr) {
        return OdString();
    }
    if (m_stub->unread.size != 0) {
        return OdString::fromUtf8(unreadTypeOf(m_stub));
    }
    const OdDbObject* object = m_stub->resident();
    return object != nullptr ? object->dxfTypeName() : OdString();
}

bool OdDbObjectId::operator<(const OdDbObjectId& other) const
{
    const OdUInt64 a = m_stub ? m_stub->handle : 0;
    const OdUInt64 b = other.m_stub ? other.m_stub->handle : 0;
    if (a != b) {
        return a < b;
    }
    return m_stub < other.m_stub;
}

OdDbObjectPtr OdDbObjectId::openObject(OdDb::OpenMode mode, bool openErased) const
{
    OdDbObject* object = m_stub != nullptr ? m_stub->object() : nullptr;
    if (object == nullptr) {
        return OdDbObjectPtr();
    }
    if (Access::state(object).erased && !openErased) {
        return OdDbObjectPtr();
    }
    Access::setOpenMode(object, mode);
    return OdDbObjectPtr(object);
}

OdDbObjectPtr OdDbObjectId::safeOpenObject(OdDb::OpenMode mode, bool openErased) const
{
    if (m_stub == nullptr || !m_stub->hasObject()) {
        throw OdError(eNullObjectId);
    }
    OdDbObjectPtr object = openObject(mode, openErased);
    if (object.isNull()) {
        throw OdError(eWasErased);
    }
    return object;
}

// ---------------------------------------------------------------------------------------------
// Objects

ODDB_DEFINE_MEMBERS(OdDbObject, OdRxObject, "")

OdDbObject::OdDbObject() : m_data(std::make_unique<ObjectData>())
{
    m_data->isNew = true;
}

OdDbObject::~OdDbObject() = default;

void OdDbObject::addRef()
{
    ++m_refs;
}

void OdDbObject::release()
{
    --m_refs;
    if (m_refs == 0) {
        delete this;
        return;
    }
    // Only the database's own reference is left: the last opening is over.
    if (m_refs == 1 && m_stub != nullptr && m_stub->resident() == this &&
        m_openMode != OdDb::kNotOpen && !m_closing) {
        m_closing = true;
        const bool modified = m_modifiedInOpening;
        m_openMode = OdDb::kNotOpen;
        m_modifiedInOpening = false;
        if (modified && m_stub->db != nullptr) {
            m_stub->db->impl().notifyModified(this);
        }
        // Later openings modify an object the database already had.
        m_data->isNew = false;
        m_closing = false;
        // Nobody changed it or read its groups: it goes back to being the lines it was read
        // from, so that looking at every entity of a large drawing once keeps few of them made.
        Access::returnToUnread(this);
    }
}

long OdDbObject::numRefs() const
{
    return m_refs;
}

OdDbObjectId OdDbObject::objectId() const
{
    return OdDbObjectId(m_stub);
}

OdDbObjectId OdDbObject::ownerId() const
{
    return OdDbObjectId(m_data->owner);
}

void OdDbObject::setOwnerId(OdDbObjectId ownerId)
{
    assertWriteEnabled();
    m_data->owner = ownerId.stub();
    const int i = findTag(this, 330);
    if (ownerId.isNull()) {
        return;
    }
    // The owner is the first 330 group outside the application groups, before the first marker.
    const int marker = findTag(this, 100);
    if (i >= 0 && (marker < 0 || i < marker)) {
        replaceValue(this, static_cast<size_t>(i), kvdxf::formatHandle(ownerId.stub()->handle));
    }
}

OdDbDatabase* OdDbObject::database() const
{
    return m_stub != nullptr ? m_stub->db : nullptr;
}

OdDbHandle OdDbObject::getDbHandle() const
{
    return m_stub != nullptr ? OdDbHandle(m_stub->handle) : OdDbHandle();
}

bool OdDbObject::isErased() const
{
    return m_data->erased;
}

namespace {

// Erases (or restores) an object and everything it owns, each with its objectErased.
void setErased(DatabaseImpl* db, OdDbObject* object, bool erased)
{
    ObjectData& data = dataOf(object);
    if (data.erased == erased) {
        return;
    }
    if (db != nullptr && data.placement == Placement::TableRecord) {
        db->beforeNamesChange();
    }
    data.erased = erased;
    if (db == nullptr) {
        return;
    }
    db->touch(object);
    db->notifyErased(object, erased);
    for (OdDbStub* owned : db->ownedObjects(Access::stub(object))) {
        if (owned->object() != nullptr) {
            setErased(db, owned->object(), erased);
        }
    }
}

}  // namespace

OdResult OdDbObject::erase(bool eraseIt)
{
    if (m_data->erased == eraseIt) {
        return eOk;
    }
    assertWriteEnabled();
    DatabaseImpl* db = database() != nullptr ? &database()->impl() : nullptr;
    if (db != nullptr && eraseIt) {
        db->refuseOnPermanentRecord(m_stub, "erased", eCannotBeErasedByCaller);
    }
    setErased(db, this, eraseIt);
    return eOk;
}

bool OdDbObject::isReadEnabled() const
{
    return m_stub == nullptr || m_openMode != OdDb::kNotOpen;
}

bool OdDbObject::isWriteEnabled() const
{
    return m_stub == nullptr || m_openMode == OdDb::kForWrite;
}

bool OdDbObject::isNewObject() const
{
    return m_data->isNew;
}

bool OdDbObject::isModified() const
{
    return m_modifiedInOpening;
}

OdDb::OpenMode OdDbObject::openMode() const
{
    return static_cast<OdDb::OpenMode>(m_openMode);
}

void OdDbObject::upgradeOpen()
{
    if (m_stub != nullptr) {
        m_openMode = OdDb::kForWrite;
    }
}

void OdDbObject::downgradeOpen()
{
    if (m_stub != nullptr && m_openMode == OdDb::kForWrite) {
        m_openMode = OdDb::kForRead;
    }
}

void OdDbObject::assertReadEnabled() const {}

void OdDbObject::assertWriteEnabled()
{
    if (m_stub == nullptr || m_stub->db == nullptr) {
        return;
    }
    if (m_openMode != OdDb::kForWrite) {
        throw OdError(eNotOpenForWrite);
    }
    if (!m_modifiedInOpening) {
        m_stub->db->impl().notifyOpenedForModify(this);
        m_modifiedInOpening = true;
    }
}

OdDbObjectId OdDbObject::extensionDictionary() const
{
    const TagList& tags = dataOf(this).tags;
    for (size_t i = 1; i + 1 < tags.size() && tags[i].code != 100; ++i) {
        if (tags[i].code == 102 && tags[i].value() == "{ACAD_XDICTIONARY") {
            uint64_t handle = 0;
            if (tags[i + 1].code == 360 && kvdxf::parseHandle(tags[i + 1].value(), handle) &&
                database() != nullptr) {
                return OdDbObjectId(database()->impl().stubOf(handle));
            }
        }
    }
    return OdDbObjectId();
}

bool OdDbObject::createExtensionDictionary()
{
    if (!extensionDictionary().isNull() || database() == nullptr) {
        return false;
    }
    assertWriteEnabled();
    OdDbDictionaryPtr dict = OdDbDictionary::createObject();
    const OdDbObjectId dictId = database()->addOdDbObject(dict.get(), objectId());
    dataOf(dict.get()).placement = Placement::Object;
    database()->impl().sectionItems(SectionSlot::Objects).push_back(dictId.stub());
    // The dictionary goes after the handle and any reactors, before the owner group.
    size_t at = 1;
    const TagList& tags = dataOf(this).tags;
    while (at < tags.size() && (tags[at].code == 5 || tags[at].code == 105)) {
        ++at;
    }
    while (at < tags.size() && tags[at].code == 102 && tags[at].value() != "{ACAD_XDICTIONARY") {
        // Skip a whole application group.
        while (at < tags.size() && !(tags[at].code == 102 && tags[at].value() == "}")) {
            ++at;
        }
        ++at;
    }
    insertTag(this, at, 102, "{ACAD_XDICTIONARY");
    insertTag(this, at + 1, 360, kvdxf::formatHandle(dictId.getHandle()));
    insertTag(this, at + 2, 102, "}");
    return true;
}

OdResBufPtr OdDbObject::xData(const OdString& regappName) const
{
    const TagList& tags = dataOf(this).tags;
    OdResBufPtr head;
    OdResBufPtr tail;
    bool inApp = false;
    for (size_t i = xdataStart(tags); i < tags.size(); ++i) {
        const Tag& tag = tags[i];
        if (tag.code == 1001) {
            inApp = regappName.isEmpty() || decodeText(this, tag.value()).iCompare(regappName) == 0;
        }
        if (!inApp) {
            continue;
        }
        OdResBufPtr item = resBufFromTag(this, tag);
        if (head.isNull()) {
            head = item;
        } else {
            tail->setNext(item);
        }
        tail = item;
    }
    return head;
}

void OdDbObject::setXData(const OdResBuf* xdata)
{
    assertWriteEnabled();
    const OdResBuf* rb = xdata;
    while (rb != nullptr) {
        if (rb->restype() != 1001) {
            rb = rb->next().get();
            continue;
        }
        const OdString app = rb->getString();
        // Remove this application's block.
        const TagList& tags = dataOf(this).tags;
        size_t start = xdataStart(tags);
        for (size_t i = start; i < tags.size(); ++i) {
            if (tags[i].code == 1001 && decodeText(this, tags[i].value()).iCompare(app) == 0) {
                size_t end = i + 1;
                while (end < tags.size() && tags[end].code != 1001) {
                    ++end;
                }
                eraseTags(this, i, end - i);
                break;
            }
        }
        // Append the new block (unless it is empty).
        const OdResBuf* item = rb->next().get();
        std::vector<const OdResBuf*> items;
        while (item != nullptr && item->restype() != 1001) {
            items.push_back(item);
            item = item->next().get();
        }
        if (!items.empty()) {
            size_t at = dataOf(this).tags.size();
            insertTag(this, at++, 1001, encodeText(this, app));
            for (const OdResBuf* value : items) {
                insertTag(this, at++, value->restype(), tagTextOf(this, value));
            }
            if (OdDbDatabase* db = database()) {
                OdDbSymbolTablePtr apps = db->getRegAppTableId().safeOpenObject(OdDb::kForWrite);
                if (!apps->has(app)) {
                    OdDbRegAppTableRecordPtr rec = OdDbRegAppTableRecord::createObject();
                    rec->setName(app);
                    apps->add(rec.get());
                }
            }
        }
        rb = item;
    }
}

OdDbObjectIdArray OdDbObject::getPersistentReactors() const
{
    OdDbObjectIdArray ids;
    const TagList& tags = dataOf(this).tags;
    bool inside = false;
    for (size_t i = 1; i < tags.size() && tags[i].code != 100; ++i) {
        if (tags[i].code == 102) {
            inside = tags[i].value() == "{ACAD_REACTORS";
            continue;
        }
        uint64_t handle = 0;
        if (inside && tags[i].code == 330 && database() != nullptr &&
            kvdxf::parseHandle(tags[i].value(), handle)) {
            ids.append(OdDbObjectId(database()->impl().stubOf(handle)));
        }
    }
    return ids;
}

OdRxObjectPtr OdDbObject::clone() const
{
    OdRxObjectPtr copy = isA()->create();
    OdDbObject* object = static_cast<OdDbObject*>(copy.get());
    ObjectData& data = dataOf(object);
    data.ownArena = std::make_unique<kvdxf::StringArena>();
    std::vector<Tag>& tags = data.tags.edit();
    const ObjectData& mine = dataOf(this);
    for (const Tag& tag : mine.tags) {
        Tag t = tag;
        const std::string_view stored = data.ownArena->store(tag.value());
        t.data = stored.data();
        tags.push_back(t);
    }
    data.tags.sync();
    data.refs = mine.refs;
    data.memoryChain = mine.memoryChain;
    data.isNew = true;
    Access::syncCopy(object, *this);
    return copy;
}

void OdDbObject::handOverTo(OdDbObject* newObject, bool keepXData, bool keepExtDict)
{
    if (newObject == nullptr || m_stub == nullptr || newObject->m_stub != nullptr) {
        throw OdError(eInvalidInput);
    }
    if (newObject->isA() != isA()) {
        throw OdError(eIllegalReplacement);
    }
    OdDbDatabase* db = database();
    assertWriteEnabled();
    ObjectData& mine = dataOf(this);
    ObjectData& theirs = dataOf(newObject);
    // The identity groups of this object (handle, application groups up to the first marker)
    // replace those of the newcomer.
    std::vector<Tag> head;
    size_t myFirstMarker = 1;
    while (myFirstMarker < mine.tags.size() && mine.tags[myFirstMarker].code != 100) {
        ++myFirstMarker;
    }
    for (size_t i = 0; i < myFirstMarker; ++i) {
        const Tag& t = mine.tags[i];
        const bool extDict = t.code == 360 || (t.code == 102 && t.value() == "{ACAD_XDICTIONARY");
        if (extDict && !keepExtDict) {
            continue;
        }
        head.push_back(t);
    }
    size_t theirFirstMarker = 1;
    while (theirFirstMarker < theirs.tags.size() && theirs.tags[theirFirstMarker].code != 100) {
        ++theirFirstMarker;
    }
    std::vector<Tag> body(theirs.tags.begin() + theirFirstMarker,
                          theirs.tags.begin() + xdataStart(theirs.tags));
    std::vector<Tag> xdata;
    const TagList& xsource = keepXData ? mine.tags : theirs.tags;
    xdata.assign(xsource.begin() + xdataStart(xsource), xsource.end());

    // Refs: the newcomer's body refs, shifted behind the new head.
    std::vector<NameRef> refs;
    for (const NameRef& ref : theirs.refs) {
        if (ref.tag >= theirFirstMarker && ref.tag < xdataStart(theirs.tags)) {
            refs.push_back(NameRef{static_cast<uint32_t>(ref.tag - theirFirstMarker + head.size()),
                                   ref.role, ref.target});
        }
    }
    std::vector<Tag>& tags = theirs.tags.edit();
    tags.clear();
    tags.insert(tags.end(), head.begin(), head.end());
    tags.insert(tags.end(), body.begin(), body.end());
    tags.insert(tags.end(), xdata.begin(), xdata.end());
    theirs.tags.sync();
    theirs.refs = std::move(refs);
    theirs.owner = mine.owner;
    theirs.placement = mine.placement;
    theirs.children = mine.children;
    theirs.isNew = false;

    // The newcomer takes this object's place.
    OdDbStub* stub = m_stub;
    newObject->m_stub = stub;
    newObject->addRef();
    stub->setObject(newObject);
    if (db != nullptr) {
        db->impl().rehome(newObject);
    }
    newObject->m_openMode = OdDb::kForWrite;
    newObject->m_modifiedInOpening = true;
    newObject->syncFromData();
    if (db != nullptr) {
        db->impl().touch(newObject);
    }
    m_stub = nullptr;
    m_openMode = OdDb::kNotOpen;
    m_modifiedInOpening = false;
    // Drop the database's reference to this object (the caller still holds one).
    release();
}

OdString OdDbObject::dxfTypeName() const
{
    if (m_data->unreadBytes != nullptr) {
        return typeOfUnread(m_data->unreadBytes, m_data->unreadSize);
    }
    if (m_data->tags.empty()) {
        return isA() ? isA()->dxfName() : OdString();
    }
    return OdString::fromUtf8(m_data->tags[0].value());
}

void OdDbObject::syncFromData() {}

void OdDbObject::syncFromCopy(const OdDbObject&)
{
    syncFromData();
}
