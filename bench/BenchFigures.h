#pragma once

#include <QJsonObject>
#include <QString>

#include <cmath>
#include <map>
#include <vector>

// One figure measured for our player and for mpv's command-line player.
struct Comparison
{
    double ours = std::nan("");
    double mpv = std::nan("");
};

// Everything one benchmark run measures. NaN marks a figure that could not be measured.
struct BenchFigures
{
    Comparison startupMs;
    // From starting the program's process with a movie to its first frame on the screen.
    Comparison coldStartMs;
    Comparison seekMs;
    Comparison peakRssMb;
    std::map<QString, Comparison> cpuPerSecond; // keyed normal, tempo_m30, tempo_m30_pitch_p3, rate_0_7
    double decodeFloorCpuPerSecond = std::nan("");
    double loopOvershootMs = std::nan("");
    double loopRestartMs = std::nan("");
    // Sound against picture, in ms, half a second after each loop wrap and seek: the largest either way.
    double loopAvsyncMs = std::nan("");
    std::map<QString, double> avsyncAfterSeeksMs; // keyed as seekMsByClip
    std::map<QString, double> pitchErrorCents; // keyed pitch_p3, tempo_m30
    double durationErrorMs = std::nan("");
    // Playing in a window on a virtual X server, against mpv in a window of our picture's size;
    // keyed 360p, 1080p.
    std::map<QString, Comparison> windowedCpuPerSecond;
    // Seeks while playing, keyed by clip and sound settings: gop1_tempo_m30, gop10_normal, ...
    std::map<QString, Comparison> seekMsByClip;
    // Real-time silence at each loop wrap: the median, and every wrap's, keyed by sound settings.
    std::map<QString, Comparison> loopGapMs;
    std::map<QString, std::vector<double>> loopGapsOurs;
    std::map<QString, std::vector<double>> loopGapsMpv;
    // The same loop through the prototype of a sound path of our own (GaplessLoopPrototype).
    std::map<QString, double> loopGapPrototypeMs;
    std::map<QString, std::vector<double>> loopGapsPrototype;

    QJsonObject toJson() const;
    QString toTable() const;
};
