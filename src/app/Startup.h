// The life of the process: start-up, the message loop, the normal end and the end after an
// internal fault.
#pragma once

#include <vector>

struct ProgramState {
    std::vector<void (*)()> exitRoutines;  // run once each at the normal end, in this order
    bool loopStarted = false;               // the quit message is posted only once it is set
    bool oleInitialised = false;
};

// The application's entry: start-up, the message loop until the window is gone; returns 0.
int StartProgram(ProgramState& program);

// OLE for the thread, and the executable's folder as the current directory.
void InitRuntime(ProgramState& program);

// Adds a routine to the exit-routine list unless it is there already.
void RegisterExitRoutine(ProgramState& program, void (*routine)());

// Runs the exit routines, uninitialises OLE, and ends the process with exitCode.
[[noreturn]] void EndProgram(ProgramState& program, int exitCode);

// Shows the fault and ends the process at once with exit code -1; the exit routines do not run.
[[noreturn]] void FatalError(const wchar_t* message);
