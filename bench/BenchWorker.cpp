#include "BenchWorker.h"

#include "AvSyncScenario.h"
#include "FirstFrameWatch.h"
#include "ProgramLoop.h"
#include "SeekTargets.h"
#include "WorkerSteps.h"

#include "player/MpvMoviePlayer.h"
#include "player/StretchSettings.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
// How long playback runs on after a seek or wrap before sound and picture are compared.
constexpr int settleMs = 500;

struct Settings
{
    QString file;
    qint16 tempo = 0;
    qint16 pitch = 0;
    double rate = 1.0;
    int view = 0;      // a SoundView
    int stepTempo = 0; // loop: raise the tempo by this much at each wrap, as the speed trainer does
    QString wave;
    int loopEnd = 12;
    int seconds = 15;   // how long loop plays
    bool sound = false; // to the system's sound output rather than into nothing
    QString player;     // first-frame: ours or mpv
    QString phase;      // avsync: the phase to play
};

void applySound(MoviePlayer& player, const Settings& settings)
{
    player.SetTempo(settings.tempo);
    player.SetPitch(settings.pitch);
    player.setRate(settings.rate);
    player.SetSoundView(static_cast<SoundView>(settings.view));
}

MpvPlayerOptions headless()
{
    MpvPlayerOptions options;
    options.video = MpvPlayerOptions::Video::None;
    options.audio = MpvPlayerOptions::Audio::None;
    return options;
}

const auto anyPosition = [](double) { return true; };

// Opens the movie headless at the settings and plays it until a position report satisfies
// `accept`; false when none did within ten seconds.
bool startPlaying(MpvMoviePlayer& player, const Settings& settings, const std::function<bool(double)>& accept)
{
    applySound(player, settings);
    player.setFileName(settings.file);
    player.Play();
    return waitForReport(player, accept, 10000);
}

// startup_ms: from the start of opening the movie to the first report of playback.
int startup(const Settings& settings)
{
    MpvMoviePlayer player(headless());
    QElapsedTimer clock;
    clock.start();
    if (!startPlaying(player, settings, anyPosition))
        return 1;
    report("startup_ms", static_cast<double>(clock.nsecsElapsed()) / 1e6);
    return 0;
}

// seek_ms, once per seek: from Seek to the first report at the new place, while playing; then, once playback
// has run on for a while, seek_avsync_ms: how far apart sound and picture stand.
int seek(const Settings& settings)
{
    MpvMoviePlayer player(headless());
    if (!startPlaying(player, settings, [](double position) { return position > playedBeforeSeeking; }))
        return 1;
    for (const double target : seekTargets()) {
        QElapsedTimer clock;
        clock.start();
        player.Seek(target);
        const bool arrived = waitForReport(
            player, [target](double position) { return std::abs(position - target) < 0.25; }, 10000);
        if (!arrived)
            continue;
        report("seek_ms", static_cast<double>(clock.nsecsElapsed()) / 1e6);
        runFor(settleMs);
        report("seek_avsync_ms", player.avsync() * 1000);
    }
    return 0;
}

// "playing" at the first report, then plays on until the benchmark ends the process, which
// reads our CPU time and memory from outside as it does for mpv.
int play(const Settings& settings)
{
    MpvMoviePlayer player(headless());
    if (!startPlaying(player, settings, anyPosition))
        return 1;
    report("playing");
    QEventLoop().exec();
    return 0;
}

// Loop mode over the window 10 s..--loop-end (12 s unless told) for --seconds, kept by the program's own
// position tracker and player loop window, as in the main window. Per wrap: loop_overshoot_ms, how far the
// last report before the jump lay past the wrap point (where the rounded position reaches the end; below 0
// when short of it), in movie time; loop_restart_ms, from that report to the first report at the window's
// beginning, in real time; loop_avsync_ms, how far sound and picture stand apart half a second after the
// wrap.
int loop(const Settings& settings)
{
    constexpr int begin = 10;
    const int end = settings.loopEnd;
    const double wrapPoint = end - 0.5;
    MpvPlayerOptions options = headless();
    if (settings.sound)
        options.audio = MpvPlayerOptions::Audio::SystemDefault;
    MpvMoviePlayer player(options);
    applySound(player, settings);
    player.setFileName(settings.file);
    const ProgramLoop programLoop(player, begin, end);
    // Each wrap begins a pass at the next tempo, handed over a pass ahead, as the trainer does.
    int tempo = settings.tempo;
    if (settings.stepTempo != 0) {
        player.SetTempoAtNextWrap(static_cast<qint16>(tempo + settings.stepTempo));
        QObject::connect(&player, &MoviePlayer::LoopWrapped, [&] {
            tempo += settings.stepTempo;
            player.SetTempo(static_cast<qint16>(tempo));
            player.SetTempoAtNextWrap(static_cast<qint16>(tempo + settings.stepTempo));
        });
    }

    // Connected after the tracker, so this sees each report after the tracker has acted on it.
    QElapsedTimer sinceLastReport;
    double last = -1;
    QObject::connect(&player, &MoviePlayer::PositionChange, [&](double reported) {
        if (last >= wrapPoint - 1 && reported < begin + 0.5) {
            report("loop_overshoot_ms", (last - wrapPoint) * 1000);
            report("loop_restart_ms", static_cast<double>(sinceLastReport.nsecsElapsed()) / 1e6);
            QTimer::singleShot(settleMs, [&player] { report("loop_avsync_ms", player.avsync() * 1000); });
        }
        last = reported;
        sinceLastReport.start();
    });
    player.Seek(begin);
    player.Play();
    runFor(settings.seconds * 1000);
    return 0;
}

// Plays the whole movie into a WAV file as fast as it decodes; "done" once it is written.
int wave(const Settings& settings)
{
    MpvPlayerOptions options = headless();
    options.audio = MpvPlayerOptions::Audio::WaveFile;
    options.waveFilePath = settings.wave;
    MpvMoviePlayer player(options);
    applySound(player, settings);
    player.setFileName(settings.file);
    const double duration = player.Duration();
    report("duration", duration);
    player.Play();
    // With no picture the sound runs as fast as it decodes. It has ended when the position stands
    // still near the end: the stretcher holds back its last few tens of milliseconds.
    QElapsedTimer sinceStart;
    sinceStart.start();
    double last = -1;
    while (!(player.Position() == last && last > duration - 0.5)) {
        if (sinceStart.elapsed() > 120000)
            return 1;
        last = player.Position();
        runFor(400);
    }
    player.Close();
    report("done");
    return 0;
}

// first_frame_ms: a cold start, from starting the player's process with the movie to its first frame
// on the screen. Both players open their window at our picture area's size (mpv) or our main window's.
int firstFrame(const Settings& settings)
{
    if (settings.player == "mpv")
        return watchFirstFrame("mpv", {"--no-config", "--really-quiet", "--vo=gpu", "--gpu-context=x11egl",
                                       "--geometry=415x309", "--audio-fallback-to-null=yes", settings.file});
    return watchFirstFrame(QStringLiteral(REELQUILL_EXECUTABLE), {settings.file});
}

int avsync(const Settings& settings)
{
    return playAvSyncPhase(settings.file, settings.tempo, settings.phase);
}

const std::pair<const char*, int (*)(const Settings&)> scenarios[] = {
    {"startup", startup},        {"seek", seek},    {"play", play}, {"loop", loop}, {"wave", wave},
    {"first-frame", firstFrame}, {"avsync", avsync}};

} // namespace

int runBenchWorker(const QStringList& arguments)
{
    QStringList names;
    for (const auto& [name, run] : scenarios)
        names << name;
    QCommandLineParser parser;
    parser.addPositionalArgument("scenario", names.join(", "));
    parser.addPositionalArgument("movie", "the movie to play");
    parser.addOptions({{"tempo", "tempo change in percent", "percent", "0"},
                       {"pitch", "pitch shift in semitones", "semitones", "0"},
                       {"rate", "rate factor", "factor", "1"},
                       {"view", "sound view, 0 (both channels) to 6 (without the bass)", "number", "0"},
                       {"step-tempo", "loop: tempo step at each wrap", "percent", "0"},
                       {"wave", "WAV file to write", "path"},
                       {"loop-end", "end of the loop window in seconds", "seconds", "12"},
                       {"seconds", "loop: how long to play", "seconds", "15"},
                       {"phase", "avsync: plain, loop_tempo_m30 or seeks", "name"},
                       {"sound", "play to the system's sound output"},
                       {"player", "first-frame: the player to start, ours or mpv", "name", "ours"}});
    parser.process(QStringList{"reelquill-bench"} + arguments);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return 2;
    Settings settings;
    settings.file = positional[1];
    settings.tempo = static_cast<qint16>(parser.value("tempo").toInt());
    settings.pitch = static_cast<qint16>(parser.value("pitch").toInt());
    settings.rate = parser.value("rate").toDouble();
    settings.view = std::clamp(parser.value("view").toInt(), 0, 6);
    settings.stepTempo = parser.value("step-tempo").toInt();
    settings.wave = parser.value("wave");
    settings.loopEnd = parser.value("loop-end").toInt();
    settings.sound = parser.isSet("sound");
    settings.player = parser.value("player");
    settings.seconds = parser.value("seconds").toInt();
    settings.phase = parser.value("phase");

    for (const auto& [name, run] : scenarios)
        if (positional[0] == QLatin1String(name))
            return run(settings);
    return 2;
}
