#include "analysis/Deduplication.h"

#include <cstring>
#include <limits>
#include <memory>
#include <unordered_set>
#include <vector>

int FindMember(const TextList& list, std::string_view text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<int>(i) + 1;
    }
    return -1;
}

namespace {

// What stands for an entry in the index, so that a repeat is mostly recognised without
// reading the entry again (in a long list it lies far away in memory). An entry of at most
// seven bytes (the ids nearly always are) gives its bytes with the length in the top byte,
// 0..7: equal values mean equal entries. A longer one gives 56 bits of a hash of its bytes
// and length under the top byte 0xFF: equal values only mean the entries must be compared.
constexpr uint64_t kLongValue = uint64_t{0xFF} << 56;

bool IsShort(uint64_t value) {
    return value < kLongValue;
}

uint64_t Mix(uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    return value ^ (value >> 33);
}

uint64_t Byte(const char* p) {
    return static_cast<unsigned char>(*p);
}

uint64_t Load32(const char* p) {
    return Byte(p) | Byte(p + 1) << 8 | Byte(p + 2) << 16 | Byte(p + 3) << 24;
}

uint64_t Load64(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// Eight bytes at a time, the last eight overlapping the word before when the length is no
// multiple of eight.
uint64_t ValueOfLong(std::string_view entry) {
    uint64_t hash = entry.size() * 0x9E3779B97F4A7C15ull;
    for (size_t p = 0; p + 8 < entry.size(); p += 8)
        hash = Mix(hash ^ Load64(entry.data() + p));
    return Mix(hash ^ Load64(entry.data() + entry.size() - 8) ^ 0x5A) >> 8 | kLongValue;
}

// Byte k of a short entry lands in bits 8k..8k+7, gathered with loads that may overlap
// rather than with a loop or a call to memcpy, which cost more than the rest of the work
// done for an entry.
uint64_t ValueOf(std::string_view entry) {
    const size_t size = entry.size();
    const char* p = entry.data();
    if (size > 7) return ValueOfLong(entry);
    const uint64_t length = uint64_t(size) << 56;
    if (size >= 4) return Load32(p) | Load32(p + size - 4) << (8 * (size - 4)) | length;
    if (size == 0) return length;
    return Byte(p) | Byte(p + size / 2) << (8 * (size / 2)) | Byte(p + size - 1) << (8 * (size - 1)) | length;
}

// The distinct entries of one group: open addressing with linear probing in a table kept at
// most half full, grown as new entries come. A slot belongs to the group whose number it
// carries, so moving on to the next group empties the table without touching it.
class EntryIndex {
  public:
    explicit EntryIndex(const TextList& list) : list_(list) { Grow(kFirstCapacity); }

    void StartGroup() {
        ++group_;
        count_ = 0;
    }

    // Adds entry i, whose value is given; false when an equal entry is already in the group.
    bool Insert(uint64_t value, uint32_t i) {
        for (size_t at = Mix(value) & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.group != group_) {
                slot = {value, i, group_};
                if (++count_ * 2 > slots_.size()) Grow(slots_.size() * 2);
                return true;
            }
            if (slot.value == value && (IsShort(value) || list_[slot.index] == list_[i])) return false;
        }
    }

  private:
    static constexpr size_t kFirstCapacity = 1024;

    struct Slot {
        uint64_t value = 0;
        uint32_t index = 0;
        uint32_t group = 0;  // no group is numbered 0, so a new slot is empty
    };

    void Grow(size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        mask_ = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.group != group_) continue;
            size_t at = Mix(slot.value) & mask_;
            while (slots_[at].group == group_)
                at = (at + 1) & mask_;
            slots_[at] = slot;
        }
    }

    const TextList& list_;
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t count_ = 0;
    uint32_t group_ = 0;
};

// One bit per entry of the list, set for a first occurrence.
struct FirstMarks {
    explicit FirstMarks(size_t size) : words((size + 63) / 64) {}
    void Set(size_t i) { words[i / 64] |= uint64_t{1} << (i % 64); }
    bool Has(size_t i) const { return (words[i / 64] >> (i % 64)) & 1; }
    std::vector<uint64_t> words;
};

void MarkFirstsAtOnce(const TextList& list, FirstMarks& firsts) {
    EntryIndex seen(list);
    seen.StartGroup();
    for (size_t i = 0; i < list.size(); ++i) {
        if (seen.Insert(ValueOf(list[i]), static_cast<uint32_t>(i))) firsts.Set(i);
    }
}

// A list whose index would not fit in a cache is split into groups by the top bits of the
// entries' hashes, so that each group's index stays in the cache; one index for the whole
// list would be read and written at a random place in memory for every entry. Equal entries
// fall in the same group, and a group keeps the list's order, so the first one met there is
// the first occurrence. About kGroupEntries entries a group, and kMaxGroupBits bounds the
// number of groups written to at once.
constexpr size_t kGroupEntries = size_t{1} << 15;
constexpr int kMaxGroupBits = 10;

int GroupBitsFor(size_t size) {
    int bits = 0;
    while (bits < kMaxGroupBits && (size >> bits) > kGroupEntries)
        ++bits;
    return bits;
}

// The values and positions of the entries, group by group, in blocks handed out as a group
// fills its last one, so that one pass over the list places every entry.
class Groups {
  public:
    Groups(const TextList& list, int bits)
        : blocks_(list.size() / kBlock + (size_t{1} << bits)),
          values_(std::make_unique_for_overwrite<uint64_t[]>(blocks_ * kBlock)),
          indices_(std::make_unique_for_overwrite<uint32_t[]>(blocks_ * kBlock)),
          next_(blocks_, kNone),
          first_(size_t{1} << bits, kNone),
          last_(size_t{1} << bits) {
        const int shift = 64 - bits;
        uint32_t used = 0;
        for (size_t i = 0; i < list.size(); ++i) {
            const uint64_t value = ValueOf(list[i]);
            const size_t group = Mix(value) >> shift;
            Last& last = last_[group];
            if (last.at == last.end) {
                if (first_[group] == kNone) {
                    first_[group] = used;
                } else {
                    next_[last.block] = used;
                }
                last = {used, used * kBlock, (used + 1) * kBlock};
                ++used;
            }
            values_[last.at] = value;
            indices_[last.at] = static_cast<uint32_t>(i);
            ++last.at;
        }
    }

    size_t Count() const { return first_.size(); }

    // Calls f(value, index) for the entries of group g, in the list's order.
    template <typename F>
    void ForEach(size_t g, F f) const {
        for (uint32_t block = first_[g]; block != kNone; block = next_[block]) {
            const size_t end = next_[block] == kNone ? last_[g].at : (block + 1) * kBlock;
            for (size_t at = block * kBlock; at < end; ++at)
                f(values_[at], indices_[at]);
        }
    }

  private:
    static constexpr size_t kBlock = 1024;
    static constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

    struct Last {
        uint32_t block = 0;
        size_t at = 0, end = 0;  // where the group's next entry goes, and its block's end
    };

    size_t blocks_;  // the full blocks, and a partly filled one for every group
    std::unique_ptr<uint64_t[]> values_;
    std::unique_ptr<uint32_t[]> indices_;
    std::vector<uint32_t> next_;  // the next block of the same group
    std::vector<uint32_t> first_;
    std::vector<Last> last_;
};

void MarkFirstsInGroups(const TextList& list, int bits, FirstMarks& firsts) {
    const Groups groups(list, bits);
    EntryIndex seen(list);
    for (size_t g = 0; g < groups.Count(); ++g) {
        seen.StartGroup();
        groups.ForEach(g, [&](uint64_t value, uint32_t i) {
            if (seen.Insert(value, i)) firsts.Set(i);
        });
    }
}

// For a list too long to number in 32 bits.
void MarkFirstsOfHugeList(const TextList& list, FirstMarks& firsts) {
    std::unordered_set<std::string_view> seen;
    seen.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        if (seen.insert(list[i]).second) firsts.Set(i);
    }
}

}  // namespace

int32_t RemoveDuplicates(TextList& list) {
    // First find which entries are first occurrences; only once the index is gone are the
    // kept entries moved forward, in place.
    FirstMarks firsts(list.size());
    if (list.size() >= std::numeric_limits<uint32_t>::max()) {
        MarkFirstsOfHugeList(list, firsts);
    } else if (const int bits = GroupBitsFor(list.size()); bits > 0) {
        MarkFirstsInGroups(list, bits, firsts);
    } else {
        MarkFirstsAtOnce(list, firsts);
    }
    size_t kept = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (!firsts.Has(i)) continue;
        if (kept != i) list[kept] = std::move(list[i]);
        ++kept;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
    return static_cast<int32_t>(kept);
}
