#include "regex/CaseFolding.h"

#include <cstdint>

namespace regex {
namespace {

// Capitals first..last, every stride-th one, each paired with the letter offset above it.
struct CaseBlock {
    char16_t first;
    char16_t last;
    uint16_t stride;
    int16_t offset;
};

// clang-format off
constexpr CaseBlock kCaseBlocks[] = {
    {0x0041, 0x005A, 1, 32},    // A-Z
    {0x00C0, 0x00D6, 1, 32},    // Latin-1 capitals before the multiplication sign
    {0x00D8, 0x00DE, 1, 32},    // and after it
    {0x0178, 0x0178, 1, -121},  // Y with diaeresis
    {0x0100, 0x012E, 2, 1},     // Latin Extended-A, capitals on even code points
    {0x0132, 0x0136, 2, 1},
    {0x0139, 0x0147, 2, 1},     // capitals on odd code points
    {0x014A, 0x0176, 2, 1},
    {0x0179, 0x017D, 2, 1},
    {0x0386, 0x0386, 1, 38},    // Greek accented capitals
    {0x0388, 0x038A, 1, 37},
    {0x038C, 0x038C, 1, 64},
    {0x038E, 0x038F, 1, 63},
    {0x0391, 0x03A1, 1, 32},    // Greek capitals
    {0x03A3, 0x03AB, 1, 32},
    {0x0400, 0x040F, 1, 80},    // Cyrillic
    {0x0410, 0x042F, 1, 32},
    {0x2160, 0x216F, 1, 16},    // Roman numerals
    {0x24B6, 0x24CF, 1, 26},    // circled letters
    {0xFF21, 0xFF3A, 1, 32},    // full-width Latin
};
// clang-format on

}  // namespace

char16_t OtherCase(char16_t c) {
    for (const CaseBlock& block : kCaseBlocks) {
        const int lowerFirst = block.first + block.offset;
        const int lowerLast = block.last + block.offset;
        if (c >= block.first && c <= block.last && (c - block.first) % block.stride == 0)
            return static_cast<char16_t>(c + block.offset);
        if (c >= lowerFirst && c <= lowerLast && (c - lowerFirst) % block.stride == 0)
            return static_cast<char16_t>(c - block.offset);
    }
    return c;
}

void ForEachCasePair(const std::function<void(char16_t upper, char16_t lower)>& visit) {
    for (const CaseBlock& block : kCaseBlocks) {
        for (int upper = block.first; upper <= block.last; upper += block.stride)
            visit(static_cast<char16_t>(upper), static_cast<char16_t>(upper + block.offset));
    }
}

}  // namespace regex
