#include "player/SoundTimeline.h"

void SoundTimeline::restart(std::uint64_t ringFrame, std::int64_t movieFrame)
{
    m_inputs.clear();
    m_inputFed = 0;
    m_outputInput = 0;
    const std::lock_guard lock(m_mutex);
    m_marks.clear();
    m_start = {ringFrame, static_cast<double>(movieFrame) / m_rate};
}

void SoundTimeline::input(std::int64_t movieFrame)
{
    const double at = static_cast<double>(m_inputFed);
    if (!m_inputs.empty() && m_inputs.back().inputFrame == at)
        m_inputs.back().movieFrame = movieFrame;
    else
        m_inputs.push_back({at, movieFrame});
}

double SoundTimeline::movieFrameOfInput(double inputFrame) const
{
    // The last stretch that starts at or before it.
    for (auto stretch = m_inputs.rbegin(); stretch != m_inputs.rend(); ++stretch)
        if (stretch->inputFrame <= inputFrame)
            return static_cast<double>(stretch->movieFrame) + (inputFrame - stretch->inputFrame);
    return m_inputs.empty() ? 0.0 : static_cast<double>(m_inputs.front().movieFrame);
}

void SoundTimeline::output(std::uint64_t ringFrame, std::size_t frames, double speed, std::uint64_t heard)
{
    // One mark per stretch of input the output spans, so a join starts a mark of its own.
    std::deque<Mark> made;
    double from = m_outputInput;
    const double to = from + static_cast<double>(frames) * speed;
    std::uint64_t ringAt = ringFrame;
    while (from < to) {
        double next = to;
        for (const InputStretch& stretch : m_inputs)
            if (stretch.inputFrame > from && stretch.inputFrame < next)
                next = stretch.inputFrame;
        made.push_back({ringAt, movieFrameOfInput(from), speed});
        ringAt = ringFrame + static_cast<std::uint64_t>((next - m_outputInput) / speed + 0.5);
        from = next;
    }
    m_outputInput = to;
    // Stretches the output has passed are no longer needed, except the one it stands in.
    while (m_inputs.size() > 1 && m_inputs[1].inputFrame <= m_outputInput)
        m_inputs.pop_front();

    const std::lock_guard lock(m_mutex);
    for (const Mark& mark : made)
        m_marks.push_back(mark);
    while (m_marks.size() > 1 && m_marks[1].ringFrame <= heard)
        m_marks.pop_front();
}

std::optional<double> SoundTimeline::secondsAt(double ringFrame) const
{
    const std::lock_guard lock(m_mutex);
    if (!m_start)
        return std::nullopt;
    const Mark* found = nullptr;
    for (const Mark& mark : m_marks) {
        if (static_cast<double>(mark.ringFrame) > ringFrame)
            break;
        found = &mark;
    }
    if (found == nullptr)
        return m_start->second;
    return (found->movieFrame + (ringFrame - static_cast<double>(found->ringFrame)) * found->speed) / m_rate;
}
