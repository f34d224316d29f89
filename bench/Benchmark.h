#pragma once

#include "BenchFigures.h"

#include <QString>
#include <QStringList>

// Measures our player against mpv's command-line player on the same files and settings, one
// after the other so that neither disturbs the other.
class Benchmark
{
public:
    // movie1080: the 60 s 1080p clip; movie360: the 360p one; shortMovie: a 10 s clip whose sound
    // is written out whole for the accuracy figures.
    Benchmark(QString movie1080, QString movie360, QString shortMovie, QString workFolder);

    // The 60 s 360p clips with a keyframe every second and every ten seconds, for the seeks and
    // loop wraps whose cost grows with the distance from the keyframe before them.
    void setKeyframeClips(QString everySecond, QString everyTenSeconds);
    // A clip made by benchMarkedClip, for the cold start.
    void setMarkedClip(QString movie) { m_markedMovie = std::move(movie); }
    // A clip with a steady tone and no seam in its sound from 10 s on, for the loop gaps and
    // clicks; one made with MovieMaker's flashEverySecond, for sound against picture.
    void setLoopClip(QString movie) { m_loopMovie = std::move(movie); }
    void setFlashClip(QString movie) { m_flashMovie = std::move(movie); }

    // Every figure, or only those named: startup, seeks, cpu, decode, loop, accuracy, windowed,
    // seeks_by_clip, loop_gaps, cold_start, avsync.
    BenchFigures run(const QStringList& only = {});

private:
    static void progress(const char* what);
    void measureStartup(BenchFigures& figures);
    void measureSeeks(BenchFigures& figures);
    void measureCpu(BenchFigures& figures);
    void measureDecodeFloor(BenchFigures& figures);
    void measureLoop(BenchFigures& figures);
    void measureAccuracy(BenchFigures& figures);
    void measureWindowed(BenchFigures& figures);
    void measureSeeksByClip(BenchFigures& figures);
    void measureLoopGaps(BenchFigures& figures);
    void measureColdStart(BenchFigures& figures);
    void measureAvSync(BenchFigures& figures);

    QString m_movie1080;
    QString m_movie360;
    QString m_shortMovie;
    QString m_workFolder;
    QString m_keyframeEverySecond;
    QString m_keyframeEveryTenSeconds;
    QString m_markedMovie;
    QString m_loopMovie;
    QString m_flashMovie;
};
