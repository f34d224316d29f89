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
    // Tempo, semitones, fine pitch, rate, in this order in values(), labels() and setValues().
    inline static const QStringList sliders{"sldTempo", "sldPitchSemi", "sldPitchGrad", "sldSpeed"};

    QSlider* slider(const QString& name) const { return window.findChild<QSlider*>(name); }
    QLabel* label(const QString& name) const { return window.findChild<QLabel*>(name); }
    QList<int> values() const
    {
        QList<int> values;
        for (const QString& name : sliders)
            values << slider(name)->value();
        return values;
    }
    QStringList labels() const
    {
        return {label("lblTempo")->text(), label("lblPitchSemi")->text(), label("lblPitchGrade")->text(),
                label("lblRate")->text()};
    }
    void setValues(const QList<int>& values)
    {
        for (int i : {0, 3, 1, 2})
            slider(sliders[i])->setValue(values[i]);
    }

    QList<QObject*> owners()
    {
        return {&controls, &controls.tempo(), &controls.pitch(), &controls.rate(), &controls.volume()};
    }
    // The owner whose public slot runs this command; null unless exactly one owner has it.
    QObject* ownerOf(const QString& command)
    {
        QList<QObject*> found;
        for (QObject* candidate : owners()) {
            const QMetaObject* meta = candidate->metaObject();
            const int index = meta->indexOfSlot(qPrintable(command + "()"));
            if (index >= 0 && meta->method(index).access() == QMetaMethod::Public)
                found << candidate;
        }
        return found.size() == 1 ? found.first() : nullptr;
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
