// The straight-line machine: for programs that can never need to backtrack, a match tried
// at a start is one pass from left to right, and a failed try rules out the starts after it
// up to where its first repeat ended.
//
// Such a program is a plain sequence of captures and of units (a code unit or a class),
// each taken once or, greedily, one or more times, where no repeated unit can take the code
// unit that the next unit needs: the map file expressions, ([0-9\.\-]+\t) four or five
// times, are of this kind. A shorter run of a repeat leaves the next unit before a code unit
// that the repeat took, which that unit cannot take, so the longest runs are the only way a
// match can go: this machine finds the match the backtracker would, with the same groups.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/RegexProgram.h"

namespace regex {

// The straight-line form of program, or an empty list when program is not of that kind.
[[nodiscard]] std::vector<StraightStep> MakeStraightLine(const Program& program);

// Searches as FindMatch (PikeVm.h) does, from offset start, for a program whose straight
// list is not empty.
[[nodiscard]] bool FindStraightMatch(const Program& program, std::u16string_view subject, int32_t start,
                                     int32_t* slots);

}  // namespace regex
