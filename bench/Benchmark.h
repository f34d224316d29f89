#pragma once

#include "BenchFigures.h"

#include <QString>

// Measures our player against mpv's command-line player on the same files and settings, one
// after the other so that neither disturbs the other.
class Benchmark
{
public:
    // movie1080: the 60 s 1080p clip; movie360: the 360p one; shortMovie: a 10 s clip whose sound
    // is written out whole for the accuracy figures.
    Benchmark(QString movie1080, QString movie360, QString shortMovie, QString workFolder);

    BenchFigures run();
    // Only the windowed playback figure, for work on drawing the picture.
    BenchFigures runWindowed();

private:
    void measureStartup(BenchFigures& figures);
    void measureSeeks(BenchFigures& figures);
    void measureCpu(BenchFigures& figures);
    void measureDecodeFloor(BenchFigures& figures);
    void measureLoop(BenchFigures& figures);
    void measureAccuracy(BenchFigures& figures);
    void measureWindowed(BenchFigures& figures);

    QString m_movie1080;
    QString m_movie360;
    QString m_shortMovie;
    QString m_workFolder;
};
