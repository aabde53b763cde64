#include "FileSource.h"

#include <algorithm>
#include <cstring>

namespace kvdxf {

namespace {
// Objects read in file order (writing, reading them all) are fetched this much at a time; one
// read out of that order (opening an entity here and there) fetches little more than itself.
constexpr size_t kCacheSize = 256 * 1024;
constexpr size_t kSingleRead = 16 * 1024;
}  // namespace

const char* const FileSource::kChanged =
    "the file was changed by another program since it was read; read the drawing again";

FileSource::FileSource(std::unique_ptr<InputFile> input, std::string path)
    : m_input(std::move(input)), m_path(std::move(path)), m_size(m_input->size())
{}

long long FileSource::readAt(uint64_t offset, char* into, size_t size, std::string& error)
{
    return m_input->readAt(offset, into, size, error);
}

bool FileSource::bytes(uint64_t offset, uint32_t size, std::string_view& bytes, std::string& error)
{
    const bool cached = offset >= m_cacheOffset && offset - m_cacheOffset <= m_cacheSize &&
                        size <= m_cacheSize - (offset - m_cacheOffset);
    if (!cached) {
        if (!m_input->unchanged() || offset > m_size || size > m_size - offset) {
            error = kChanged;
            return false;
        }
        // Reading on from what was read last, or from the start.
        const bool inOrder =
            offset >= m_cacheOffset && offset - m_cacheOffset < m_cacheSize + kCacheSize;
        const size_t wanted = std::max<size_t>(
            size, std::min<uint64_t>(inOrder ? kCacheSize : kSingleRead, m_size - offset));
        if (wanted > m_cacheCapacity) {
            m_cache.reset(new char[wanted]);
            m_cacheCapacity = wanted;
        }
        m_cacheSize = 0;
        const long long got = m_input->readAt(offset, m_cache.get(), wanted, error);
        if (got < 0) {
            return false;
        }
        if (static_cast<size_t>(got) < size) {
            error = kChanged;
            return false;
        }
        m_cacheOffset = offset;
        m_cacheSize = static_cast<size_t>(got);
    }
    bytes = {m_cache.get() + (offset - m_cacheOffset), size};
    return true;
}

void FileSource::noteLine(uint64_t offset, uint64_t line)
{
    if (m_lines.empty() || m_lines.back().first < offset) {
        m_lines.emplace_back(offset, line);
    }
}

uint64_t FileSource::lineAt(uint64_t offset)
{
    auto after =
        std::upper_bound(m_lines.begin(), m_lines.end(), std::make_pair(offset, ~uint64_t(0)));
    if (after == m_lines.begin()) {
        return 0;
    }
    const std::pair<uint64_t, uint64_t> note = *(after - 1);
    uint64_t line = note.second;
    std::string error;
    for (uint64_t at = note.first; at < offset;) {
        const auto piece = static_cast<uint32_t>(std::min<uint64_t>(kCacheSize, offset - at));
        std::string_view text;
        if (!bytes(at, piece, text, error)) {
            return 0;
        }
        line += static_cast<uint64_t>(std::count(text.begin(), text.end(), '\n'));
        at += piece;
    }
    return line;
}

}  // namespace kvdxf
