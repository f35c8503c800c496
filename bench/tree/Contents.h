// The contents of the benchmark's data files: realistic dungeon, map and act files and the
// other files a search skips, made from a seeded generator. The tree generator writes them
// to disk; the micro-benchmarks use them in memory, so both measure the same kind of data.
//
// Everything here is deterministic: the random numbers come from a generator written out
// below (splitmix64), never from the library's distributions, whose results differ between
// implementations, so a seed gives the same bytes on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from low to high, both included.
    long Between(long low, long high) { return low + static_cast<long>(Next() % uint64_t(high - low + 1)); }
    bool Chance(int percent) { return static_cast<int>(Next() % 100) < percent; }
    // A skewed pick from a pool of size ids: small indexes far more often, as a few objects
    // (trees, rocks, chests) fill most maps. The cube of a uniform number in [0, 1).
    long Skewed(long size) {
        const double u = double(Next() >> 11) / double(uint64_t{1} << 53);
        return static_cast<long>(u * u * u * double(size));
    }

  private:
    uint64_t state_;
};

// A pool of ids: distinct values spread over a realistic range, picked with a skew.
struct IdPool {
    std::vector<long> ids;
    IdPool(Random& random, long size, long low, long high);
    long Pick(Random& random) const { return ids[size_t(random.Skewed(long(ids.size())))]; }
};

struct Pools {
    IdPool passive, monster, door, act;
    explicit Pools(Random& random);
};

// Every size is scaled by sizePercent (at least 200 bytes).
// A map file: 3 to 12 KB, many other sections, one passive object line of 10 to 60 entries,
// a monster section of 5 to 30 lines of 10 fields, a special line in a third of the maps.
std::string MapFile(Random& random, const Pools& pools, int sizePercent = 100);
// A dungeon file: 1 to 3 KB, with a door line of 8 to 12 ids.
std::string DungeonFile(Random& random, const Pools& pools, int sizePercent = 100);
// An act file: 1 to 6 KB, 0 to 6 creation blocks among other lines.
std::string ActFile(Random& random, const Pools& pools, int sizePercent = 100);
// A file the search skips; extension is ".ani", ".img" (binary), ".lst" or ".txt".
std::string OtherFile(Random& random, std::string_view extension, int sizePercent = 100);
// A passive object line as the map files hold it, without its CR LF.
std::string PassiveLine(Random& random, const Pools& pools, long entries);

// A few words for names and paths.
const char* Word(Random& random);

}  // namespace bench
