#pragma once

// The player's volume is an attenuation in hundredths of a decibel: 0 full level, -10000
// silence.
namespace VolumeLevel {

inline constexpr int full = 0;
inline constexpr int silence = -10000;

// The attenuation kept within silence..full.
int clamped(int hundredthsOfDecibel);

// The factor the sound is multiplied by: 10^(dB/20); 0 (no sound at all) at silence.
double gain(int hundredthsOfDecibel);

} // namespace VolumeLevel
