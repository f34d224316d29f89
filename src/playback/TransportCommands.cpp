#include "playback/TransportCommands.h"

#include "common/Desktop.h"
#include "common/Rounding.h"
#include "common/TimeText.h"
#include "playback/PlaybackState.h"
#include "player/MoviePlayer.h"

#include <QLabel>
#include <QSlider>

namespace {
constexpr double skipSeconds = 5.0;
}

TransportCommands::TransportCommands(MoviePlayer& player, PlaybackState& state, const TimeControls& controls,
                                     Desktop& desktop, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_player(player), m_state(state), m_controls(controls), m_desktop(desktop),
      m_dialogParent(dialogParent)
{}

QString TransportCommands::movieFilter()
{
    return QStringLiteral("All Supported Files |*.mpg;*.mpeg;*.wmv;*.avi;*.mov;*.mp4;*.3gp;*.flv;*.vob"
                          "|DVD video files (*.vob)|*.vob|FLV (*.flv)|*.flv|mpg (*.mpg)|*.mpg"
                          "|mpeg (*.mpeg)|*.mpeg|wmv (*.wmv)|*.wmv|avi (*.avi)|*.avi|mov (*.mov)|*.mov"
                          "|mp4 (*.mp4)|*.mp4|3gp (*.3gp)|*.3gp|All Files (*.*)|*.*");
}

void TransportCommands::Open()
{
    const QString path = m_desktop.openFileName(m_dialogParent, movieFilter());
    // A cancelled dialog leaves the open movie alone.
    if (path.isEmpty())
        return;
    openMovie(path, AfterFailure::PlayAnyway);
}

void TransportCommands::openMovie(const QString& path, AfterFailure afterFailure)
{
    emit loopLeft();
    m_player.setActive(true);
    m_player.setFileName(path);
    const bool loaded = m_player.Duration() > 0;
    if (loaded)
        fitTimeSlidersToMovie(m_player.Duration());
    if (!loaded && afterFailure == AfterFailure::Stop)
        return;
    m_player.setVolume(0);
    m_player.Play();
    m_state.Playing = true;
}

// The three sliders get the movie's length in whole seconds (halves to even), and the loop window
// becomes the whole movie.
void TransportCommands::fitTimeSlidersToMovie(double duration)
{
    const int length = roundHalfEven(duration);
    for (QSlider* slider : {m_controls.sldPosition, m_controls.sldBegin, m_controls.sldEnd})
        slider->setRange(0, length);
    m_controls.sldPosition->setValue(0);
    m_controls.sldBegin->setValue(0);
    m_controls.sldEnd->setValue(length);
}

void TransportCommands::Play()
{
    emit loopLeft();
    playIn(false);
}

void TransportCommands::PlayLoop()
{
    playIn(true);
}

void TransportCommands::playIn(bool loopMode)
{
    m_state.Paused = false;
    m_state.LoopPlay = loopMode;
    m_player.Play();
    m_state.Playing = true;
}

void TransportCommands::Pause()
{
    if (m_state.Paused)
        m_player.Play();
    else
        m_player.Pause();
    m_state.Paused = !m_state.Paused;
    m_state.Playing = !m_state.Paused;
}

void TransportCommands::Stop()
{
    emit loopLeft();
    m_player.Stop();
    m_controls.sldPosition->setValue(m_controls.sldBegin->value());
    m_state.LoopPlay = false;
    m_state.Playing = false;
    m_player.Seek(m_controls.sldBegin->value());
    // The label shows where the player says it is, which may differ from the seek target.
    m_controls.lblPreviewTime->setText(TimeText(m_player.Position()));
}

void TransportCommands::Rewind()
{
    const double target = m_player.Position() - skipSeconds;
    // Within the first 5 seconds, and at exactly 5, the command does nothing rather than go to 0.
    if (target > 0)
        m_player.Seek(target);
}

void TransportCommands::FForward()
{
    const double target = m_player.Position() + skipSeconds;
    if (m_player.Duration() > target)
        m_player.Seek(target);
}
