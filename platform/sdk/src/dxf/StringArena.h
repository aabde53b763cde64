// Stable storage for value texts that are not in a file buffer.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace kvdxf {

// Copies texts into blocks that never move, so the returned views stay valid for the arena's
// lifetime (also when more text is stored later). Not copyable; texts are freed all at once.
class StringArena
{
public:
    StringArena() = default;
    StringArena(const StringArena&) = delete;
    StringArena& operator=(const StringArena&) = delete;

    std::string_view store(std::string_view text);

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_free = nullptr;
    size_t m_left = 0;
};

}  // namespace kvdxf
