#include "regex/PikeVm.h"

#include <algorithm>
#include <utility>

#include "regex/CharSet.h"

namespace regex {
namespace {

using ThreadList = VmScratch::ThreadList;

struct Machine {
    const Program& program;
    std::u16string_view subject;
    VmScratch& scratch;
    size_t slotCount;
};

void StartList(VmScratch& scratch, ThreadList& list) {
    list.pcs.clear();
    list.caps.clear();
    if (++scratch.generation == 0) {
        std::fill(scratch.marks.begin(), scratch.marks.end(), 0);
        scratch.generation = 1;
    }
    list.generation = scratch.generation;
}

// Follows pc through the instructions that consume nothing, at offset at, and puts every
// thread it reaches on list, in priority order, with the working slots as they stand there.
// The working slots are as before when it returns.
void AddThread(Machine& m, ThreadList& list, int32_t pc, int32_t at) {
    VmScratch& s = m.scratch;
    const Inst* insts = m.program.insts.data();
    s.branches.push_back({pc, 0});
    while (!s.branches.empty()) {
        const VmScratch::Branch branch = s.branches.back();
        s.branches.pop_back();
        if (branch.pc < 0) {
            s.working[-branch.pc - 1] = branch.value;
            continue;
        }
        for (pc = branch.pc; s.marks[pc] != list.generation;) {
            s.marks[pc] = list.generation;
            const Inst& inst = insts[pc];
            if (inst.op == Op::kJump) {
                pc = inst.x;
            } else if (inst.op == Op::kSplit || inst.op == Op::kLoop) {
                s.branches.push_back({inst.y, 0});
                pc = inst.x;
            } else if (inst.op == Op::kSave) {
                s.branches.push_back({-(inst.x + 1), s.working[inst.x]});
                s.working[inst.x] = at;
                ++pc;
            } else if (inst.op == Op::kAssert) {
                if (!AssertionHolds(inst.assertion, m.subject, at)) break;
                ++pc;
            } else {
                list.pcs.push_back(pc);
                list.caps.insert(list.caps.end(), s.working.begin(), s.working.end());
                break;
            }
        }
    }
}

// The first offset from at on where a match can begin, or the subject's length.
int32_t SkipToCandidate(const Machine& m, int32_t at) {
    const int32_t n = static_cast<int32_t>(m.subject.size());
    while (at < n && !ClassContains(m.program.firstChars, m.subject[at])) ++at;
    return at;
}

bool ConsumesHere(const Machine& m, const Inst& inst, int32_t at) {
    if (at >= static_cast<int32_t>(m.subject.size())) return false;
    const char16_t c = m.subject[at];
    if (inst.op == Op::kChar) return c == inst.ch;
    return inst.op == Op::kClass && ClassContains(m.program.classes[inst.x], c);
}

}  // namespace

bool FindMatch(const Program& program, std::u16string_view subject, int32_t start, VmScratch& scratch,
               int32_t* slots) {
    Machine m{program, subject, scratch, 2 * size_t(program.groupCount + 1)};
    if (scratch.marks.size() != program.insts.size()) scratch.marks.assign(program.insts.size(), 0);
    scratch.working.resize(m.slotCount);
    ThreadList* current = &scratch.lists[0];
    ThreadList* next = &scratch.lists[1];
    StartList(scratch, *current);
    const int32_t n = static_cast<int32_t>(subject.size());
    bool matched = false;
    for (int32_t at = start; at <= n; ++at) {
        if (!matched) {
            if (current->pcs.empty() && program.anchored && at > 0) break;
            if (current->pcs.empty() && program.hasFirstChars) {
                at = SkipToCandidate(m, at);
                // The list's marks are for the offset skipped from (threads that died there at
                // an assertion); at the new offset they would stop the new thread.
                StartList(scratch, *current);
            }
            if (current->pcs.empty() && program.hasFirstChars && at == n) break;
            // A new thread for a match that begins here, after all that began earlier.
            if (!program.anchored || at == 0) {
                std::fill(scratch.working.begin(), scratch.working.end(), -1);
                AddThread(m, *current, 0, at);
            }
        }
        if (current->pcs.empty()) {
            if (matched) break;
            StartList(scratch, *current);  // its marks were for this offset, not the next
            continue;
        }
        StartList(scratch, *next);
        for (size_t i = 0; i < current->pcs.size(); ++i) {
            const Inst& inst = program.insts[current->pcs[i]];
            const int32_t* caps = current->caps.data() + i * m.slotCount;
            if (inst.op == Op::kMatch) {
                std::copy(caps, caps + m.slotCount, slots);
                matched = true;
                break;  // the threads after this one have lower priority
            }
            if (!ConsumesHere(m, inst, at)) continue;
            std::copy(caps, caps + m.slotCount, scratch.working.begin());
            AddThread(m, *next, current->pcs[i] + 1, at + 1);
        }
        std::swap(current, next);
    }
    return matched;
}

}  // namespace regex
