#pragma once

#include "fakes/MainWindowRig.h"

#include <QLabel>

// The sound panel of a main window on the given player: its four sliders and their labels in the
// order tempo, semitones, fine pitch, rate.
template <typename Player> struct SoundPanelWith : MainWindowRigWith<Player>
{
    using MainWindowRigWith<Player>::MainWindowRigWith;
    using MainWindowRigWith<Player>::slider;

    inline static const QStringList sliders{"sldTempo", "sldPitchSemi", "sldPitchGrad", "sldSpeed"};

    QList<int> values() const
    {
        QList<int> values;
        for (const QString& name : sliders)
            values << slider(name)->value();
        return values;
    }
    QStringList labels() const
    {
        QStringList texts;
        for (const char* name : {"lblTempo", "lblPitchSemi", "lblPitchGrade", "lblRate"})
            texts << this->template control<QLabel>(name)->text();
        return texts;
    }
    // Rate and tempo first, then the pitch sliders, which would reset each other.
    void setValues(const QList<int>& values)
    {
        for (int i : {0, 3, 1, 2})
            slider(sliders[i])->setValue(values[i]);
    }
};

using SoundPanel = SoundPanelWith<FakeMoviePlayer>;
