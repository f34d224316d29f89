#pragma once

#include "player/StretchSettings.h"

struct mpv_handle;

// Keeps an mpv core's playback speed and its time-stretcher in step with tempo, pitch and rate,
// across movies. The stretcher sits in the audio filter chain only while the sound is not as
// recorded: as recorded it would cost about as much processor time as decoding and add a little
// noise, for no change.
class StretcherChain
{
public:
    // The core to drive; null until there is one.
    void setCore(mpv_handle* mpv) { m_mpv = mpv; }

    void setTempo(int percent);
    void setPitch(double semitones);
    void setRate(double factor);
    // True while the sound plays as recorded, without the stretcher.
    bool isNeutral() const { return m_settings.isNeutral(); }

    // Call before a movie opens: it must start with the pitch last given to the running stretcher.
    void prepareForNextMovie();

private:
    void apply();
    bool listStretcher(double pitchScale);
    bool changeRunningPitch(double pitchScale);

    mpv_handle* m_mpv = nullptr;
    StretchSettings m_settings;
    bool m_inChain = false;
    // The pitch scale written into the filter list, and the one the running stretcher has.
    double m_listedPitchScale = 1.0;
    double m_appliedPitchScale = 1.0;
};
