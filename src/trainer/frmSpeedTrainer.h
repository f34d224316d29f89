#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class SettingsStore;
class SpeedTraining;
struct TrainingPlan;

// The speed trainer's window: the plan (start tempo, step, passes per step, tempo to reach, pause
// between passes), Start and Stop, and a line that says where the training stands. The plan is
// kept in the settings store as it is changed; the training itself goes on when the window closes.
class frmSpeedTrainer : public QDialog
{
    Q_OBJECT

public:
    frmSpeedTrainer(SpeedTraining& training, SettingsStore& settings);

private:
    QSpinBox* addNumberRow(int row, const char* name, const char* caption, int lowest, int highest,
                           const char* suffix);
    TrainingPlan plan() const;
    void showPlan(const TrainingPlan& plan);
    void savePlan();

    SpeedTraining& m_training;
    SettingsStore& m_settings;
    QSpinBox* m_spnStartTempo = nullptr;
    QSpinBox* m_spnStep = nullptr;
    QSpinBox* m_spnEveryPasses = nullptr;
    QSpinBox* m_spnUpToTempo = nullptr;
    QDoubleSpinBox* m_spnPause = nullptr;
    QLabel* m_lblStatus = nullptr;
};
