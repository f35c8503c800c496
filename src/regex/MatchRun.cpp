#include "regex/MatchRun.h"

#include "regex/StraightLine.h"

namespace regex {
namespace {

bool FindNext(const Program& program, std::u16string_view subject, int32_t start, RunScratch& scratch,
              int32_t* slots) {
    if (!program.straight.empty()) return FindStraightMatch(program, subject, start, slots);
    int32_t resumeAt = start;
    switch (Backtrack(program, subject, start, scratch.backtrack, slots, resumeAt)) {
        case BacktrackOutcome::kFound: return true;
        case BacktrackOutcome::kNotFound: return false;
        case BacktrackOutcome::kGaveUp: break;
    }
    return FindMatch(program, subject, resumeAt, scratch.vm, slots);
}

}  // namespace

std::vector<int32_t> FindMatches(const Program& program, std::u16string_view subject, bool global,
                                 RunScratch& scratch, size_t ringWords) {
    const size_t slotCount = 2 * size_t(program.groupCount + 1);
    std::vector<int32_t> slots;
    if (program.straight.empty()) BeginBacktrackRun(program, subject.size(), scratch.backtrack, ringWords);
    for (int32_t start = 0; start <= static_cast<int32_t>(subject.size());) {
        const size_t at = slots.size();
        slots.resize(at + slotCount);
        if (!FindNext(program, subject, start, scratch, &slots[at])) {
            slots.resize(at);
            break;
        }
        if (!global) break;
        start = slots[at + 1] > slots[at] ? slots[at + 1] : slots[at + 1] + 1;
    }
    return slots;
}

}  // namespace regex
