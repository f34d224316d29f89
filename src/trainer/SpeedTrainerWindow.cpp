#include "trainer/SpeedTrainerWindow.h"

#include "trainer/frmSpeedTrainer.h"
#include "widgets/ToolWindowFrame.h"

SpeedTrainerWindow::SpeedTrainerWindow(MoviePlayer& player, QSlider& sldTempo, const TimeControls& time,
                                       std::function<void()> playLoop, SettingsStore& settings,
                                       QObject* parent)
    : QObject(parent), m_training(player, sldTempo, time, std::move(playLoop)), m_settings(settings)
{}

SpeedTrainerWindow::~SpeedTrainerWindow() = default;

void SpeedTrainerWindow::SpeedTrainer()
{
    showSingleWindow(m_window, [this] { return std::make_unique<frmSpeedTrainer>(m_training, m_settings); });
}
