// Benchmark::measureAvSync: sound against picture as a viewer sees and hears it, for our player
// and for mpv's command-line player, each in a window on the benchmark's own X server and playing
// to its own sound server, in the phases of AvSyncPhases.h.

#include "AvSyncAnalysis.h"
#include "AvSyncPhases.h"
#include "Benchmark.h"
#include "MonotonicClock.h"
#include "MpvReference.h"
#include "PrivateSoundServer.h"
#include "ScreenFlashWatch.h"
#include "SoundMonitor.h"
#include "SoundSettings.h"
#include "WorkerProcess.h"
#include "XvfbDisplay.h"

#include <QJsonArray>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {
struct Timeline
{
    double startMs = std::nan("");
    std::vector<double> eventsMs; // seeks and wraps
};

// The clip's beep: 40 ms at 1 kHz, half of full scale.
std::vector<float> beep()
{
    std::vector<float> samples(PrivateSoundServer::sampleRate / 25);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 1000 * static_cast<double>(i) /
                                                       PrivateSoundServer::sampleRate));
    return samples;
}

// What a player showed on the screen while it played a phase, and when it started and sought.
struct Watched
{
    std::vector<double> flashesMs;
    Timeline timeline;
};

Watched watch(const QString& display, const std::function<Timeline()>& play)
{
    ScreenFlashWatch screen;
    if (!screen.start(display, avSyncWatchedRegion))
        return {};
    const Timeline timeline = play();
    return {screen.stop(), timeline};
}

// How much later the recording places a beep than the sound server said it would play it: the
// delay from the sink to the recording's reads, and that the onset is found a little into the beep.
double recordingLateMs(const std::vector<double>& dueMs, const std::vector<double>& heardMs)
{
    return AvSyncAnalysis::compare(dueMs, heardMs, -INFINITY, {}).medianMs;
}

Timeline oursPlaying(const AvSyncPhase& phase, const QString& movie, const QProcessEnvironment& environment)
{
    WorkerProcess worker;
    worker.setEnvironment(environment);
    if (!worker.start(QStringList{"avsync", movie, "--phase", phase.key} +
                      settingsNamed(phase.sound).workerOptions()))
        return {};
    std::map<QString, std::vector<double>> lines = worker.figuresUntilExit(60000);
    return {lines["start"].empty() ? std::nan("") : lines["start"].front(), lines["event"]};
}

Timeline mpvPlaying(const AvSyncPhase& phase, const QString& movie, const QProcessEnvironment& environment)
{
    QStringList options{
        "--vo=gpu",
        "--gpu-context=x11egl",
        "--force-window=yes",
        "--ao=pulse",
        "--osd-level=0",
        QStringLiteral("--geometry=%1x%2+0+0").arg(avSyncWindow.width()).arg(avSyncWindow.height()),
        "--start=" + QString::number(phase.startAt)};
    if (phase.loopEnd > 0)
        options << "--ab-loop-a=" + QString::number(phase.loopBegin)
                << "--ab-loop-b=" + QString::number(phase.loopEnd - 0.5);
    MpvReference reference;
    reference.setEnvironment(environment);
    // mpv reports the start position as soon as the movie is open, and plays a few frames from
    // there; then it halts for a second or two while its sound output starts on the sound server.
    if (!reference.play(movie, options + settingsNamed(phase.sound).mpvOptions(),
                        [&phase](double position) { return position > phase.startAt + 0.2; }))
        return {};
    Timeline timeline{monotonicMs(), {monotonicMs()}};
    double last = phase.startAt;
    const auto playFor = [&](int milliseconds) {
        reference.waitForTimePos(
            [&](double position) {
                if (phase.loopEnd > 0 && position < last - 1)
                    timeline.eventsMs.push_back(monotonicMs());
                last = position;
                return false;
            },
            milliseconds);
    };
    playFor(phase.playMs);
    for (const double target : phase.seeks) {
        timeline.eventsMs.push_back(monotonicMs());
        reference.command(QJsonArray{"seek", target, "absolute+exact"});
        playFor(phase.playMs);
    }
    return timeline;
}
} // namespace

void Benchmark::measureAvSync(BenchFigures& figures)
{
    progress("sound against picture");
    PrivateSoundServer server;
    XvfbDisplay display;
    SoundMonitor monitor;
    std::map<QString, Watched> ours, mpv;
    std::vector<double> beeps;
    double driftMs = std::nan("");
    if (server.start() && display.start() && monitor.start() && monitor.waitForSound(10000)) {
        // One recording for everything, with beeps of a known time before and after the players.
        const std::vector<double> dueBefore = playBeepsOnTime(beep(), 3);
        // After the sound server's start, which sets where this process's children send their sound.
        const QProcessEnvironment environment = display.environment();
        const QString name = environment.value("DISPLAY");
        for (const AvSyncPhase& phase : avSyncPhases) {
            progress(QStringLiteral("sound against picture, %1").arg(phase.key));
            ours[phase.key] = watch(name, [&] { return oursPlaying(phase, m_clips.flash, environment); });
            mpv[phase.key] = watch(name, [&] { return mpvPlaying(phase, m_clips.flash, environment); });
        }
        const std::vector<double> dueAfter = playBeepsOnTime(beep(), 3);
        beeps = AvSyncAnalysis::beepOnsetsMs(monitor.stop());
        const double lateBefore = recordingLateMs(dueBefore, beeps),
                     lateAfter = recordingLateMs(dueAfter, beeps);
        driftMs = lateAfter - lateBefore;
        std::fprintf(
            stderr,
            "  the recording hears the sound %.2f ms after it is due before the players, %.2f after\n",
            lateBefore, lateAfter);
        for (double& beep : beeps)
            beep -= (lateBefore + lateAfter) / 2;
    } else {
        std::fprintf(stderr, "reelquill-bench: no private sound or X server, no sound against picture\n");
    }
    const auto compare = [&beeps](const Watched& watched) {
        return AvSyncAnalysis::compare(watched.flashesMs, beeps, watched.timeline.startMs,
                                       watched.timeline.eventsMs);
    };
    for (const AvSyncPhase& phase : avSyncPhases)
        figures.addSpreads({"avsync_ms", phase.key}, phase.key, compare(ours[phase.key]),
                           compare(mpv[phase.key]));
    figures.add({"avsync_recording_drift_ms"}, "avsync recording's drift (ms)", driftMs, 2);
}
