// Running fathomlist-scan as a program, with its standard output, standard error and exit
// status captured.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

struct ScanRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string QuotedForShell(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the scanner with stderr captured in a file (so it is not a terminal).
inline ScanRun RunScan(const std::vector<std::string>& args) {
    TempTree scratch;
    const auto errPath = scratch.root / "stderr";
    std::string command = QuotedForShell(FATHOMLIST_SCAN_EXE);
    for (const std::string& arg : args)
        command += " " + QuotedForShell(arg);
    command += " 2>" + QuotedForShell(errPath.string());
    ScanRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    char buffer[65536];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    run.err = text.str();
    return run;
}
