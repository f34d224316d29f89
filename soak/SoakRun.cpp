#include "SoakRun.h"

#include "app/frmMain.h"
#include "player/MoviePlayer.h"
#include "sound/SoundSliders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QSlider>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int tempoPercent = -50;
constexpr int dragIntervalMs = 200;
constexpr int pitchIntervalMs = 1000;
constexpr int sampleIntervalMs = 10000;
constexpr qint64 firstMinuteMs = 60000;
constexpr double allowedGrowthMb = 10.0;
constexpr qint64 allowedGapMs = 1000;
constexpr int loopBegin = 5;
constexpr int loopEnd = 45;

// The resident memory of this process, from the kernel's own account.
double residentMegabytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

SoakRun::SoakRun(frmMain& window, MoviePlayer& player, double minutes)
    : m_window(window), m_player(player), m_runMs(static_cast<qint64>(minutes * 60000))
{
    connect(&m_player, &MoviePlayer::PositionChange, this, &SoakRun::player_PositionChange);
    connect(&m_seeks, &QTimer::timeout, this, &SoakRun::dragPositionSlider);
    connect(&m_pitchChanges, &QTimer::timeout, this, &SoakRun::changePitch);
    connect(&m_samples, &QTimer::timeout, this, &SoakRun::takeSample);
    connect(&m_watch, &QTimer::timeout, this, &SoakRun::noteGap);
}

void SoakRun::start()
{
    const TimeControls& time = m_window.timeControls();
    time.sldEnd->setValue(loopEnd);
    time.sldBegin->setValue(loopBegin);
    m_window.soundSliders().sldTempo->setValue(tempoPercent);
    if (auto* playLoop = m_window.findChild<QAbstractButton*>("cmdPlayLoop"))
        playLoop->click();
    else
        std::fprintf(stderr, "soak: no cmdPlayLoop button\n");

    m_clock.start();
    m_seeks.start(dragIntervalMs);
    m_pitchChanges.start(pitchIntervalMs);
    m_samples.start(sampleIntervalMs);
    m_watch.start(50);
    QTimer::singleShot(m_runMs, this, &SoakRun::finish);
    std::printf(
        "soak: %.1f minutes, tempo %d, loop %d-%d s, a drag every %d ms, a pitch change every %d ms\n",
        static_cast<double>(m_runMs) / 60000.0, tempoPercent, loopBegin, loopEnd, dragIntervalMs,
        pitchIntervalMs);
    std::fflush(stdout);
}

void SoakRun::dragPositionSlider()
{
    // As the user does it: press the thumb, move it inside the loop window, let go.
    m_seed = m_seed * 1103515245u + 12345u;
    const int target = loopBegin + 1 + static_cast<int>((m_seed >> 16) % (loopEnd - loopBegin - 1));
    QSlider* slider = m_window.timeControls().sldPosition;
    slider->setSliderDown(true);
    slider->setValue(target);
    slider->setSliderDown(false);
    ++m_drags;
}

void SoakRun::changePitch()
{
    // Up and down through -5..+5 semitones.
    static constexpr int steps[] = {0, 2, 5, 3, -1, -5, -2, 4, 1, -3};
    m_window.soundSliders().sldPitchSemi->setValue(steps[m_pitchSteps % std::size(steps)]);
    ++m_pitchSteps;
}

void SoakRun::player_PositionChange()
{
    noteGap();
    m_lastReportMs = m_clock.elapsed();
    ++m_reports;
}

void SoakRun::noteGap()
{
    if (m_lastReportMs >= 0)
        m_longestGapMs = std::max(m_longestGapMs, m_clock.elapsed() - m_lastReportMs);
}

void SoakRun::takeSample()
{
    const double rss = residentMegabytes();
    const qint64 now = m_clock.elapsed();
    if (now >= firstMinuteMs) {
        if (m_rssAfterFirstMinuteMb < 0)
            m_rssAfterFirstMinuteMb = rss;
        m_peakRssAfterFirstMinuteMb = std::max(m_peakRssAfterFirstMinuteMb, rss);
    }
    std::printf(
        "soak: %6.1f min  rss %7.1f MB  reports %lld  drags %lld  pitch changes %lld  longest gap %lld ms\n",
        static_cast<double>(now) / 60000.0, rss, static_cast<long long>(m_reports),
        static_cast<long long>(m_drags), static_cast<long long>(m_pitchSteps),
        static_cast<long long>(m_longestGapMs));
    std::fflush(stdout);
}

void SoakRun::finish()
{
    m_seeks.stop();
    m_pitchChanges.stop();
    m_watch.stop();
    takeSample();
    m_samples.stop();
    const double finalRss = residentMegabytes();
    const double growth = finalRss - m_rssAfterFirstMinuteMb;
    const double peakGrowth = m_peakRssAfterFirstMinuteMb - m_rssAfterFirstMinuteMb;
    const bool memoryFlat =
        m_rssAfterFirstMinuteMb > 0 && growth < allowedGrowthMb && peakGrowth < allowedGrowthMb;
    const bool neverStalled = m_reports > 0 && m_longestGapMs <= allowedGapMs;
    m_passed = memoryFlat && neverStalled;
    std::printf(
        "soak: rss after the first minute %.1f MB, at the end %.1f MB (growth %.1f MB, peak growth %.1f "
        "MB; allowed %.0f)\n",
        m_rssAfterFirstMinuteMb, finalRss, growth, peakGrowth, allowedGrowthMb);
    std::printf("soak: %lld position reports, longest gap between them %lld ms (allowed %lld)\n",
                static_cast<long long>(m_reports), static_cast<long long>(m_longestGapMs),
                static_cast<long long>(allowedGapMs));
    std::printf("soak: memory %s, playback %s; closing the window\n", memoryFlat ? "flat" : "GREW",
                neverStalled ? "never stalled" : "STALLED");
    std::fflush(stdout);
    // The program's own shut-down: closing the main window closes the player, then the program ends.
    m_window.close();
}
