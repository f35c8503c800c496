#include "analysis/Deduplication.h"

#include <cstring>
#include <limits>
#include <unordered_set>
#include <vector>

int FindMember(const TextList& list, std::string_view text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<int>(i) + 1;
    }
    return -1;
}

namespace {

// The index of the entries seen so far: open addressing with linear probing in a table
// kept at most half full, grown as new entries come. Each slot holds a key made of the
// entry's bytes and length when it has at most seven bytes (the ids nearly always do), so a
// repeat of a short entry is recognised without reading the entry itself, which in a long
// list lies far away in memory; a longer entry is compared whole when key and hash agree.
class EntryIndex {
  public:
    explicit EntryIndex(const TextList& list) : list_(list) { Grow(kFirstCapacity); }

    // Adds entry i; false when an equal entry is already in the index.
    bool Insert(uint32_t i) {
        const std::string_view entry = list_[i];
        const uint64_t key = KeyOf(entry);
        const uint64_t hash = HashOf(entry, key);
        const uint32_t tag = static_cast<uint32_t>(hash >> 32);
        for (size_t at = size_t(hash) & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.index == kEmpty) {
                slot = {key, tag, i};
                if (++count_ * 2 > slots_.size()) Grow(slots_.size() * 2);
                return true;
            }
            if (slot.key == key && slot.tag == tag && (IsShort(key) || list_[slot.index] == entry))
                return false;
        }
    }

  private:
    static constexpr size_t kFirstCapacity = 1024;
    static constexpr uint32_t kEmpty = std::numeric_limits<uint32_t>::max();
    static constexpr uint64_t kLongKey = uint64_t{0xFF} << 56;

    struct Slot {
        uint64_t key = 0;
        uint32_t tag = 0;  // the hash's high half; its low half chose the slot
        uint32_t index = kEmpty;
    };

    // Up to seven bytes, then the length in the top byte: equal keys mean equal entries.
    // Longer entries share the top byte 0xFF and keep their first seven bytes.
    static uint64_t KeyOf(std::string_view entry) {
        uint64_t bytes = 0;
        std::memcpy(&bytes, entry.data(), entry.size() < 7 ? entry.size() : 7);
        bytes &= (uint64_t{1} << 56) - 1;
        return bytes | (entry.size() <= 7 ? uint64_t(entry.size()) << 56 : kLongKey);
    }

    static bool IsShort(uint64_t key) { return (key & kLongKey) != kLongKey; }

    static uint64_t Mix(uint64_t value) {
        value ^= value >> 33;
        value *= 0xFF51AFD7ED558CCDull;
        value ^= value >> 33;
        value *= 0xC4CEB9FE1A85EC53ull;
        return value ^ (value >> 33);
    }

    // The whole entry for a long one, eight bytes at a time, with its length.
    static uint64_t HashOf(std::string_view entry, uint64_t key) {
        if (IsShort(key)) return Mix(key);
        uint64_t hash = entry.size() * 0x9E3779B97F4A7C15ull;
        size_t p = 0;
        for (; entry.size() - p >= 8; p += 8) {
            uint64_t word;
            std::memcpy(&word, entry.data() + p, 8);
            hash = Mix(hash ^ word);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, entry.data() + p, entry.size() - p);
        return Mix(hash ^ tail ^ 0x5A);
    }

    void Grow(size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        mask_ = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.index == kEmpty) continue;
            const uint64_t hash = HashOf(list_[slot.index], slot.key);
            size_t at = size_t(hash) & mask_;
            while (slots_[at].index != kEmpty)
                at = (at + 1) & mask_;
            slots_[at] = slot;
        }
    }

    const TextList& list_;
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t count_ = 0;
};

// The positions of the first occurrences, for a list too long to number in 32 bits.
std::vector<size_t> FirstsOfHugeList(const TextList& list) {
    std::vector<size_t> firsts;
    std::unordered_set<std::string_view> seen;
    seen.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        if (seen.insert(list[i]).second) firsts.push_back(i);
    }
    return firsts;
}

template <typename Index>
void KeepFirsts(TextList& list, const std::vector<Index>& firsts) {
    TextList kept;
    kept.reserve(firsts.size());
    for (Index i : firsts)
        kept.push_back(std::move(list[i]));
    list.swap(kept);
}

}  // namespace

int32_t RemoveDuplicates(TextList& list) {
    // First find which entries are first occurrences; only once the index is gone are the
    // kept entries moved into place.
    if (list.size() >= std::numeric_limits<uint32_t>::max()) {
        KeepFirsts(list, FirstsOfHugeList(list));
        return static_cast<int32_t>(list.size());
    }
    std::vector<uint32_t> firsts;
    {
        EntryIndex seen(list);
        for (size_t i = 0; i < list.size(); ++i) {
            if (seen.Insert(static_cast<uint32_t>(i))) firsts.push_back(static_cast<uint32_t>(i));
        }
    }
    KeepFirsts(list, firsts);
    return static_cast<int32_t>(list.size());
}
