#include "player/MpvPicture.h"

#include "player/FullScreenSwitcher.h"
#include "player/MpvCalls.h"
#include "player/MpvEngineStart.h"
#include "player/MpvNames.h"
#include "player/MpvNode.h"
#include "player/MpvVideoWidget.h"
#include "player/ScreenshotImage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// How long opening a movie may block the caller before it counts as failed.
constexpr int loadTimeoutMs = 5000;

// mpv's video outputs: drawn through the render API, or none.
constexpr const char* libmpvOutput = "libmpv";
constexpr const char* nullOutput = "null";

} // namespace

MpvPicture::MpvPicture(const MpvPlayerOptions& options, QObject* parent)
    : QObject(parent), m_showsVideo(options.video == MpvPlayerOptions::Video::Widget)
{
    startCore(options);
}

MpvPicture::~MpvPicture()
{
    shutDown();
    // Nobody took the widget into a window, so it is still ours.
    if (m_videoWidget != nullptr && m_videoWidget->parent() == nullptr)
        delete m_videoWidget;
}

void MpvPicture::startCore(const MpvPlayerOptions& options)
{
    m_videoOutput = options.video == MpvPlayerOptions::Video::None ? nullOutput : libmpvOutput;
    m_mpv = startConfinedEngine(m_videoOutput);
    if (!m_mpv)
        return;
    mpv_observe_property(m_mpv.get(), 0, mpvname::timePos, MPV_FORMAT_DOUBLE);
    mpv_set_wakeup_callback(m_mpv.get(), &MpvPicture::onMpvWakeup, this);
}

void MpvPicture::prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QWidget* MpvPicture::videoWidget()
{
    if (m_videoWidget == nullptr && m_fullScreen == nullptr) {
        m_videoWidget = new MpvVideoWidget;
        m_fullScreen = new FullScreenSwitcher(m_videoWidget, this);
        connect(m_videoWidget, &MpvVideoWidget::doubleClicked, this, &MpvPicture::videoWidget_DoubleClicked);
        connect(m_videoWidget, &MpvVideoWidget::rendererCreated, this, &MpvPicture::restoreVideo);
        if (m_mpv && m_showsVideo)
            m_videoWidget->attach(m_mpv.get());
    }
    return m_videoWidget;
}

// ---- events ---------------------------------------------------------------------------------

void MpvPicture::onMpvWakeup(void* picture)
{
    // Called on one of mpv's threads: only hand the work over to the GUI thread, once.
    auto* self = static_cast<MpvPicture*>(picture);
    if (!self->m_drainQueued.exchange(true))
        QMetaObject::invokeMethod(self, &MpvPicture::drainEvents, Qt::QueuedConnection);
}

void MpvPicture::drainEvents()
{
    m_drainQueued = false;
    while (m_mpv) {
        const mpv_event* event = mpv_wait_event(m_mpv.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void MpvPicture::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        // A property that becomes unavailable arrives with no value (format NONE). Until a seek
        // is done, reports still come from where playback was before it.
        const auto& property = *static_cast<const mpv_event_property*>(event.data);
        if (property.format == MPV_FORMAT_DOUBLE && std::strcmp(property.name, mpvname::timePos) == 0 &&
            isOpen() && !m_seeks.pending()) {
            m_lastTime = *static_cast<const double*>(property.data);
            emit timeChanged(m_lastTime);
        }
        break;
    }
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
        m_seeks.started();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seeks.restarted())
            seekDone();
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (m_seeks.replied(event.reply_userdata, event.error >= 0))
            seekDone();
        break;
    default:
        break;
    }
}

void MpvPicture::onEndFile(const mpv_event_end_file& ended)
{
    // A folder or playlist "ends" by redirecting to its entries: for us that is a failure too.
    if (m_loading == Loading::Waiting && ended.playlist_entry_id == m_loadingEntry)
        m_loading = Loading::Failed;
    if (ended.playlist_entry_id == m_openEntry && m_openEntry != 0) {
        m_openEntry = 0;
        m_seeks.forget();
        emit closedByEngine();
    }
}

void MpvPicture::seekDone()
{
    // Say where playback has landed before going on, so that seeks in quick succession (keys held
    // down, the position slider let go again and again) still show the movie moving.
    double landed = m_lastTime;
    if (mpv_get_property(m_mpv.get(), mpvname::timePos, MPV_FORMAT_DOUBLE, &landed) >= 0)
        m_lastTime = landed;
    emit seekLanded(landed);
    // Whoever heard it may have sought since: that came last and wins over one left waiting.
    if (m_seeks.pending())
        return;
    if (const auto next = m_seeks.takeNext(); next && isOpen())
        sendSeek(*next);
}

// ---- opening and closing --------------------------------------------------------------------

bool MpvPicture::open(const QString& path, bool withSound)
{
    if (!m_mpv)
        return false;
    m_openEntry = 0;
    m_seeks.forget();
    m_lastTime = 0;
    // Only ordinary files go to mpv: it would play a folder's movies as a playlist, wait on a
    // device, or go to the network for an address.
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        close();
        return false;
    }
    // A movie opens halted at its start; Play starts it.
    mpvcall::setFlag(m_mpv.get(), mpvname::pause, true);
    // With nothing yet to draw into (the window has not shown), mpv would fail the picture, and
    // a movie without sound with it. Until the renderer comes, the picture is decoded and timed
    // as usual but goes nowhere.
    if (m_showsVideo) {
        const bool rendererMissing = m_videoWidget == nullptr || !m_videoWidget->hasRenderer();
        useVideoOutput(rendererMissing ? nullOutput : libmpvOutput);
    }
    mpvcall::setText(m_mpv.get(), mpvname::vid, "auto");
    mpvcall::setText(m_mpv.get(), "aid", withSound ? "auto" : "no");
    const bool loaded = loadAndWait(file.absoluteFilePath());
    if (loaded)
        m_openEntry = m_loadingEntry;
    else
        close();
    m_loading = Loading::None;
    return loaded;
}

bool MpvPicture::loadAndWait(const QString& path)
{
    const QByteArray utf8 = path.toUtf8();
    const char* args[] = {"loadfile", utf8.constData(), "replace", nullptr};
    MpvNode result;
    if (mpv_command_ret(m_mpv.get(), args, result.receive()) < 0)
        return false;
    const auto entry = result.int64Member("playlist_entry_id");
    if (!entry)
        return false;
    m_loadingEntry = *entry;
    m_loading = Loading::Waiting;

    // The caller reads the duration on the next line, so wait here, handling mpv's events
    // ourselves (other events keep their effect), until this movie is loaded or has failed.
    const QDeadlineTimer deadline(loadTimeoutMs);
    while (m_mpv && m_loading == Loading::Waiting && !deadline.hasExpired()) {
        const double secondsLeft = static_cast<double>(deadline.remainingTime()) / 1000.0;
        const mpv_event* event = mpv_wait_event(m_mpv.get(), secondsLeft);
        if (event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
    return m_loading == Loading::Loaded;
}

void MpvPicture::close()
{
    m_openEntry = 0;
    m_seeks.forget();
    mpvcall::command(m_mpv.get(), {"stop"});
}

void MpvPicture::shutDown()
{
    if (!m_mpv)
        return;
    if (m_fullScreen != nullptr)
        m_fullScreen->leave();
    mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
    // The renderer must go before the core it draws from.
    if (m_videoWidget != nullptr)
        m_videoWidget->detach();
    m_mpv.reset();
    m_openEntry = 0;
    m_seeks.forget();
}

void MpvPicture::useVideoOutput(const char* output)
{
    // Changing the output restarts the picture of a movie that is open, so only when it differs.
    if (m_videoOutput == output)
        return;
    if (mpvcall::setText(m_mpv.get(), "vo", output))
        m_videoOutput = output;
}

void MpvPicture::restoreVideo()
{
    if (!m_mpv || !m_showsVideo)
        return;
    // A movie opened before the renderer existed plays its picture into nothing; from now on the
    // picture goes to the renderer (mpv restarts the movie's picture on the new output).
    if (m_videoOutput != libmpvOutput) {
        useVideoOutput(libmpvOutput);
        return;
    }
    if (!isOpen())
        return;
    // mpv drops the picture when the renderer goes with its GL context (should the picture
    // window's context be lost). Selecting the video track again brings it back.
    MpvNode tracks;
    if (mpv_get_property(m_mpv.get(), "track-list", MPV_FORMAT_NODE, tracks.receive()) < 0)
        return;
    const std::optional<std::int64_t> videoTrack = MpvNode::firstTrackId(tracks.node(), "video");
    if (!videoTrack)
        return;
    mpvcall::setText(m_mpv.get(), mpvname::vid, "no");
    std::int64_t id = *videoTrack;
    mpv_set_property(m_mpv.get(), mpvname::vid, MPV_FORMAT_INT64, &id);
}

// ---- playing --------------------------------------------------------------------------------

double MpvPicture::duration() const
{
    double seconds = 0;
    if (!m_mpv || !isOpen() || mpv_get_property(m_mpv.get(), "duration", MPV_FORMAT_DOUBLE, &seconds) < 0)
        return 0;
    return seconds;
}

double MpvPicture::time() const
{
    if (const auto target = m_seeks.target())
        return *target;
    if (!m_mpv || !isOpen())
        return 0;
    double seconds = 0;
    if (mpv_get_property(m_mpv.get(), mpvname::timePos, MPV_FORMAT_DOUBLE, &seconds) < 0)
        return m_lastTime;
    return seconds;
}

void MpvPicture::seek(double seconds)
{
    if (!m_mpv || !isOpen() || !std::isfinite(seconds))
        return;
    // mpv reads a negative absolute time as counted from the end.
    const double target = std::max(0.0, seconds);
    if (m_seeks.ask(target))
        sendSeek(target);
}

void MpvPicture::sendSeek(double target)
{
    const QByteArray text = QByteArray::number(target, 'f', 6);
    const char* args[] = {"seek", text.constData(), "absolute+exact", nullptr};
    const std::uint64_t id = ++m_lastReplyId;
    if (mpv_command_async(m_mpv.get(), id, args) < 0) {
        m_seeks.forget();
        return;
    }
    m_seeks.sent(id);
}

void MpvPicture::setPaused(bool paused)
{
    mpvcall::setFlag(m_mpv.get(), mpvname::pause, paused);
}

bool MpvPicture::isPaused() const
{
    return mpvcall::flag(m_mpv.get(), mpvname::pause);
}

void MpvPicture::setSpeed(double speed)
{
    if (speed == m_speed)
        return;
    m_speed = speed;
    mpvcall::setDouble(m_mpv.get(), "speed", speed);
}

void MpvPicture::setLoop(double from, double to)
{
    // mpv would swap the ends of a reversed window and loop between them.
    if (!(std::isfinite(from) && std::isfinite(to) && 0 <= from && from < to)) {
        mpvcall::setText(m_mpv.get(), "ab-loop-a", "no");
        mpvcall::setText(m_mpv.get(), "ab-loop-b", "no");
        return;
    }
    mpvcall::setDouble(m_mpv.get(), "ab-loop-a", from);
    mpvcall::setDouble(m_mpv.get(), "ab-loop-b", to);
}

// ---- picture --------------------------------------------------------------------------------

void MpvPicture::setFullScreen(bool on)
{
    videoWidget();
    if (on)
        m_fullScreen->enter();
    else
        m_fullScreen->leave();
}

void MpvPicture::videoWidget_DoubleClicked()
{
    // In full screen a double click is the way back; in the window it is the user's request.
    if (m_fullScreen->isFullScreen())
        m_fullScreen->leave();
    else
        emit doubleClicked();
}

QImage MpvPicture::frameOnShow()
{
    if (!m_mpv || !isOpen())
        return {};
    const char* args[] = {"screenshot-raw", "video", nullptr};
    MpvNode picture;
    if (mpv_command_ret(m_mpv.get(), args, picture.receive()) < 0)
        return {};
    return imageFromScreenshot(picture.node());
}
#include "moc_MpvPicture.cpp"
