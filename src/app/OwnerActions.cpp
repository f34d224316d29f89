#include "app/OwnerActions.h"

#include "playback/FullScreenCommands.h"
#include "playback/LoopWindow.h"
#include "playback/TransportCommands.h"
#include "sound/PitchControls.h"
#include "sound/RateControl.h"
#include "sound/SoundControls.h"
#include "sound/TempoControl.h"
#include "sound/VolumeControl.h"

namespace {
// The action that calls `command` on `owner`.
template <typename Owner> CommandRoutes::Action call(Owner& owner, void (Owner::*command)())
{
    return [&owner, command] { (owner.*command)(); };
}
} // namespace

CommandActions transportActions(TransportCommands& transport)
{
    using T = TransportCommands;
    return {
        {Command::Open, call(transport, &T::Open)},         {Command::Play, call(transport, &T::Play)},
        {Command::PlayLoop, call(transport, &T::PlayLoop)}, {Command::Pause, call(transport, &T::Pause)},
        {Command::Stop, call(transport, &T::Stop)},         {Command::Rewind, call(transport, &T::Rewind)},
        {Command::FForward, call(transport, &T::FForward)},
    };
}

CommandActions timeAxisActions(LoopWindow& loopWindow, FullScreenCommands& fullScreen)
{
    return {
        {Command::LoopWinBack, call(loopWindow, &LoopWindow::tlbCmdLoopWinBack)},
        {Command::LoopWinForward, call(loopWindow, &LoopWindow::tlbCmdLoopWinForward)},
        {Command::FullScreen, call(fullScreen, &FullScreenCommands::tlbCmdResize)},
        {Command::WindowView, call(fullScreen, &FullScreenCommands::tlbCmdWindowed)},
    };
}

CommandActions soundActions(SoundControls& sound)
{
    TempoControl& tempo = sound.tempo();
    PitchControls& pitch = sound.pitch();
    RateControl& rate = sound.rate();
    VolumeControl& volume = sound.volume();
    using P = PitchControls;
    return {
        {Command::ResetAll, call(sound, &SoundControls::cmdResetAll)},
        {Command::Tempo10Up, call(tempo, &TempoControl::cmdTempo10Up)},
        {Command::Tempo1Up, call(tempo, &TempoControl::cmdTempo1Up)},
        {Command::TempoReset, call(tempo, &TempoControl::cmdTempoReset)},
        {Command::TempoResetByHotKey, call(tempo, &TempoControl::htkTempoReset)},
        {Command::Tempo1Down, call(tempo, &TempoControl::cmdTempo1Down)},
        {Command::Tempo10Down, call(tempo, &TempoControl::cmdTempo10Down)},
        {Command::Rate10Up, call(rate, &RateControl::cmdRate10Up)},
        {Command::Rate1Up, call(rate, &RateControl::cmdRate1Up)},
        {Command::RateReset, call(rate, &RateControl::cmdRateReset)},
        {Command::Rate1Down, call(rate, &RateControl::cmdRate1Down)},
        {Command::Rate10Down, call(rate, &RateControl::cmdRate10Down)},
        {Command::Semitones12Up, call(pitch, &P::cmdPitch12UpSemi)},
        {Command::Semitones1Up, call(pitch, &P::cmdPitch1UpSemi)},
        {Command::SemitonesReset, call(pitch, &P::cmdPitchResetSemi)},
        {Command::Semitones1Down, call(pitch, &P::cmdPitch1DownSemi)},
        {Command::Semitones12Down, call(pitch, &P::cmdPitch12DownSemi)},
        {Command::FinePitch50Up, call(pitch, &P::cmdPitch10UpGrad)},
        {Command::FinePitch1Up, call(pitch, &P::cmdPitch1UpGrad)},
        {Command::FinePitchReset, call(pitch, &P::cmdPitchResetGrad)},
        {Command::FinePitch1Down, call(pitch, &P::cmdPitch1DownGrad)},
        {Command::FinePitch50Down, call(pitch, &P::cmdPitch10DownGrad)},
        {Command::BothPitchesReset, call(pitch, &P::htkPitchReset)},
        {Command::GainDown, call(volume, &VolumeControl::cmdGainDown)},
        {Command::GainUp, call(volume, &VolumeControl::cmdGainUp)},
    };
}
