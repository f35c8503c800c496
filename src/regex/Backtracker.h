// The fast matching machine: a depth-first search of the program in priority order that
// remembers every (instruction, offset) pair it has tried, so no pair is tried twice and
// time stays linear in what it explores. A pair that failed fails from every start, so the
// memory is kept from one candidate start to the next and from one match of a global run
// to the next; only the match's end offset is forgotten, since the way to that match
// passed there.
//
// The memory is a ring of offsets of bounded size. A search that would need more of the
// subject at once than the ring holds gives up and says where, and the caller finishes
// that search with the Pike VM, which needs no such memory. Both machines find the same
// match.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/RegexProgram.h"

namespace regex {

// Working memory for one run of searches of one program over one subject.
struct BacktrackScratch {
    struct Job {
        int32_t pc;   // an instruction to go on at; -(slot + 1) to put at back into a slot
        int32_t at;   // the offset to go on at, trying at, at - 1 and so on down to low
        int32_t low;
    };
    std::vector<uint64_t> tried;  // the ring: stride words per offset, a bit per memo
    size_t stride = 0;
    int32_t ringMask = 0;  // the ring holds ringMask + 1 offsets
    int32_t high = -1;     // the highest offset whose bits are up to date
    std::vector<Job> jobs;
    std::vector<int32_t> caps;
};

// The ring's size at most: 2 MB of bits, a quarter of a million offsets for the map
// expressions, far more than one of their matches spans.
inline constexpr size_t kDefaultRingWords = size_t{1} << 18;

// Makes scratch ready for searches of program over a subject of the given length, with a
// ring of at most ringWords 64-bit words.
void BeginBacktrackRun(const Program& program, size_t subjectLength, BacktrackScratch& scratch,
                       size_t ringWords = kDefaultRingWords);

enum class BacktrackOutcome { kFound, kNotFound, kGaveUp };

// Searches as FindMatch (PikeVm.h) does, from offset start, which must not lie before the
// end of the previous match of the run. kGaveUp sets resumeAt to the first start not yet
// ruled out, and the searches after it begin afresh.
[[nodiscard]] BacktrackOutcome Backtrack(const Program& program, std::u16string_view subject, int32_t start,
                                         BacktrackScratch& scratch, int32_t* slots, int32_t& resumeAt);

}  // namespace regex
