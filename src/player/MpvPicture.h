#pragma once

#include "player/MpvHandle.h"
#include "player/MpvPlayerOptions.h"
#include "player/SeekQueue.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <cstdint>

class FullScreenSwitcher;
class MpvVideoWidget;
class QWidget;

// The movie's picture, played by libmpv and drawn into videoWidget(), which the main window hosts
// and which moves to a full-screen window and back. mpv plays a movie's sound only when the
// program's own sound path does not (a movie without a picture), and then into nothing: its clock
// must run. All calls and signals happen on the GUI thread; mpv's own threads only wake us up.
class MpvPicture : public QObject
{
    Q_OBJECT

public:
    explicit MpvPicture(const MpvPlayerOptions& options, QObject* parent = nullptr);
    ~MpvPicture() override;

    static void prepareApplication();
    QWidget* videoWidget();

    // Opens the movie halted at its start and returns once it is loaded or has failed (at most
    // after a few seconds). Only ordinary files open: not folders, devices or addresses, and
    // nothing a file names (a playlist, an EDL or a stream description fails). `withSound`: mpv
    // decodes the sound track too, to time a movie that has no picture.
    bool open(const QString& path, bool withSound);
    void close();
    void shutDown();
    bool isOpen() const { return m_openEntry != 0; }

    double duration() const;
    // The time of the frame on show (the target of a seek until mpv has got there).
    double time() const;
    void seek(double seconds);
    bool seekPending() const { return m_seeks.pending(); }
    void setPaused(bool paused);
    bool isPaused() const;
    void setSpeed(double speed);
    // mpv's own A-B loop, for movies whose sound mpv plays.
    void setLoop(double from, double to);

    void setFullScreen(bool on);
    QImage frameOnShow();

signals:
    // The frame on show changed while no seek was pending.
    void timeChanged(double seconds);
    // A seek is done; the movie stands at `seconds`.
    void seekLanded(double seconds);
    void doubleClicked();
    // The open movie was closed by mpv (it ended badly).
    void closedByEngine();

private:
    void startCore(const MpvPlayerOptions& options);
    static void onMpvWakeup(void* picture);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void onEndFile(const mpv_event_end_file& ended);
    void seekDone();
    bool loadAndWait(const QString& path);
    void useVideoOutput(const char* output);
    void restoreVideo();
    void videoWidget_DoubleClicked();
    void sendSeek(double target);

    MpvHandle m_mpv;
    bool m_showsVideo = false;
    const char* m_videoOutput = nullptr;
    QPointer<MpvVideoWidget> m_videoWidget;
    FullScreenSwitcher* m_fullScreen = nullptr;
    std::atomic_bool m_drainQueued = false;

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
    double m_lastTime = 0;

    SeekQueue m_seeks;
    std::uint64_t m_lastReplyId = 0;
    double m_speed = 1.0;
};
