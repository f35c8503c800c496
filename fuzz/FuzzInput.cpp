#include "FuzzInput.h"

#include <algorithm>
#include <climits>

uint8_t FuzzInput::Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return byte;
}

int FuzzInput::Position() {
    const uint8_t kind = Byte();
    const uint8_t value = Byte();
    switch (kind % 8) {
        case 0:
            return -static_cast<int>(value);
        case 1:
            return INT_MAX - value;
        case 2:
            return INT_MIN + value;
        default:
            return value;
    }
}

std::string FuzzInput::Bytes(size_t maxLength) {
    const size_t length = std::min<size_t>({Byte(), maxLength, rest_.size()});
    std::string bytes(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return bytes;
}

std::string FuzzInput::Rest() {
    std::string bytes(rest_);
    rest_ = {};
    return bytes;
}

void FuzzFailure(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}
