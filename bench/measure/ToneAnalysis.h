#pragma once

#include <span>

// Measurements of a single steady tone in played sound.
namespace ToneAnalysis {

// Frequency in Hz from the upward zero crossings over the whole stretch (interpolated between
// samples, with hysteresis against noise); NaN with fewer than two. Over a second or more of a
// clean tone this is good to far below a hundredth of a cent.
double frequency(std::span<const float> samples, int sampleRate);

double rms(std::span<const float> samples);
// Level in decibels relative to full scale; -inf for silence.
double rmsDecibels(std::span<const float> samples);

// How far `measured` lies from `reference`, in cents.
double cents(double measured, double reference);

// Signal to noise and distortion in dB: each 20 ms block is fitted with a sine at the given
// frequency, and what the fit leaves counts as noise and distortion.
double sinadDecibels(std::span<const float> samples, int sampleRate, double frequency);

} // namespace ToneAnalysis
