#include "platform/entry_store.h"

#include <algorithm>
#include <cstring>

namespace tavlo {
namespace {

// Large enough that the blocks' own bookkeeping does not count, small enough that
// the last, partly filled block wastes little.
constexpr std::size_t kBlockSize = 1 << 20;

std::size_t lengthBytes(std::size_t length)
{
    std::size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

} // namespace

void EntryStore::append(std::string_view entry)
{
    const std::size_t needed = lengthBytes(entry.size()) + entry.size();
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < needed) {
        const std::size_t capacity = std::max(kBlockSize, needed);
        blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(capacity), capacity, 0});
    }
    Block& block = blocks_.back();
    const std::size_t offset = block.used;
    char* out = block.bytes.get() + offset;
    std::size_t length = entry.size();
    while (length >= 0x80) {
        *out++ = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    std::memcpy(out, entry.data(), entry.size());
    block.used += needed;
    liveBytes_ += needed;
    places_.push_back(static_cast<std::uint64_t>(blocks_.size() - 1) << 32 | offset);
}

std::string_view EntryStore::at(long index) const
{
    if (index < 0 || index >= size())
        return {};
    const std::uint64_t place = places_[static_cast<std::size_t>(index)];
    const char* in = blocks_[place >> 32].bytes.get() + (place & 0xFFFFFFFFu);
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            break;
    }
    return {in, length};
}

void EntryStore::remove(long index)
{
    if (index < 0 || index >= size())
        return;
    const std::size_t length = at(index).size();
    places_.erase(places_.begin() + index);
    liveBytes_ -= lengthBytes(length) + length;
    deadBytes_ += lengthBytes(length) + length;
    if (deadBytes_ <= std::max(liveBytes_, kBlockSize))
        return;
    // Removed entries now hold more room than the rest: the store is written afresh.
    EntryStore compacted;
    compacted.places_.reserve(places_.size());
    for (long i = 0; i < size(); ++i)
        compacted.append(at(i));
    *this = std::move(compacted);
}

void EntryStore::clear() { *this = EntryStore(); }

} // namespace tavlo
