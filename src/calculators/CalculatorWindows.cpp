#include "calculators/CalculatorWindows.h"

#include "calculators/frmKeyCalc.h"
#include "calculators/frmMovieDurationCalculator.h"

namespace {
// A closed window is replaced by a new one, which starts afresh; an open one is kept as it is.
template <typename Window, typename Create> void showSingle(std::unique_ptr<Window>& window, Create create)
{
    if (!window || !window->isVisible())
        window = create();
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}
} // namespace

CalculatorWindows::CalculatorWindows(MoviePlayer& player, QSlider& sldTempo, QSlider& sldPitchSemi,
                                     Desktop& desktop, QObject* parent)
    : QObject(parent), m_player(player), m_sldTempo(sldTempo), m_sldPitchSemi(sldPitchSemi),
      m_desktop(desktop)
{}

CalculatorWindows::~CalculatorWindows() = default;

void CalculatorWindows::MovieSpeedCalc()
{
    showSingle(m_durationCalculator, [this] {
        return std::make_unique<frmMovieDurationCalculator>(m_player, m_sldTempo, m_desktop);
    });
}

void CalculatorWindows::KeyCalc()
{
    showSingle(m_keyCalc, [this] { return std::make_unique<frmKeyCalc>(m_sldPitchSemi); });
}
