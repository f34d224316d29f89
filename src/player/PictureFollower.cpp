#include "player/PictureFollower.h"

#include "player/MpvPicture.h"
#include "player/SoundPath.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Further apart than this, the picture seeks; closer, it is nudged.
constexpr double farApartSeconds = 0.25;
// A nudge closes a third of the gap each second, by at most a tenth of the speed: an offset of
// 40 ms is within 30 ms in a tenth of a second and gone in about a second, too little a change
// for the eye.
constexpr double nudgePerSecond = 3.0;
constexpr double largestNudge = 0.10;
// Offsets of single frames jitter with the event loop; their average over a few frames counts.
constexpr double newFrameWeight = 0.3;
// Steps between frames longer than this are seeks or stills, not a frame's length.
constexpr double longestFrameSeconds = 0.1;
// A join's seek goes out this many expected seek times before the join (and a frame more).
constexpr double joinSeekMargin = 1.5;
// A join this close is prepared now.
constexpr double joinLookAheadSeconds = 0.2;

} // namespace

PictureFollower::PictureFollower(MpvPicture& picture, SoundPath& sound, QObject* parent)
    : QObject(parent), m_picture(picture), m_sound(sound), m_offset(std::nan(""))
{
    for (QTimer* timer : {&m_joinTimer, &m_joinStartTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_joinTimer, &QTimer::timeout, this, &PictureFollower::seekForJoin);
    connect(&m_joinStartTimer, &QTimer::timeout, this, [this] {
        m_speed = m_joinSpeed;
        m_picture.setSpeed(m_speed);
        m_picture.setPaused(false);
    });
    connect(&m_picture, &MpvPicture::timeChanged, this, &PictureFollower::picture_timeChanged);
    connect(&m_picture, &MpvPicture::seekLanded, this, &PictureFollower::picture_seekLanded);
}

void PictureFollower::setSpeed(double speed)
{
    m_speed = speed;
    m_picture.setSpeed(speed);
}

void PictureFollower::setFollowing(bool following)
{
    m_following = following;
    m_offset = std::nan("");
    m_joinTimer.stop();
    m_joinStartTimer.stop();
    m_joinPlanned = false;
    if (!following)
        m_picture.setSpeed(m_speed);
}

void PictureFollower::picture_timeChanged(double seconds)
{
    // mpv names a frame's time when it hands the frame to the screen, which shows it a frame
    // later: the frame on show is the one before. A frame's length is learnt from the steps.
    const double step = seconds - m_lastFrameTime;
    m_lastFrameTime = seconds;
    if (step > 0 && step < longestFrameSeconds)
        m_frameSeconds = step;
    const std::optional<double> heard = m_sound.position();
    if (!m_following || !heard || m_sound.hasEnded()) {
        m_picture.setSpeed(m_speed);
        return;
    }
    // Until the sound has passed the join, the picture is on its way there.
    if (prepareJoin())
        return;
    const double offset = seconds - m_frameSeconds - *heard;
    if (std::abs(offset) > farApartSeconds) {
        // Where the sound will be once the picture gets there.
        seekPicture(*heard + m_seekSeconds * m_speed);
        return;
    }
    m_offset = std::isnan(m_offset) ? offset : m_offset + (offset - m_offset) * newFrameWeight;
    const double nudge = std::clamp(m_offset * nudgePerSecond, -largestNudge, largestNudge);
    const double corrected = m_speed * (1.0 - nudge);
    // mpv's speed is set only when the change is worth it.
    if (std::abs(nudge) < 0.002)
        m_picture.setSpeed(m_speed);
    else
        m_picture.setSpeed(corrected);
}

bool PictureFollower::prepareJoin()
{
    const std::optional<double> heard = m_sound.position();
    if (m_joinPlanned) {
        // Until the sound has gone back, the picture is on its way to the loop's beginning (unless
        // the loop was taken away meanwhile).
        m_joinPlanned = heard && *heard >= m_heardWhenPlanned && m_sound.nextJoin();
        return m_joinPlanned;
    }
    const auto join = m_sound.nextJoin();
    // With time to spare: the picture then waits at the beginning for the sound.
    const double lead = joinSeekMargin * m_joinSeekSeconds + m_frameSeconds / m_speed;
    if (!heard || !join || join->secondsAway > lead + joinLookAheadSeconds)
        return false;
    m_joinPlanned = true;
    m_heardWhenPlanned = *heard;
    m_joinTarget = join->goesTo;
    m_joinTimer.start(static_cast<int>(std::max(0.0, join->secondsAway - lead) * 1000));
    return true;
}

void PictureFollower::seekForJoin()
{
    // The picture waits, halted, on the frame before the loop's beginning, and goes on once the
    // sound is a frame from the join: its next frame, the beginning, shows as the join is heard.
    // However long the seek takes (within the margin), the two jump together. Through a pause
    // the loop's first frame is on show, and the picture goes on a frame before the pause ends.
    const auto join = m_sound.nextJoin();
    if (!m_joinPlanned || !join)
        return;
    m_picture.setPaused(true);
    seekPicture(join->pause > 0 ? m_joinTarget : std::max(0.0, m_joinTarget - m_frameSeconds));
    m_seekForJoin = true;
    m_joinSpeed = join->speedAfter;
    const double startIn = join->secondsAway + join->pause - m_frameSeconds / m_joinSpeed;
    m_joinStartTimer.start(static_cast<int>(std::max(0.0, startIn) * 1000));
}

void PictureFollower::seekPicture(double seconds)
{
    m_ownSeek = true;
    m_seekForJoin = false;
    m_seekClock.start();
    m_offset = std::nan("");
    m_picture.seek(seconds);
}

void PictureFollower::picture_seekLanded()
{
    if (!m_ownSeek || m_picture.seekPending())
        return;
    m_ownSeek = false;
    const double took = static_cast<double>(m_seekClock.nsecsElapsed()) * 1e-9;
    // Every join seeks to the same place, so the last one says best how long the next will take.
    if (std::exchange(m_seekForJoin, false))
        m_joinSeekSeconds = std::clamp(took, 0.02, 1.0);
    else
        m_seekSeconds = std::clamp(m_seekSeconds + (took - m_seekSeconds) * 0.5, 0.02, 1.0);
}
#include "moc_PictureFollower.cpp"
