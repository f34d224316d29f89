#include "Benchmark.h"

#include "MpvReference.h"
#include "PrivateSoundServer.h"
#include "ProcessStats.h"
#include "SeekTargets.h"
#include "SoundMonitor.h"
#include "SoundSettings.h"
#include "Stats.h"
#include "WorkerProcess.h"
#include "XvfbDisplay.h"

#include "LoopClicks.h"
#include "SilenceGaps.h"
#include "Sound.h"
#include "ToneAnalysis.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QProcess>
#include <QThread>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

namespace {
constexpr int startupRuns = 5;
constexpr int cpuRuns = 3;
// Our main window's picture area, in pixels: mpv's window is given the same size so that both
// players scale the movie to the same picture.
constexpr int pictureWidth = 415, pictureHeight = 309;
constexpr int windowedRuns = 2;
constexpr int coldStartRuns = 5;
// Time for a player to open its window, load the movie and settle into playing.
constexpr int windowedSettleMs = 4000;
// Three windows of this length make the 20 s of playback each CPU figure is taken over.
constexpr int cpuWindowMs = 6700;
// How long our worker lets playback run on after each seek (to compare sound and picture).
constexpr int seekSettleMs = 500;

double elapsedMs(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// CPU seconds per second of playback of a process that is playing now, over one window.
double cpuPerSecond(qint64 pid, double& peakRssMb)
{
    const ProcessSample before = sampleProcess(static_cast<pid_t>(pid));
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(cpuWindowMs);
    const ProcessSample after = sampleProcess(static_cast<pid_t>(pid));
    peakRssMb = after.peakRssMb;
    return (after.cpuSeconds - before.cpuSeconds) / (elapsedMs(clock) / 1000.0);
}

// Milliseconds from each exact seek while playing to playback restarting at the new place, in mpv's
// command-line player with the given options, over the same targets as our worker.
std::vector<double> mpvSeeks(const QString& movie, const QStringList& options)
{
    std::vector<double> times;
    MpvReference reference;
    if (!reference.start(options))
        return times;
    reference.command(QJsonArray{"loadfile", movie});
    if (!reference.waitForTimePos([](double position) { return position > 1.0; }, 10000))
        return times;
    for (const double target : seekTargets(60.0)) {
        QElapsedTimer clock;
        clock.start();
        reference.command(QJsonArray{"seek", target, "absolute+exact"});
        if (reference.waitForPlaybackRestart(10000))
            times.push_back(elapsedMs(clock));
        // Our worker lets playback run on before its next seek as well.
        QThread::msleep(seekSettleMs);
    }
    return times;
}

// A loop of a steady tone as a player plays it at some sound settings: wrapping every periodMs
// of real time, the tone at toneHz.
struct LoopPlay
{
    const char* key;
    double periodMs;
    double toneHz;
};

struct LoopHeard
{
    std::vector<double> gapsMs;
    std::vector<double> clickRatios;
};

// The silences and clicks at the wraps in the sound of `play` (a player looping a steady tone);
// nothing at all when the player's sound never reached the server: no figure rather than a loop
// without gaps.
std::optional<LoopHeard> heardDuring(const char* who, const LoopPlay& loop, const std::function<void()>& play)
{
    constexpr int rate = PrivateSoundServer::sampleRate;
    SoundMonitor monitor;
    if (!monitor.start() || !monitor.waitForSound(10000))
        return std::nullopt;
    play();
    const std::vector<float> recorded = monitor.stop().samples;
    const double level = ToneAnalysis::rms(recorded);
    const LoopClicks::Loop found = LoopClicks::find(recorded, rate, loop.toneHz, loop.periodMs);
    std::fprintf(stderr, "  %s, %s: %.1f s recorded at level %.3f, %zu wraps\n", who, loop.key,
                 static_cast<double>(recorded.size()) / rate, level, found.wraps.size());
    if (level <= 0.01)
        return std::nullopt;
    return LoopHeard{SilenceGaps::lengthsMs(recorded, rate), LoopClicks::ratios(recorded, rate, found)};
}
} // namespace

Benchmark::Benchmark(QString movie1080, QString movie360, QString shortMovie, QString workFolder)
    : m_movie1080(std::move(movie1080)), m_movie360(std::move(movie360)), m_shortMovie(std::move(shortMovie)),
      m_workFolder(std::move(workFolder))
{}

void Benchmark::progress(const char* what)
{
    std::fprintf(stderr, "measuring %s...\n", what);
}

void Benchmark::setKeyframeClips(QString everySecond, QString everyTenSeconds)
{
    m_keyframeEverySecond = std::move(everySecond);
    m_keyframeEveryTenSeconds = std::move(everyTenSeconds);
}

BenchFigures Benchmark::run(const QStringList& only)
{
    using Measurement = void (Benchmark::*)(BenchFigures&);
    const std::pair<const char*, Measurement> measurements[] = {
        {"startup", &Benchmark::measureStartup},
        {"seeks", &Benchmark::measureSeeks},
        {"cpu", &Benchmark::measureCpu},
        {"decode", &Benchmark::measureDecodeFloor},
        {"loop", &Benchmark::measureLoop},
        {"accuracy", &Benchmark::measureAccuracy},
        {"windowed", &Benchmark::measureWindowed},
        {"seeks_by_clip", &Benchmark::measureSeeksByClip},
        {"loop_gaps", &Benchmark::measureLoopGaps},
        {"cold_start", &Benchmark::measureColdStart},
        {"avsync", &Benchmark::measureAvSync}};
    BenchFigures figures;
    for (const auto& [name, measure] : measurements)
        if (only.isEmpty() || only.contains(QLatin1String(name)))
            (this->*measure)(figures);
    return figures;
}

void Benchmark::measureStartup(BenchFigures& figures)
{
    progress("start-up");
    std::vector<double> ours, mpv;
    for (int run = 0; run < startupRuns; ++run) {
        WorkerProcess worker;
        if (worker.start({"startup", m_movie1080}))
            ours.push_back(worker.waitForLine("startup_ms", 20000).toDouble());

        MpvReference reference;
        if (!reference.start({}))
            continue;
        QElapsedTimer clock;
        clock.start();
        reference.command(QJsonArray{"loadfile", m_movie1080});
        if (reference.waitForTimePos([](double) { return true; }, 10000))
            mpv.push_back(elapsedMs(clock));
    }
    figures.startupMs = {median(ours), median(mpv)};
}

void Benchmark::measureSeeks(BenchFigures& figures)
{
    progress("seeks");
    WorkerProcess worker;
    std::vector<double> ours;
    if (worker.start({"seek", m_movie1080}))
        ours = worker.figuresUntilExit(120000)["seek_ms"];

    figures.seekMs = {median(ours), median(mpvSeeks(m_movie1080, {}))};
}

void Benchmark::measureCpu(BenchFigures& figures)
{
    std::vector<double> oursPeak, mpvPeak;
    for (const SoundSettings& settings : soundSettings) {
        progress(settings.key);
        std::vector<double> ours, mpv;
        for (int run = 0; run < cpuRuns; ++run) {
            double peak = 0;
            WorkerProcess worker;
            if (worker.start(QStringList{"play", m_movie1080} + settings.workerOptions()) &&
                !worker.waitForLine("playing", 20000).isNull()) {
                ours.push_back(cpuPerSecond(worker.pid(), peak));
                oursPeak.push_back(peak);
            }
            MpvReference reference;
            if (reference.start(settings.mpvOptions())) {
                reference.command(QJsonArray{"loadfile", m_movie1080});
                if (reference.waitForTimePos([](double) { return true; }, 10000)) {
                    mpv.push_back(cpuPerSecond(reference.pid(), peak));
                    mpvPeak.push_back(peak);
                }
            }
        }
        figures.cpuPerSecond[settings.key] = {median(ours), median(mpv)};
    }
    figures.peakRssMb = {median(oursPeak), median(mpvPeak)};
}

void Benchmark::measureDecodeFloor(BenchFigures& figures)
{
    progress("decoding alone");
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", m_movie1080, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        return;
    getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
                       seconds(before.ru_stime);
    figures.decodeFloorCpuPerSecond = cpu / 60.0;
}

void Benchmark::measureLoop(BenchFigures& figures)
{
    progress("loop");
    WorkerProcess worker;
    if (!worker.start({"loop", m_movie360, "--tempo", "-30"}))
        return;
    std::map<QString, std::vector<double>> lines = worker.figuresUntilExit(60000);
    figures.loopOvershootMs = median(lines["loop_overshoot_ms"]);
    figures.loopRestartMs = median(lines["loop_restart_ms"]);
    figures.loopAvsyncMs = largestMagnitude(lines["loop_avsync_ms"]);
}

void Benchmark::measureAccuracy(BenchFigures& figures)
{
    progress("output accuracy");
    struct Case
    {
        const char* key;
        SoundSettings settings;
        double expectedHz;
    };
    const Case cases[] = {{"pitch_p3", {"pitch_p3", 0, 3, 1.0}, 440.0 * std::pow(2.0, 3.0 / 12.0)},
                          {"tempo_m30", {"tempo_m30", -30, 0, 1.0}, 440.0}};
    for (const Case& measured : cases) {
        const QString wavePath = m_workFolder + "/" + measured.key + ".wav";
        WorkerProcess worker;
        if (!worker.start(QStringList{"wave", m_shortMovie, "--wave", wavePath} +
                          measured.settings.workerOptions()))
            continue;
        const double movieSeconds = worker.waitForLine("duration", 20000).toDouble();
        if (worker.waitForLine("done", 120000).isNull())
            continue;
        const std::optional<Sound> audio = Sound::read(wavePath);
        if (!audio || audio->seconds() < 4)
            continue;
        // Leave out the stretcher's start and the end of the sound.
        const std::vector<float> steady = audio->channel(0, 1.0, audio->seconds() - 1.0);
        figures.pitchErrorCents[measured.key] =
            ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), measured.expectedHz);
        if (measured.settings.tempo != 0 && movieSeconds > 0)
            figures.durationErrorMs =
                (audio->seconds() - movieSeconds / measured.settings.stretch().speed()) * 1000;
    }
}

void Benchmark::measureWindowed(BenchFigures& figures)
{
    progress("windowed playback");
    XvfbDisplay display;
    if (!display.start())
        return;
    QProcessEnvironment environment = display.environment();
    // Our program keeps its settings out of the user's own.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_workFolder + "/config");
    const std::pair<const char*, QString> clips[] = {{"360p", m_movie360}, {"1080p", m_movie1080}};
    for (const auto& [key, movie] : clips) {
        std::vector<double> ours, mpv;
        double peak = 0;
        for (int run = 0; run < windowedRuns; ++run) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            program.start(QStringLiteral(REELQUILL_EXECUTABLE), {movie});
            if (program.waitForStarted(5000)) {
                QThread::msleep(windowedSettleMs);
                if (program.state() == QProcess::Running)
                    ours.push_back(cpuPerSecond(program.processId(), peak));
                program.kill();
                program.waitForFinished(5000);
            }
            MpvReference reference;
            reference.setEnvironment(environment);
            const QString geometry = QStringLiteral("--geometry=%1x%2").arg(pictureWidth).arg(pictureHeight);
            if (reference.start({"--vo=gpu", "--gpu-context=x11egl", geometry, "--force-window=yes"})) {
                reference.command(QJsonArray{"loadfile", movie});
                if (reference.waitForTimePos([](double) { return true; }, 10000)) {
                    QThread::msleep(windowedSettleMs);
                    mpv.push_back(cpuPerSecond(reference.pid(), peak));
                }
            }
        }
        figures.windowedCpuPerSecond[key] = {median(ours), median(mpv)};
    }
}

void Benchmark::measureSeeksByClip(BenchFigures& figures)
{
    struct Clip
    {
        const char* key;
        QString movie;
    };
    const Clip clips[] = {
        {"gop1", m_keyframeEverySecond}, {"gop10", m_keyframeEveryTenSeconds}, {"1080p", m_movie1080}};
    for (const Clip& clip : clips) {
        if (clip.movie.isEmpty())
            continue;
        for (const char* key : {"normal", "tempo_m30", "tempo_m30_pitch_p3"}) {
            const QString name = QStringLiteral("%1_%2").arg(clip.key, key);
            progress(qPrintable("seeks, " + name));
            const SoundSettings& settings = settingsNamed(key);
            WorkerProcess worker;
            std::map<QString, std::vector<double>> ours;
            if (worker.start(QStringList{"seek", clip.movie} + settings.workerOptions()))
                ours = worker.figuresUntilExit(120000);
            figures.seekMsByClip[name] = {median(ours["seek_ms"]),
                                          median(mpvSeeks(clip.movie, settings.mpvOptions()))};
            figures.avsyncAfterSeeksMs[name] = largestMagnitude(ours["seek_avsync_ms"]);
        }
    }
}

void Benchmark::measureLoopGaps(BenchFigures& figures)
{
    // Loop 10..12 s on the clip with an unbroken tone and a keyframe at 10 s; both players wrap
    // where the rounded position reaches 12, at 11.5 s. mpv loops with its own A-B loop. Each plays
    // long enough for ten wraps and more after its start.
    constexpr int loopBegin = 10, loopEnd = 12;
    constexpr double wraps = 10.5;
    if (m_loopMovie.isEmpty())
        return;
    PrivateSoundServer server;
    if (!server.start()) {
        std::fprintf(stderr, "reelquill-bench: no private PulseAudio server, no loop gaps\n");
        return;
    }
    for (const char* key : {"normal", "tempo_m30", "tempo_m30_pitch_p3"}) {
        progress(qPrintable(QStringLiteral("loop gaps, %1").arg(key)));
        const SoundSettings& settings = settingsNamed(key);
        const LoopPlay loop{key, (loopEnd - 0.5 - loopBegin) / settings.stretch().speed() * 1000,
                            440 * settings.stretch().pitchScale()};
        const int seconds = static_cast<int>(std::ceil(2 + wraps * loop.periodMs / 1000));
        const QStringList ending{"--loop-end", QString::number(loopEnd), "--seconds",
                                 QString::number(seconds)};
        const std::optional<LoopHeard> ours = heardDuring("ours", loop, [&] {
            WorkerProcess worker;
            if (worker.start(QStringList{"loop", m_loopMovie, "--sound"} + ending + settings.workerOptions()))
                worker.figuresUntilExit((seconds + 15) * 1000);
        });
        const std::optional<LoopHeard> mpv = heardDuring("mpv", loop, [&] {
            MpvReference reference;
            if (!reference.start(settings.mpvOptions() +
                                 QStringList{"--ao=pulse", QStringLiteral("--start=%1").arg(loopBegin),
                                             QStringLiteral("--ab-loop-a=%1").arg(loopBegin),
                                             QStringLiteral("--ab-loop-b=%1").arg(loopEnd - 0.5)}))
                return;
            reference.command(QJsonArray{"loadfile", m_loopMovie});
            QThread::msleep(static_cast<unsigned long>(seconds) * 1000);
        });
        // No gap at any wrap is a gap of 0.
        const auto medianGap = [](const std::optional<LoopHeard>& heard) {
            return !heard ? std::nan("") : heard->gapsMs.empty() ? 0.0 : median(heard->gapsMs);
        };
        if (ours) {
            figures.loopGapsOurs[key] = ours->gapsMs;
            figures.loopClicksOurs[key] = ours->clickRatios;
        }
        if (mpv) {
            figures.loopGapsMpv[key] = mpv->gapsMs;
            figures.loopClicksMpv[key] = mpv->clickRatios;
        }
        figures.loopGapMs[key] = {medianGap(ours), medianGap(mpv)};
        const auto loudestClick = [](const std::optional<LoopHeard>& heard) {
            return heard ? largestMagnitude(heard->clickRatios) : std::nan("");
        };
        figures.loopClickRatio[key] = {loudestClick(ours), loudestClick(mpv)};
    }
}

void Benchmark::measureColdStart(BenchFigures& figures)
{
    progress("cold start to the first frame drawn");
    if (m_markedMovie.isEmpty())
        return;
    XvfbDisplay display;
    if (!display.start())
        return;
    QProcessEnvironment environment = display.environment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_workFolder + "/config");
    std::vector<double> ours, mpv;
    // One start of each first, so that both find the libraries and the movie in the file cache.
    for (int run = -1; run < coldStartRuns; ++run) {
        for (const char* player : {"ours", "mpv"}) {
            WorkerProcess watch;
            watch.setEnvironment(environment);
            if (!watch.start({"first-frame", m_markedMovie, "--player", player}))
                continue;
            const std::vector<double> found = watch.figuresUntilExit(30000)["first_frame_ms"];
            if (run >= 0 && !found.empty())
                (std::strcmp(player, "ours") == 0 ? ours : mpv).push_back(found.front());
        }
    }
    figures.coldStartMs = {median(ours), median(mpv)};
}
