// One run of a program over a subject: the first match, or every match from left to right.
// A program that never needs to backtrack runs on the straight-line machine (StraightLine.h).
// Any other search runs on the backtracker (Backtracker.h), and on the Pike VM (PikeVm.h)
// from where the backtracker gave up when a search needs more of the subject at once than
// the backtracker's ring holds. All three find the same matches.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/Backtracker.h"
#include "regex/PikeVm.h"
#include "regex/RegexProgram.h"

namespace regex {

// The two machines' working memory, kept from one run to the next.
struct RunScratch {
    BacktrackScratch backtrack;
    VmScratch vm;
};

// The slots (2 * (groupCount + 1) per match, as FindMatch gives them) of the first match, or
// of every match when global: each search begins where the match before ended, one code
// unit further when that match was empty.
[[nodiscard]] std::vector<int32_t> FindMatches(const Program& program, std::u16string_view subject,
                                               bool global, RunScratch& scratch,
                                               size_t ringWords = kDefaultRingWords);

}  // namespace regex
