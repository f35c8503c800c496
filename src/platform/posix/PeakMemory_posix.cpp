#include <sys/resource.h>

#include "platform/Console.h"

uint64_t PeakMemoryBytes() {
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // Linux counts kilobytes
}
