#pragma once

#include "fakes/MainWindowRig.h"

#include <QLabel>

// The sound panel of a main window on the given player: the four sliders and their labels in
// the order tempo, semitones, fine pitch, rate.
template <typename Player> struct SoundPanelWith : MainWindowRigWith<Player>
{
    using MainWindowRigWith<Player>::MainWindowRigWith;

    inline static const QStringList sliders{"sldTempo", "sldPitchSemi", "sldPitchGrad", "sldSpeed"};

    QLabel* label(const QString& name) const { return this->template control<QLabel>(name); }
    QList<int> values() const
    {
        QList<int> values;
        for (const QString& name : sliders)
            values << this->slider(name)->value();
        return values;
    }
    QStringList labels() const
    {
        return {label("lblTempo")->text(), label("lblPitchSemi")->text(), label("lblPitchGrade")->text(),
                label("lblRate")->text()};
    }
    // Rate and tempo first, then the pitch sliders, which would reset each other.
    void setValues(const QList<int>& values)
    {
        for (int i : {0, 3, 1, 2})
            this->slider(sliders[i])->setValue(values[i]);
    }
};

using SoundPanel = SoundPanelWith<FakeMoviePlayer>;
