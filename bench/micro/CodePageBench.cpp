// UTF-8 to code page 936 on data files as they are (ASCII with a few CJK names), and code
// page 936 to UTF-16 on passive object lines, as RegExpObject::Create converts them.
#include <benchmark/benchmark.h>

#include "micro/BenchData.h"
#include "readers/CodePage.h"
#include "readers/DataFileText.h"

namespace {

template <typename Convert>
void ConvertFiles(benchmark::State& state, const std::vector<std::string>& files, Convert convert) {
    for (auto _ : state) {
        for (const std::string& file : files)
            benchmark::DoNotOptimize(convert(file));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bench::TotalBytes(files)));
}

void BM_Utf8ToText_Maps(benchmark::State& state) {
    ConvertFiles(state, bench::MapFiles(), Utf8ToText);
}
void BM_Utf8ToText_Acts(benchmark::State& state) {
    ConvertFiles(state, bench::ActFiles(), Utf8ToText);
}

// What a reader pays for a file it has read: the bytes handed over, then converted.
void BM_Utf8BytesToText_Maps(benchmark::State& state) {
    ConvertFiles(state, bench::MapFiles(),
                 [](const std::string& file) { return Utf8BytesToText(std::string(file)); });
}

void BM_TextToUtf16_PassiveLines(benchmark::State& state) {
    const std::vector<Text>& lines = bench::PassiveLines();
    size_t bytes = 0;
    for (const Text& line : lines)
        bytes += line.size();
    for (auto _ : state) {
        for (const Text& line : lines)
            benchmark::DoNotOptimize(TextToUtf16(line));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

}  // namespace

BENCHMARK(BM_Utf8ToText_Maps);
BENCHMARK(BM_Utf8ToText_Acts);
BENCHMARK(BM_Utf8BytesToText_Maps);
BENCHMARK(BM_TextToUtf16_PassiveLines);
