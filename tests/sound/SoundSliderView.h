#pragma once

#include <QLabel>
#include <QSlider>
#include <QWidget>

// The sound panel's four sliders and their labels under a window, in the order tempo, semitones,
// fine pitch, rate.
class SoundSliderView
{
public:
    explicit SoundSliderView(const QWidget& root) : m_root(root) {}

    inline static const QStringList sliders{"sldTempo", "sldPitchSemi", "sldPitchGrad", "sldSpeed"};

    QSlider* slider(const QString& name) const { return m_root.findChild<QSlider*>(name); }
    QLabel* label(const QString& name) const { return m_root.findChild<QLabel*>(name); }
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
    // Rate and tempo first, then the pitch sliders, which would reset each other.
    void setValues(const QList<int>& values)
    {
        for (int i : {0, 3, 1, 2})
            slider(sliders[i])->setValue(values[i]);
    }

private:
    const QWidget& m_root;
};
