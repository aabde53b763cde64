// OdArray<T>: the SDK's dynamic array, copy-on-write.
//
// Contract:
// - Copies share one buffer (reference counted, atomically) until one of them is changed; the
//   change then copies the elements, so no other copy ever sees it. Any non-const access (the
//   non-const operator[], at, first, last, begin, end, asArrayPtr) counts as a change.
// - Elements are constructed, copied and destroyed as C++ objects: any copyable T works.
// - Indexes are checked: at, operator[], getAt, setAt, first, last, removeAt and an insertAt past
//   the end throw OdError_InvalidIndex. They never read outside the array.
// - A value passed in may be an element of the same array (a.append(a[0]) is fine).
// - Pointers and iterators are valid until the next change of this array or of its length.
#ifndef OD_ARRAY_H
#define OD_ARRAY_H

#include <OdError.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

template <class T>
class OdArray
{
public:
    typedef unsigned int size_type;
    typedef T value_type;
    typedef T* iterator;
    typedef const T* const_iterator;

    OdArray() noexcept = default;
    // Reserves `physicalLength` elements. The growth step is left to the container.
    explicit OdArray(size_type physicalLength, int /*growLength*/ = 8) { reserve(physicalLength); }
    OdArray(const OdArray& other) noexcept : m_pBuffer(other.m_pBuffer) { addRefBuffer(); }
    OdArray(OdArray&& other) noexcept : m_pBuffer(std::exchange(other.m_pBuffer, nullptr)) {}
    ~OdArray() { releaseBuffer(); }

    OdArray& operator=(const OdArray& other) noexcept
    {
        if (m_pBuffer != other.m_pBuffer) {
            releaseBuffer();
            m_pBuffer = other.m_pBuffer;
            addRefBuffer();
        }
        return *this;
    }
    OdArray& operator=(OdArray&& other) noexcept
    {
        if (this != &other) {
            releaseBuffer();
            m_pBuffer = std::exchange(other.m_pBuffer, nullptr);
        }
        return *this;
    }

    size_type size() const noexcept { return m_pBuffer ? count(m_pBuffer->items.size()) : 0; }
    size_type length() const noexcept { return size(); }
    size_type logicalLength() const noexcept { return size(); }
    size_type physicalLength() const noexcept
    {
        return m_pBuffer ? count(m_pBuffer->items.capacity()) : 0;
    }
    bool isEmpty() const noexcept { return size() == 0; }
    bool empty() const noexcept { return size() == 0; }

    void reserve(size_type physicalLength) { writable().reserve(physicalLength); }
    // Sets the capacity exactly; elements past it are removed.
    OdArray& setPhysicalLength(size_type physicalLength)
    {
        std::vector<T>& items = writable();
        std::vector<T> resized;
        resized.reserve(physicalLength);
        const size_type kept = std::min(physicalLength, size());
        std::move(items.begin(), items.begin() + kept, std::back_inserter(resized));
        items.swap(resized);
        return *this;
    }
    // New elements are value-initialised (or copies of `value`).
    void resize(size_type logicalLength) { writable().resize(logicalLength); }
    void resize(size_type logicalLength, const T& value)
    {
        const T copy(value);
        writable().resize(logicalLength, copy);
    }
    OdArray& setLogicalLength(size_type logicalLength)
    {
        resize(logicalLength);
        return *this;
    }

    // Returns the index of the new element.
    size_type append(const T& value)
    {
        T copy(value);
        writable().push_back(std::move(copy));
        return size() - 1;
    }
    OdArray& append(const OdArray& other)
    {
        const OdArray keep(other);
        std::vector<T>& items = writable();
        items.insert(items.end(), keep.begin(), keep.end());
        return *this;
    }
    void push_back(const T& value) { append(value); }
    // `index` may equal size() (append).
    OdArray& insertAt(size_type index, const T& value)
    {
        if (index > size()) {
            throw OdError_InvalidIndex();
        }
        T copy(value);
        std::vector<T>& items = writable();
        items.insert(items.begin() + index, std::move(copy));
        return *this;
    }
    OdArray& removeAt(size_type index)
    {
        checkIndex(index);
        std::vector<T>& items = writable();
        items.erase(items.begin() + index);
        return *this;
    }
    // Drops every element; other copies keep theirs.
    OdArray& removeAll() noexcept
    {
        if (m_pBuffer && isShared()) {
            releaseBuffer();
        } else if (m_pBuffer) {
            m_pBuffer->items.clear();
        }
        return *this;
    }
    void clear() noexcept { removeAll(); }
    // Removes the first element equal to `value` at or after `start`; false when there is none.
    bool remove(const T& value, size_type start = 0)
    {
        size_type index = 0;
        if (!find(value, index, start)) {
            return false;
        }
        removeAt(index);
        return true;
    }

    bool contains(const T& value, size_type start = 0) const
    {
        size_type index = 0;
        return find(value, index, start);
    }
    // Sets `index` to the first element equal to `value` at or after `start`.
    bool find(const T& value, size_type& index, size_type start = 0) const
    {
        for (size_type i = start; i < size(); ++i) {
            if (m_pBuffer->items[i] == value) {
                index = i;
                return true;
            }
        }
        return false;
    }

    const T& at(size_type index) const
    {
        checkIndex(index);
        return m_pBuffer->items[index];
    }
    T& at(size_type index)
    {
        checkIndex(index);
        return writable()[index];
    }
    const T& operator[](size_type index) const { return at(index); }
    T& operator[](size_type index) { return at(index); }
    const T& getAt(size_type index) const { return at(index); }
    OdArray& setAt(size_type index, const T& value)
    {
        checkIndex(index);
        T copy(value);
        writable()[index] = std::move(copy);
        return *this;
    }
    const T& first() const { return at(0); }
    T& first() { return at(0); }
    const T& last() const { return at(size() - 1); }
    T& last() { return at(size() - 1); }

    const_iterator begin() const noexcept { return getPtr(); }
    const_iterator end() const noexcept { return getPtr() + size(); }
    iterator begin() { return asArrayPtr(); }
    iterator end() { return asArrayPtr() + size(); }
    // Null for an array that never held elements.
    const T* getPtr() const noexcept { return m_pBuffer ? m_pBuffer->items.data() : nullptr; }
    const T* asArrayPtr() const noexcept { return getPtr(); }
    T* asArrayPtr() { return m_pBuffer ? writable().data() : nullptr; }

    bool operator==(const OdArray& other) const
    {
        return m_pBuffer == other.m_pBuffer ||
               std::equal(begin(), end(), other.begin(), other.end());
    }
    bool operator!=(const OdArray& other) const { return !(*this == other); }

private:
    struct Buffer
    {
        std::atomic<int> refs{1};
        std::vector<T> items;
    };

    static size_type count(std::size_t n) noexcept { return static_cast<size_type>(n); }

    void checkIndex(size_type index) const
    {
        if (index >= size()) {
            throw OdError_InvalidIndex();
        }
    }
    bool isShared() const noexcept { return m_pBuffer->refs.load(std::memory_order_acquire) > 1; }
    void addRefBuffer() noexcept
    {
        if (m_pBuffer) {
            m_pBuffer->refs.fetch_add(1, std::memory_order_relaxed);
        }
    }
    void releaseBuffer() noexcept
    {
        Buffer* pBuffer = std::exchange(m_pBuffer, nullptr);
        if (pBuffer && pBuffer->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::unique_ptr<Buffer> owned(pBuffer);
        }
    }
    // The elements of this array, unshared (copied first when another array shares them).
    std::vector<T>& writable()
    {
        if (!m_pBuffer) {
            m_pBuffer = std::make_unique<Buffer>().release();
        } else if (isShared()) {
            auto copy = std::make_unique<Buffer>();
            copy->items.reserve(m_pBuffer->items.capacity());
            copy->items = m_pBuffer->items;
            releaseBuffer();
            m_pBuffer = copy.release();
        }
        return m_pBuffer->items;
    }

    Buffer* m_pBuffer = nullptr;
};

#endif  // OD_ARRAY_H
