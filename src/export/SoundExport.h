#pragma once

#include "export/SoundFileWriter.h"
#include "export/SoundRenderer.h"
#include "player/SoundView.h"
#include "trainer/TrainingPlan.h"

#include <QString>

#include <optional>

// The sound as the user hears it now, read from the sound panel and the sound view. The volume is
// not part of it: a file is played at its listener's own volume.
struct HeardSound
{
    int tempo = 0;         // sldTempo: percent away from the movie's own speed
    double semitones = 0;  // both pitch sliders together, in semitones
    int ratePercent = 100; // sldSpeed
    SoundView view = SoundView::BothChannels;
};

// What an export writes: a movie's loop, played a number of times, or the whole movie once, with
// the sound as heard, the tempo of each pass of the loop perhaps raised as the speed trainer
// would raise it.
struct SoundExport
{
    QString moviePath;
    double duration = 0;
    // The loop the player plays for the time sliders' loop window, if there is one.
    std::optional<std::pair<double, double>> loop;
    HeardSound heard;
    bool wholeMovie = false;
    int passes = 1;
    // Each pass at the trainer's tempo for it rather than the tempo heard.
    std::optional<TrainingPlan> raise;

    // The loop that the time sliders make the player play: from sldBegin to half a second before
    // sldEnd, as the player wraps it; none when that is empty or begins past the movie's end.
    static std::optional<std::pair<double, double>> loopOf(int sldBegin, int sldEnd, double duration);
    // The movie's name with the tempo as its label shows it: "solo 70%.flac".
    static QString suggestedName(const QString& moviePath, const QString& tempoLabel, SoundFileFormat format);

    bool exportsLoop() const { return loop.has_value() && !wholeMovie; }
    SoundRenderer::Plan renderPlan() const;
    // "tempo 70 %, pitch +3 semitones, rate 100 %, sound view: both channels"
    QString heardText() const;
    // What the file holds and how it sounds, for its tags.
    QString comment() const;
    // The title in the file's tags: the movie's name.
    QString title() const;

private:
    QString soundText(const QString& tempo) const;
};
