#pragma once

#include <QSize>
#include <QString>

// Movies made with ffmpeg from its test sources, for the benchmark and the tests: a moving colour
// test picture and a steady sine tone at an eighth of full scale.
class MovieMaker
{
public:
    struct Movie
    {
        double seconds = 3.0;
        double toneHz = 440.0;
        QSize size{320, 240};
        // The extension, which also picks the codecs such files typically hold: mp4, mkv and mov
        // H.264 with AAC, avi MPEG-4 with MP3, mpg MPEG-1 and mpeg MPEG-2 with MP2, vob MPEG-2
        // with AC-3, wmv Windows Media 8 with WMA 2, flv Sorenson Spark with MP3, 3gp H.263 with
        // AAC, m4a AAC alone.
        QString container = "mp4";
        // Without a picture the sound is all there is (audio-only players run untimed).
        bool withPicture = true;
        bool withSound = true;
        // Frames come in bursts of three, 40 ms apart, with 280 ms gaps between the bursts.
        bool variableFrameRate = false;
        // An mp4 or mov with its index before the media, as files made for streaming have it.
        bool indexFirst = false;
        // Seconds from one keyframe of the picture to the next, and none in between; 0 leaves
        // them to the encoder.
        int keyframeSeconds = 1;
        int framesPerSecond = 25;
        // A magenta box over the picture's top left quarter, a colour nothing else on a screen
        // shows: the first frame drawn can be found on the screen by it.
        bool markedCorner = false;
        // Instead of the test picture and the tone: a black picture that is white for the first
        // three frames of each whole second, and silence with a 40 ms beep at 1 kHz from each whole
        // second, so that where sound and picture stand against each other shows on a screen and a
        // recording of the sound.
        bool flashEverySecond = false;
    };

    // The movies go into this folder, each once: one already there is taken as it is.
    explicit MovieMaker(QString folder) : m_folder(std::move(folder)) {}

    // The movie's path, or an empty string (and a warning) when ffmpeg failed.
    QString movie(const Movie& movie) const;
    // The first `seconds` of a movie played over and over, without encoding it again.
    QString repeated(const QString& moviePath, int seconds) const;

private:
    QString made(const QString& name, const QStringList& arguments) const;

    QString m_folder;
};
