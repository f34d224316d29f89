#include "player/StretcherChain.h"

#include "player/MpvCalls.h"
#include "player/MpvNames.h"
#include "player/RubberBandFilter.h"

#include <QByteArray>

void StretcherChain::setTempo(int percent)
{
    m_settings.setTempo(percent);
    apply();
}

void StretcherChain::setPitch(double semitones)
{
    m_settings.setPitch(semitones);
    apply();
}

void StretcherChain::setRate(double factor)
{
    m_settings.setRate(factor);
    apply();
}

void StretcherChain::prepareForNextMovie()
{
    if (m_inChain && m_listedPitchScale != m_appliedPitchScale)
        listStretcher(m_appliedPitchScale);
}

void StretcherChain::apply()
{
    if (m_mpv == nullptr)
        return;
    if (m_settings.isNeutral()) {
        mpvcall::setDouble(m_mpv, mpvname::speed, 1.0);
        if (m_inChain)
            mpvcall::setText(m_mpv, mpvname::audioFilters, "");
        m_inChain = false;
        return;
    }
    // The speed first, so that a stretcher joining the chain has it before its first sound. Set
    // after the stretcher, now and then (under load) the stretched tone came out 10 dB less clean.
    mpvcall::setDouble(m_mpv, mpvname::speed, m_settings.speed());
    const double pitchScale = m_settings.pitchScale();
    if (!m_inChain)
        m_inChain = listStretcher(pitchScale);
    else if (pitchScale != m_appliedPitchScale && !changeRunningPitch(pitchScale))
        listStretcher(pitchScale);
    m_appliedPitchScale = pitchScale;
}

bool StretcherChain::listStretcher(double pitchScale)
{
    // Setting the list rebuilds the filter chain, a short break in the sound of a playing movie.
    const QByteArray entry = RubberBandFilter::entry(pitchScale).toUtf8();
    const bool listed = mpvcall::setText(m_mpv, mpvname::audioFilters, entry.constData());
    if (listed)
        m_listedPitchScale = pitchScale;
    return listed;
}

bool StretcherChain::changeRunningPitch(double pitchScale)
{
    // Only a playing movie has a running stretcher; it changes pitch without a break. The list
    // is brought up to date before the next movie opens.
    const QByteArray value = QByteArray::number(pitchScale, 'g', 17);
    return mpvcall::command(
        m_mpv, {mpvname::filterCommand, RubberBandFilter::label, mpvname::setPitch, value.constData()});
}
