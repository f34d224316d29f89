#pragma once

#include "sound/PitchControls.h"
#include "sound/RateControl.h"
#include "sound/SoundControls.h"
#include "sound/TempoControl.h"
#include "sound/VolumeControl.h"

#include <QLabel>
#include <QMetaMethod>
#include <QSlider>

// The sound panel on bare widgets, owned as the main window will own it.
struct SoundPanel
{
    explicit SoundPanel(MoviePlayer& player) : controls(sliders(), player)
    {
        sldTempo.setObjectName("sldTempo");
        sldPitchSemi.setObjectName("sldPitchSemi");
        sldPitchGrad.setObjectName("sldPitchGrad");
        sldSpeed.setObjectName("sldSpeed");
    }

    QSlider sldTempo, sldPitchSemi, sldPitchGrad, sldSpeed;
    QLabel lblTempo, lblPitchSemi, lblPitchGrade, lblRate;
    SoundControls controls;

    SoundSliders sliders()
    {
        return {&sldTempo, &sldPitchSemi, &sldPitchGrad,  &sldSpeed,
                &lblTempo, &lblPitchSemi, &lblPitchGrade, &lblRate};
    }

    // Tempo, semitones, fine pitch, rate.
    QList<int> values() const
    {
        return {sldTempo.value(), sldPitchSemi.value(), sldPitchGrad.value(), sldSpeed.value()};
    }
    QStringList labels() const
    {
        return {lblTempo.text(), lblPitchSemi.text(), lblPitchGrade.text(), lblRate.text()};
    }
    void setValues(const QList<int>& values)
    {
        sldTempo.setValue(values[0]);
        sldSpeed.setValue(values[3]);
        sldPitchSemi.setValue(values[1]);
        sldPitchGrad.setValue(values[2]);
    }
    QSlider* slider(const QString& name)
    {
        for (QSlider* s : {&sldTempo, &sldPitchSemi, &sldPitchGrad, &sldSpeed})
            if (s->objectName() == name)
                return s;
        return nullptr;
    }

    QLabel* labelUnder(const QString& sliderName)
    {
        QSlider* const columns[] = {&sldTempo, &sldPitchSemi, &sldPitchGrad, &sldSpeed};
        QLabel* const labels[] = {&lblTempo, &lblPitchSemi, &lblPitchGrade, &lblRate};
        for (int i = 0; i < 4; ++i)
            if (columns[i]->objectName() == sliderName)
                return labels[i];
        return nullptr;
    }

    // The owner whose public slot runs this command; null unless exactly one owner has it.
    QObject* ownerOf(const QString& command)
    {
        QObject* owner = nullptr;
        for (QObject* candidate : owners()) {
            const QMetaObject* meta = candidate->metaObject();
            const int index = meta->indexOfSlot(QMetaObject::normalizedSignature(qPrintable(command + "()")));
            if (index < 0 || meta->method(index).access() != QMetaMethod::Public)
                continue;
            if (owner)
                return nullptr;
            owner = candidate;
        }
        return owner;
    }
    bool run(const QString& command)
    {
        QObject* owner = ownerOf(command);
        return owner && QMetaObject::invokeMethod(owner, qPrintable(command));
    }
    QList<QObject*> owners()
    {
        return {&controls, &controls.tempo(), &controls.pitch(), &controls.rate(), &controls.volume()};
    }
};
