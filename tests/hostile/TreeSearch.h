// Whole searches over hostile trees: a search as the search button runs it and what it
// found, a file system that wraps another and changes the tree at chosen moments, and a
// set of well-formed files whose entries must survive whatever else a tree holds.
#pragma once

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analysis/ResultStore.h"
#include "analysis/SearchCommand.h"

// What a search left in the store.
struct Found {
    TextList doors, passives, monsters, acts;
    int32_t specials = 0;
    bool operator==(const Found&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Found& found) {
    auto list = [&](const char* name, const TextList& entries) {
        out << name << " " << entries.size() << ":";
        for (size_t i = 0; i < entries.size() && i < 8; ++i)
            out << " [" << entries[i].substr(0, 40) << "]";
        if (entries.size() > 8) out << " ...";
        out << "; ";
    };
    list("doors", found.doors);
    list("passives", found.passives);
    list("monsters", found.monsters);
    list("acts", found.acts);
    return out << "specials " << found.specials;
}

// A search of folder over a fresh result store (which the caller's StoreTest releases).
inline Found SearchTree(FileSystem& files, const NativePath& folder) {
    CreateResultStore();
    CountingMessagePump pump;
    FakeView view;
    view.folderBox = folder;
    SearchCommand(view, Platform{files, pump});
    const ResultStore& store = Results();
    return {store.DoorObjectList, store.PassiveObjectList, store.MonsterList, store.ActObjectList,
            store.SpecialObjectCount};
}

// One dungeon, map and act file, each with entries of its own kind, named good.*.
struct GoodFile {
    const char* name;
    const char* content;
};
inline constexpr GoodFile kGoodFiles[] = {
    {"good.dgn", "[pathgate object]\r\ng1\tg2\t\r\n"},
    {"good.map",
     "[passive object]\r\n11\t0\t0\t0\t\r\n[monster]\r\nm1\t5\t\r\n\r\n[/monster]\r\n"
     "[special passive object]\r\n21\t0\t0\t0\t0\t\r\n"},
    {"good.act", "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\na1\t\r\n"},
};

// What the good files give, searched on their own.
inline Found GoodEntries() {
    return {{"g1", "g2"}, {"11", "21"}, {"m1"}, {"a1"}, 1};
}

// The good entries followed, list by list, by those of extra (as when the good files come
// first in the walk).
inline Found GoodEntriesAnd(const Found& extra) {
    Found all = GoodEntries();
    auto add = [](TextList& to, const TextList& from) {
        for (const Text& entry : from) {
            if (std::find(to.begin(), to.end(), entry) == to.end()) to.push_back(entry);
        }
    };
    add(all.doors, extra.doors);
    add(all.passives, extra.passives);
    add(all.monsters, extra.monsters);
    add(all.acts, extra.acts);
    all.specials += extra.specials;
    return all;
}

inline void WriteGoodFiles(const TempTree& tree, std::string_view folder = "") {
    for (const GoodFile& file : kGoodFiles) {
        tree.Write(folder.empty() ? std::string(file.name) : std::string(folder) + "/" + file.name,
                   file.content);
    }
}

inline void AddGoodFiles(FakeFileSystem& files, std::string_view folder) {
    for (const GoodFile& file : kGoodFiles)
        files.AddFile(std::string(folder) + "/" + file.name, file.content);
}

// The lists in byte order: a real listing gives no order to compare by.
inline Found Sorted(Found found) {
    for (TextList* list : {&found.doors, &found.passives, &found.monsters, &found.acts})
        std::sort(list->begin(), list->end());
    return found;
}
