#include "trainer/SpeedTraining.h"

#include "player/MoviePlayer.h"

#include <QSlider>

namespace {
// The tempo slider holds the change from the movie's own speed.
constexpr int sliderValue(int percent)
{
    return percent - 100;
}
} // namespace

SpeedTraining::SpeedTraining(MoviePlayer& player, QSlider& sldTempo, const TimeControls& time,
                             std::function<void()> playLoop, QObject* parent)
    : QObject(parent), m_player(player), m_sldTempo(sldTempo), m_time(time), m_playLoop(std::move(playLoop))
{
    connect(&m_player, &MoviePlayer::LoopWrapped, this, &SpeedTraining::player_LoopWrapped);
    connect(&m_sldTempo, &QSlider::valueChanged, this, &SpeedTraining::sldTempo_valueChanged);
}

void SpeedTraining::start(const TrainingPlan& plan)
{
    stop();
    if (m_player.Duration() <= 0)
        return setStatus(QStringLiteral("Open a movie first."));
    if (m_time.sldBegin->value() >= m_time.sldEnd->value())
        return setStatus(QStringLiteral("Set a loop first: its beginning must come before its end."));
    if (plan.startPercent > plan.upToPercent)
        return setStatus(QStringLiteral("The start tempo is above the tempo to reach."));
    m_plan = plan;
    m_pass = 1;
    beginPass();
    m_player.SetPauseAtWraps(m_plan.pauseSeconds);
    m_player.Seek(m_time.sldBegin->value());
    m_playLoop();
}

void SpeedTraining::stop()
{
    if (!isRunning())
        return;
    m_pass = 0;
    m_player.SetPauseAtWraps(0);
    // Drops the tempo that waits for the next wrap.
    m_player.SetTempo(static_cast<qint16>(m_sldTempo.value()));
    setStatus(QStringLiteral("Stopped — tempo %1 %").arg(m_sldTempo.value() + 100));
}

void SpeedTraining::player_LoopWrapped()
{
    if (!isRunning())
        return;
    ++m_pass;
    beginPass();
}

// The slider shows the tempo of the pass that begins (the player already plays it), and the
// player gets the next pass's tempo for the wrap that will begin it.
void SpeedTraining::beginPass()
{
    const int tempo = m_plan.tempoOfPass(m_pass);
    m_sldTempo.setValue(sliderValue(tempo));
    m_player.SetTempoAtNextWrap(static_cast<qint16>(sliderValue(m_plan.tempoOfPass(m_pass + 1))));
    setStatus(tempo == m_plan.upToPercent
                  ? QStringLiteral("Up to speed — tempo %1 %").arg(tempo)
                  : QStringLiteral("Pass %1 of the loop — tempo %2 %").arg(m_pass).arg(tempo));
}

void SpeedTraining::sldTempo_valueChanged(int value)
{
    // The trainer's own changes are to the tempo of the pass under way; any other is the user's.
    if (isRunning() && value != sliderValue(m_plan.tempoOfPass(m_pass)))
        stop();
}

void SpeedTraining::setStatus(const QString& status)
{
    m_status = status;
    emit statusChanged(status);
}
