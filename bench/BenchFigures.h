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

// Sound against picture as a viewer sees and hears it, from the flashes on the screen and the beeps
// in the sound of a clip that has both at each whole second: offsets in ms, above 0 when the sound
// comes after the picture.
struct SyncSpread
{
    double medianMs = std::nan("");
    double lowMs = std::nan("");          // 5th percentile
    double highMs = std::nan("");         // 95th percentile
    double withinThirtyMs = std::nan(""); // the fraction of offsets within 30 ms either way
    std::vector<double> offsetsMs;
    // After each seek or loop wrap: the offset at the first flash that comes 300 ms or more after it.
    std::vector<double> settledMs;
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
    std::map<QString, double> pitchErrorCents;    // keyed pitch_p3, tempo_m30
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
    // The high frequencies of the sound at the loop wraps over those elsewhere (see LoopClicks),
    // the largest of all wraps, and each wrap's; keyed as loopGapMs.
    std::map<QString, Comparison> loopClickRatio;
    std::map<QString, std::vector<double>> loopClicksOurs;
    std::map<QString, std::vector<double>> loopClicksMpv;
    // Keyed plain, loop_tempo_m30, seeks.
    std::map<QString, SyncSpread> avsyncOurs;
    std::map<QString, SyncSpread> avsyncMpv;
    // How far the recording's clock moved against the monotonic clock while the players played,
    // from beeps of a known time before and after them: well under a millisecond when every
    // sample reached the recording.
    double avsyncRecordingDriftMs = std::nan("");

    QJsonObject toJson() const;
    QString toTable() const;
};
