// fathomlist.exe: the Windows program.
#include "app/Startup.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ProgramState program;
    const int exitCode = StartProgram(program);
    EndProgram(program, exitCode);
}
