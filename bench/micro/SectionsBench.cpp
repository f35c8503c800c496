// FindText, section extraction and the three readers, on realistic files held in memory.
#include <benchmark/benchmark.h>

#include "analysis/ResultStore.h"
#include "micro/BenchData.h"
#include "readers/ActReader.h"
#include "readers/DungeonReader.h"
#include "readers/MapReader.h"
#include "readers/Sections.h"

namespace {

size_t TextBytes(const std::vector<Text>& texts) {
    size_t bytes = 0;
    for (const Text& text : texts)
        bytes += text.size();
    return bytes;
}

// The three markers the map reader looks for, each from the first byte.
void BM_FindText_MapMarkers(benchmark::State& state) {
    const std::vector<Text>& texts = bench::MapTexts();
    for (auto _ : state) {
        for (const Text& text : texts) {
            benchmark::DoNotOptimize(FindText(text, "[passive object]\r\n"));
            benchmark::DoNotOptimize(FindText(text, "[monster]\r\n"));
            benchmark::DoNotOptimize(FindText(text, "[special passive object]\r\n"));
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(TextBytes(texts)));
}

void BM_TextBetween_MapSections(benchmark::State& state) {
    const std::vector<Text>& texts = bench::MapTexts();
    for (auto _ : state) {
        for (const Text& text : texts) {
            benchmark::DoNotOptimize(TextBetween(text, "[passive object]\r\n", "\r\n"));
            benchmark::DoNotOptimize(TextBetween(text, "[monster]\r\n", "\r\n\r\n[/monster]"));
            benchmark::DoNotOptimize(TextBetween(text, "[special passive object]\r\n", "\r\n"));
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(TextBytes(texts)));
}

void BM_TextBetweenAll_Acts(benchmark::State& state) {
    std::vector<Text> texts;
    for (const std::string& file : bench::ActFiles())
        texts.push_back(file);
    bench::NoMessages messages;
    TextList entries;
    for (auto _ : state) {
        for (const Text& text : texts)
            TextBetweenAll(text, "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n", "\t\r\n", entries, messages);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(TextBytes(texts)));
}

// A whole reader call per file, the disk read replaced by a copy from memory.
template <void (*Read)(const NativePath&, const Platform&)>
void ReadFiles(benchmark::State& state, const std::vector<std::string>& files) {
    CreateResultStore();
    bench::MemoryFileSystem fileSystem(files);
    bench::NoMessages messages;
    const Platform platform{fileSystem, messages};
    const NativePath path = NativeFromAscii("bench");
    for (auto _ : state) {
        for (size_t i = 0; i < files.size(); ++i)
            Read(path, platform);
        state.PauseTiming();
        ReleaseResultStore();  // keeps the store from growing without end
        CreateResultStore();
        state.ResumeTiming();
    }
    ReleaseResultStore();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bench::TotalBytes(files)));
}

void BM_ReadMapFile(benchmark::State& state) {
    ReadFiles<ReadMapFile>(state, bench::MapFiles());
}
void BM_ReadActFile(benchmark::State& state) {
    ReadFiles<ReadActFile>(state, bench::ActFiles());
}
void BM_ReadDungeonFile(benchmark::State& state) {
    ReadFiles<ReadDungeonFile>(state, bench::DungeonFiles());
}

}  // namespace

BENCHMARK(BM_FindText_MapMarkers);
BENCHMARK(BM_TextBetween_MapSections);
BENCHMARK(BM_TextBetweenAll_Acts);
BENCHMARK(BM_ReadMapFile);
BENCHMARK(BM_ReadActFile);
BENCHMARK(BM_ReadDungeonFile);
