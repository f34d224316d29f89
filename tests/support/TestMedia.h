#pragma once

#include <QSize>
#include <QString>

// Movies and broken files for the tests, made with ffmpeg into one temporary folder that lives
// as long as the test program. A movie is made once per set of parameters and reused.
class TestMedia
{
public:
    enum class Container
    {
        Mp4,
        Mkv,
        Avi,
        Mov
    };

    struct Movie
    {
        double seconds = 3.0;
        // A steady sine tone at an eighth of full scale.
        double toneHz = 440.0;
        // ffmpeg's moving colour test picture of this size at 25 frames a second.
        QSize size{320, 240};
        Container container = Container::Mp4;
        // Without a picture the sound is all there is (audio-only players run untimed).
        bool withPicture = true;
        bool withSound = true;
        // Seconds from one keyframe of the picture to the next (and no others in between).
        int keyframeSeconds = 1;
    };

    // The path of such a movie, or an empty string (and a test warning) when ffmpeg failed.
    static QString movie(const Movie& movie);
    static QString movie() { return TestMedia::movie(Movie{}); }

    // Files no player can open as a movie.
    static QString zeroBytes();
    static QString randomBytes();
    // An mp4 cut off halfway, before the index that ffmpeg writes at its end.
    static QString truncatedMp4();
    static QString textFile();
    static QString folder();
    static QString missingFile();

    // A fresh path in the temporary folder for a test to write to; the name says what it is.
    static QString outputPath(const QString& name);

    static QString extension(Container container);
};
