#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbMacros.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>
#include <RxClass.h>

#include <algorithm>

using namespace kvdb;

ODDB_DEFINE_MEMBERS(OdDbDictionary, OdDbObject, "DICTIONARY")
ODDB_DEFINE_MEMBERS(OdDbXrecord, OdDbObject, "XRECORD")
ODRX_DEFINE_MEMBERS(OdDbDictionaryIterator, OdRxObject, "")

namespace {

const char* const kDictionary = "AcDbDictionary";

struct RawEntry
{
    size_t keyTag;  // index of the "3" group; the value group follows it
    OdString key;
    OdDbStub* stub;
};

// Entries in file order: each "3 key" followed by its "350"/"360" value.
std::vector<RawEntry> entriesOf(const OdDbDictionary* dict)
{
    std::vector<RawEntry> entries;
    const TagList& tags = dataOf(dict).tags;
    OdDbDatabase* db = dict->database();
    const size_t end = xdataStart(tags);
    bool inDictionary = findTag(dict, 100) < 0;
    for (size_t i = 1; i < end; ++i) {
        if (tags[i].code == 100) {
            inDictionary = tags[i].value() == kDictionary;
            continue;
        }
        if (!inDictionary || tags[i].code != 3 || i + 1 >= end) {
            continue;
        }
        const int valueCode = tags[i + 1].code;
        if (valueCode != 350 && valueCode != 360) {
            continue;
        }
        uint64_t handle = 0;
        kvdxf::parseHandle(tags[i + 1].value(), handle);
        entries.push_back(RawEntry{i, decodeText(dict, tags[i].value()),
                                   db != nullptr ? db->impl().stubOf(handle) : nullptr});
    }
    return entries;
}

}  // namespace

OdDbObjectId OdDbDictionary::getAt(const OdString& key) const
{
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.key.iCompare(key) == 0 && entry.stub != nullptr &&
            !OdDbObjectId(entry.stub).isErased()) {
            return OdDbObjectId(entry.stub);
        }
    }
    return OdDbObjectId();
}

OdDbObjectPtr OdDbDictionary::getAt(const OdString& key, OdDb::OpenMode mode) const
{
    return getAt(key).openObject(mode);
}

bool OdDbDictionary::has(const OdString& key) const
{
    return !getAt(key).isNull();
}

bool OdDbDictionary::has(const OdDbObjectId& id) const
{
    return !nameAt(id).isEmpty();
}

OdString OdDbDictionary::nameAt(const OdDbObjectId& id) const
{
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.stub == id.stub() && !id.isNull()) {
            return entry.key;
        }
    }
    return OdString();
}

OdUInt32 OdDbDictionary::numEntries() const
{
    OdUInt32 count = 0;
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.stub != nullptr && !OdDbObjectId(entry.stub).isErased()) {
            ++count;
        }
    }
    return count;
}

OdDbObjectId OdDbDictionary::setAt(const OdString& key, OdDbObject* newValue)
{
    if (newValue == nullptr) {
        throw OdError(eNullObjectPointer);
    }
    OdDbDatabase* db = database();
    if (db == nullptr) {
        throw OdError(eNotInDatabase);
    }
    assertWriteEnabled();
    DatabaseImpl& impl = db->impl();
    OdDbObjectId id = newValue->objectId();
    if (Access::stub(newValue) == nullptr) {
        id = impl.addObject(newValue, Access::stub(this), 0);
        dataOf(newValue).placement = Placement::Object;
        impl.sectionItems(SectionSlot::Objects).push_back(id.stub());
    } else {
        newValue->setOwnerId(objectId());
        dataOf(newValue).owner = Access::stub(this);
    }
    const std::string handle = kvdxf::formatHandle(id.getHandle());
    const bool hard = getInt(this, 280, 0, kDictionary) == 1;
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.key.iCompare(key) == 0) {
            if (entry.stub != nullptr && entry.stub != id.stub() &&
                entry.stub->object() != nullptr) {
                OdDbObjectPtr old = OdDbObjectId(entry.stub).openObject(OdDb::kForWrite);
                if (!old.isNull()) {
                    old->erase(true);
                }
            }
            replaceValue(this, entry.keyTag + 1, handle);
            if (Access::stub(newValue) != nullptr && id.stub()->object() == newValue &&
                dataOf(newValue).isNew) {
                impl.notifyAppended(newValue);
            }
            return id;
        }
    }
    size_t at = xdataStart(dataOf(this).tags);
    insertTag(this, at, 3, encodeText(this, key));
    insertTag(this, at + 1, hard ? 360 : 350, handle);
    if (dataOf(newValue).isNew) {
        impl.notifyAppended(newValue);
    }
    return id;
}

OdDbObjectId OdDbDictionary::remove(const OdString& key)
{
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.key.iCompare(key) == 0) {
            assertWriteEnabled();
            eraseTags(this, entry.keyTag, 2);
            if (entry.stub != nullptr && entry.stub->object() != nullptr) {
                dataOf(entry.stub->object()).owner = nullptr;
            }
            return OdDbObjectId(entry.stub);
        }
    }
    return OdDbObjectId();
}

OdDbDictionaryIteratorPtr OdDbDictionary::newIterator(bool sorted) const
{
    std::vector<OdDbDictionaryIterator::Entry> entries;
    for (const RawEntry& entry : entriesOf(this)) {
        if (entry.stub != nullptr && !OdDbObjectId(entry.stub).isErased()) {
            entries.push_back({entry.key, OdDbObjectId(entry.stub)});
        }
    }
    if (sorted) {
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            const int c = a.key.iCompare(b.key);
            return c != 0 ? c < 0 : a.key < b.key;
        });
    }
    OdDbDictionaryIteratorPtr it = OdRxObjectImpl<OdDbDictionaryIterator>::createObject();
    it->init(std::move(entries));
    return it;
}

OdDb::DuplicateRecordCloning OdDbDictionary::mergeStyle() const
{
    return getEnum(this, 281, OdDb::kDrcIgnore, OdDb::kDrcNotApplicable, OdDb::kDrcUnmangleName,
                   kDictionary);
}

bool OdDbDictionary::isTreatElementsAsHard() const
{
    return getInt(this, 280, 0, kDictionary) == 1;
}

void OdDbDictionaryIterator::init(std::vector<Entry> entries)
{
    m_entries = std::move(entries);
    m_pos = 0;
}

OdString OdDbDictionaryIterator::name() const
{
    return done() ? OdString() : m_entries[m_pos].key;
}

OdDbObjectId OdDbDictionaryIterator::objectId() const
{
    return done() ? OdDbObjectId() : m_entries[m_pos].id;
}

OdDbObjectPtr OdDbDictionaryIterator::getObject(OdDb::OpenMode mode)
{
    return objectId().openObject(mode);
}

bool OdDbDictionaryIterator::done() const
{
    return m_pos >= m_entries.size();
}

bool OdDbDictionaryIterator::next()
{
    if (!done()) {
        ++m_pos;
    }
    return !done();
}

// ---------------------------------------------------------------------------------------------
// Xrecords

namespace {
const char* const kXrecord = "AcDbXrecord";

// The data groups: after the marker (and its cloning flag 280, which comes first).
size_t dataStart(const OdDbXrecord* xrecord)
{
    ensureTags(xrecord);
    const TagList& tags = dataOf(xrecord).tags;
    int marker = -1;
    for (size_t i = 1; i < tags.size(); ++i) {
        if (tags[i].code == 100 && tags[i].value() == kXrecord) {
            marker = static_cast<int>(i);
            break;
        }
    }
    size_t start = marker < 0 ? 1 : static_cast<size_t>(marker) + 1;
    if (marker < 0) {
        // No marker: skip the common groups.
        while (start < tags.size() && (tags[start].code == 5 || tags[start].code == 102 ||
                                       tags[start].code == 330 || tags[start].code == 360)) {
            ++start;
        }
    }
    if (start < tags.size() && tags[start].code == 280) {
        ++start;
    }
    return start;
}
}  // namespace

OdResBufPtr OdDbXrecord::rbChain(OdDbDatabase*) const
{
    if (!dataOf(this).memoryChain.isNull()) {
        return dataOf(this).memoryChain;
    }
    OdResBufPtr head;
    OdResBufPtr tail;
    const TagList& tags = dataOf(this).tags;
    for (size_t i = dataStart(this); i < tags.size(); ++i) {
        const Tag& tag = tags[i];
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

OdResult OdDbXrecord::setFromRbChain(const OdResBuf* chain, OdDbDatabase*)
{
    assertWriteEnabled();
    const size_t start = dataStart(this);
    eraseTags(this, start, dataOf(this).tags.size() - start);
    size_t at = start;
    bool memoryOnly = false;
    for (const OdResBuf* rb = chain; rb != nullptr; rb = rb->next().get()) {
        const int code = rb->restype();
        if (code <= 0 || code >= 5000 || code == 5 || code == 105) {
            memoryOnly = true;
            continue;
        }
        insertTag(this, at++, code, tagTextOf(this, rb));
    }
    // A chain with items that DXF cannot hold is kept as given, for readers in this session.
    dataOf(this).memoryChain = OdResBufPtr();
    if (memoryOnly && chain != nullptr) {
        dataOf(this).memoryChain = OdResBufPtr(const_cast<OdResBuf*>(chain));
    }
    return eOk;
}

OdDb::DuplicateRecordCloning OdDbXrecord::mergeStyle() const
{
    return getEnum(this, 280, OdDb::kDrcIgnore, OdDb::kDrcNotApplicable, OdDb::kDrcUnmangleName,
                   kXrecord);
}
