#pragma once

// The player's volume is an attenuation in hundredths of a decibel: 0 full level, -10000
// silence. mpv's volume is a percent whose cube is the gain, so a percent is what we hand it.
namespace VolumeLevel {

inline constexpr int full = 0;
inline constexpr int silence = -10000;

// The attenuation kept within silence..full.
int clamped(int hundredthsOfDecibel);

// mpv's volume percent that gives this attenuation; 0 (no sound at all) at silence.
double mpvPercent(int hundredthsOfDecibel);

} // namespace VolumeLevel
