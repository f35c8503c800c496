// From syntax tree to program. Alternation and repetition become splits whose first branch
// is the one to try first, so the machine's thread order is the backtracking order of the
// platform object. Counted repetition is written out: x{2,4} is x x (x (x)?)?.
#include <algorithm>

#include "regex/CaseFolding.h"
#include "regex/RegexProgram.h"
#include "regex/RegexSyntax.h"
#include "regex/StraightLine.h"

namespace regex {
namespace {

struct Compiler {
    Program program;
    std::vector<CharSet> classSets;  // the set of each class, to find one that is already there
    bool ignoreCase = false;
    bool multiline = false;
    bool tooLarge = false;
};

int32_t Here(const Compiler& c) { return static_cast<int32_t>(c.program.insts.size()); }

int32_t Emit(Compiler& c, Inst inst) {
    if (c.program.insts.size() >= kMaxProgramSize) {
        c.tooLarge = true;
        return 0;
    }
    c.program.insts.push_back(inst);
    return Here(c) - 1;
}

void EmitSplit(Compiler& c, int32_t preferred, int32_t other) {
    Emit(c, {.op = Op::kSplit, .x = preferred, .y = other});
}

void EmitSet(Compiler& c, const CharSet& set) {
    if (set.size() == 1 && set[0].first == set[0].last) {
        Emit(c, {.op = Op::kChar, .ch = set[0].first});
        return;
    }
    auto found = std::find(c.classSets.begin(), c.classSets.end(), set);
    if (found == c.classSets.end()) {
        c.classSets.push_back(set);
        c.program.classes.push_back(MakeCharClass(set));
        found = c.classSets.end() - 1;
    }
    Emit(c, {.op = Op::kClass, .x = static_cast<int32_t>(found - c.classSets.begin())});
}

AssertKind AssertKindOf(const Compiler& c, Assertion assertion) {
    switch (assertion) {
        case Assertion::kLineStart: return c.multiline ? AssertKind::kLineStart : AssertKind::kTextStart;
        case Assertion::kLineEnd: return c.multiline ? AssertKind::kLineEnd : AssertKind::kTextEnd;
        case Assertion::kWordBoundary: return AssertKind::kWordBoundary;
        case Assertion::kNotWordBoundary: return AssertKind::kNotWordBoundary;
    }
    return AssertKind::kTextStart;
}

void CompileNode(Compiler& c, const Node& node);

// Points the y branch of the split at split to the current end.
void PatchOther(Compiler& c, int32_t split) {
    if (!c.tooLarge) c.program.insts[split].y = Here(c);
}

void CompileAlternation(Compiler& c, const Node& node) {
    std::vector<int32_t> jumpsToEnd;
    for (size_t i = 0; i + 1 < node.children.size() && !c.tooLarge; ++i) {
        const int32_t split = Emit(c, {.op = Op::kSplit});
        if (!c.tooLarge) c.program.insts[split].x = Here(c);
        CompileNode(c, node.children[i]);
        jumpsToEnd.push_back(Emit(c, {.op = Op::kJump}));
        PatchOther(c, split);
    }
    CompileNode(c, node.children.back());
    for (int32_t jump : jumpsToEnd) {
        if (!c.tooLarge) c.program.insts[jump].x = Here(c);
    }
}

// The optional copies of x{n,m}: each split either enters one more copy or leaves for the end.
void CompileOptionalCopies(Compiler& c, const Node& node, int32_t count) {
    std::vector<int32_t> splits;
    for (int32_t i = 0; i < count && !c.tooLarge; ++i) {
        splits.push_back(Emit(c, {.op = Op::kSplit}));
        CompileNode(c, node.children[0]);
    }
    for (int32_t split : splits) {
        if (c.tooLarge) return;
        Inst& inst = c.program.insts[split];
        inst.x = node.greedy ? split + 1 : Here(c);
        inst.y = node.greedy ? Here(c) : split + 1;
    }
}

// True for a node that compiles to no instruction at all, such as (?:) or (?:){5}.
bool EmitsNothing(const Node& node) {
    switch (node.kind) {
        case NodeKind::kEmpty: return true;
        case NodeKind::kRepeat: return node.max == 0 || EmitsNothing(node.children[0]);
        case NodeKind::kConcat:
            return std::all_of(node.children.begin(), node.children.end(), EmitsNothing);
        default: return false;
    }
}

// Whether the instructions from start to the end are one instruction that consumes.
bool IsSingleUnit(const Compiler& c, int32_t start) {
    return !c.tooLarge && Here(c) == start + 1 && Consumes(c.program.insts[start]);
}

// Closes the loop over the body that begins at start: x+ is x followed by a split back.
void EmitLoopBack(Compiler& c, int32_t start, bool greedy) {
    if (greedy && IsSingleUnit(c, start)) {
        Emit(c, {.op = Op::kLoop, .x = start, .y = Here(c) + 1});
    } else if (greedy) {
        EmitSplit(c, start, Here(c) + 1);
    } else {
        EmitSplit(c, Here(c) + 1, start);
    }
}

void CompileRepeat(Compiler& c, const Node& node) {
    const Node& body = node.children[0];
    if (EmitsNothing(body) || node.max == 0) return;
    const bool unbounded = node.max == kUnbounded;
    for (int32_t i = 0; i < node.min && !c.tooLarge; ++i) {
        const int32_t start = Here(c);
        CompileNode(c, body);
        if (unbounded && i + 1 == node.min) {
            EmitLoopBack(c, start, node.greedy);
            return;
        }
    }
    if (!unbounded) {
        CompileOptionalCopies(c, node, node.max - node.min);
        return;
    }
    // x* is (x+)?: a split that enters or skips the loop.
    const int32_t enter = Emit(c, {.op = Op::kSplit});
    CompileNode(c, body);
    EmitLoopBack(c, enter + 1, node.greedy);
    if (c.tooLarge) return;
    Inst& split = c.program.insts[enter];
    split.x = node.greedy ? enter + 1 : Here(c);
    split.y = node.greedy ? Here(c) : enter + 1;
}

void CompileNode(Compiler& c, const Node& node) {
    if (c.tooLarge) return;
    switch (node.kind) {
        case NodeKind::kEmpty: return;
        case NodeKind::kChar:
            if (c.ignoreCase && OtherCase(node.ch) != node.ch) {
                CharSet pair = {{node.ch, node.ch}, {OtherCase(node.ch), OtherCase(node.ch)}};
                Normalize(pair);
                EmitSet(c, pair);
            } else {
                Emit(c, {.op = Op::kChar, .ch = node.ch});
            }
            return;
        case NodeKind::kSet: {
            const CharSet folded = c.ignoreCase ? CaseClosure(node.set) : node.set;
            EmitSet(c, node.negated ? Complement(folded) : folded);
            return;
        }
        case NodeKind::kAssertion:
            Emit(c, {.op = Op::kAssert, .assertion = AssertKindOf(c, node.assertion)});
            return;
        case NodeKind::kGroup:
            Emit(c, {.op = Op::kSave, .x = 2 * node.group});
            CompileNode(c, node.children[0]);
            Emit(c, {.op = Op::kSave, .x = 2 * node.group + 1});
            return;
        case NodeKind::kConcat:
            for (const Node& child : node.children) CompileNode(c, child);
            return;
        case NodeKind::kAlternation: CompileAlternation(c, node); return;
        case NodeKind::kRepeat: CompileRepeat(c, node); return;
    }
}

// Walks the instructions reachable from 0 without consuming a code unit; stop(pc) returns
// true at an instruction the walk must not pass. visit sees every instruction reached.
template <typename Stop, typename Visit>
void WalkFromStart(const Program& program, Stop stop, Visit visit) {
    std::vector<bool> seen(program.insts.size());
    std::vector<int32_t> pending = {0};
    while (!pending.empty()) {
        const int32_t pc = pending.back();
        pending.pop_back();
        if (seen[pc]) continue;
        seen[pc] = true;
        visit(pc);
        if (stop(pc)) continue;
        const Inst& inst = program.insts[pc];
        if (inst.op == Op::kJump || inst.op == Op::kSplit || inst.op == Op::kLoop) pending.push_back(inst.x);
        if (inst.op == Op::kSplit || inst.op == Op::kLoop) pending.push_back(inst.y);
        if (inst.op == Op::kSave || inst.op == Op::kAssert) pending.push_back(pc + 1);
    }
}

// A match must begin at offset 0 when every way from the start to a code unit or to the end
// passes a text-start assertion.
bool IsAnchored(const Program& program) {
    bool escapes = false;
    WalkFromStart(
        program,
        [&](int32_t pc) {
            const Inst& inst = program.insts[pc];
            return inst.op == Op::kAssert && inst.assertion == AssertKind::kTextStart;
        },
        [&](int32_t pc) {
            const Inst& inst = program.insts[pc];
            if (Consumes(inst) || inst.op == Op::kMatch) escapes = true;
        });
    return !escapes;
}

// The code units a match can begin with, or false when a match can be empty.
bool FindFirstChars(const Program& program, CharSet& first) {
    bool canBeEmpty = false;
    WalkFromStart(
        program, [&](int32_t pc) { return Consumes(program.insts[pc]); },
        [&](int32_t pc) {
            const Inst& inst = program.insts[pc];
            if (inst.op == Op::kMatch) canBeEmpty = true;
            if (inst.op == Op::kChar) first.push_back({inst.ch, inst.ch});
            if (inst.op == Op::kClass) {
                const CharSet& set = program.classes[inst.x].ranges;
                first.insert(first.end(), set.begin(), set.end());
            }
        });
    Normalize(first);
    return !canBeEmpty;
}

// Gives a memo bit to every instruction that more than one way leads to (and to every loop's
// consuming instruction). Remembering those is enough for the backtracker never to repeat
// work: every other instruction has one way in, so it runs no more often than the one
// before it.
void AssignMemos(Program& program) {
    std::vector<int> incoming(program.insts.size());
    incoming[0] = 1;
    for (size_t pc = 0; pc < program.insts.size(); ++pc) {
        const Inst& inst = program.insts[pc];
        if (Consumes(inst) || inst.op == Op::kSave || inst.op == Op::kAssert) ++incoming[pc + 1];
        if (inst.op == Op::kJump || inst.op == Op::kSplit || inst.op == Op::kLoop) ++incoming[inst.x];
        if (inst.op == Op::kSplit || inst.op == Op::kLoop) ++incoming[inst.y];
        if (inst.op == Op::kLoop) incoming[inst.x] = std::max(incoming[inst.x], 2);
    }
    for (size_t pc = 0; pc < program.insts.size(); ++pc) {
        if (incoming[pc] > 1) program.insts[pc].memo = program.memoCount++;
    }
}

}  // namespace

CharClass MakeCharClass(const CharSet& set) {
    CharClass cls;
    cls.ranges = set;
    for (const CodeRange& range : set) {
        for (int c = range.first; c <= range.last && c < 128; ++c)
            cls.ascii[c >> 6] |= uint64_t{1} << (c & 63);
    }
    return cls;
}

std::optional<Program> CompilePattern(std::u16string_view pattern, bool ignoreCase, bool multiline) {
    const std::optional<Syntax> syntax = ParsePattern(pattern);
    if (!syntax) return std::nullopt;
    Compiler c;
    c.ignoreCase = ignoreCase;
    c.multiline = multiline;
    c.program.groupCount = syntax->groupCount;
    Emit(c, {.op = Op::kSave, .x = 0});
    CompileNode(c, syntax->root);
    Emit(c, {.op = Op::kSave, .x = 1});
    Emit(c, {.op = Op::kMatch});
    if (c.tooLarge) return std::nullopt;
    AssignMemos(c.program);
    c.program.anchored = IsAnchored(c.program);
    CharSet first;
    c.program.hasFirstChars = FindFirstChars(c.program, first);
    c.program.firstChars = MakeCharClass(first);
    c.program.straight = MakeStraightLine(c.program);
    return std::move(c.program);
}

}  // namespace regex
