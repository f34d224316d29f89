#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

class MpvPicture;
class SoundPath;

// Holds the picture on the sound's clock. At every new frame it compares the frame's time with
// the time being heard: while they are close, mpv's speed is nudged by a few percent until they
// meet; when they are far apart, the picture seeks to where the sound will be once the seek is
// done. Before a loop's join it seeks the picture back to the loop's beginning, waits there
// halted, and starts it again as the sound reaches the join (or, with a pause at the join, as the
// pause ends), at the speed of the pass the join begins, so that the two jump together.
class PictureFollower : public QObject
{
    Q_OBJECT

public:
    PictureFollower(MpvPicture& picture, SoundPath& sound, QObject* parent = nullptr);

    // The speed asked for; the picture runs at it, corrected.
    void setSpeed(double speed);
    // While following, the picture keeps to the sound; otherwise it runs at the speed asked for.
    void setFollowing(bool following);
    // Picture less sound at the last frame, in seconds; NaN when not following.
    double offset() const { return m_offset; }

private:
    void picture_timeChanged(double seconds);
    void picture_seekLanded();
    void seekPicture(double seconds);
    // True while a join is near: the picture's seek for it is sent at its time, and the picture
    // is not corrected meanwhile.
    bool prepareJoin();
    void seekForJoin();

    MpvPicture& m_picture;
    SoundPath& m_sound;
    double m_speed = 1.0;
    bool m_following = false;
    double m_offset;
    // How long the picture's seeks take, learnt from the last ones.
    double m_seekSeconds = 0.08;
    // How long the last seek for a join took; the first is expected to be slow.
    double m_joinSeekSeconds = 0.25;
    bool m_seekForJoin = false;
    // The movie's frame length, and the time of the last frame.
    double m_frameSeconds = 0.04;
    double m_lastFrameTime = 0;
    QElapsedTimer m_seekClock;
    bool m_ownSeek = false;
    QTimer m_joinTimer;
    QTimer m_joinStartTimer;
    // A seek is planned or sent for the next join, until the sound has gone back: made when
    // the sound stood at m_heardWhenPlanned.
    bool m_joinPlanned = false;
    double m_heardWhenPlanned = 0;
    double m_joinTarget = 0;
    double m_joinSpeed = 1.0;
};
