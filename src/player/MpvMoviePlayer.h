#pragma once

#include "player/MoviePlayer.h"
#include "player/MpvHandle.h"
#include "player/MpvPlayerOptions.h"
#include "player/StretcherChain.h"

#include <QImage>
#include <QPointer>

#include <atomic>
#include <cstdint>
#include <optional>

class FullScreenSwitcher;
class MpvVideoWidget;
class QWidget;

// The movie player on libmpv. Its picture is drawn into videoWidget(), which the main window
// hosts and which moves to a full-screen window and back. All calls and both events happen on
// the GUI thread: mpv's own threads only wake us up.
class MpvMoviePlayer : public MoviePlayer
{
    Q_OBJECT

public:
    explicit MpvMoviePlayer(const MpvPlayerOptions& options = {}, QObject* parent = nullptr);
    ~MpvMoviePlayer() override;

    // Call before the QApplication is made. Every window's GL context then shares with the others.
    // The picture window keeps its own context when it moves to full screen and back either way,
    // so the picture goes on without mpv having to set it up again.
    static void prepareApplication();

    // The widget that shows the picture, made on first request; whoever lays it out may own it.
    QWidget* videoWidget();

    QString FileName() const override { return m_fileName; }
    // Opens the movie, halted at its start, and returns once it is loaded or has failed (at most
    // after a few seconds). The previous movie is closed either way; after a failure no movie is
    // open and FileName is empty. Only ordinary files are opened: not folders, devices or
    // addresses; and nothing a file names (a playlist, an EDL or a stream description fails).
    void setFileName(const QString& path) override;
    // The player is always ready to open a movie.
    void setActive(bool) override {}
    double Duration() const override;
    // The target of a seek until mpv has got there, then the time of the frame on show.
    double Position() const override;
    void Seek(double seconds) override;
    void Play() override;
    void Pause() override;
    // Halts like Pause: the movie stays open where it is.
    void Stop() override;
    // mpv's A-B loop: at `to` mpv seeks to `from` without flushing the sound output, so the sound
    // queued before the wrap plays on while the sound after it is made.
    void SetLoopWindow(double from, double to) override;
    int Volume() const override { return m_volume; }
    void setVolume(int hundredthsOfDecibel) override;
    // Volume, rate, tempo and pitch hold for every movie opened after them.
    void setRate(double factor) override;
    void SetTempo(qint16 percent) override;
    void SetPitch(double semitones) override;
    // A double click on the picture in full screen, or Esc, also returns it to its window.
    void FullScreen(bool on) override;
    bool SaveBitmap(const QString& path) override;
    // How far apart sound and picture stood when mpv last compared them, in seconds, either sign;
    // NaN when the movie lacks one of them. For the benchmark.
    double soundPictureOffset() const;
    bool SaveSnapshot(const QString& path, qint16 format) override;
    void Close() override;

private:
    void startCore(const MpvPlayerOptions& options);
    static void onMpvWakeup(void* player);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void onPropertyChange(const mpv_event_property& property);
    void onEndFile(const mpv_event_end_file& ended);
    void onCommandReply(const mpv_event& event);

    bool loadAndWait(const QString& path);
    void useVideoOutput(const char* output);
    void giveSoundItsOwnReader();
    void restoreVideo();
    void dropSoundOfOldSettings();
    void sendSeek(double target);
    void seekDone();
    void forgetSeek();
    void videoWidget_DoubleClicked();
    QImage frameOnShow();

    MpvHandle m_mpv;
    bool m_showsVideo = false;
    // mpv's video output now: one of the names in mpvname, compared by address.
    const char* m_videoOutput = nullptr;
    QPointer<MpvVideoWidget> m_videoWidget;
    FullScreenSwitcher* m_fullScreen = nullptr;
    std::atomic_bool m_drainQueued = false;

    QString m_fileName;
    // The playlist entry of the movie being opened, and how far the opening has come.
    enum class Loading
    {
        None,
        Waiting,
        Loaded,
        Failed
    };
    std::int64_t m_loadingEntry = 0;
    Loading m_loading = Loading::None;
    std::int64_t m_startedEntry = 0;
    std::int64_t m_openEntry = 0;
    double m_lastPosition = 0;

    // A seek is pending from Seek until mpv has accepted it, started it and restarted playback
    // there. Playback restarts for other reasons too (the opening's first frames may come after
    // a seek was asked for), so only a restart after the seek's own start counts.
    std::optional<double> m_seekTarget;
    std::uint64_t m_seekReply = 0;
    enum class SeekStage
    {
        Sent,
        Accepted,
        Started
    };
    SeekStage m_seekStage = SeekStage::Sent;
    // Seeks asked for while one is on its way are not sent on: the last of them follows once
    // that one is done (see Seek).
    std::optional<double> m_nextSeekTarget;
    std::uint64_t m_lastReplyId = 0;
    // Play was asked for while a seek was pending: it starts once the seek is done.
    bool m_playAfterSeek = false;

    // The open movie's sound comes from a second reader of its file (see giveSoundItsOwnReader).
    bool m_soundHasOwnReader = false;

    int m_volume = 0;
    StretcherChain m_stretcher;
};
