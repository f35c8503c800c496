// Limits the platform layers share.
#pragma once

#include <cstdint>

// A data file larger than this is not read: it contributes nothing, as a file that cannot
// be held in memory would, and every position in its Text still fits a 32-bit integer.
inline constexpr uint64_t kMaxDataFileBytes = uint64_t{1} << 30;
