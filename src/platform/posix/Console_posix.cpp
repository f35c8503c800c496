#include <unistd.h>

#include "platform/Console.h"

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

// Linux file names are bytes; shown as they are.
std::string NativeToUtf8(const NativePath& path) { return path; }
