// fathomlist-scan on Windows: the arguments arrive as UTF-16, as the file names are, so a
// folder that code page 936 cannot express is still reached.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cli/ScanMain.h"

int wmain(int argc, wchar_t** argv) {
    // A missing disk is an unlistable folder, not a dialog box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The report and the messages are UTF-8 bytes, the same as on Linux (no CR added before
    // LF), and a console shows them as UTF-8 while the scanner runs.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    DWORD mode = 0;
    const UINT consolePage = GetConsoleOutputCP();
    const bool console = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0 ||
                         GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
    if (console) SetConsoleOutputCP(CP_UTF8);
    const int status = RunScanner(std::vector<NativePath>(argv + 1, argv + argc));
    if (console && consolePage != 0) SetConsoleOutputCP(consolePage);
    return status;
}
