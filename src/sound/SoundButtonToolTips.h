#pragma once

#include <array>

// A picture button of the sound panel and the tool tip it shows.
struct SoundButtonToolTip
{
    const char* button; // objectName, which is also the name of the command it runs
    const char* toolTip;
};

// Every button of the sound panel: column by column (tempo, semitones, fine pitch, rate), each
// from top to bottom (large step up, small step up, reset, small step down, large step down),
// then Reset all and the two volume buttons. Tempo steps name the percent, fine steps the
// interval, so that no tip is a bare number that could be read as the other column's unit.
inline constexpr std::array<SoundButtonToolTip, 23> soundButtonToolTips{{
    {"cmdTempo10Up", "+10%"},
    {"cmdTempo1Up", "+1%"},
    {"cmdTempoReset", "Reset"},
    {"cmdTempo1Down", "-1%"},
    {"cmdTempo10Down", "-10%"},
    {"cmdPitch12UpSemi", "+12"},
    {"cmdPitch1UpSemi", "+1"},
    {"cmdPitchResetSemi", "Reset"},
    {"cmdPitch1DownSemi", "-1"},
    {"cmdPitch12DownSemi", "-12"},
    {"cmdPitch10UpGrad", "+1 semitone"},
    {"cmdPitch1UpGrad", "+2 cents"},
    {"cmdPitchResetGrad", "Reset"},
    {"cmdPitch1DownGrad", "-2 cents"},
    {"cmdPitch10DownGrad", "-1 semitone"},
    {"cmdRate10Up", "+10"},
    {"cmdRate1Up", "+1"},
    {"cmdRateReset", "Reset"},
    {"cmdRate1Down", "-1"},
    {"cmdRate10Down", "-10"},
    {"cmdResetAll", "Reset all"},
    {"cmdGainDown", "Volume down"},
    {"cmdGainUp", "Volume up"},
}};
