// The result store: the one process-wide place where the readers put what they find.
//
// Created once at start-up and released once at the end; nothing empties it in between, so
// every search adds to what the searches before it found. The readers append copies of
// their entries; the search de-duplicates the four lists after its walks and shows them.
// Writers take a list afresh from Results() for every append, because a nested search
// that runs at a dispatch point may replace a list's contents in the meantime.
#pragma once

#include <cstdint>

#include "readers/Text.h"

struct ResultStore {
    TextList DoorObjectList;     // door object ids of the dungeon files
    TextList PassiveObjectList;  // passive and special passive object ids of the map files
    TextList MonsterList;        // monster ids of the map files
    TextList ActObjectList;      // created passive object entries of the act files
    int32_t SpecialObjectCount = 0;  // special entries met, repeats included
};

// Makes the store with its four lists empty and its count 0.
void CreateResultStore();

// Releases the store and every entry it holds. Registered to run at the end.
void ReleaseResultStore();

// The store; it must have been created.
[[nodiscard]] ResultStore& Results();

// Adds 1 to SpecialObjectCount. The count stops at the largest 32-bit value rather than
// wrapping round to a negative number.
void CountSpecialObject();
