// Carving a fuzzer's input into the arguments of one call: flags, small numbers and byte
// strings, taken from the front. Whatever the input runs out of reads as zero or empty, so
// every input, however short, is a valid call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    [[nodiscard]] uint8_t Byte();
    [[nodiscard]] bool Flag() { return Byte() & 1; }
    // A position-like number: mostly small, sometimes negative or huge.
    [[nodiscard]] int Position();
    // A string of up to maxLength bytes, its length given by the next byte.
    [[nodiscard]] std::string Bytes(size_t maxLength = 255);
    // What is left.
    [[nodiscard]] std::string Rest();

  private:
    std::string_view rest_;
};

// Reports a broken invariant and aborts, so that libFuzzer keeps the input.
[[noreturn]] void FuzzFailure(const char* what, const char* file, int line);

#define FUZZ_CHECK(condition)                                          \
    do {                                                               \
        if (!(condition)) FuzzFailure(#condition, __FILE__, __LINE__); \
    } while (false)
