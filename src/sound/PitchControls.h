#pragma once

#include <QObject>

class MoviePlayer;
class QLabel;
class QSlider;

// The reactions of the two pitch columns: sldPitchSemi in semitones (-12..12) and sldPitchGrad in 2-cent
// units
// (-600..600, 50 to a semitone). They exclude each other: each change reaction first sets the
// other slider to 0, so the player's pitch always comes from one slider alone.
//
// The exclusion rests on the slider notifying every change and staying silent when set to the
// value it already has. That is what ends the nested reactions: when one slider moves while the
// other is away from 0, the reactions nest three deep and both sliders end at 0 with the pitch
// at 0. No guard flag is needed and none is kept.
class PitchControls : public QObject
{
    Q_OBJECT

public:
    // Follows both sliders' changes from now on; their start state tells the player nothing.
    PitchControls(QSlider& sldPitchSemi, QLabel& lblPitchSemi, QSlider& sldPitchGrad, QLabel& lblPitchGrade,
                  MoviePlayer& player, QObject* parent = nullptr);

private slots:
    void sldPitchSemi_Change();
    void sldPitchGrad_Change();

private:
    QSlider& m_sldPitchSemi;
    QLabel& m_lblPitchSemi;
    QSlider& m_sldPitchGrad;
    QLabel& m_lblPitchGrade;
    MoviePlayer& m_player;
};
