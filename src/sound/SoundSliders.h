#pragma once

class QLabel;
class QSlider;

// The sound panel's four sliders and the labels under them, as the main window builds them.
struct SoundSliders
{
    QSlider* sldTempo = nullptr;
    QSlider* sldPitchSemi = nullptr;
    QSlider* sldPitchGrad = nullptr;
    QSlider* sldSpeed = nullptr;
    QLabel* lblTempo = nullptr;
    QLabel* lblPitchSemi = nullptr;
    QLabel* lblPitchGrade = nullptr;
    QLabel* lblRate = nullptr;
};
