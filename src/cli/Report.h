// The scanner's report of the window's final state: the four captions and lists.
#pragma once

#include <array>
#include <string>

#include "analysis/ResultStore.h"

struct ScanReport {
    std::array<Text, 4> captions;  // 标签2 to 标签5, code page 936
    const ResultStore& store;
};

// For people: each caption, then its entries indented, a blank line between the blocks.
[[nodiscard]] std::string FormatListing(const ScanReport& report);

// One JSON object, UTF-8.
[[nodiscard]] std::string FormatJson(const ScanReport& report);
