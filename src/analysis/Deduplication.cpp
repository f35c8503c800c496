#include "analysis/Deduplication.h"

#include <unordered_set>
#include <vector>

int FindMember(const TextList& list, std::string_view text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<int>(i) + 1;
    }
    return -1;
}

int32_t RemoveDuplicates(TextList& list) {
    // First find which entries are first occurrences, with an index of views into the
    // entries; only once the index is gone are the kept entries moved into place.
    std::vector<size_t> firsts;
    {
        std::unordered_set<std::string_view> seen;
        seen.reserve(list.size());
        for (size_t i = 0; i < list.size(); ++i) {
            if (seen.insert(list[i]).second) firsts.push_back(i);
        }
    }
    TextList kept;
    kept.reserve(firsts.size());
    for (size_t i : firsts) kept.push_back(std::move(list[i]));
    list.swap(kept);
    return static_cast<int32_t>(list.size());
}
