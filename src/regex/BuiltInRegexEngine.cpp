// The system's own engine behind the RegexEngine interface: the pattern is compiled when
// "Execute" or "Replace" first needs it under the current settings, and kept until a
// setting or the pattern changes.
#include <algorithm>
#include <memory>
#include <optional>

#include "regex/MatchRun.h"
#include "regex/RegexEngine.h"
#include "regex/RegexProgram.h"
#include "regex/Replacement.h"

namespace regex {
namespace {

// What one run found: the subject (shared with the caller when it offers it) and the
// capture slots of every match, one after another.
struct MatchData {
    std::shared_ptr<const std::u16string> subject;
    int groupCount = 0;
    std::vector<int32_t> slots;

    size_t SlotCount() const { return 2 * size_t(groupCount + 1); }
    size_t MatchCount() const { return slots.size() / SlotCount(); }
    const int32_t* Slots(size_t match) const { return slots.data() + match * SlotCount(); }

    std::u16string Captured(size_t match, int group) const {
        const int32_t* pair = Slots(match) + 2 * group;
        if (pair[0] < 0) return {};
        return subject->substr(pair[0], pair[1] - pair[0]);
    }
};

using SharedMatches = std::shared_ptr<const MatchData>;

// The programs compiled lately on this thread, the newest first. A program is only read
// once made, so engines share them: RegExpObject makes a fresh engine for every Create, and
// the map reader creates with the same two patterns for every file, so without this each
// file would compile both again. A rejected pattern is remembered as a null program.
class ProgramCache {
public:
    std::shared_ptr<const Program> Find(std::u16string_view pattern, bool ignoreCase, bool multiline) {
        for (size_t i = 0; i < entries.size(); ++i) {
            Entry& entry = entries[i];
            if (entry.ignoreCase == ignoreCase && entry.multiline == multiline && entry.pattern == pattern) {
                std::rotate(entries.begin(), entries.begin() + long(i), entries.begin() + long(i) + 1);
                return entries.front().program;
            }
        }
        std::optional<Program> compiled = CompilePattern(pattern, ignoreCase, multiline);
        auto program = compiled ? std::make_shared<const Program>(std::move(*compiled)) : nullptr;
        if (entries.size() == kCapacity) entries.pop_back();
        entries.insert(entries.begin(), Entry{std::u16string(pattern), ignoreCase, multiline, program});
        return program;
    }

private:
    static constexpr size_t kCapacity = 8;
    struct Entry {
        std::u16string pattern;
        bool ignoreCase;
        bool multiline;
        std::shared_ptr<const Program> program;
    };
    std::vector<Entry> entries;
};

ProgramCache& ThreadPrograms() {
    thread_local ProgramCache cache;
    return cache;
}

class BuiltInSubMatches final : public RegexSubMatches {
public:
    BuiltInSubMatches(SharedMatches data, size_t match) : data(std::move(data)), match(match) {}

    std::optional<double> Count() const override { return data->groupCount; }

    std::optional<std::u16string> Item(int32_t index) const override {
        if (index < 0 || index >= data->groupCount) return std::nullopt;
        return data->Captured(match, index + 1);
    }

private:
    SharedMatches data;
    size_t match;
};

class BuiltInMatch final : public RegexMatch {
public:
    BuiltInMatch(SharedMatches data, size_t match) : data(std::move(data)), match(match) {}

    std::optional<std::u16string> Value() const override { return data->Captured(match, 0); }
    std::optional<double> FirstIndex() const override { return data->Slots(match)[0]; }
    std::unique_ptr<RegexSubMatches> SubMatches() const override {
        return std::make_unique<BuiltInSubMatches>(data, match);
    }

private:
    SharedMatches data;
    size_t match;
};

class BuiltInMatchCollection final : public RegexMatchCollection {
public:
    explicit BuiltInMatchCollection(SharedMatches data) : data(std::move(data)) {}

    std::optional<double> Count() const override { return static_cast<double>(data->MatchCount()); }

    std::unique_ptr<RegexMatch> Item(int32_t index) const override {
        if (index < 0 || size_t(index) >= data->MatchCount()) return nullptr;
        return std::make_unique<BuiltInMatch>(data, size_t(index));
    }

    // As Item(index)->SubMatches()->Item(group) answers.
    std::optional<std::u16string> SubMatchItem(int32_t index, int32_t group) const override {
        if (index < 0 || size_t(index) >= data->MatchCount()) return std::nullopt;
        if (group < 0 || group >= data->groupCount) return std::nullopt;
        return data->Captured(size_t(index), group + 1);
    }

    std::optional<std::pair<int32_t, int32_t>> SubMatchSpan(int32_t index, int32_t group) const override {
        if (index < 0 || size_t(index) >= data->MatchCount()) return std::nullopt;
        if (group < 0 || group >= data->groupCount) return std::nullopt;
        const int32_t* pair = data->Slots(size_t(index)) + 2 * (group + 1);
        if (pair[0] < 0) return std::pair{-1, -1};
        return std::pair{pair[0], pair[1]};
    }

private:
    SharedMatches data;
};

class BuiltInEngine final : public RegexEngine {
public:
    bool SetIgnoreCase(bool value) override { return Change(ignoreCase, value); }
    std::optional<bool> IgnoreCase() const override { return ignoreCase; }
    bool SetMultiline(bool value) override { return Change(multiline, value); }
    std::optional<bool> Multiline() const override { return multiline; }
    bool SetGlobal(bool value) override {
        global = value;
        return true;
    }
    std::optional<bool> Global() const override { return global; }
    bool SetPattern(std::u16string_view value) override {
        pattern = value;
        compiled = false;
        return true;
    }
    std::optional<std::u16string> Pattern() const override { return pattern; }

    std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view subject) override {
        if (CompiledProgram() == nullptr) return nullptr;
        return ExecuteShared(std::make_shared<const std::u16string>(subject));
    }

    std::unique_ptr<RegexMatchCollection> ExecuteShared(
        std::shared_ptr<const std::u16string> subject) override {
        const Program* compiledProgram = CompiledProgram();
        if (compiledProgram == nullptr) return nullptr;
        auto data = std::make_shared<MatchData>();
        data->groupCount = compiledProgram->groupCount;
        data->slots = FindMatches(*compiledProgram, *subject, global, scratch);
        data->subject = std::move(subject);
        return std::make_unique<BuiltInMatchCollection>(std::move(data));
    }

    std::optional<std::u16string> Replace(std::u16string_view subject,
                                          std::u16string_view replacement) override {
        const Program* compiledProgram = CompiledProgram();
        if (compiledProgram == nullptr) return std::nullopt;
        const std::vector<int32_t> slots = FindMatches(*compiledProgram, subject, global, scratch);
        const size_t slotCount = 2 * size_t(compiledProgram->groupCount + 1);
        std::u16string result;
        size_t copied = 0;  // the subject is in result up to here
        for (size_t match = 0; match < slots.size(); match += slotCount) {
            result.append(subject.substr(copied, slots[match] - copied));
            AppendReplacement(replacement, subject, &slots[match], compiledProgram->groupCount, result);
            copied = slots[match + 1];
        }
        result.append(subject.substr(copied));
        return result;
    }

private:
    bool Change(bool& setting, bool value) {
        if (setting != value) compiled = false;
        setting = value;
        return true;
    }

    const Program* CompiledProgram() {
        if (!compiled) {
            program = ThreadPrograms().Find(pattern, ignoreCase, multiline);
            compiled = true;
        }
        return program.get();
    }

    bool ignoreCase = false;
    bool multiline = false;
    bool global = false;
    std::u16string pattern;
    bool compiled = false;  // program is that of pattern under the current settings
    std::shared_ptr<const Program> program;
    RunScratch scratch;
};

}  // namespace
}  // namespace regex

std::unique_ptr<RegexEngine> MakeBuiltInRegexEngine() { return std::make_unique<regex::BuiltInEngine>(); }
