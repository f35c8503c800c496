// The matching machine: runs a program over a subject as a set of threads, one per
// instruction at most, advanced together one code unit at a time (a Pike VM). Threads are
// kept in priority order, so the first to reach the end of the program is the match the
// platform object's backtracking would find. Time grows linearly with the subject for a
// fixed program, and nothing recurses: the threads and the pending branches live in
// vectors of the scratch.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/RegexProgram.h"

namespace regex {

// The machine's working memory. Kept from one search to the next so that a run over many
// matches allocates only while its lists still grow. One scratch serves one search at a time.
struct VmScratch {
    struct ThreadList {
        std::vector<int32_t> pcs;   // in priority order
        std::vector<int32_t> caps;  // the capture slots of each thread, in the order of pcs
        uint32_t generation = 0;    // marks[pc] equals it when pc is on the list
    };
    struct Branch {
        int32_t pc;     // an instruction to go on at; -(slot + 1) to put value back into a slot
        int32_t value;
    };
    ThreadList lists[2];
    std::vector<uint32_t> marks;
    uint32_t generation = 0;
    std::vector<Branch> branches;
    std::vector<int32_t> working;
};

// Finds the leftmost match that begins at offset start or later. On success slots receives
// 2 * (groupCount + 1) offsets in UTF-16 code units: the match's start and end, then each
// group's, -1 for a group that did not take part.
[[nodiscard]] bool FindMatch(const Program& program, std::u16string_view subject, int32_t start,
                             VmScratch& scratch, int32_t* slots);

}  // namespace regex
