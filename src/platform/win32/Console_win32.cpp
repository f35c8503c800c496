#include <windows.h>

#include "platform/Console.h"

// A console, not a file or a pipe. The progress line rewrites itself with escape sequences,
// which a console takes once asked to; one that cannot (before Windows 10) shows no progress.
bool StandardErrorIsTerminal() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error == nullptr || error == INVALID_HANDLE_VALUE || !GetConsoleMode(error, &mode)) return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

std::string NativeToUtf8(const NativePath& path) {
    if (path.empty()) return {};
    const int wideLength = static_cast<int>(path.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, path.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
