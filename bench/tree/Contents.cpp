#include "tree/Contents.h"

#include <algorithm>
#include <iterator>

namespace bench {

IdPool::IdPool(Random& random, long size, long low, long high) {
    ids.reserve(size_t(size));
    for (long i = 0; i < size; ++i)
        ids.push_back(random.Between(low, high));
}

Pools::Pools(Random& random)
    : passive(random, 12000, 1, 40000),
      monster(random, 4000, 1, 70000),
      door(random, 600, 1, 1200),
      act(random, 3000, 1, 40000) {}

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A few words and names for paths, and CJK text (UTF-8) for the names the game shows.
constexpr const char* kWords[] = {"forest", "cave",   "lake", "ruin", "tower", "gate", "hill", "field",
                                  "swamp",  "desert", "snow", "fire", "dark",  "deep", "west", "east",
                                  "north",  "south",  "old",  "lost", "boss",  "town", "road", "bridge"};
constexpr const char* kCjk[] = {"\xE6\xA3\xAE", "\xE6\x9E\x97", "\xE5\xB1\xB1", "\xE6\xB4\x9E",
                                "\xE5\x9F\x8E", "\xE9\x97\xA8", "\xE4\xB9\x8B", "\xE5\xA1\x94",
                                "\xE6\xB9\x96", "\xE9\xBE\x99", "\xE6\x9A\x97", "\xE7\x81\xAB",
                                "\xE5\x86\xB0", "\xE9\x81\x97", "\xE8\xBF\xB9", "\xE5\x9C\xB0"};

}  // namespace

const char* Word(Random& random) {
    return kWords[random.Next() % std::size(kWords)];
}

namespace {

std::string CjkName(Random& random, int low, int high) {
    std::string name;
    for (long i = random.Between(low, high); i > 0; --i)
        name += kCjk[random.Next() % std::size(kCjk)];
    return name;
}

void Line(std::string& out, std::string_view text) {
    out.append(text).append(kCrLf);
}

std::string Number(long value) {
    return std::to_string(value);
}

// A coordinate as the files write them: mostly whole, sometimes negative or with a fraction.
std::string Coordinate(Random& random, long low, long high) {
    std::string value = Number(random.Between(low, high));
    if (random.Chance(8)) value += "." + Number(random.Between(1, 99));
    return value;
}

// A section of filler lines typical of each kind, until out reaches size bytes.
void FillTo(std::string& out, size_t size, Random& random) {
    while (out.size() < size) {
        switch (random.Next() % 5) {
            case 0: {
                Line(out, "[tile]");
                for (long i = random.Between(4, 16); i > 0; --i)
                    Line(out, std::string("`Tile/") + Word(random) + "_" + Word(random) +
                                  Number(random.Between(1, 40)) + ".til`");
                Line(out, "[/tile]");
                break;
            }
            case 1: {
                Line(out, "[animation]");
                for (long i = random.Between(3, 12); i > 0; --i) {
                    std::string line =
                        std::string("`Animation/") + Word(random) + "/" + Word(random) + ".ani`";
                    for (int f = 0; f < 4; ++f)
                        line += "\t" + Coordinate(random, -200, 2000);
                    Line(out, line + "\t");
                }
                Line(out, "[/animation]");
                break;
            }
            case 2: {
                Line(out, "[map area]");
                std::string line;
                for (long i = random.Between(8, 40); i > 0; --i)
                    line += Number(random.Between(0, 1600)) + "\t";
                Line(out, line);
                break;
            }
            case 3: {
                Line(out, "[event monster position]");
                for (long i = random.Between(2, 10); i > 0; --i) {
                    std::string line;
                    for (int f = 0; f < 6; ++f)
                        line += Number(random.Between(0, 900)) + "\t";
                    Line(out, line);
                }
                Line(out, "[/event monster position]");
                break;
            }
            default: {
                Line(out, "[sound]");
                for (long i = random.Between(1, 6); i > 0; --i)
                    Line(out,
                         std::string("`AMB_") + Word(random) + "_" + Number(random.Between(1, 30)) + "`");
                Line(out, "[/sound]");
                break;
            }
        }
        Line(out, "");
    }
}

size_t Scaled(int sizePercent, long bytes) {
    return size_t(std::max<long>(200, bytes * sizePercent / 100));
}

}  // namespace

std::string PassiveLine(Random& random, const Pools& pools, long entries) {
    std::string passive;
    for (long i = entries; i > 0; --i) {
        passive += Number(pools.passive.Pick(random)) + "\t" + Coordinate(random, -100, 1800) + "\t" +
                   Coordinate(random, -50, 600) + "\t" +
                   Number(random.Chance(85) ? 0 : random.Between(1, 200)) + "\t";
    }
    return passive;
}

std::string MapFile(Random& random, const Pools& pools, int sizePercent) {
    const size_t size = Scaled(sizePercent, random.Between(3 * 1024, 12 * 1024));
    std::string out = "#PVF_File\r\n";
    Line(out, "[map name]");
    Line(out, "`" + CjkName(random, 2, 6) + "`");
    Line(out, "[background animation]");
    Line(out, std::string("`Map/") + Word(random) + "/back" + Number(random.Between(1, 9)) + ".ani`");
    Line(out, "[/background animation]");
    Line(out, "[player number]");
    Line(out, Number(random.Between(1, 4)) + "\t" + Number(random.Between(1, 4)) + "\t");
    Line(out, "");
    // The sections the search reads sit among the others, at a place of their own per map.
    std::string head, tail;
    FillTo(head, size / 4 + size_t(random.Between(0, long(size / 4))), random);
    out += head;

    Line(out, "[passive object]");
    const std::string passive = PassiveLine(random, pools, random.Between(10, 60));
    Line(out, passive);
    Line(out, "");

    Line(out, "[monster]");
    for (long i = random.Between(5, 30); i > 0; --i) {
        std::string line = Number(pools.monster.Pick(random));
        line += "\t" + Number(random.Between(0, 3)) + "\t" + Coordinate(random, 0, 1600) + "\t" +
                Coordinate(random, 0, 500) + "\t0\t" + Number(random.Between(1, 90)) + "\t" +
                Number(random.Between(0, 1)) + "\t" + Number(random.Between(0, 5)) + "\t0\t" +
                Number(random.Between(0, 3));
        Line(out, line);
    }
    Line(out, "");
    Line(out, "[/monster]");
    Line(out, "");

    if (random.Chance(33)) {
        Line(out, "[special passive object]");
        std::string special;
        for (long i = random.Between(1, 8); i > 0; --i) {
            special += Number(pools.passive.Pick(random)) + "\t" + Coordinate(random, 0, 1800) + "\t" +
                       Coordinate(random, 0, 600) + "\t0\t" + Number(random.Between(0, 9)) + "\t";
        }
        Line(out, special);
        Line(out, "");
    }
    FillTo(out, size, random);
    return out;
}

std::string DungeonFile(Random& random, const Pools& pools, int sizePercent) {
    const size_t size = Scaled(sizePercent, random.Between(1024, 3 * 1024));
    std::string out = "#PVF_File\r\n";
    Line(out, "[name]");
    Line(out, "`" + CjkName(random, 2, 8) + "`");
    Line(out, "[minimum required level]");
    Line(out, Number(random.Between(1, 70)) + "\t");
    Line(out, "[map]");
    std::string maps;
    for (long i = random.Between(3, 12); i > 0; --i)
        maps += Number(random.Between(1, 9000)) + "\t";
    Line(out, maps);
    Line(out, "[pathgate object]");
    std::string doors;
    for (long i = random.Between(8, 12); i > 0; --i)
        doors += Number(pools.door.Pick(random)) + "\t";
    Line(out, doors);
    Line(out, "[pathgate pos]");
    std::string pos;
    for (long i = random.Between(4, 16); i > 0; --i)
        pos += Number(random.Between(0, 1600)) + "\t";
    Line(out, pos);
    Line(out, "");
    FillTo(out, size, random);
    return out;
}

std::string ActFile(Random& random, const Pools& pools, int sizePercent) {
    const size_t size = Scaled(sizePercent, random.Between(1024, 6 * 1024));
    std::string out = "#PVF_File\r\n";
    Line(out, "[SCRIPT NAME]");
    Line(out, "`" + CjkName(random, 2, 8) + "`");
    Line(out, "");
    const long blocks = random.Between(0, 6);
    long written = 0;
    while (out.size() < size || written < blocks) {
        const bool create = written < blocks && (random.Chance(30) || out.size() * 2 > size);
        if (create) {
            Line(out, random.Chance(80) ? "[CREATE PASSIVEOBJECT]" : "[create passiveobject]");
            Line(out, "");
            Line(out, "[INDEX]");
            Line(out, Number(pools.act.Pick(random)) + "\t");
            Line(out, "[POSITION]");
            Line(out, Number(random.Between(0, 1600)) + "\t" + Number(random.Between(0, 600)) + "\t");
            ++written;
        } else {
            switch (random.Next() % 4) {
                case 0:
                    Line(out, "[WAIT]");
                    Line(out, Number(random.Between(100, 3000)) + "\t");
                    break;
                case 1:
                    Line(out, "[MOVE]");
                    Line(out, Number(random.Between(0, 1600)) + "\t" + Number(random.Between(0, 600)) + "\t" +
                                  Number(random.Between(100, 900)) + "\t");
                    break;
                case 2:
                    Line(out, "[TALK]");
                    Line(out, "`" + CjkName(random, 4, 20) + "`\t");
                    break;
                default:
                    Line(out, "[PLAY SOUND]");
                    Line(out, std::string("`") + Word(random) + "_" + Number(random.Between(1, 20)) + "`\t");
            }
        }
        Line(out, "");
    }
    return out;
}

// The files the search skips: animation scripts, binary images, lists and notes.
std::string OtherFile(Random& random, std::string_view extension, int sizePercent) {
    std::string out;
    if (extension == ".img") {
        const size_t size = Scaled(sizePercent, random.Between(512, 4096));
        while (out.size() < size)
            out += static_cast<char>(random.Next() & 0xFF);
        return out;
    }
    const size_t size = Scaled(sizePercent, random.Between(300, 3000));
    while (out.size() < size) {
        if (extension == ".lst") {
            Line(out, Number(random.Between(1, 40000)) + "\t`" + Word(random) + "/" + Word(random) + ".map`");
        } else if (extension == ".ani") {
            Line(out, "[FRAME" + Number(random.Between(0, 99)) + "]");
            Line(out, "[IMAGE]");
            Line(out,
                 std::string("`Sprite/") + Word(random) + ".img`\t" + Number(random.Between(0, 60)) + "\t");
        } else {
            Line(out, CjkName(random, 3, 12) + " " + Word(random) + " " + Word(random));
        }
    }
    return out;
}

}  // namespace bench
