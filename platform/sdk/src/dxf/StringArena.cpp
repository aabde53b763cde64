#include "StringArena.h"

#include <cstring>

namespace kvdxf {

namespace {
constexpr size_t kBlockSize = 64 * 1024;
}

std::string_view StringArena::store(std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    if (text.size() > kBlockSize / 4) {
        // Large texts get a block of their own so they do not waste the rest of the current one.
        m_blocks.push_back(std::unique_ptr<char[]>(new char[text.size()]));
        std::memcpy(m_blocks.back().get(), text.data(), text.size());
        return {m_blocks.back().get(), text.size()};
    }
    if (text.size() > m_left) {
        m_blocks.push_back(std::unique_ptr<char[]>(new char[kBlockSize]));
        m_free = m_blocks.back().get();
        m_left = kBlockSize;
    }
    char* stored = m_free;
    std::memcpy(stored, text.data(), text.size());
    m_free += text.size();
    m_left -= text.size();
    return {stored, text.size()};
}

}  // namespace kvdxf
