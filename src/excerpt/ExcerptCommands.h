#pragma once

#include "excerpt/Excerpt.h"
#include "playback/TimeControls.h"
#include "sound/SoundSliders.h"

#include <QObject>

#include <array>
#include <functional>

class Desktop;
class MoviePlayer;
class QSlider;
class QWidget;
struct PlaybackState;

// Save excerpt and Load excerpt: a movie with its loop mode, time sliders and sound sliders, kept
// in an excerpt file and put back later. Loading sets only slider values and the loop mode; the
// sliders' own change reactions pass them on to the player.
class ExcerptCommands : public QObject
{
    Q_OBJECT

public:
    // clearMarks empties the marks list without a question; loading starts with it.
    ExcerptCommands(MoviePlayer& player, PlaybackState& state, const TimeControls& time,
                    const SoundSliders& sound, Desktop& desktop, QWidget* dialogParent,
                    std::function<void()> clearMarks, QObject* parent = nullptr);

    // The one entry of both file dialogs, as a "description|pattern" pair.
    static QString excerptFilter();
    // Whether a path names an excerpt file rather than a movie, by its extension.
    static bool isExcerptPath(const QString& path);

    // Load excerpt without its dialog: for an excerpt dropped on the window or named on the
    // command line.
    void loadExcerpt(const QString& path);

public slots:
    void SaveExcerpt();
    void LoadExcerpt();

signals:
    // An excerpt is about to replace the movie, its place and its sound settings.
    void loading();

private:
    // Where lines 3 to 12 come from and go to, in file order.
    struct SliderLine
    {
        int Excerpt::*field;
        QSlider* slider;
        bool maximum;
    };
    std::array<SliderLine, 10> sliderLines() const;

    Excerpt currentExcerpt(const QString& moviePath) const;
    void applyExcerptFile(const QString& path);
    static void setSliderValue(QSlider& slider, int value);
    void showError(const QString& text);

    MoviePlayer& m_player;
    PlaybackState& m_state;
    TimeControls m_time;
    SoundSliders m_sound;
    Desktop& m_desktop;
    QWidget* m_dialogParent;
    std::function<void()> m_clearMarks;
};
