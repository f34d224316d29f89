#pragma once

#include <cstdint>
#include <optional>

// Exact seeks sent to the engine one at a time. The engine cancels a seek it is working on when
// the next one comes, so seeks quicker than it can finish them (keys held down, a slow machine)
// would leave the picture standing still: each one is finished, and of those asked for
// meanwhile only the last follows. A seek is done once the engine has accepted it, started it
// and restarted playback there; playback restarts for other reasons too (the opening's first
// frames may come after a seek was asked for), so only a restart after the seek's own start counts.
class SeekQueue
{
public:
    // A seek to `target`; true when it is to be sent now, false when it waits for the one under way.
    bool ask(double target);
    // The seek sent with this reply id.
    void sent(std::uint64_t replyId) { m_replyId = replyId, m_stage = Stage::Sent; }
    // The engine's reply to a command; an error ends the seek. True when the seek is done.
    bool replied(std::uint64_t replyId, bool accepted);
    void started();
    // Playback restarted; true when that ended the seek.
    bool restarted();
    // After a seek is done: the one to send next, if any waits.
    std::optional<double> takeNext();
    void forget();

    bool pending() const { return m_target.has_value(); }
    // Where the latest seek asked for goes.
    std::optional<double> target() const { return m_target; }

private:
    enum class Stage
    {
        Sent,
        Accepted,
        Started
    };
    std::optional<double> m_target;
    std::optional<double> m_next;
    std::uint64_t m_replyId = 0;
    Stage m_stage = Stage::Sent;
};
