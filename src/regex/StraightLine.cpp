#include "regex/StraightLine.h"

#include <algorithm>

namespace regex {
namespace {

// The set of code units the consuming instruction takes.
CharSet SetOf(const Program& program, const Inst& inst) {
    if (inst.op == Op::kChar) return {{inst.ch, inst.ch}};
    return program.classes[inst.x].ranges;
}

bool Disjoint(const CharSet& a, const CharSet& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].last < b[j].first) {
            ++i;
        } else if (b[j].last < a[i].first) {
            ++j;
        } else {
            return false;
        }
    }
    return true;
}

bool Takes(const Program& program, const StraightStep& step, char16_t c) {
    if (c < 128) return (step.ascii[c >> 6] >> (c & 63)) & 1;
    return step.op == Op::kChar ? c == step.ch : SetContains(program.classes[step.x].ranges, c);
}

StraightStep ConsumingStep(const Program& program, const Inst& inst, bool repeat) {
    StraightStep step{.op = inst.op, .ch = inst.ch, .x = inst.x, .repeat = repeat};
    if (inst.op == Op::kClass) {
        step.ascii[0] = program.classes[inst.x].ascii[0];
        step.ascii[1] = program.classes[inst.x].ascii[1];
    } else if (inst.ch < 128) {
        step.ascii[inst.ch >> 6] = uint64_t{1} << (inst.ch & 63);
    }
    return step;
}

}  // namespace

std::vector<StraightStep> MakeStraightLine(const Program& program) {
    std::vector<StraightStep> steps;
    std::vector<CharSet> sets;  // of each step that consumes, in steps' order
    std::vector<size_t> consuming;
    const std::vector<Inst>& insts = program.insts;
    for (size_t pc = 0; pc < insts.size(); ++pc) {
        const Inst& inst = insts[pc];
        if (inst.op == Op::kMatch) {
            if (pc + 1 != insts.size()) return {};
            // Each repeat must be followed by a unit it cannot take (or by nothing: the match
            // then ends with its longest run at once).
            for (size_t k = 0; k + 1 < consuming.size(); ++k) {
                if (steps[consuming[k]].repeat && !Disjoint(sets[k], sets[k + 1])) return {};
            }
            if (consuming.empty()) return {};  // an empty match is the backtracker's to find
            return steps;
        }
        if (inst.op == Op::kSave) {
            steps.push_back({.op = Op::kSave, .x = inst.x});
            continue;
        }
        if (!Consumes(inst)) return {};
        const bool repeat = pc + 1 < insts.size() && insts[pc + 1].op == Op::kLoop &&
                            insts[pc + 1].x == static_cast<int32_t>(pc) &&
                            insts[pc + 1].y == static_cast<int32_t>(pc + 2);
        consuming.push_back(steps.size());
        sets.push_back(SetOf(program, inst));
        steps.push_back(ConsumingStep(program, inst, repeat));
        if (repeat) ++pc;
    }
    return {};
}

bool FindStraightMatch(const Program& program, std::u16string_view subject, int32_t start, int32_t* slots) {
    const std::vector<StraightStep>& steps = program.straight;
    const char16_t* const text = subject.data();
    const int32_t n = static_cast<int32_t>(subject.size());
    // A try that matches passes every save of the line and so sets every slot again: what a
    // failed try left behind never shows.
    std::fill(slots, slots + 2 * (program.groupCount + 1), -1);
    for (int32_t candidate = start; candidate < n;) {
        if (program.hasFirstChars) {
            while (candidate < n && !ClassContains(program.firstChars, text[candidate]))
                ++candidate;
            if (candidate == n) break;
        }
        int32_t at = candidate;
        int32_t leadingRunEnd = -1;  // where the run ended, when the first unit is a repeat
        bool first = true;
        bool matched = true;
        for (const StraightStep& step : steps) {
            if (step.op == Op::kSave) {
                slots[step.x] = at;
                continue;
            }
            if (at == n || !Takes(program, step, text[at])) {
                matched = false;
                break;
            }
            ++at;
            if (step.repeat) {
                while (at < n && Takes(program, step, text[at]))
                    ++at;
                if (first) leadingRunEnd = at;
            }
            first = false;
        }
        if (matched) return true;
        // When the match begins with a repeat, a start inside its run reaches the same end
        // of it and fails the same way after it; the end holds a unit the run cannot take.
        candidate = std::max(candidate + 1, leadingRunEnd);
    }
    std::fill(slots, slots + 2 * (program.groupCount + 1), -1);
    return false;
}

}  // namespace regex
