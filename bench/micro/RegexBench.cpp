// The regular-expression engine on passive object lines, the one place the search uses it.
#include <benchmark/benchmark.h>

#include "micro/BenchData.h"
#include "readers/CodePage.h"
#include "regex/RegExpObject.h"

namespace {

constexpr std::string_view kPassiveExpression = R"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";

size_t LineBytes() {
    size_t bytes = 0;
    for (const Text& line : bench::PassiveLines())
        bytes += line.size();
    return bytes;
}

// Execute alone, on one engine whose program is compiled: the matching and the match
// collection it returns.
void BM_EngineExecute(benchmark::State& state) {
    std::vector<std::u16string> subjects;
    for (const Text& line : bench::PassiveLines())
        subjects.push_back(TextToUtf16(line));
    const std::unique_ptr<RegexEngine> engine = MakeBuiltInRegexEngine();
    engine->SetIgnoreCase(true);
    engine->SetMultiline(true);
    engine->SetGlobal(true);
    engine->SetPattern(TextToUtf16(kPassiveExpression));
    for (auto _ : state) {
        for (const std::u16string& subject : subjects)
            benchmark::DoNotOptimize(engine->Execute(subject));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LineBytes()));
}

// Create as the map reader calls it: a fresh engine, the pattern, the subject's conversion
// and Execute.
void BM_RegExpObjectCreate(benchmark::State& state) {
    RegExpObject expression;
    for (auto _ : state) {
        for (const Text& line : bench::PassiveLines())
            benchmark::DoNotOptimize(expression.Create(kPassiveExpression, line));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LineBytes()));
}

// Everything the map reader does with a passive line: Create, then every match's group 1.
void BM_RegExpObjectIds(benchmark::State& state) {
    RegExpObject expression;
    for (auto _ : state) {
        for (const Text& line : bench::PassiveLines()) {
            expression.Create(kPassiveExpression, line);
            const int32_t count = expression.MatchCount();
            for (int32_t i = 1; i <= count; ++i)
                benchmark::DoNotOptimize(expression.SubMatchText(i, 1));
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LineBytes()));
}

}  // namespace

BENCHMARK(BM_EngineExecute);
BENCHMARK(BM_RegExpObjectCreate);
BENCHMARK(BM_RegExpObjectIds);
