#include "player/SoundTimeline.h"

#include <algorithm>

void SoundTimeline::restart(std::uint64_t ringFrame, std::int64_t movieFrame)
{
    m_inputs.clear();
    m_inputFed = 0;
    m_outputInput = 0;
    const std::lock_guard lock(m_mutex);
    m_marks.clear();
    m_wraps.clear();
    m_start = {ringFrame, static_cast<double>(movieFrame) / m_rate};
}

void SoundTimeline::input(std::int64_t movieFrame, bool wraps, bool holds)
{
    const double at = static_cast<double>(m_inputFed);
    if (!m_inputs.empty() && m_inputs.back().inputFrame == at)
        m_inputs.back() = {at, movieFrame, wraps, holds};
    else
        m_inputs.push_back({at, movieFrame, wraps, holds});
}

const SoundTimeline::InputStretch* SoundTimeline::stretchAt(double inputFrame) const
{
    for (auto stretch = m_inputs.rbegin(); stretch != m_inputs.rend(); ++stretch)
        if (stretch->inputFrame <= inputFrame)
            return &*stretch;
    return m_inputs.empty() ? nullptr : &m_inputs.front();
}

double SoundTimeline::movieFrameOfInput(double inputFrame) const
{
    const InputStretch* stretch = stretchAt(inputFrame);
    if (stretch == nullptr)
        return 0.0;
    const double into = stretch->holds ? 0.0 : std::max(0.0, inputFrame - stretch->inputFrame);
    return static_cast<double>(stretch->movieFrame) + into;
}

void SoundTimeline::output(std::uint64_t ringFrame, std::size_t frames, double speed, std::uint64_t heard)
{
    // One mark per stretch of input the output spans, so a join starts a mark of its own; a
    // stretch that starts right at the output's first frame starts here, not in the last call.
    std::deque<Mark> made;
    std::deque<Wrap> wraps;
    double from = m_outputInput;
    const double to = from + static_cast<double>(frames) * speed;
    std::uint64_t ringAt = ringFrame;
    while (from < to) {
        double next = to;
        for (const InputStretch& stretch : m_inputs)
            if (stretch.inputFrame > from && stretch.inputFrame < next)
                next = stretch.inputFrame;
        const InputStretch* stretch = stretchAt(from);
        const bool holds = stretch != nullptr && stretch->holds;
        made.push_back({ringAt, movieFrameOfInput(from), holds ? 0.0 : speed});
        if (stretch != nullptr && stretch->wraps && stretch->inputFrame == from)
            wraps.push_back({ringAt, speed});
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
    for (const Wrap& wrap : wraps)
        m_wraps.push_back(wrap);
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

int SoundTimeline::takeWrapsBefore(double ringFrame)
{
    const std::lock_guard lock(m_mutex);
    int taken = 0;
    for (; !m_wraps.empty() && static_cast<double>(m_wraps.front().ringFrame) <= ringFrame; ++taken)
        m_wraps.pop_front();
    return taken;
}

std::optional<SoundTimeline::Wrap> SoundTimeline::wrapAfter(double ringFrame) const
{
    const std::lock_guard lock(m_mutex);
    for (const Wrap& wrap : m_wraps)
        if (static_cast<double>(wrap.ringFrame) > ringFrame)
            return wrap;
    return std::nullopt;
}
