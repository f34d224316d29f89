#include "player/SeekQueue.h"

#include <utility>

bool SeekQueue::ask(double target)
{
    const bool underWay = m_target.has_value();
    m_target = target;
    // While one is under way this one waits; otherwise it goes now and any left waiting is stale.
    m_next = underWay ? std::optional(target) : std::nullopt;
    return !underWay;
}

bool SeekQueue::replied(std::uint64_t replyId, bool accepted)
{
    if (!m_target || replyId != m_replyId)
        return false;
    if (!accepted) {
        m_target.reset();
        return true;
    }
    m_stage = Stage::Accepted;
    return false;
}

void SeekQueue::started()
{
    if (m_target && m_stage == Stage::Accepted)
        m_stage = Stage::Started;
}

bool SeekQueue::restarted()
{
    if (!m_target || m_stage != Stage::Started)
        return false;
    m_target.reset();
    return true;
}

std::optional<double> SeekQueue::takeNext()
{
    return std::exchange(m_next, std::nullopt);
}

void SeekQueue::forget()
{
    m_target.reset();
    m_next.reset();
}
