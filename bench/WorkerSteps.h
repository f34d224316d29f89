#pragma once

#include <functional>

class MoviePlayer;

// What the benchmark's worker scenarios do over and over: report a figure on standard output as
// a "key value" line (WorkerProcess reads them), and let the player run a while.
void report(const char* key, double value);
void report(const char* key);
// Runs the event loop until a position report satisfies `accept`; false on time-out.
bool waitForReport(MoviePlayer& player, const std::function<bool(double)>& accept, int timeoutMs);
void runFor(int milliseconds);
