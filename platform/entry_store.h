#pragma once
// The texts of a list box, kept compactly: the bytes of every entry one after the
// other in large blocks, and one 8-byte place per entry. A list of a million paths
// costs little more than the paths themselves, and no entry is an object of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class EntryStore {
public:
    void append(std::string_view entry);
    long size() const { return static_cast<long>(places_.size()); }
    /// The entry at a zero-based index; valid until the store next changes. Empty
    /// past either end.
    std::string_view at(long index) const;
    void remove(long index);
    void clear();

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t capacity = 0;
        std::size_t used = 0;
    };
    // An entry's place: its block in the high 32 bits, its offset there in the low
    // 32. At that offset stands its length (7 bits a byte, low bits first), then its bytes.
    std::vector<std::uint64_t> places_;
    std::vector<Block> blocks_;
    std::size_t liveBytes_ = 0;
    std::size_t deadBytes_ = 0;  // of removed entries, given back when they outweigh the rest
};

} // namespace tavlo
