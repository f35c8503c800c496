// fathomlist-scan: the search of the window, from the command line.
#include "cli/ScanMain.h"

int main(int argc, char** argv) { return RunScanner(std::vector<NativePath>(argv + 1, argv + argc)); }
