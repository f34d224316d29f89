#pragma once

#include "excerpt/ExcerptCommands.h"
#include "fakes/FakeDesktop.h"
#include "playback/PlaybackState.h"
#include "playback/TimeAxis.h"
#include "sound/SoundPanel.h"

#include <QFile>

// The excerpt commands on bare time and sound sliders with their real change reactions, a
// desktop that answers the file dialogs, and a marks list that only counts its clearings.
template <typename Player> struct ExcerptRig
{
    template <typename... PlayerArguments>
    explicit ExcerptRig(PlayerArguments&&... arguments) : player(std::forward<PlayerArguments>(arguments)...)
    {
        // As on the main window before any movie is opened.
        time.sldPosition.setValue(500);
    }

    Player player;
    FakeDesktop desktop;
    PlaybackState state;
    TimeAxis time{500, 500, 1000};
    SoundPanel sound{player};
    int marksCleared = 0;
    std::function<void()> onClearMarks;
    ExcerptCommands commands{player,
                             state,
                             time.controls(),
                             SoundSliders{sound.slider("sldTempo"), sound.slider("sldPitchSemi"),
                                          sound.slider("sldPitchGrad"), sound.slider("sldSpeed"),
                                          sound.label("lblTempo"), sound.label("lblPitchSemi"),
                                          sound.label("lblPitchGrade"), sound.label("lblRate")},
                             desktop,
                             nullptr,
                             [this] {
                                 ++marksCleared;
                                 if (onClearMarks)
                                     onClearMarks();
                             }};

    void save(const QString& path)
    {
        desktop.fileAnswers << path;
        commands.tlbCmdSaveExcerpt();
    }
    void load(const QString& path)
    {
        desktop.fileAnswers << path;
        commands.tlbCmdLoadExcerpt();
    }

    // Maximum and value of sldPosition, sldBegin and sldEnd.
    QList<int> timeSliders() const
    {
        QList<int> numbers;
        for (const QSlider* slider : {&time.sldPosition, &time.sldBegin, &time.sldEnd})
            numbers << slider->maximum() << slider->value();
        return numbers;
    }
    void setTimeSliders(const QList<int>& numbers)
    {
        QSlider* sliders[] = {&time.sldPosition, &time.sldBegin, &time.sldEnd};
        for (int i = 0; i < 3; ++i) {
            sliders[i]->setMaximum(numbers[2 * i]);
            sliders[i]->setValue(numbers[2 * i + 1]);
        }
    }
};

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
