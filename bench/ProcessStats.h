#pragma once

#include <sys/types.h>

// CPU time and peak memory of a running process, read from /proc so that the same measurement
// applies to our player and to mpv alike.
struct ProcessSample
{
    double cpuSeconds = 0; // user + system, all threads
    double peakRssMb = 0;  // high-water mark of the resident set
};

ProcessSample sampleProcess(pid_t pid);
