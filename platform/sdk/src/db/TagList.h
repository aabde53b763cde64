#pragma once

#include "dxf/Tag.h"

#include <memory>
#include <vector>

namespace kvdb {

using kvdxf::Tag;

// The DXF groups of one object: a view into the drawing's tag list until the object is changed,
// then a list of its own.
class TagList
{
public:
    TagList() = default;
    TagList(const TagList& other) { *this = other; }
    TagList& operator=(const TagList& other)
    {
        if (this != &other) {
            m_owned = std::make_unique<std::vector<Tag>>(other.begin(), other.end());
            m_begin = m_owned->data();
            m_size = m_owned->size();
        }
        return *this;
    }

    void assignView(const Tag* begin, size_t size)
    {
        m_owned.reset();
        m_begin = begin;
        m_size = size;
    }
    // Takes a list of its own.
    void adopt(std::vector<Tag>&& tags)
    {
        m_owned = std::make_unique<std::vector<Tag>>(std::move(tags));
        sync();
    }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const Tag& operator[](size_t i) const { return m_begin[i]; }
    const Tag* begin() const { return m_begin; }
    const Tag* end() const { return m_begin + m_size; }

    // The list for changing; copies the view on first use.
    std::vector<Tag>& edit()
    {
        if (!m_owned) {
            m_owned = std::make_unique<std::vector<Tag>>(m_begin, m_begin + m_size);
        }
        return *m_owned;
    }
    // Call after changing the list returned by edit().
    void sync()
    {
        m_begin = m_owned->data();
        m_size = m_owned->size();
    }
    bool isOwned() const { return m_owned != nullptr; }

private:
    const Tag* m_begin = nullptr;
    size_t m_size = 0;
    std::unique_ptr<std::vector<Tag>> m_owned;
};

}  // namespace kvdb
