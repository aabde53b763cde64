#include "ReferenceIndex.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "dxf/DxfNumbers.h"

#include <algorithm>

namespace kvdb {

void forEachReference(const DatabaseImpl& db, const OdDbObject* object,
                      const std::function<void(OdDbStub*)>& use)
{
    const ObjectData& data = dataOf(object);
    for (const NameRef& ref : data.refs) {
        if (ref.target != nullptr) {
            use(ref.target);
        }
    }
    const TagList& tags = data.tags;
    size_t i = 1;
    while (i < tags.size() && tags[i].code != 100) {
        ++i;
    }
    if (i == tags.size()) {
        i = 1;  // R12: no identity groups beyond the handle
    }
    for (; i < tags.size(); ++i) {
        const int code = tags[i].code;
        const bool pointer = (code >= 320 && code <= 369) || (code >= 390 && code <= 399) ||
                             code == 480 || code == 481 || code == 1005;
        uint64_t handle = 0;
        if (pointer && kvdxf::parseHandle(tags[i].value(), handle) && handle != 0) {
            if (OdDbStub* target = db.stubOf(handle)) {
                use(target);
            }
        }
    }
}

bool usesItsReferences(const OdDbObject* object)
{
    const ObjectData& data = dataOf(object);
    return !data.erased && data.placement != Placement::Table;
}

ReferenceIndex::ReferenceIndex(const DatabaseImpl& db) : m_db(db)
{
    for (const OdDbStub& stub : db.stubs) {
        add(const_cast<OdDbStub*>(&stub));
    }
}

void ReferenceIndex::touch(OdDbStub* stub)
{
    if (m_touched.empty() || m_touched.back() != stub) {
        m_touched.push_back(stub);
    }
}

void ReferenceIndex::add(OdDbStub* user)
{
    if (user->object() == nullptr || !usesItsReferences(user->object())) {
        return;
    }
    forEachReference(m_db, user->object(), [&](OdDbStub* target) {
        std::vector<OdDbStub*>& users = m_users[target];
        if (users.empty() || users.back() != user) {
            users.push_back(user);
        }
    });
}

void ReferenceIndex::update()
{
    std::sort(m_touched.begin(), m_touched.end());
    m_touched.erase(std::unique(m_touched.begin(), m_touched.end()), m_touched.end());
    for (OdDbStub* stub : m_touched) {
        add(stub);
    }
    m_touched.clear();
}

bool ReferenceIndex::isUsed(OdDbStub* target, const std::function<bool(OdDbStub*)>& counts)
{
    update();
    const auto found = m_users.find(target);
    if (found == m_users.end()) {
        return false;
    }
    // From the most recent entry; stale entries are dropped on the way (the last entry, already
    // seen, takes their place).
    std::vector<OdDbStub*>& users = found->second;
    for (size_t i = users.size(); i-- > 0;) {
        OdDbStub* const user = users[i];
        bool refers = false;
        if (user->object() != nullptr && usesItsReferences(user->object())) {
            forEachReference(m_db, user->object(),
                             [&](OdDbStub* used) { refers = refers || used == target; });
        }
        if (!refers) {
            users[i] = users.back();
            users.pop_back();
        } else if (counts(user)) {
            return true;
        }
    }
    return false;
}

}  // namespace kvdb
