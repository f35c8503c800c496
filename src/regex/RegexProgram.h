// The compiled form of a regular expression: a program of a few instruction kinds for the
// matching machine (PikeVm.h), with its classes and the facts the machine uses to skip
// ahead. A program is made once per pattern and settings and only read afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "regex/CharSet.h"

namespace regex {

enum class Op : uint8_t {
    kChar,    // consume the code unit ch
    kClass,   // consume a code unit of classes[x]
    kSplit,   // go on at x, and with lower priority at y
    kLoop,    // as kSplit, where x is the one consuming instruction of a greedy loop, just before
    kJump,    // go on at x
    kSave,    // record the current offset in capture slot x
    kAssert,  // go on only when assertion holds here
    kMatch,   // a match ends here
};

enum class AssertKind : uint8_t {
    kTextStart,
    kTextEnd,
    kLineStart,
    kLineEnd,
    kWordBoundary,
    kNotWordBoundary,
};

struct Inst {
    Op op = Op::kMatch;
    AssertKind assertion = AssertKind::kTextStart;
    char16_t ch = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t memo = -1;  // for the backtracker: this instruction's bit among those it remembers
};

// A set of code units ready for matching: a bitmap for ASCII, the ranges for the rest.
struct CharClass {
    uint64_t ascii[2] = {0, 0};
    CharSet ranges;
};

[[nodiscard]] CharClass MakeCharClass(const CharSet& set);

[[nodiscard]] inline bool ClassContains(const CharClass& cls, char16_t c) {
    if (c < 128) return (cls.ascii[c >> 6] >> (c & 63)) & 1;
    return SetContains(cls.ranges, c);
}

[[nodiscard]] inline bool AssertionHolds(AssertKind kind, std::u16string_view subject, int32_t at) {
    const int32_t n = static_cast<int32_t>(subject.size());
    switch (kind) {
        case AssertKind::kTextStart: return at == 0;
        case AssertKind::kTextEnd: return at == n;
        case AssertKind::kLineStart: return at == 0 || IsLineTerminator(subject[at - 1]);
        case AssertKind::kLineEnd: return at == n || IsLineTerminator(subject[at]);
        case AssertKind::kWordBoundary:
        case AssertKind::kNotWordBoundary: {
            const bool before = at > 0 && IsWordChar(subject[at - 1]);
            const bool after = at < n && IsWordChar(subject[at]);
            return (before != after) == (kind == AssertKind::kWordBoundary);
        }
    }
    return false;
}

// True for the instructions that consume a code unit.
[[nodiscard]] inline bool Consumes(const Inst& inst) { return inst.op == Op::kChar || inst.op == Op::kClass; }

// One step of a straight-line program (StraightLine.h): a capture (kSave, slot x), or a
// unit (kChar ch, or kClass classes[x]) taken once or, when repeat, greedily as often as it
// matches and at least once.
struct StraightStep {
    Op op = Op::kSave;
    char16_t ch = 0;
    int32_t x = 0;
    bool repeat = false;
    // The ASCII code units the step takes, kept in the step so that the loop over a run
    // reads nothing else for them.
    uint64_t ascii[2] = {0, 0};
};

struct Program {
    std::vector<Inst> insts;  // execution starts at 0
    std::vector<CharClass> classes;
    int groupCount = 0;        // capturing groups; slots 2g and 2g + 1 hold group g, 0 and 1 the match
    int memoCount = 0;         // instructions with a memo bit
    bool anchored = false;     // a match can begin only at offset 0
    bool hasFirstChars = false;  // a match is never empty and begins with a code unit of firstChars
    CharClass firstChars;
    std::vector<StraightStep> straight;  // the program as a straight line, when it is one
};

// Programs longer than this are rejected: counted repetition is written out instruction by
// instruction, and (a{1000}){1000} must fail rather than exhaust memory.
inline constexpr size_t kMaxProgramSize = size_t{1} << 16;

// The program of pattern under the given settings, or nothing when the pattern is rejected.
[[nodiscard]] std::optional<Program> CompilePattern(std::u16string_view pattern, bool ignoreCase,
                                                    bool multiline);

}  // namespace regex
