#include "Benchmark.h"

#include "ExportSpeed.h"
#include "MonotonicClock.h"
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

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

namespace {
// How often and how long each figure is measured, per player, from the spreads seen on this
// 2-core machine (while others built now and then, as they do):
// - start-up: a few milliseconds between runs, each well under a second.
constexpr int startupRuns = 5;
// - CPU per second, headless: 6.7 s windows of one clip and setting differed by up to 9 % either
//   way, and the median of three by 12 % from one benchmark run to the next (0.172 against 0.194):
//   one window of 4 s (at 0.2 CPU s per s, 80 clock ticks).
constexpr int cpuRuns = 1;
constexpr int cpuWindowMs = 4000;
// - in a window: ours within 2 % between runs, mpv's within 12 %; one run as above.
constexpr int windowedRuns = 1;
// - cold start: each run a second or two.
constexpr int coldStartRuns = 5;
// Time for a player to open its window, load the movie and settle into playing: the cold start
// finds both players' first frame on the screen within a second, and mpv's CPU time, read once a
// second, is steady from its second second on (4 s here gave the same figures).
constexpr int windowedSettleMs = 2000;
// Our main window's picture area, in pixels: mpv's window is given the same size so that both
// players scale the movie to the same picture.
constexpr int pictureWidth = 415, pictureHeight = 309;
// How long our worker lets playback run on after each seek (to compare sound and picture).
constexpr int seekSettleMs = 500;
// The settings the seeks by clip and the loop gaps are measured at.
constexpr const char* slowSettings[] = {"normal", "tempo_m30", "tempo_m30_pitch_p3"};

double elapsedMs(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct PlayingCost
{
    double cpuPerSecond;
    double peakRssMb;
};

// CPU seconds per second of a process that is playing now, over one window, and its peak memory.
PlayingCost playingCost(qint64 pid)
{
    const ProcessSample before = sampleProcess(static_cast<pid_t>(pid));
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(cpuWindowMs);
    const ProcessSample after = sampleProcess(static_cast<pid_t>(pid));
    return {(after.cpuSeconds - before.cpuSeconds) / (elapsedMs(clock) / 1000.0), after.peakRssMb};
}

// Milliseconds from each exact seek while playing to playback restarting at the new place, in mpv's
// command-line player with the given options, over the same targets as our worker.
std::vector<double> mpvSeeks(const QString& movie, const QStringList& options)
{
    std::vector<double> times;
    MpvReference reference;
    if (!reference.play(movie, options, [](double position) { return position > playedBeforeSeeking; }))
        return times;
    for (const double target : seekTargets()) {
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

// CPU seconds that ffmpeg takes to decode the movie into nothing; NaN when it failed.
double decodingCpuSeconds(const QString& movie)
{
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", movie, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        return std::nan("");
    getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
           seconds(before.ru_stime);
}

// The loop of the loop gaps: 10..12 s of the clip with an unbroken tone and a keyframe at 10 s;
// both players wrap where the rounded position reaches 12, at 11.5 s (mpv with its own A-B loop).
constexpr int loopBegin = 10, loopEnd = 12;
// Each player plays long enough for this many wraps after a lead-in of two seconds. mpv's gaps
// ranged from 15 to 45 ms per wrap and our clicks by 0.1 between the eleven wraps of a run: four.
constexpr double loopGapWraps = 4;

// The loop as a player plays it at some sound settings: wrapping every periodMs of real time,
// the tone at toneHz, for `seconds`.
struct LoopPlay
{
    const char* key;
    double periodMs;
    double toneHz;
    int seconds;
};

LoopPlay loopPlayAt(const SoundSettings& settings)
{
    const double periodMs = (loopEnd - 0.5 - loopBegin) / settings.stretch().speed() * 1000;
    return {settings.key, periodMs, 440 * settings.stretch().pitchScale(),
            static_cast<int>(std::ceil(2 + loopGapWraps * periodMs / 1000))};
}

struct LoopHeard
{
    std::vector<double> gapsMs;
    std::vector<double> clickRatios;
};

// The part of a recording played between two times (monotonicMs).
std::vector<float> recordedBetween(const SoundMonitor::Recording& recording, double fromMs, double toMs)
{
    constexpr int rate = PrivateSoundServer::sampleRate;
    const auto at = [&recording](double ms) {
        const double index = (ms - recording.firstSampleMs) * rate / 1000;
        return recording.samples.begin() +
               static_cast<qsizetype>(std::clamp(index, 0.0, static_cast<double>(recording.samples.size())));
    };
    return {at(fromMs), at(toMs)};
}

// The silences and clicks at the wraps in the recording from fromMs to toMs (monotonicMs), where
// a player looped; nothing at all when its sound never reached the server: no figure rather than
// a loop without gaps.
std::optional<LoopHeard> heard(const char* who, const LoopPlay& loop,
                               const SoundMonitor::Recording& recording, std::pair<double, double> playedMs)
{
    constexpr int rate = PrivateSoundServer::sampleRate;
    if (recording.samples.empty())
        return std::nullopt;
    const std::vector<float> recorded = recordedBetween(recording, playedMs.first, playedMs.second);
    const double level = ToneAnalysis::rms(recorded);
    const LoopClicks::Loop found = LoopClicks::find(recorded, rate, loop.toneHz, loop.periodMs);
    std::fprintf(stderr, "  %s, %s: %.1f s recorded at level %.3f, %zu wraps\n", who, loop.key,
                 static_cast<double>(recorded.size()) / rate, level, found.wraps.size());
    if (level <= 0.01)
        return std::nullopt;
    return LoopHeard{SilenceGaps::lengthsMs(recorded, rate), LoopClicks::ratios(recorded, rate, found)};
}

// The benchmark's own X server for players that show their picture, with our program's settings
// kept out of the user's own; nothing when the server did not start.
std::optional<QProcessEnvironment> onScreen(XvfbDisplay& display, const QString& workFolder)
{
    if (!display.start()) {
        std::fprintf(stderr, "reelquill-bench: no virtual X server\n");
        return std::nullopt;
    }
    QProcessEnvironment environment = display.environment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), workFolder + "/config");
    return environment;
}
} // namespace

std::span<const Benchmark::Scenario> Benchmark::scenarios()
{
    static const Scenario table[] = {
        {"startup", "start-up to the first position report, headless", &Benchmark::measureStartup},
        {"seeks", "exact seeks while playing the 1080p clip", &Benchmark::measureSeeks},
        {"cpu", "CPU time and peak memory playing headless, at four sound settings", &Benchmark::measureCpu},
        {"decode", "ffmpeg's CPU time decoding the 1080p clip alone, the floor under both",
         &Benchmark::measureDecodeFloor},
        {"loop", "our loop wraps at tempo -30: overshoot, restart and sound against picture",
         &Benchmark::measureLoop},
        {"accuracy", "the pitch and length of our sound written out whole", &Benchmark::measureAccuracy},
        {"windowed", "CPU time playing in a window on a virtual X server", &Benchmark::measureWindowed},
        {"seeks_by_clip",
         "seeks per keyframe spacing and sound settings, with sound against picture after them",
         &Benchmark::measureSeeksByClip},
        {"loop_gaps", "silence and clicks at loop wraps, recorded in real time", &Benchmark::measureLoopGaps},
        {"cold_start", "from starting the player's process to its first frame on the screen",
         &Benchmark::measureColdStart},
        {"avsync", "sound against picture as a viewer sees and hears it", &Benchmark::measureAvSync},
        {"sound_views", "CPU time playing headless at tempo -30 in each sound view",
         &Benchmark::measureSoundViews},
        {"export", "Export sound of a 60 s loop at tempo -30, pitch +3, to FLAC, against ffmpeg's filter",
         &Benchmark::measureExport}};
    return table;
}

Benchmark::Benchmark(BenchClips clips, QString workFolder)
    : m_clips(std::move(clips)), m_workFolder(std::move(workFolder))
{}

void Benchmark::progress(const QString& what)
{
    std::fprintf(stderr, "measuring %s...\n", qPrintable(what));
}

BenchFigures Benchmark::run(const QStringList& only)
{
    BenchFigures figures;
    for (const Scenario& scenario : scenarios()) {
        if (!only.isEmpty() && !only.contains(QLatin1String(scenario.name)))
            continue;
        QElapsedTimer clock;
        clock.start();
        (this->*scenario.run)(figures);
        std::fprintf(stderr, "%s: %.0f s\n", scenario.name, elapsedMs(clock) / 1000);
    }
    return figures;
}

const Benchmark::Seeks& Benchmark::seeks(const QString& clipKey, const QString& movie,
                                         const SoundSettings& settings)
{
    const QString name = clipKey + "_" + settings.key;
    if (const auto known = m_seeks.find(name); known != m_seeks.end())
        return known->second;
    progress("seeks, " + name);
    Seeks& measured = m_seeks[name];
    WorkerProcess worker;
    if (worker.start(QStringList{"seek", movie} + settings.workerOptions())) {
        std::map<QString, std::vector<double>> lines = worker.figuresUntilExit(120000);
        measured.oursMs = lines["seek_ms"];
        measured.oursAvsyncMs = lines["seek_avsync_ms"];
    }
    measured.mpvMs = mpvSeeks(movie, settings.mpvOptions());
    return measured;
}

void Benchmark::measureStartup(BenchFigures& figures)
{
    progress("start-up");
    std::vector<double> ours, mpv;
    for (int run = 0; run < startupRuns; ++run) {
        {
            WorkerProcess worker;
            const QString reported = worker.start({"startup", m_clips.movie1080})
                                         ? worker.waitForLine("startup_ms", 20000)
                                         : QString();
            if (!reported.isEmpty())
                ours.push_back(reported.toDouble());
        }
        if (const std::optional<double> loaded = MpvReference().play(m_clips.movie1080, {}))
            mpv.push_back(*loaded);
    }
    figures.add({"startup_ms"}, "start-up to first report (ms)", {median(ours), median(mpv)}, 1);
}

void Benchmark::measureSeeks(BenchFigures& figures)
{
    const Seeks& measured = seeks("1080p", m_clips.movie1080, settingsNamed("normal"));
    figures.add({"seek_ms"}, "seek to first report (ms)", {median(measured.oursMs), median(measured.mpvMs)},
                1);
}

void Benchmark::measureCpu(BenchFigures& figures)
{
    std::vector<double> oursPeak, mpvPeak;
    for (const SoundSettings& settings : soundSettings) {
        progress(QStringLiteral("CPU, %1").arg(settings.key));
        std::vector<double> ours, mpv;
        for (int run = 0; run < cpuRuns; ++run) {
            {
                WorkerProcess worker;
                if (worker.start(QStringList{"play", m_clips.movie1080} + settings.workerOptions()) &&
                    !worker.waitForLine("playing", 20000).isNull()) {
                    const PlayingCost cost = playingCost(worker.pid());
                    ours.push_back(cost.cpuPerSecond);
                    oursPeak.push_back(cost.peakRssMb);
                }
            }
            MpvReference reference;
            if (reference.play(m_clips.movie1080, settings.mpvOptions())) {
                const PlayingCost cost = playingCost(reference.pid());
                mpv.push_back(cost.cpuPerSecond);
                mpvPeak.push_back(cost.peakRssMb);
            }
        }
        figures.add({"cpu_per_s", settings.key}, QStringLiteral("CPU s per s, %1").arg(settings.key),
                    {median(ours), median(mpv)}, 3);
    }
    figures.add({"peak_rss_mb"}, "peak memory (MB)", {median(oursPeak), median(mpvPeak)}, 1);
}

void Benchmark::measureDecodeFloor(BenchFigures& figures)
{
    progress("decoding alone");
    figures.add({"decode_floor_cpu_per_s"}, "CPU s per s, decoding alone",
                decodingCpuSeconds(m_clips.movie1080) / 60.0, 3);
}

void Benchmark::measureLoop(BenchFigures& figures)
{
    progress("loop");
    WorkerProcess worker;
    std::map<QString, std::vector<double>> lines;
    // At tempo -30 the worker wraps every 2.1 s: four wraps.
    if (worker.start({"loop", m_clips.movie360, "--tempo", "-30", "--seconds", "10"}))
        lines = worker.figuresUntilExit(60000);
    figures.add({"loop_overshoot_ms"}, "loop overshoot (ms)", median(lines["loop_overshoot_ms"]), 1);
    figures.add({"loop_restart_ms"}, "loop restart (ms)", median(lines["loop_restart_ms"]), 1);
    figures.add({"loop_avsync_ms"}, "avsync after wraps (ms)", largestMagnitude(lines["loop_avsync_ms"]), 1);
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
    const auto waveOf = [this](const Case& measured) { return m_workFolder + "/" + measured.key + ".wav"; };
    // Nothing here is timed: both play at once.
    WorkerProcess workers[std::size(cases)];
    for (size_t i = 0; i < std::size(cases); ++i)
        workers[i].start(QStringList{"wave", m_clips.tone, "--wave", waveOf(cases[i])} +
                         cases[i].settings.workerOptions());
    double durationErrorMs = std::nan("");
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& measured = cases[i];
        const double movieSeconds = workers[i].waitForLine("duration", 20000).toDouble();
        std::optional<Sound> audio;
        if (!workers[i].waitForLine("done", 120000).isNull())
            audio = Sound::read(waveOf(measured));
        double cents = std::nan("");
        if (audio && audio->seconds() >= 4) {
            // Leave out the stretcher's start and the end of the sound.
            const std::vector<float> steady = audio->channel(0, 1.0, audio->seconds() - 1.0);
            cents =
                ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), measured.expectedHz);
            if (measured.settings.tempo != 0 && movieSeconds > 0)
                durationErrorMs =
                    (audio->seconds() - movieSeconds / measured.settings.stretch().speed()) * 1000;
        }
        figures.add({"pitch_error_cents", measured.key},
                    QStringLiteral("pitch error, %1 (cents)").arg(measured.key), cents, 3);
    }
    figures.add({"duration_error_ms"}, "output duration error (ms)", durationErrorMs, 1);
}

void Benchmark::measureWindowed(BenchFigures& figures)
{
    progress("windowed playback");
    XvfbDisplay display;
    const std::optional<QProcessEnvironment> environment = onScreen(display, m_workFolder);
    struct Clip
    {
        const char* jsonKey;
        const char* name;
        QString movie;
    };
    const Clip clips[] = {{"windowed_cpu_per_s", "360p", m_clips.movie360},
                          {"windowed_cpu_per_s_1080p", "1080p", m_clips.movie1080}};
    for (const Clip& clip : clips) {
        std::vector<double> ours, mpv;
        for (int run = 0; environment && run < windowedRuns; ++run) {
            QProcess program;
            program.setProcessEnvironment(*environment);
            program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            program.start(QStringLiteral(REELQUILL_EXECUTABLE), {clip.movie});
            if (program.waitForStarted(5000)) {
                QThread::msleep(windowedSettleMs);
                if (program.state() == QProcess::Running)
                    ours.push_back(playingCost(program.processId()).cpuPerSecond);
                program.kill();
                program.waitForFinished(5000);
            }
            MpvReference reference;
            reference.setEnvironment(*environment);
            const QString geometry = QStringLiteral("--geometry=%1x%2").arg(pictureWidth).arg(pictureHeight);
            if (reference.play(clip.movie,
                               {"--vo=gpu", "--gpu-context=x11egl", geometry, "--force-window=yes"})) {
                QThread::msleep(windowedSettleMs);
                mpv.push_back(playingCost(reference.pid()).cpuPerSecond);
            }
        }
        figures.add({clip.jsonKey}, QStringLiteral("CPU s per s, windowed, %1").arg(clip.name),
                    {median(ours), median(mpv)}, 3);
    }
}

void Benchmark::measureSeeksByClip(BenchFigures& figures)
{
    const std::pair<const char*, QString> clips[] = {{"gop1", m_clips.keyframeEverySecond},
                                                     {"gop10", m_clips.keyframeEveryTenSeconds},
                                                     {"1080p", m_clips.movie1080}};
    for (const auto& [clip, movie] : clips)
        for (const char* key : slowSettings) {
            const QString name = QStringLiteral("%1_%2").arg(clip, key);
            const Seeks& measured = seeks(clip, movie, settingsNamed(key));
            figures.add({"seek_ms_by_clip", name}, "seek, " + name + " (ms)",
                        {median(measured.oursMs), median(measured.mpvMs)}, 1);
            figures.add({"avsync_after_seek_ms", name}, "avsync after seeks, " + name + " (ms)",
                        largestMagnitude(measured.oursAvsyncMs), 1);
        }
}

void Benchmark::measureLoopGaps(BenchFigures& figures)
{
    PrivateSoundServer server;
    SoundMonitor monitor;
    // One recording for every player: a new one passes nothing for its first second or two.
    const bool recording = server.start() && monitor.start() && monitor.waitForSound(10000);
    if (!recording)
        std::fprintf(stderr, "reelquill-bench: no private PulseAudio server, no loop gaps\n");
    std::map<QString, std::pair<double, double>> played; // "ours normal": from and to, monotonicMs
    for (const char* key : slowSettings) {
        progress(QStringLiteral("loop gaps, %1").arg(key));
        const SoundSettings& settings = settingsNamed(key);
        const LoopPlay loop = loopPlayAt(settings);
        const auto record = [&](const char* who, const std::function<void()>& play) {
            const double from = monotonicMs();
            if (recording)
                play();
            // The player's last sound still reaches the recording after it ended.
            QThread::msleep(200);
            played[QStringLiteral("%1 %2").arg(who, key)] = {from, monotonicMs()};
        };
        record("ours", [&] {
            WorkerProcess worker;
            if (worker.start(QStringList{"loop", m_clips.loop, "--sound", "--loop-end",
                                         QString::number(loopEnd), "--seconds",
                                         QString::number(loop.seconds)} +
                             settings.workerOptions()))
                worker.figuresUntilExit((loop.seconds + 15) * 1000);
        });
        record("mpv", [&] {
            MpvReference reference;
            if (reference.play(m_clips.loop,
                               settings.mpvOptions() +
                                   QStringList{"--ao=pulse", QStringLiteral("--start=%1").arg(loopBegin),
                                               QStringLiteral("--ab-loop-a=%1").arg(loopBegin),
                                               QStringLiteral("--ab-loop-b=%1").arg(loopEnd - 0.5)}))
                QThread::msleep(static_cast<unsigned long>(loop.seconds) * 1000);
        });
    }
    // The trainer's steps: from tempo -30 up 10 at each wrap, four wraps.
    constexpr int trainerWraps = 4;
    progress("loop gaps, trainer steps");
    const auto trainerRun = [&] {
        WorkerProcess worker;
        if (worker.start({"loop", m_clips.loop, "--sound", "--loop-end", QString::number(loopEnd),
                          "--seconds", QString::number(1 + trainerWraps * 2), "--tempo", "-30",
                          "--step-tempo", "10"}))
            worker.figuresUntilExit(30000);
    };
    const double trainerFrom = monotonicMs();
    if (recording)
        trainerRun();
    QThread::msleep(200);
    const double trainerTo = monotonicMs();
    const SoundMonitor::Recording recorded = monitor.stop();
    {
        // A continuous tone throughout: any silent window is a gap, wherever it falls.
        constexpr int rate = PrivateSoundServer::sampleRate;
        const std::vector<float> stepped = recordedBetween(recorded, trainerFrom, trainerTo);
        const std::vector<double> gaps = SilenceGaps::lengthsMs(stepped, rate);
        const bool heard = !stepped.empty() && ToneAnalysis::rms(stepped) > 0.01;
        figures.add({"trainer_step_gap_ms"}, "loop gap where the trainer steps the tempo (ms)",
                    !heard         ? std::nan("")
                    : gaps.empty() ? 0.0
                                   : largestMagnitude(gaps),
                    1);
    }
    for (const char* key : slowSettings) {
        const LoopPlay loop = loopPlayAt(settingsNamed(key));
        std::optional<LoopHeard> ours, mpv;
        if (recording) {
            ours = heard("ours", loop, recorded, played[QStringLiteral("ours %1").arg(key)]);
            mpv = heard("mpv", loop, recorded, played[QStringLiteral("mpv %1").arg(key)]);
        }
        // No gap at any wrap is a gap of 0; no sound heard, no figure.
        const auto medianGap = [](const std::optional<LoopHeard>& heard) {
            return !heard ? std::nan("") : heard->gapsMs.empty() ? 0.0 : median(heard->gapsMs);
        };
        const auto loudestClick = [](const std::optional<LoopHeard>& heard) {
            return heard ? largestMagnitude(heard->clickRatios) : std::nan("");
        };
        figures.add({"loop_gap_ms", key}, QStringLiteral("loop gap, %1 (ms)").arg(key),
                    {medianGap(ours), medianGap(mpv)}, 1);
        figures.add({"loop_click_ratio", key}, QStringLiteral("loop click ratio, %1").arg(key),
                    {loudestClick(ours), loudestClick(mpv)}, 1);
        for (const auto& [who, heard] : {std::pair{"ours", &ours}, std::pair{"mpv", &mpv}})
            if (*heard) {
                figures.addList({"loop_gaps_per_wrap_ms", who, key},
                                QStringLiteral("%1 gaps per wrap, %2 (ms)").arg(who, key), (*heard)->gapsMs,
                                0);
                figures.addList({"loop_clicks_per_wrap", who, key},
                                QStringLiteral("%1 clicks per wrap, %2").arg(who, key), (*heard)->clickRatios,
                                1);
            }
    }
}

void Benchmark::measureColdStart(BenchFigures& figures)
{
    progress("cold start to the first frame drawn");
    XvfbDisplay display;
    const std::optional<QProcessEnvironment> environment = onScreen(display, m_workFolder);
    std::vector<double> ours, mpv;
    // One start of each first, so that both find the libraries and the movie in the file cache.
    for (int run = -1; environment && run < coldStartRuns; ++run)
        for (const auto& [player, found] : {std::pair{"ours", &ours}, std::pair{"mpv", &mpv}}) {
            WorkerProcess watch;
            watch.setEnvironment(*environment);
            if (!watch.start({"first-frame", m_clips.marked, "--player", player}))
                continue;
            const std::vector<double> shown = watch.figuresUntilExit(30000)["first_frame_ms"];
            if (run >= 0 && !shown.empty())
                found->push_back(shown.front());
        }
    figures.add({"cold_start_ms"}, "cold start to first frame (ms)", {median(ours), median(mpv)}, 1);
}

void Benchmark::measureExport(BenchFigures& figures)
{
    progress("export");
    const std::map<std::string, double> speeds = measureExportSpeed(m_clips.movie1080);
    const auto figure = [&speeds](const char* key) {
        const auto found = speeds.find(key);
        return found == speeds.end() ? std::nan("") : found->second;
    };
    figures.add({"export_speed_x"}, "export to FLAC, times real time (mpv column: ffmpeg's filter)",
                {figure("export_speed_x"), figure("export_reference_speed_x")}, 1);
    figures.add({"export_cpu_per_s"}, "export CPU s per s of sound", figure("export_cpu_per_second"), 3);
}

// Each view against both channels, one window each: a run of two rounds in opposite orders put
// every view at 0.94 to 1.03 times both channels, well inside the 10 % that matters here.
void Benchmark::measureSoundViews(BenchFigures& figures)
{
    constexpr int views = 7; // both channels, left, right, mono, without the centre, bass, without the bass
    std::vector<double> perView;
    for (int view = 0; view < views; ++view) {
        progress(QStringLiteral("sound view %1").arg(view));
        WorkerProcess worker;
        const bool playing =
            worker.start({"play", m_clips.movie1080, "--tempo", "-30", "--view", QString::number(view)}) &&
            !worker.waitForLine("playing", 20000).isNull();
        perView.push_back(playing ? playingCost(worker.pid()).cpuPerSecond : std::nan(""));
    }
    std::vector<double> againstBoth;
    for (double value : perView)
        againstBoth.push_back(value / perView[0]);
    figures.addList({"cpu_per_s_sound_views"}, "CPU s per s at tempo -30, each sound view", perView, 3);
    figures.addList({"cpu_sound_views_against_both"}, "  against both channels", againstBoth, 2);
}
