// fathomlist-scan on Linux: the arguments are bytes, as the file names are.
#include "cli/ScanMain.h"

int main(int argc, char** argv) { return RunScanner(std::vector<NativePath>(argv + 1, argv + argc)); }
