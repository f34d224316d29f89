#pragma once

#include <QDialog>

class Desktop;
class MoviePlayer;
class QLabel;
class QSlider;

// Which tempo makes the movie last a chosen time: the user sets a preferred duration in hours,
// minutes and seconds, and Apply turns the ratio between the movie's duration and that one into
// a value of the tempo slider. The three time labels are the only state; only the buttons change
// them. The movie's duration is read from the player at each use.
class frmMovieDurationCalculator : public QDialog
{
    Q_OBJECT

public:
    // Shows the movie's duration in all the fields, ready to be edited.
    frmMovieDurationCalculator(MoviePlayer& player, QSlider& sldTempo, Desktop& desktop);

    // Hours, minutes and seconds of a duration rounded to whole seconds, as "H:MM:SS".
    static QString durationText(double seconds);

private slots:
    void cmdReset_Click();
    void cmdApply_Click();

private:
    void buildControls();
    void addStepButtons();
    void showDurationInFields(double seconds);
    qint64 preferredSeconds() const;
    // A duration of 0 or less (or none at all) means that no movie is open.
    double movieDuration() const;

    MoviePlayer& m_player;
    QSlider& m_sldTempo;
    Desktop& m_desktop;

    QLabel* m_lblDuration = nullptr;
    QLabel* m_lblQTimerHour = nullptr;
    QLabel* m_lblQTimerMinute = nullptr;
    QLabel* m_lblQTimerSecond = nullptr;
};
