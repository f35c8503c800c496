#include "regex/Backtracker.h"

#include <algorithm>

namespace regex {
namespace {

using Job = BacktrackScratch::Job;

size_t PowerOfTwoAtMost(size_t value) {
    size_t power = 1;
    while (power * 2 <= value) power *= 2;
    return power;
}

void Forget(BacktrackScratch& s, int32_t at) {
    uint64_t* words = s.tried.data() + size_t(at & s.ringMask) * s.stride;
    for (size_t i = 0; i < s.stride; ++i) words[i] = 0;
}

// Makes the bits of offset at usable, when that overwrites no offset the match that
// begins at candidate may still reach.
bool Reach(BacktrackScratch& s, int32_t at, int32_t candidate) {
    if (at <= s.high) return true;
    if (at - candidate > s.ringMask) return false;
    Forget(s, at);
    s.high = at;
    return true;
}

// True the first time the instruction with this memo bit is tried at offset at.
bool FirstTry(BacktrackScratch& s, int32_t memo, int32_t at) {
    uint64_t& word = s.tried[size_t(at & s.ringMask) * s.stride + size_t(memo >> 6)];
    const uint64_t bit = uint64_t{1} << (memo & 63);
    if (word & bit) return false;
    word |= bit;
    return true;
}

bool Accepts(const Program& program, const Inst& inst, char16_t c) {
    return inst.op == Op::kChar ? c == inst.ch : ClassContains(program.classes[inst.x], c);
}

// Takes every unit from at on that the loop's instruction accepts and has not tried there
// yet; false when the ring runs out.
bool RunLoop(const Program& program, std::u16string_view subject, BacktrackScratch& s, const Inst& unit,
             int32_t candidate, int32_t& at) {
    const int32_t n = static_cast<int32_t>(subject.size());
    if (unit.op == Op::kChar) {
        while (at < n && subject[at] == unit.ch && FirstTry(s, unit.memo, at)) {
            if (!Reach(s, ++at, candidate)) return false;
        }
        return true;
    }
    const CharClass& cls = program.classes[unit.x];
    while (at < n && ClassContains(cls, subject[at]) && FirstTry(s, unit.memo, at)) {
        if (!Reach(s, ++at, candidate)) return false;
    }
    return true;
}

enum class TryOutcome { kMatch, kFail, kOutOfRing };

// Tries the match that begins at candidate, its branches in priority order.
TryOutcome TryFrom(const Program& program, std::u16string_view subject, BacktrackScratch& s,
                   int32_t candidate, int32_t* slots) {
    const Inst* insts = program.insts.data();
    const int32_t n = static_cast<int32_t>(subject.size());
    std::fill(s.caps.begin(), s.caps.end(), -1);
    s.jobs.clear();
    s.jobs.push_back({0, candidate, candidate});
    while (!s.jobs.empty()) {
        Job& top = s.jobs.back();
        int32_t pc = top.pc;
        int32_t at = top.at;
        if (pc < 0) {
            s.caps[-pc - 1] = at;
            s.jobs.pop_back();
            continue;
        }
        if (top.at > top.low) {
            --top.at;
        } else {
            s.jobs.pop_back();
        }
        for (bool alive = true; alive;) {
            const Inst& inst = insts[pc];
            if (inst.memo >= 0 && !FirstTry(s, inst.memo, at)) break;
            switch (inst.op) {
                case Op::kChar:
                case Op::kClass:
                    alive = at < n && Accepts(program, inst, subject[at]);
                    if (alive && !Reach(s, ++at, candidate)) return TryOutcome::kOutOfRing;
                    ++pc;
                    break;
                case Op::kLoop: {
                    // The rest of a greedy loop over one unit at once: take every unit it can,
                    // then go on after the loop from the longest run back to the shortest.
                    const Inst& unit = insts[inst.x];
                    const int32_t shortest = at;
                    if (!RunLoop(program, subject, s, unit, candidate, at)) return TryOutcome::kOutOfRing;
                    if (at > shortest) s.jobs.push_back({inst.y, at - 1, shortest});
                    pc = inst.y;
                    break;
                }
                case Op::kSplit:
                    s.jobs.push_back({inst.y, at, at});
                    pc = inst.x;
                    break;
                case Op::kJump: pc = inst.x; break;
                case Op::kSave:
                    s.jobs.push_back({-(inst.x + 1), s.caps[inst.x], 0});
                    s.caps[inst.x] = at;
                    ++pc;
                    break;
                case Op::kAssert:
                    alive = AssertionHolds(inst.assertion, subject, at);
                    ++pc;
                    break;
                case Op::kMatch:
                    std::copy(s.caps.begin(), s.caps.end(), slots);
                    // The way here passed through this offset; the next search may begin here.
                    Forget(s, at);
                    return TryOutcome::kMatch;
            }
        }
    }
    return TryOutcome::kFail;
}

}  // namespace

void BeginBacktrackRun(const Program& program, size_t subjectLength, BacktrackScratch& scratch,
                       size_t ringWords) {
    scratch.stride = std::max<size_t>(1, (size_t(program.memoCount) + 63) / 64);
    const size_t offsets = std::min(PowerOfTwoAtMost(std::max<size_t>(1, ringWords / scratch.stride)),
                                    PowerOfTwoAtMost(subjectLength + 1) * 2);
    scratch.ringMask = static_cast<int32_t>(offsets - 1);
    if (scratch.tried.size() < offsets * scratch.stride) scratch.tried.resize(offsets * scratch.stride);
    scratch.high = -1;
    scratch.caps.resize(2 * size_t(program.groupCount + 1));
}

BacktrackOutcome Backtrack(const Program& program, std::u16string_view subject, int32_t start,
                           BacktrackScratch& scratch, int32_t* slots, int32_t& resumeAt) {
    const int32_t n = static_cast<int32_t>(subject.size());
    for (int32_t candidate = start; candidate <= n; ++candidate) {
        if (program.anchored && candidate > 0) break;
        if (program.hasFirstChars) {
            while (candidate < n && !ClassContains(program.firstChars, subject[candidate])) ++candidate;
            if (candidate == n) break;
        }
        Reach(scratch, candidate, candidate);
        const TryOutcome outcome = TryFrom(program, subject, scratch, candidate, slots);
        if (outcome == TryOutcome::kMatch) return BacktrackOutcome::kFound;
        if (outcome == TryOutcome::kOutOfRing) {
            resumeAt = candidate;
            scratch.high = -1;  // the abandoned try leaves bits that are not failures
            return BacktrackOutcome::kGaveUp;
        }
    }
    return BacktrackOutcome::kNotFound;
}

}  // namespace regex
