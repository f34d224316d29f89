#pragma once

#include "playback/TimeControls.h"
#include "trainer/TrainingPlan.h"

#include <QObject>
#include <QString>

#include <functional>

class MoviePlayer;
class QSlider;

// Plays the loop again and again and raises the tempo by a plan, counting the passes by the
// player's wraps. The tempo goes through the main window's tempo slider, as any tempo change
// does, and each new tempo is handed to the player ahead of the wrap that begins its pass, so
// that the whole pass plays at it. Any other change of the tempo ends the training and leaves the
// tempo where it is; so do the commands that take playback out of the loop (the window connects
// them to stop()).
class SpeedTraining : public QObject
{
    Q_OBJECT

public:
    // `playLoop` starts playback in loop mode. All must outlive the trainer.
    SpeedTraining(MoviePlayer& player, QSlider& sldTempo, const TimeControls& time,
                  std::function<void()> playLoop, QObject* parent = nullptr);

    // Starts at the plan's first tempo from the loop's beginning. Without an open movie or a
    // loop to train on nothing changes, and the status says what is missing.
    void start(const TrainingPlan& plan);
    void stop();
    bool isRunning() const { return m_pass > 0; }
    // Where the training stands, or why it did not start, for the user.
    QString status() const { return m_status; }

signals:
    void statusChanged(const QString& status);

private:
    void player_LoopWrapped();
    void sldTempo_valueChanged(int value);
    void beginPass();
    void setStatus(const QString& status);

    MoviePlayer& m_player;
    QSlider& m_sldTempo;
    TimeControls m_time;
    std::function<void()> m_playLoop;
    TrainingPlan m_plan;
    int m_pass = 0; // 0 while not training
    QString m_status;
};
