#pragma once

#include "BenchFigures.h"
#include "BenchMedia.h"

#include <QString>
#include <QStringList>

#include <map>
#include <span>

struct SoundSettings;

// Measures our player against mpv's command-line player on the same files and settings, one
// after the other so that neither disturbs the other.
class Benchmark
{
public:
    // One part of the benchmark: the name --only knows it by, what it measures (for --help), and
    // what runs it. The table's order is the order they run in and the report's.
    struct Scenario
    {
        const char* name;
        const char* measures;
        void (Benchmark::*run)(BenchFigures&);
    };
    static std::span<const Scenario> scenarios();

    // workFolder: for the files the players write.
    Benchmark(BenchClips clips, QString workFolder);

    // The scenarios named, or all of them, in the table's order.
    BenchFigures run(const QStringList& only = {});

private:
    // Seeks while playing, ours and mpv's, to the same targets.
    struct Seeks
    {
        std::vector<double> oursMs;
        std::vector<double> oursAvsyncMs; // sound against picture after each seek
        std::vector<double> mpvMs;
    };

    static void progress(const QString& what);
    // Measured once per clip and settings, for the seeks and the seeks by clip alike.
    const Seeks& seeks(const QString& clipKey, const QString& movie, const SoundSettings& settings);

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
    void measureExport(BenchFigures& figures);
    void measureSoundViews(BenchFigures& figures);

    BenchClips m_clips;
    QString m_workFolder;
    std::map<QString, Seeks> m_seeks;
};
