#include "excerpt/ExcerptCommands.h"

#include "common/Desktop.h"
#include "excerpt/ExcerptFile.h"
#include "playback/PlaybackState.h"
#include "player/MoviePlayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSlider>
#include <QStorageInfo>

namespace {
// True when the path is absolute, its volume is mounted and ready, and an ordinary file (not a
// folder or a device) is at it; a link counts as the file it leads to. A relative path never is:
// where it leads would depend on the folder the program was started from.
bool movieIsThere(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isAbsolute())
        return false;
    const QStorageInfo volume(path);
    return volume.isValid() && volume.isReady() && QFileInfo(path).isFile();
}
} // namespace

ExcerptCommands::ExcerptCommands(MoviePlayer& player, PlaybackState& state, const TimeControls& time,
                                 const SoundSliders& sound, Desktop& desktop, QWidget* dialogParent,
                                 std::function<void()> clearMarks, QObject* parent)
    : QObject(parent), m_player(player), m_state(state), m_time(time), m_sound(sound), m_desktop(desktop),
      m_dialogParent(dialogParent), m_clearMarks(std::move(clearMarks))
{}

QString ExcerptCommands::excerptFilter()
{
    return QStringLiteral("Reelquill excerpt files (*.rqx) |*.rqx");
}

bool ExcerptCommands::isExcerptPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("rqx"), Qt::CaseInsensitive) == 0;
}

std::array<ExcerptCommands::SliderLine, 10> ExcerptCommands::sliderLines() const
{
    return {{
        {&Excerpt::positionMaximum, m_time.sldPosition, true},
        {&Excerpt::position, m_time.sldPosition, false},
        {&Excerpt::beginMaximum, m_time.sldBegin, true},
        {&Excerpt::begin, m_time.sldBegin, false},
        {&Excerpt::endMaximum, m_time.sldEnd, true},
        {&Excerpt::end, m_time.sldEnd, false},
        {&Excerpt::tempo, m_sound.sldTempo, false},
        {&Excerpt::pitchSemi, m_sound.sldPitchSemi, false},
        {&Excerpt::pitchGrad, m_sound.sldPitchGrad, false},
        {&Excerpt::speed, m_sound.sldSpeed, false},
    }};
}

void ExcerptCommands::SaveExcerpt()
{
    const QString path = m_desktop.saveFileName(m_dialogParent, QString(), QString(), excerptFilter());
    const QString moviePath = m_player.FileName();
    // Cancelled, or no movie open: nothing to say.
    if (path.isEmpty() || moviePath.isEmpty())
        return;
    // A movie opened from the command line may have been named relative to the folder the
    // program started in; the file must still find it from anywhere.
    const QString error = writeExcerptFile(path, currentExcerpt(QFileInfo(moviePath).absoluteFilePath()));
    if (!error.isEmpty())
        showError(error);
}

Excerpt ExcerptCommands::currentExcerpt(const QString& moviePath) const
{
    Excerpt excerpt;
    excerpt.moviePath = moviePath;
    excerpt.loopPlay = m_state.LoopPlay;
    for (const SliderLine& line : sliderLines())
        excerpt.*line.field = line.maximum ? line.slider->maximum() : line.slider->value();
    return excerpt;
}

void ExcerptCommands::LoadExcerpt()
{
    const QString path = m_desktop.openFileName(m_dialogParent, excerptFilter());
    if (!path.isEmpty())
        loadExcerpt(path);
}

void ExcerptCommands::loadExcerpt(const QString& path)
{
    emit loading();
    m_clearMarks();
    applyExcerptFile(path);
    // Also after a missing movie or a broken file: playback goes on with what the player holds.
    m_player.Seek(static_cast<double>(m_time.sldPosition->value()));
    m_player.Play();
    m_state.Playing = true;
}

// Applies the lines one by one, letting the player and the sliders' reactions run in between,
// in the order of the lines. Lines applied before a bad one stay applied.
void ExcerptCommands::applyExcerptFile(const QString& path)
{
    const ExcerptReading reading = readExcerptFile(path);
    if (reading.linesRead >= 1) {
        if (!movieIsThere(reading.excerpt.moviePath)) {
            m_desktop.showMessage(m_dialogParent,
                                  QStringLiteral("Video file doesn't exist, or video media not loaded."),
                                  Desktop::MessageIcon::Exclamation);
            return;
        }
        m_player.setFileName(reading.excerpt.moviePath);
        QCoreApplication::processEvents();
    }
    if (reading.linesRead >= 2) {
        m_state.LoopPlay = reading.excerpt.loopPlay;
        QCoreApplication::processEvents();
    }
    const std::array<SliderLine, 10> lines = sliderLines();
    for (int index = 0; index < reading.linesRead - 2; ++index) {
        const SliderLine& line = lines[index];
        const int value = reading.excerpt.*line.field;
        if (line.maximum)
            line.slider->setMaximum(value);
        else
            setSliderValue(*line.slider, value);
        QCoreApplication::processEvents();
    }
    if (!reading.error.isEmpty())
        showError(reading.error);
}

// Setting one pitch slider resets the other, and when the other stood away from 0, its reaction
// resets this one as well, so a semitone value loaded onto a window with fine pitch set would come
// out as 0. Set a second time, it takes.
void ExcerptCommands::setSliderValue(QSlider& slider, int value)
{
    slider.setValue(value);
    if (slider.value() != value)
        slider.setValue(value);
}

void ExcerptCommands::showError(const QString& text)
{
    m_desktop.showCaptionedMessage(m_dialogParent, QStringLiteral("Error"), text,
                                   Desktop::MessageIcon::Exclamation);
}
