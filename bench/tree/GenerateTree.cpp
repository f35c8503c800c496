// fathomlist-bench-tree: writes a large, realistic data tree for the benchmark.
//
//   fathomlist-bench-tree [--files N] [--per-folder N] [--depth N] [--size PERCENT] [--seed N] FOLDER
//
// The same parameters always give the same tree, byte for byte, on every machine (Contents.h
// makes the files themselves). The tree is made under FOLDER.tmp and renamed to FOLDER when
// complete, so an interrupted run never leaves a tree that looks finished; FOLDER/.tree then
// records the parameters and the totals.
//
// What goes in, by default: 40 000 data files (60 % maps, 5 % dungeons, 35 % acts) and 1.5
// times as many files the search must skip (.ani, .img, .lst, .txt), about 50 files a
// folder, folders up to 4 levels deep. Every data file is UTF-8 with CR LF line
// ends and mostly ASCII, as the game's script files are; ids come from skewed pools, so
// the lists hold many repeats.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tree/Contents.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

std::string Number(long value) {
    return std::to_string(value);
}

struct Parameters {
    long files = 40000;     // data files
    long perFolder = 50;    // files of every kind, per folder
    int depth = 4;          // folder levels below FOLDER
    int sizePercent = 100;  // scales every file's size
    uint64_t seed = 936;
    fs::path folder;
};

enum class Kind { kMap, kDungeon, kAct, kOther };

struct Totals {
    long folders = 0;
    long files[4] = {0, 0, 0, 0};
    uint64_t bytes[4] = {0, 0, 0, 0};
};

bool WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    file.write(content.data(), std::streamsize(content.size()));
    return bool(file);
}

// The folders of one kind's subtree, root first, each at most depth levels below the tree's
// root: a branching factor just large enough to hold count folders.
std::vector<fs::path> MakeFolders(const fs::path& root, const char* name, long count, int depth,
                                  Random& random) {
    long branching = 1;
    // The subtree's root is the first level itself.
    auto capacity = [&](long b) {
        long total = 1, level = 1;
        for (int d = 2; d <= depth; ++d)
            total += (level *= b);
        return total;
    };
    while (capacity(branching) < count)
        ++branching;
    std::vector<fs::path> folders{root / name};
    for (size_t i = 0; folders.size() < size_t(count); ++i) {
        for (long b = 0; b < branching && folders.size() < size_t(count); ++b)
            folders.push_back(folders[i] / (std::string(Word(random)) + "_" + Number(long(folders.size()))));
    }
    return folders;
}

int Usage() {
    std::fputs(
        "usage: fathomlist-bench-tree [--files N] [--per-folder N] [--depth N] [--size PERCENT] "
        "[--seed N] FOLDER\n",
        stderr);
    return 2;
}

bool ParseArguments(int argc, char** argv, Parameters& p) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](long low) {
            if (i + 1 >= argc) return -1L;
            const long v = std::strtol(argv[++i], nullptr, 10);
            return v >= low ? v : -1L;
        };
        long v = 0;
        if (arg == "--files") {
            if ((v = value(1)) < 0) return false;
            p.files = v;
        } else if (arg == "--per-folder") {
            if ((v = value(1)) < 0) return false;
            p.perFolder = v;
        } else if (arg == "--depth") {
            if ((v = value(1)) < 0 || v > 16) return false;
            p.depth = int(v);
        } else if (arg == "--size") {
            if ((v = value(1)) < 0) return false;
            p.sizePercent = int(v);
        } else if (arg == "--seed") {
            if ((v = value(0)) < 0) return false;
            p.seed = uint64_t(v);
        } else if (!arg.empty() && arg[0] != '-' && p.folder.empty()) {
            p.folder = arg;
        } else {
            return false;
        }
    }
    return !p.folder.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Parameters p;
    if (!ParseArguments(argc, argv, p)) return Usage();

    Random random(p.seed);
    const Pools pools(random);
    const long maps = p.files * 60 / 100;
    const long dungeons = p.files * 5 / 100;
    const long acts = p.files - maps - dungeons;
    const long others = p.files * 3 / 2;
    const long folderCount = std::max<long>(3, (p.files + others + p.perFolder - 1) / p.perFolder);

    const fs::path building = p.folder.string() + ".tmp";
    std::error_code error;
    fs::remove_all(building, error);
    // Each kind's subtree gets folders in proportion to its files; the other files are
    // spread over every folder, as animations and images sit beside the scripts.
    struct Subtree {
        const char* name;
        Kind kind;
        long files;
        std::vector<fs::path> folders;
    };
    Subtree subtrees[] = {{"map", Kind::kMap, maps, {}},
                          {"dungeon", Kind::kDungeon, dungeons, {}},
                          {"act", Kind::kAct, acts, {}}};
    std::vector<fs::path> allFolders;
    for (Subtree& s : subtrees) {
        const long count = std::max<long>(1, folderCount * s.files / p.files);
        s.folders = MakeFolders(building, s.name, count, p.depth, random);
        allFolders.insert(allFolders.end(), s.folders.begin(), s.folders.end());
    }
    Totals totals;
    for (const fs::path& folder : allFolders) {
        fs::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "fathomlist-bench-tree: cannot make %s: %s\n", folder.c_str(),
                         error.message().c_str());
            return 1;
        }
        ++totals.folders;
    }

    auto write = [&](const fs::path& path, Kind kind, const std::string& content) {
        if (!WriteFile(path, content)) {
            std::fprintf(stderr, "fathomlist-bench-tree: cannot write %s\n", path.c_str());
            std::exit(1);
        }
        ++totals.files[int(kind)];
        totals.bytes[int(kind)] += content.size();
    };
    for (const Subtree& s : subtrees) {
        const char* extension = s.kind == Kind::kMap ? ".map" : s.kind == Kind::kDungeon ? ".dgn" : ".act";
        for (long i = 0; i < s.files; ++i) {
            const fs::path& folder = s.folders[size_t(i) % s.folders.size()];
            const std::string name =
                std::string(Word(random)) + "_" + Word(random) + "_" + Number(i) + extension;
            std::string content = s.kind == Kind::kMap       ? MapFile(random, pools, p.sizePercent)
                                  : s.kind == Kind::kDungeon ? DungeonFile(random, pools, p.sizePercent)
                                                             : ActFile(random, pools, p.sizePercent);
            write(folder / name, s.kind, content);
        }
    }
    constexpr const char* kOtherExtensions[] = {".ani", ".img", ".lst", ".txt"};
    for (long i = 0; i < others; ++i) {
        const fs::path& folder = allFolders[size_t(random.Next() % allFolders.size())];
        const char* extension = kOtherExtensions[random.Next() % std::size(kOtherExtensions)];
        const std::string name = std::string(Word(random)) + "_" + Number(i) + extension;
        write(folder / name, Kind::kOther, OtherFile(random, extension, p.sizePercent));
    }

    char manifest[1024];
    std::snprintf(manifest, sizeof manifest,
                  "files %ld\nper-folder %ld\ndepth %d\nsize %d\nseed %llu\n"
                  "folders %ld\nmaps %ld %llu\ndungeons %ld %llu\nacts %ld %llu\nothers %ld %llu\n",
                  p.files, p.perFolder, p.depth, p.sizePercent, static_cast<unsigned long long>(p.seed),
                  totals.folders, totals.files[0], static_cast<unsigned long long>(totals.bytes[0]),
                  totals.files[1], static_cast<unsigned long long>(totals.bytes[1]), totals.files[2],
                  static_cast<unsigned long long>(totals.bytes[2]), totals.files[3],
                  static_cast<unsigned long long>(totals.bytes[3]));
    if (!WriteFile(building / ".tree", manifest)) return 1;
    fs::remove_all(p.folder, error);
    fs::rename(building, p.folder, error);
    if (error) {
        std::fprintf(stderr, "fathomlist-bench-tree: cannot rename to %s: %s\n", p.folder.c_str(),
                     error.message().c_str());
        return 1;
    }
    std::fputs(manifest, stdout);
    return 0;
}
