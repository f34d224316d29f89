#include "player/SoundPath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t blockFrames = 512;
// How far making runs ahead of what the server has been sent: room for a loop's join to be read
// and stretched before it is heard, short enough that a tempo change is heard soon.
constexpr std::size_t aheadFrames = SoundPath::rate * 15 / 100;
constexpr std::size_t ringFrames = SoundPath::rate * 2;
constexpr std::size_t fadeFrames = SoundPath::rate * 30 / 1000;
// Room the stretcher's output of one block needs in the ring, at the slowest speed.
constexpr std::size_t roomFrames = blockFrames * 110;
// The user interface and the maker both change the speeds, each in one step.
static_assert(std::atomic<SoundPath::Speeds>::is_always_lock_free);

std::int64_t frameAt(double seconds)
{
    return static_cast<std::int64_t>(std::llround(seconds * SoundPath::rate));
}

} // namespace

SoundPath::SoundPath(SoundOutput::Kind output, const QString& wavePath)
    : m_ring(ringFrames), m_output(m_ring, rate, output, wavePath.toStdString()), m_timeline(rate),
      m_decoder(rate), m_stretcher(rate, blockFrames), m_reader(m_decoder, fadeFrames)
{}

SoundPath::~SoundPath()
{
    stopMaking();
}

bool SoundPath::open(const QString& path)
{
    close();
    m_open = m_decoder.open(path);
    m_output.setStandingBy(m_open);
    setView(m_view);
    if (m_open)
        startMaking(0);
    return m_open;
}

void SoundPath::close()
{
    stopMaking();
    m_output.setPlaying(false);
    m_output.setStandingBy(false);
    m_output.dropBefore(m_ring.written());
    m_open = false;
}

void SoundPath::play()
{
    if (m_open)
        m_output.setPlaying(true);
}

void SoundPath::pause()
{
    m_output.setPlaying(false);
}

void SoundPath::seek(double seconds)
{
    if (m_open)
        startMaking(std::max(0.0, seconds));
}

void SoundPath::setLoop(double from, double to)
{
    const bool loops = std::isfinite(from) && std::isfinite(to) && 0 <= from && from < to;
    m_loopFrom.store(loops ? frameAt(from) : 0);
    m_loopTo.store(loops ? frameAt(to) : 0);
}

void SoundPath::setView(SoundView view)
{
    m_view = view;
    // The views pick parts out of two channels; one channel is all there is to hear.
    m_output.setView(hasTwoChannels() ? view : SoundView::BothChannels);
}

std::optional<double> SoundPath::position() const
{
    if (!m_open)
        return std::nullopt;
    return m_timeline.secondsAt(m_output.heardFrame());
}

bool SoundPath::hasEnded() const
{
    return m_open && m_made.load() && m_output.heardFrame() >= static_cast<double>(m_ring.written());
}

std::optional<SoundPath::Join> SoundPath::nextJoin() const
{
    // Reckoned from the loop's end until the join is made: the sound is made only a moment
    // ahead, and the picture's seek may need longer. A join made is where the ring says.
    const std::optional<double> heard = position();
    const double from = static_cast<double>(m_loopFrom.load()) / rate;
    const double to = static_cast<double>(m_loopTo.load()) / rate;
    if (!heard || from >= to || *heard >= to || hasEnded())
        return std::nullopt;
    const double heardFrame = m_output.heardFrame();
    const double pause = m_pauseSeconds.load();
    if (const auto made = m_timeline.wrapAfter(heardFrame))
        return Join{(static_cast<double>(made->ringFrame) - heardFrame) / rate, from, pause, made->speed};
    const Speeds speeds = m_speeds.load();
    return Join{(to - *heard) / speeds.now, from, pause,
                speeds.atNextWrap > 0 ? speeds.atNextWrap : speeds.now};
}

int SoundPath::takeWrapsHeard()
{
    return m_open ? m_timeline.takeWrapsBefore(m_output.heardFrame()) : 0;
}

// ---- making ---------------------------------------------------------------------------------

void SoundPath::startMaking(double seconds)
{
    stopMaking();
    const std::uint64_t first = m_ring.written();
    // Whatever was made for the old place is not to be heard.
    m_output.dropBefore(first);
    m_output.setSoundEnded(false);
    m_made.store(false);
    m_readAll = false;
    m_timeline.restart(first, frameAt(seconds));
    m_stopMaking.store(false);
    // Moving the decoder and starting the stretcher afresh take a few milliseconds: on the
    // maker's thread, so that the user interface goes on at once.
    m_maker = std::thread([this, seconds] {
        m_reader.seek(frameAt(seconds));
        m_stretcher.restart(m_speeds.load().now, m_pitchScale.load(), m_decoder.isMono());
        make();
    });
}

void SoundPath::stopMaking()
{
    if (!m_maker.joinable())
        return;
    m_stopMaking.store(true);
    m_maker.join();
}

void SoundPath::make()
{
    while (!m_stopMaking.load()) {
        if (m_readAll) {
            takeFromStretcher();
            m_made.store(!m_stretcher.holdsMore() || m_timeline.outputFramesLeft(m_stretcher.speed()) == 0);
            if (m_made.load())
                m_output.setSoundEnded(true);
        }
        if (m_made.load() || m_ring.unsentFrames() > aheadFrames || m_ring.freeFrames() < roomFrames) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            continue;
        }
        if (!m_readAll)
            makeBlock();
    }
}

void SoundPath::makeBlock()
{
    m_reader.setLoop(m_loopFrom.load(), m_loopTo.load());
    // A pause is silence that the stretcher stretches to its length at the next pass's speed.
    const Speeds speeds = m_speeds.load();
    const double nextSpeed = speeds.atNextWrap > 0 ? speeds.atNextWrap : speeds.now;
    m_reader.setPause(frameAt(m_pauseSeconds.load() * nextSpeed));

    float block[blockFrames * SoundRing::channels];
    const LoopingReader::Run run = m_reader.read(block, blockFrames);
    if (run.frames == 0) {
        finish();
        return;
    }
    // The pass a join begins plays wholly at the speed that waited for it. A stretcher that
    // starts in the middle of playback starts from the sound fed to it next.
    const double speed = run.wraps ? takeSpeedForPass() : speeds.now;
    if (m_stretcher.change(speed, m_pitchScale.load()))
        m_timeline.resyncOutputToInput();
    m_timeline.input(run.firstFrame, run.wraps, run.holds);
    m_timeline.inputFed(run.frames);
    m_stretcher.process(block, run.frames, false);
    takeFromStretcher();
}

void SoundPath::finish()
{
    // The stretcher holds back its last moments until silence pushes them out; what it makes
    // of the silence is not played (see takeFromStretcher).
    m_stretcher.pushOut();
    m_readAll = true;
}

void SoundPath::takeFromStretcher()
{
    float made[blockFrames * SoundRing::channels];
    while (true) {
        std::size_t count = std::min<std::size_t>(blockFrames, m_ring.freeFrames());
        // Once all is read, only as much as the sound lasts at this speed.
        if (m_readAll)
            count = std::min(count, m_timeline.outputFramesLeft(m_stretcher.speed()));
        const std::size_t got = count == 0 ? 0 : m_stretcher.retrieve(made, count);
        if (got == 0)
            return;
        m_timeline.output(m_ring.written(), got, m_stretcher.speed(), m_ring.released());
        m_ring.write(made, got);
    }
}

double SoundPath::takeSpeedForPass()
{
    Speeds speeds = m_speeds.load();
    while (speeds.atNextWrap > 0)
        if (m_speeds.compare_exchange_weak(speeds, {speeds.atNextWrap, 0.0f}))
            return speeds.atNextWrap;
    return speeds.now;
}
