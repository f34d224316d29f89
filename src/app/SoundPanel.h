#pragma once

class QLabel;
class QSlider;

// The four sliders that hold tempo, pitch and rate, and the labels that show their values.
// Their step buttons are reached by name through the command routes.
struct SoundPanel
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
