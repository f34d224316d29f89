#pragma once

#include <QSize>
#include <QString>

// Movies and broken files for the tests, made with ffmpeg into one temporary folder that lives
// as long as the test program. A movie is made once per set of parameters and reused.
class TestMedia
{
public:
    // Each with the codecs its files typically hold.
    enum class Container
    {
        Mp4,     // H.264, AAC
        Mkv,     // H.264, AAC
        Mov,     // H.264, AAC
        Avi,     // MPEG-4 part 2, MP3
        Mpg,     // MPEG-1, MP2
        Mpeg,    // MPEG-2, MP2
        Vob,     // MPEG-2, AC-3
        Wmv,     // Windows Media Video 8, Windows Media Audio 2
        Flv,     // Sorenson Spark, MP3
        ThreeGp, // H.263 (176x144 or another of its sizes), AAC
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
        // Frames come in bursts of three, 40 ms apart, with 280 ms gaps between the bursts.
        bool variableFrameRate = false;
        // An mp4 or mov with its index before the media, as files made for streaming have it.
        bool indexFirst = false;
        // Seconds from one keyframe of the picture to the next (and no others in between).
        int keyframeSeconds = 1;
    };

    // The path of such a movie, or an empty string (and a test warning) when ffmpeg failed.
    static QString movie(const Movie& movie);
    static QString movie() { return TestMedia::movie(Movie{}); }

    // Files no player can open as a movie.
    static QString zeroBytes();
    static QString randomBytes();
    static QString textFile();
    static QString folder();
    static QString missingFile();

    // Damaged copies of a movie: its first part only, as a download that broke off; or its first
    // bytes intact and everything behind them overwritten with noise.
    static QString cutAt(const QString& moviePath, double fraction);
    static QString noiseBehind(const QString& moviePath, qint64 intactBytes);
    // A copy of a good movie that its owner may not read.
    static QString unreadable();
    // A copy of a movie (a good one unless given) at this path relative to the temporary folder;
    // folders are made.
    static QString copyAt(const QString& relativePath, const QString& moviePath = movie());

    // A fresh path in the temporary folder for a test to write to; the name says what it is.
    static QString outputPath(const QString& name);

    static QString extension(Container container);
};
