// De-duplication of a result list.
#pragma once

#include <cstdint>

#include "readers/Text.h"

// The 1-based position of the first entry equal (byte for byte) to text, or -1.
[[nodiscard]] int FindMember(const TextList& list, std::string_view text);

// Keeps the first occurrence of every distinct entry, in the order of first occurrences,
// and returns how many remain. Entries are equal when their bytes are: case, spaces and
// control characters all count. Runs in linear time through a hash index, so a list of
// millions of entries takes well under a second.
int32_t RemoveDuplicates(TextList& list);
