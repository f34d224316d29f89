#pragma once

#include "trainer/SpeedTraining.h"

#include <QObject>

#include <memory>

class SettingsStore;
class frmSpeedTrainer;

// The speed trainer and the command that opens its window: one window at most, without an owner
// window and not modal, like the calculators'. The training lives here, not in the window, so
// that closing the window does not end it.
class SpeedTrainerWindow : public QObject
{
    Q_OBJECT

public:
    SpeedTrainerWindow(MoviePlayer& player, QSlider& sldTempo, const TimeControls& time,
                       std::function<void()> playLoop, SettingsStore& settings, QObject* parent = nullptr);
    ~SpeedTrainerWindow() override;

    SpeedTraining& training() { return m_training; }

public slots:
    void SpeedTrainer();

private:
    SpeedTraining m_training;
    SettingsStore& m_settings;
    std::unique_ptr<frmSpeedTrainer> m_window;
};
