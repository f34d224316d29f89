#pragma once

#include <QString>

// Where an MpvMoviePlayer sends its picture and its sound. The program uses the defaults; tests
// and the benchmark choose headless outputs here, so nothing of this reaches a user.
struct MpvPlayerOptions
{
    enum class Video
    {
        Widget, // drawn into the player's video widget
        None,   // decoded but shown nowhere
    };
    // Where the program's sound path plays.
    enum class Audio
    {
        SystemDefault, // the desktop's sound server
        None,          // played in real time into nothing, or into waveFilePath as a WAV
                       // file when one is given; the picture follows
        WaveFile,      // written to waveFilePath as a WAV file, as fast as it is made; the
                       // picture then runs on its own clock
    };

    Video video = Video::Widget;
    Audio audio = Audio::SystemDefault;
    QString waveFilePath;
};
