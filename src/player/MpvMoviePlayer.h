#pragma once

#include "player/MoviePlayer.h"
#include "player/MpvHandle.h"
#include "player/MpvPlayerOptions.h"
#include "player/StretchSettings.h"

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

    // The widget that shows the picture, made on first request; whoever lays it out may own it.
    QWidget* videoWidget();

    QString FileName() const override { return m_fileName; }
    // Opens the movie and returns once it is loaded or has failed, at most after a few seconds.
    // The previous movie is closed in either case; after a failure no movie is open.
    void setFileName(const QString& path) override;
    void setActive(bool) override {}
    double Duration() const override;
    double Position() const override;
    void Seek(double seconds) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    int Volume() const override { return m_volume; }
    void setVolume(int hundredthsOfDecibel) override;
    void setRate(double factor) override;
    void SetTempo(qint16 percent) override;
    void SetPitch(qint16 semitones) override;
    void FullScreen(bool on) override;
    bool SaveBitmap(const QString& path) override;
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
    void closeMovie();
    void applyStretch();
    void refreshStretcherBeforeLoad();
    void restoreVideo();
    void videoWidget_DoubleClicked();
    QImage frameOnShow();

    bool setFlag(const char* name, bool value);
    bool setDouble(const char* name, double value);
    bool setText(const char* name, const char* value);
    bool command(std::initializer_list<const char*> words);

    MpvHandle m_mpv;
    bool m_showsVideo = false;
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

    // A seek is pending from Seek until mpv has accepted it and restarted playback there.
    std::optional<double> m_seekTarget;
    std::uint64_t m_seekReply = 0;
    bool m_seekAccepted = false;
    std::uint64_t m_lastReplyId = 0;

    int m_volume = 0;
    StretchSettings m_stretch;
    bool m_stretcherInChain = false;
    // The pitch scale written into the filter list; a movie that opens starts with it.
    double m_listedPitchScale = 1.0;
    double m_appliedPitchScale = 1.0;
};
