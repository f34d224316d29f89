#pragma once

#include <QObject>

#include <memory>

class Desktop;
class MoviePlayer;
class QSlider;
class frmKeyCalc;
class frmMovieDurationCalculator;

// The commands that open the two calculators. Each window exists at most once, has no owner
// window and is not modal, so the main window stays usable beside it. Giving a command while its
// window is open brings that window to the front as it is; after the window was closed the
// command opens a fresh one.
class CalculatorWindows : public QObject
{
    Q_OBJECT

public:
    CalculatorWindows(MoviePlayer& player, QSlider& sldTempo, QSlider& sldPitchSemi, Desktop& desktop,
                      QObject* parent = nullptr);
    ~CalculatorWindows() override;

public slots:
    void MovieSpeedCalc();
    void KeyCalc();

private:
    MoviePlayer& m_player;
    QSlider& m_sldTempo;
    QSlider& m_sldPitchSemi;
    Desktop& m_desktop;
    std::unique_ptr<frmMovieDurationCalculator> m_durationCalculator;
    std::unique_ptr<frmKeyCalc> m_keyCalc;
};
