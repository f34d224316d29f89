#pragma once

#include "excerpt/ExcerptCommands.h"
#include "fakes/FakeDesktop.h"
#include "playback/PlaybackState.h"
#include "playback/TimeAxis.h"
#include "app/SoundPanelBuilder.h"
#include "sound/SoundControls.h"
#include "sound/SoundSliderView.h"

#include <QFile>

// The excerpt commands on bare time sliders and the sound panel with its real change reactions, a
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
    QWidget soundWindow;
    SoundSliders soundSliders = buildSoundPanel(&soundWindow);
    SoundControls soundControls{soundSliders, player};
    SoundSliderView sound{soundWindow};
    int marksCleared = 0;
    std::function<void()> onClearMarks;
    ExcerptCommands commands{player,
                             state,
                             time.controls(),
                             soundSliders,
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
