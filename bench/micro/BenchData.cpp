#include "micro/BenchData.h"

#include "readers/DataFileText.h"
#include "tree/Contents.h"

namespace bench {
namespace {

constexpr int kFilesPerKind = 500;
constexpr int kPassiveLines = 2000;

template <typename Make>
std::vector<std::string> MakeFiles(uint64_t seed, Make make) {
    Random random(seed);
    const Pools pools(random);
    std::vector<std::string> files;
    for (int i = 0; i < kFilesPerKind; ++i)
        files.push_back(make(random, pools));
    return files;
}

}  // namespace

const std::vector<std::string>& MapFiles() {
    static const auto files = MakeFiles(1, [](Random& r, const Pools& p) { return MapFile(r, p); });
    return files;
}

const std::vector<std::string>& ActFiles() {
    static const auto files = MakeFiles(2, [](Random& r, const Pools& p) { return ActFile(r, p); });
    return files;
}

const std::vector<std::string>& DungeonFiles() {
    static const auto files = MakeFiles(3, [](Random& r, const Pools& p) { return DungeonFile(r, p); });
    return files;
}

const std::vector<Text>& MapTexts() {
    static const std::vector<Text> texts = [] {
        std::vector<Text> converted;
        for (const std::string& file : MapFiles())
            converted.push_back(Utf8BytesToText(file));
        return converted;
    }();
    return texts;
}

const std::vector<Text>& PassiveLines() {
    static const std::vector<Text> lines = [] {
        Random random(4);
        const Pools pools(random);
        std::vector<Text> made;
        for (int i = 0; i < kPassiveLines; ++i)
            made.push_back(PassiveLine(random, pools, random.Between(10, 60)));
        return made;
    }();
    return lines;
}

size_t TotalBytes(const std::vector<std::string>& items) {
    size_t total = 0;
    for (const std::string& item : items)
        total += item.size();
    return total;
}

}  // namespace bench
