#pragma once

#include <QStringList>

// The benchmark's worker mode: one scenario played with our player in a process of its own.
// It writes its findings to standard output as lines "key value" (see the scenarios in
// BenchWorker.cpp) and returns the process's exit code.
int runBenchWorker(const QStringList& arguments);
