#include "player/MpvMoviePlayer.h"

#include "common/TimeText.h"
#include "player/FullScreenSwitcher.h"
#include "player/MpvCalls.h"
#include "player/MpvNames.h"
#include "player/MpvNode.h"
#include "player/MpvVideoWidget.h"
#include "player/ScreenshotImage.h"
#include "player/SnapshotWriter.h"
#include "player/VolumeLevel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <span>
#include <utility>

namespace {

struct OptionValue
{
    const char* name;
    const char* value;
};

// Embedded safely: nothing from the user's own mpv set-up, no scripts, no network helpers, no
// keys or on-screen controls of mpv's own, no terminal output, no resuming where a movie was
// left. A movie at its end stays open, the player lives with no movie, and seeks are exact.
constexpr OptionValue embeddingOptions[] = {
    {"config", "no"},
    {"load-scripts", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"input-builtin-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"terminal", "no"},
    {"resume-playback", "no"},
    {"audio-fallback-to-null", "yes"},
    {mpvname::osdLevel, "0"},
    {mpvname::keepOpen, "yes"},
    {mpvname::idle, "yes"},
    {mpvname::exactSeeks, "yes"},
    // Decoding stays on the processor (see the README's decisions), so the render context loads
    // none of the GPU decoders' interops, which print to standard error when probing for hardware
    // that is not there ("Cannot load libcuda.so.1").
    {"hwdec", "no"},
    {"gpu-hwdec-interop", "no"},
};

// The player opens the one file it is given and nothing else, whatever that file holds: movies
// and excerpts travel between people, and a file named like a movie may be a playlist, an EDL,
// an HLS, DASH or concat list, a CUE sheet or an SDP description that sends the engine to the
// network or to other files. mpv then follows no reference at all (its own playlists, EDL, CUE,
// archives and ordered chapters refuse to open, and FFmpeg's readers cannot open anything
// through mpv); FFmpeg's readers that open network streams on their own (SDP) may use no
// protocol; and no subtitle, sound or cover file is picked up from beside the movie.
constexpr OptionValue confinementOptions[] = {
    {"access-references", "no"},
    {"demuxer-lavf-o", "protocol_whitelist="},
    {"autoload-files", "no"},
};

// True when every option was taken.
bool setOptions(mpv_handle* mpv, std::span<const OptionValue> options)
{
    bool allTaken = true;
    for (const OptionValue& option : options)
        allTaken = mpv_set_option_string(mpv, option.name, option.value) >= 0 && allTaken;
    return allTaken;
}

// How long opening a movie may block the caller before it counts as failed.
constexpr int loadTimeoutMs = 5000;

std::optional<std::int64_t> firstTrack(const mpv_node& tracks, const char* wantedType)
{
    if (tracks.format != MPV_FORMAT_NODE_ARRAY || tracks.u.list == nullptr)
        return std::nullopt;
    for (int i = 0; i < tracks.u.list->num; ++i) {
        const mpv_node& track = tracks.u.list->values[i];
        const mpv_node* type = MpvNode::memberOf(track, mpvname::trackType);
        const mpv_node* id = MpvNode::memberOf(track, mpvname::trackId);
        if (type != nullptr && type->format == MPV_FORMAT_STRING &&
            std::strcmp(type->u.string, wantedType) == 0 && id != nullptr && id->format == MPV_FORMAT_INT64)
            return id->u.int64;
    }
    return std::nullopt;
}

} // namespace

MpvMoviePlayer::MpvMoviePlayer(const MpvPlayerOptions& options, QObject* parent)
    : MoviePlayer(parent), m_showsVideo(options.video == MpvPlayerOptions::Video::Widget)
{
    startCore(options);
}

MpvMoviePlayer::~MpvMoviePlayer()
{
    Close();
    // Nobody took the widget into a window, so it is still ours.
    if (m_videoWidget != nullptr && m_videoWidget->parent() == nullptr)
        delete m_videoWidget;
}

void MpvMoviePlayer::startCore(const MpvPlayerOptions& options)
{
    // libmpv refuses to start unless numbers are read and written the C way.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv.reset(mpv_create());
    if (!m_mpv)
        return;
    setOptions(m_mpv.get(), embeddingOptions);
    // An engine that does not take them all would follow what files reference: better no engine.
    if (!setOptions(m_mpv.get(), confinementOptions)) {
        m_mpv.reset();
        return;
    }

    const bool headlessVideo = options.video == MpvPlayerOptions::Video::None;
    m_videoOutput = headlessVideo ? mpvname::nullOutput : mpvname::renderApiOutput;
    mpv_set_option_string(m_mpv.get(), mpvname::videoOutput, m_videoOutput);
    if (options.audio == MpvPlayerOptions::Audio::None) {
        mpv_set_option_string(m_mpv.get(), mpvname::audioOutput, mpvname::nullOutput);
    } else if (options.audio == MpvPlayerOptions::Audio::WaveFile) {
        mpv_set_option_string(m_mpv.get(), mpvname::audioOutput, mpvname::waveOutput);
        mpv_set_option_string(m_mpv.get(), mpvname::waveFile, options.waveFilePath.toUtf8().constData());
    }

    if (mpv_initialize(m_mpv.get()) < 0) {
        m_mpv.reset();
        return;
    }
    mpv_observe_property(m_mpv.get(), 0, mpvname::timePos, MPV_FORMAT_DOUBLE);
    mpv_set_wakeup_callback(m_mpv.get(), &MpvMoviePlayer::onMpvWakeup, this);
    m_stretcher.setCore(m_mpv.get());
}

void MpvMoviePlayer::prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QWidget* MpvMoviePlayer::videoWidget()
{
    if (m_videoWidget == nullptr && m_fullScreen == nullptr) {
        m_videoWidget = new MpvVideoWidget;
        m_fullScreen = new FullScreenSwitcher(m_videoWidget, this);
        connect(m_videoWidget, &MpvVideoWidget::doubleClicked, this,
                &MpvMoviePlayer::videoWidget_DoubleClicked);
        connect(m_videoWidget, &MpvVideoWidget::rendererCreated, this, &MpvMoviePlayer::restoreVideo);
        if (m_mpv && m_showsVideo)
            m_videoWidget->attach(m_mpv.get());
    }
    return m_videoWidget;
}

// ---- events ---------------------------------------------------------------------------------

void MpvMoviePlayer::onMpvWakeup(void* player)
{
    // Called on one of mpv's threads: only hand the work over to the GUI thread, once.
    auto* self = static_cast<MpvMoviePlayer*>(player);
    if (!self->m_drainQueued.exchange(true))
        QMetaObject::invokeMethod(self, &MpvMoviePlayer::drainEvents, Qt::QueuedConnection);
}

void MpvMoviePlayer::drainEvents()
{
    m_drainQueued = false;
    while (m_mpv) {
        const mpv_event* event = mpv_wait_event(m_mpv.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void MpvMoviePlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        onPropertyChange(*static_cast<const mpv_event_property*>(event.data));
        break;
    case MPV_EVENT_START_FILE:
        m_startedEntry = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_loading == Loading::Waiting && m_startedEntry == m_loadingEntry)
            m_loading = Loading::Loaded;
        break;
    case MPV_EVENT_END_FILE:
        onEndFile(*static_cast<const mpv_event_end_file*>(event.data));
        break;
    case MPV_EVENT_SEEK:
        if (m_seekTarget && m_seekStage == SeekStage::Accepted)
            m_seekStage = SeekStage::Started;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seekTarget && m_seekStage == SeekStage::Started)
            seekDone();
        break;
    case MPV_EVENT_COMMAND_REPLY:
        onCommandReply(event);
        break;
    default:
        break;
    }
}

void MpvMoviePlayer::onPropertyChange(const mpv_event_property& property)
{
    // A property that becomes unavailable arrives with no value (format NONE).
    if (property.format != MPV_FORMAT_DOUBLE || std::strcmp(property.name, mpvname::timePos) != 0)
        return;
    const double position = *static_cast<const double*>(property.data);
    // Until a seek is done, reports still come from where playback was before it.
    if (m_fileName.isEmpty() || m_seekTarget)
        return;
    m_lastPosition = position;
    emit PositionChange(position, TimeText(position));
}

void MpvMoviePlayer::onEndFile(const mpv_event_end_file& ended)
{
    // A folder or playlist "ends" by redirecting to its entries: for us that is a failure too.
    if (m_loading == Loading::Waiting && ended.playlist_entry_id == m_loadingEntry)
        m_loading = Loading::Failed;
    if (ended.playlist_entry_id == m_openEntry) {
        m_openEntry = 0;
        m_fileName.clear();
        forgetSeek();
    }
}

void MpvMoviePlayer::onCommandReply(const mpv_event& event)
{
    if (!m_seekTarget || event.reply_userdata != m_seekReply)
        return;
    if (event.error < 0)
        seekDone();
    else
        m_seekStage = SeekStage::Accepted;
}

void MpvMoviePlayer::seekDone()
{
    m_seekTarget.reset();
    // Say where playback has landed before going on, so that seeks in quick succession (keys held
    // down, the position slider let go again and again) still show the movie moving.
    double landed = 0;
    if (mpv_get_property(m_mpv.get(), mpvname::timePos, MPV_FORMAT_DOUBLE, &landed) >= 0) {
        m_lastPosition = landed;
        emit PositionChange(landed, TimeText(landed));
    }
    // Whoever heard the report may have sought since (the loop wrapping): that came last and wins.
    if (m_seekTarget) {
        m_nextSeekTarget.reset();
        return;
    }
    if (m_nextSeekTarget && m_mpv && !m_fileName.isEmpty()) {
        sendSeek(*std::exchange(m_nextSeekTarget, std::nullopt));
        return;
    }
    if (m_playAfterSeek) {
        m_playAfterSeek = false;
        mpvcall::setFlag(m_mpv.get(), mpvname::pause, false);
    }
}

void MpvMoviePlayer::forgetSeek()
{
    m_seekTarget.reset();
    m_nextSeekTarget.reset();
    m_playAfterSeek = false;
}

// ---- opening and closing --------------------------------------------------------------------

void MpvMoviePlayer::setFileName(const QString& path)
{
    if (!m_mpv)
        return;
    m_fileName.clear();
    m_openEntry = 0;
    forgetSeek();
    m_lastPosition = 0;

    // Only ordinary files go to mpv: it would play a folder's movies as a playlist, wait on a
    // device, or go to the network for an address.
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        mpvcall::command(m_mpv.get(), {mpvname::stop});
        return;
    }
    // A movie opens halted at its start; Play starts it.
    mpvcall::setFlag(m_mpv.get(), mpvname::pause, true);
    // With nothing yet to draw into (the window has not shown), mpv would fail the picture, and
    // a movie without sound with it. Until the renderer comes, the picture is decoded and timed
    // as usual but goes nowhere.
    if (m_showsVideo) {
        const bool rendererMissing = m_videoWidget == nullptr || !m_videoWidget->hasRenderer();
        useVideoOutput(rendererMissing ? mpvname::nullOutput : mpvname::renderApiOutput);
    }
    mpvcall::setText(m_mpv.get(), mpvname::videoTrack, mpvname::automatic);
    m_stretcher.prepareForNextMovie();
    if (loadAndWait(file.absoluteFilePath())) {
        m_fileName = path;
        m_openEntry = m_loadingEntry;
        m_soundHasOwnReader = false;
        giveSoundItsOwnReader();
    } else if (m_mpv) {
        mpvcall::command(m_mpv.get(), {mpvname::stop});
    }
    m_loading = Loading::None;
}

bool MpvMoviePlayer::loadAndWait(const QString& path)
{
    const QByteArray utf8 = path.toUtf8();
    const char* args[] = {mpvname::loadFile, utf8.constData(), mpvname::replace, nullptr};
    MpvNode result;
    if (mpv_command_ret(m_mpv.get(), args, result.receive()) < 0)
        return false;
    const auto entry = result.int64Member(mpvname::playlistEntryId);
    if (!entry)
        return false;
    m_loadingEntry = *entry;
    m_loading = Loading::Waiting;

    // The caller reads Duration on the next line, so wait here, handling mpv's events ourselves
    // (other events keep their effect), until this movie is loaded or has failed.
    const QDeadlineTimer deadline(loadTimeoutMs);
    while (m_mpv && m_loading == Loading::Waiting && !deadline.hasExpired()) {
        const double secondsLeft = static_cast<double>(deadline.remainingTime()) / 1000.0;
        const mpv_event* event = mpv_wait_event(m_mpv.get(), secondsLeft);
        if (event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
    return m_loading == Loading::Loaded;
}

void MpvMoviePlayer::giveSoundItsOwnReader()
{
    // An exact seek in a movie decodes its sound from the keyframe before the target, and all of
    // that goes through the time-stretcher before the part before the target is dropped: with ten
    // seconds between keyframes, a seek or loop wrap at tempo -30 then takes most of a second.
    // The movie's own file opened a second time as a sound-only track has a reader of its own,
    // which seeks straight to the target's sound. Sound as recorded needs no second reader, so a
    // movie opens as it always did and gets one the first time the stretcher is used on it.
    if (m_soundHasOwnReader || m_stretcher.isNeutral() || m_fileName.isEmpty())
        return;
    m_soundHasOwnReader = true;
    MpvNode tracks;
    if (mpv_get_property(m_mpv.get(), mpvname::trackList, MPV_FORMAT_NODE, tracks.receive()) < 0)
        return;
    if (!firstTrack(tracks.node(), mpvname::videoType) || !firstTrack(tracks.node(), mpvname::audioType))
        return;
    const QByteArray utf8 = QFileInfo(m_fileName).absoluteFilePath().toUtf8();
    mpvcall::command(m_mpv.get(), {mpvname::addSoundTrack, utf8.constData(), mpvname::select});
}

void MpvMoviePlayer::Close()
{
    if (!m_mpv)
        return;
    if (m_fullScreen != nullptr)
        m_fullScreen->leave();
    mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
    // The renderer must go before the core it draws from.
    if (m_videoWidget != nullptr)
        m_videoWidget->detach();
    m_stretcher.setCore(nullptr);
    m_mpv.reset();
    m_fileName.clear();
    m_openEntry = 0;
    forgetSeek();
}

void MpvMoviePlayer::useVideoOutput(const char* output)
{
    // Changing the output restarts the picture of a movie that is open, so only when it differs.
    if (m_videoOutput == output)
        return;
    if (mpvcall::setText(m_mpv.get(), mpvname::videoOutput, output))
        m_videoOutput = output;
}

void MpvMoviePlayer::restoreVideo()
{
    if (!m_mpv || !m_showsVideo)
        return;
    // A movie opened before the renderer existed plays its picture into nothing; from now on the
    // picture goes to the renderer (mpv restarts the movie's picture on the new output).
    if (m_videoOutput != mpvname::renderApiOutput) {
        useVideoOutput(mpvname::renderApiOutput);
        return;
    }
    if (m_fileName.isEmpty())
        return;
    // mpv drops the picture when the renderer goes with its GL context (should the picture
    // window's context be lost). Selecting the video track again brings it back.
    MpvNode tracks;
    if (mpv_get_property(m_mpv.get(), mpvname::trackList, MPV_FORMAT_NODE, tracks.receive()) < 0)
        return;
    const std::optional<std::int64_t> videoTrack = firstTrack(tracks.node(), mpvname::videoType);
    if (!videoTrack)
        return;
    mpvcall::setText(m_mpv.get(), mpvname::videoTrack, mpvname::no);
    std::int64_t id = *videoTrack;
    mpv_set_property(m_mpv.get(), mpvname::videoTrack, MPV_FORMAT_INT64, &id);
}

// ---- transport ------------------------------------------------------------------------------

double MpvMoviePlayer::Duration() const
{
    double seconds = 0;
    if (!m_mpv || m_fileName.isEmpty() ||
        mpv_get_property(m_mpv.get(), mpvname::duration, MPV_FORMAT_DOUBLE, &seconds) < 0)
        return 0;
    return seconds;
}

double MpvMoviePlayer::Position() const
{
    if (m_seekTarget)
        return *m_seekTarget;
    if (!m_mpv || m_fileName.isEmpty())
        return 0;
    double seconds = 0;
    if (mpv_get_property(m_mpv.get(), mpvname::timePos, MPV_FORMAT_DOUBLE, &seconds) < 0)
        return m_lastPosition;
    return seconds;
}

void MpvMoviePlayer::Seek(double seconds)
{
    if (!m_mpv || m_fileName.isEmpty() || !std::isfinite(seconds))
        return;
    // mpv reads a negative absolute time as counted from the end.
    const double target = std::max(0.0, seconds);
    // A new seek sent to mpv cancels the one it is working on. When seeks come quicker than mpv
    // can finish them (a slow machine, the stretcher at work), none would ever finish and the
    // movie would stand still; so each one is finished and only the last one asked for follows.
    if (m_seekTarget) {
        m_nextSeekTarget = target;
        m_seekTarget = target;
        return;
    }
    sendSeek(target);
}

void MpvMoviePlayer::sendSeek(double target)
{
    const QByteArray text = QByteArray::number(target, 'f', 6);
    const char* args[] = {mpvname::seek, text.constData(), mpvname::absoluteExact, nullptr};
    const std::uint64_t id = ++m_lastReplyId;
    if (mpv_command_async(m_mpv.get(), id, args) < 0)
        return;
    m_seekTarget = target;
    m_seekReply = id;
    m_seekStage = SeekStage::Sent;
}

void MpvMoviePlayer::Play()
{
    // The sound queued before a pending seek would go out the moment the movie runs, before mpv
    // throws it away for the sound at the new place; so a halted movie waits for its seek.
    if (m_seekTarget && mpvcall::flag(m_mpv.get(), mpvname::pause)) {
        m_playAfterSeek = true;
        return;
    }
    mpvcall::setFlag(m_mpv.get(), mpvname::pause, false);
}

void MpvMoviePlayer::Pause()
{
    m_playAfterSeek = false;
    mpvcall::setFlag(m_mpv.get(), mpvname::pause, true);
}

void MpvMoviePlayer::Stop()
{
    Pause();
}

void MpvMoviePlayer::SetLoopWindow(double from, double to)
{
    // mpv would swap the ends of a reversed window and loop between them.
    if (!(std::isfinite(from) && std::isfinite(to) && 0 <= from && from < to)) {
        mpvcall::setText(m_mpv.get(), mpvname::loopFrom, mpvname::no);
        mpvcall::setText(m_mpv.get(), mpvname::loopTo, mpvname::no);
        return;
    }
    mpvcall::setDouble(m_mpv.get(), mpvname::loopFrom, from);
    mpvcall::setDouble(m_mpv.get(), mpvname::loopTo, to);
}

// ---- sound ----------------------------------------------------------------------------------

void MpvMoviePlayer::setVolume(int hundredthsOfDecibel)
{
    m_volume = VolumeLevel::clamped(hundredthsOfDecibel);
    mpvcall::setDouble(m_mpv.get(), mpvname::volume, VolumeLevel::mpvPercent(m_volume));
}

void MpvMoviePlayer::setRate(double factor)
{
    m_stretcher.setRate(factor);
    giveSoundItsOwnReader();
    dropSoundOfOldSettings();
}

void MpvMoviePlayer::SetTempo(qint16 percent)
{
    m_stretcher.setTempo(percent);
    giveSoundItsOwnReader();
    dropSoundOfOldSettings();
}

void MpvMoviePlayer::SetPitch(double semitones)
{
    m_stretcher.setPitch(semitones);
    giveSoundItsOwnReader();
    dropSoundOfOldSettings();
}

void MpvMoviePlayer::dropSoundOfOldSettings()
{
    // A halted movie has its next second or so of sound already stretched and queued for output;
    // without this, Play would first sound that with the settings it was made with. Seeking to
    // where the movie stands makes mpv throw it away and stretch it anew.
    if (!m_fileName.isEmpty() && mpvcall::flag(m_mpv.get(), mpvname::pause))
        Seek(Position());
}

// ---- picture --------------------------------------------------------------------------------

void MpvMoviePlayer::FullScreen(bool on)
{
    videoWidget();
    if (on)
        m_fullScreen->enter();
    else
        m_fullScreen->leave();
}

void MpvMoviePlayer::videoWidget_DoubleClicked()
{
    // In full screen a double click is the way back; in the window it is the user's request.
    if (m_fullScreen->isFullScreen())
        m_fullScreen->leave();
    else
        emit DblClick();
}

double MpvMoviePlayer::soundPictureOffset() const
{
    double seconds = 0;
    if (!m_mpv || mpv_get_property(m_mpv.get(), mpvname::soundPictureOffset, MPV_FORMAT_DOUBLE, &seconds) < 0)
        return std::nan("");
    return seconds;
}

bool MpvMoviePlayer::SaveBitmap(const QString& path)
{
    return SaveSnapshot(path, Bmp);
}

bool MpvMoviePlayer::SaveSnapshot(const QString& path, qint16 format)
{
    if (!m_mpv || m_fileName.isEmpty())
        return false;
    return SnapshotWriter::write(frameOnShow(), path, format);
}

QImage MpvMoviePlayer::frameOnShow()
{
    const char* args[] = {mpvname::screenshotRaw, mpvname::videoOnly, nullptr};
    MpvNode picture;
    if (mpv_command_ret(m_mpv.get(), args, picture.receive()) < 0)
        return {};
    return imageFromScreenshot(picture.node());
}

// Compiled here rather than with the other classes' meta-objects, so that a program using none of
// the player does not link libmpv.
#include "moc_MpvMoviePlayer.cpp"
