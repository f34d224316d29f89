#include "calculators/CalculatorWindows.h"

#include "calculators/frmKeyCalc.h"
#include "calculators/frmMovieDurationCalculator.h"
#include "widgets/ToolWindowFrame.h"

CalculatorWindows::CalculatorWindows(MoviePlayer& player, QSlider& sldTempo, QSlider& sldPitchSemi,
                                     Desktop& desktop, QObject* parent)
    : QObject(parent), m_player(player), m_sldTempo(sldTempo), m_sldPitchSemi(sldPitchSemi),
      m_desktop(desktop)
{}

CalculatorWindows::~CalculatorWindows() = default;

void CalculatorWindows::MovieSpeedCalc()
{
    showSingleWindow(m_durationCalculator, [this] {
        return std::make_unique<frmMovieDurationCalculator>(m_player, m_sldTempo, m_desktop);
    });
}

void CalculatorWindows::KeyCalc()
{
    showSingleWindow(m_keyCalc, [this] { return std::make_unique<frmKeyCalc>(m_sldPitchSemi); });
}
