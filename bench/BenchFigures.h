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
    Comparison seekMs;
    Comparison peakRssMb;
    std::map<QString, Comparison> cpuPerSecond; // keyed normal, tempo_m30, tempo_m30_pitch_p3, rate_0_7
    double decodeFloorCpuPerSecond = std::nan("");
    double loopOvershootMs = std::nan("");
    double loopRestartMs = std::nan("");
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

    QJsonObject toJson() const;
    QString toTable() const;
};
