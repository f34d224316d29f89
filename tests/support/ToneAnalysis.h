#pragma once

#include <span>

// Measurements of a single steady tone in captured sound.
class ToneAnalysis
{
public:
    // Frequency in Hz from the upward zero crossings over the whole stretch (interpolated
    // between samples, with hysteresis against noise); NaN when fewer than two crossings.
    // Over a second or more of a clean tone this is good to far below a cent.
    static double frequency(std::span<const float> samples, int sampleRate);

    static double rms(std::span<const float> samples);
    // Level in decibels relative to full scale (a full-scale square wave); -inf for silence.
    static double rmsDecibels(std::span<const float> samples);

    // How far `measured` lies from `reference`, in cents (hundredths of a semitone).
    static double cents(double measured, double reference);

    // Signal to noise and distortion in dB: each 20 ms block is fitted with a sine at the given
    // frequency, and what the fit does not explain counts as noise and distortion.
    static double sinadDecibels(std::span<const float> samples, int sampleRate, double frequency);

    // Ratio in dB of the loudest to the quietest 20 ms block's tone amplitude: 0 for a steady
    // tone, large when the sound drops out or pumps.
    static double levelSpreadDecibels(std::span<const float> samples, int sampleRate, double frequency);
};
