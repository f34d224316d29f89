#pragma once

#include "sound/PitchControls.h"
#include "sound/RateControl.h"
#include "sound/SoundControls.h"
#include "sound/TempoControl.h"
#include "sound/VolumeControl.h"

#include <QLabel>
#include <QMetaMethod>
#include <QSlider>

// The sound panel on bare, named widgets, owned as the main window will own it.
struct SoundPanel
{
    explicit SoundPanel(MoviePlayer& player) : controls(build(), player) {}

    QWidget window;
    SoundControls controls;

    QSlider* slider(const QString& name) const { return window.findChild<QSlider*>(name); }
    QLabel* label(const QString& name) const { return window.findChild<QLabel*>(name); }
    // Tempo, semitones, fine pitch, rate.
    QList<int> values() const
    {
        return {slider("sldTempo")->value(), slider("sldPitchSemi")->value(), slider("sldPitchGrad")->value(),
                slider("sldSpeed")->value()};
    }
    QStringList labels() const
    {
        return {label("lblTempo")->text(), label("lblPitchSemi")->text(), label("lblPitchGrade")->text(),
                label("lblRate")->text()};
    }
    void setValues(const QList<int>& values)
    {
        slider("sldTempo")->setValue(values[0]);
        slider("sldSpeed")->setValue(values[3]);
        slider("sldPitchSemi")->setValue(values[1]);
        slider("sldPitchGrad")->setValue(values[2]);
    }

    QList<QObject*> owners()
    {
        return {&controls, &controls.tempo(), &controls.pitch(), &controls.rate(), &controls.volume()};
    }
    // The owner whose public slot runs this command; null unless exactly one owner has it.
    QObject* ownerOf(const QString& command)
    {
        QObject* owner = nullptr;
        for (QObject* candidate : owners()) {
            const QMetaObject* meta = candidate->metaObject();
            const int index = meta->indexOfSlot(qPrintable(command + "()"));
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

private:
    template <typename Widget> Widget* add(const char* name)
    {
        auto* widget = new Widget(&window);
        widget->setObjectName(name);
        return widget;
    }
    SoundSliders build()
    {
        return {add<QSlider>("sldTempo"),     add<QSlider>("sldPitchSemi"), add<QSlider>("sldPitchGrad"),
                add<QSlider>("sldSpeed"),     add<QLabel>("lblTempo"),      add<QLabel>("lblPitchSemi"),
                add<QLabel>("lblPitchGrade"), add<QLabel>("lblRate")};
    }
};
