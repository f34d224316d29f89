#pragma once

#include "player/MoviePlayer.h"
#include "player/MpvPicture.h"
#include "player/MpvPlayerOptions.h"
#include "player/PictureFollower.h"
#include "player/SoundPath.h"
#include "player/StretchSettings.h"

#include <QTimer>

#include <optional>

class QWidget;

// The movie player: mpv plays the picture, the program's own sound path plays the sound, and the
// picture follows the sound's clock. A movie without sound plays its picture on mpv's clock; a
// movie without a picture has its sound timed by mpv too, so that both have a clock.
class MpvMoviePlayer : public MoviePlayer
{
    Q_OBJECT

public:
    explicit MpvMoviePlayer(const MpvPlayerOptions& options = {}, QObject* parent = nullptr);
    ~MpvMoviePlayer() override;

    // Call before the QApplication is made (see MpvPicture).
    static void prepareApplication() { MpvPicture::prepareApplication(); }
    // The widget that shows the picture, made on first request; whoever lays it out may own it.
    QWidget* videoWidget() { return m_picture.videoWidget(); }

    QString FileName() const override { return m_fileName; }
    // Opens the movie halted at its start and returns once it is loaded or has failed. The previous
    // movie is closed either way; after a failure no movie is open and FileName is empty.
    void setFileName(const QString& path) override;
    void setActive(bool) override {}
    double Duration() const override;
    // The target of a seek until it is done, then the time being heard (seen, without sound).
    double Position() const override;
    void Seek(double seconds) override;
    void Play() override;
    void Pause() override;
    // Halts like Pause: the movie stays open where it is.
    void Stop() override;
    // The sound reads on across the join before the end is heard, and the picture's seek is sent
    // early enough to land with it.
    void SetLoopWindow(double from, double to) override;
    int Volume() const override { return m_volume; }
    void setVolume(int hundredthsOfDecibel) override;
    void setRate(double factor) override;
    void SetTempo(qint16 percent) override;
    void SetPitch(double semitones) override;
    void SetSoundView(SoundView view) override { m_sound.setView(view); }
    bool HasTwoSoundChannels() const override { return m_sound.hasTwoChannels(); }
    // The sound path changes the tempo where it reads across the join, which it does 0.2 s before
    // the join is heard: a tempo asked for later than that waits for the join after. A movie
    // without sound changes it, and pauses, once the picture is seen back at the loop's beginning.
    void SetTempoAtNextWrap(qint16 percent) override;
    void SetPauseAtWraps(double seconds) override;
    void FullScreen(bool on) override { m_picture.setFullScreen(on); }
    bool SaveBitmap(const QString& path) override { return SaveSnapshot(path, Bmp); }
    bool SaveSnapshot(const QString& path, qint16 format) override;
    void Close() override;

    // Picture less sound when they were last compared, in seconds; NaN without both. For the
    // benchmark.
    double avsync() const { return m_follower.offset(); }
    // The time of the frame on show; for the tests.
    double pictureTime() const { return m_picture.time(); }

private:
    bool soundLeads() const;
    void applyStretch();
    void sendSpeeds(std::optional<qint16> waiting);
    void loopWrapped();
    void pictureWrapped();
    void startPlaying();
    void reportPosition();
    void picture_timeChanged(double seconds);
    void picture_seekLanded();
    void picture_closedByEngine();

    MpvPicture m_picture;
    SoundPath m_sound;
    PictureFollower m_follower;
    StretchSettings m_stretch;
    QTimer m_reports;
    QString m_fileName;
    int m_volume = 0;
    // Play was asked for; the sound waits while a seek of the picture is under way, so both go
    // on from the target together.
    bool m_playing = false;
    bool m_followsSound = true;
    bool m_soundWaitsForSeek = false;
    double m_soundTarget = 0;
    double m_lastReported = -1;
    // The tempo sent to wait for the loop's next join, until it is known to have been taken.
    std::optional<qint16> m_waitingTempo;
    double m_pauseAtWraps = 0;
    double m_loopFrom = 0;
    double m_loopTo = 0;
};
