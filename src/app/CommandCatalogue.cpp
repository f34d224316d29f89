#include "app/CommandCatalogue.h"

namespace {
using C = Command;

// clang-format off
constexpr CommandRoute catalogue[] = {
    // command             toolbar button          on-screen button      menu entry              hot key
    {C::Open,              "tlbCmdOpen",           "cmdOpen",            "mnuOpen",              "htkOpen"},
    {C::Play,              "tlbCmdPlay",           "cmdPlay",            "mnuPlay",              "htkPlay"},
    {C::PlayLoop,          "tlbCmdPlayLoop",       "cmdPlayLoop",        "mnuPlayLoop",          "htkPlayLoop"},
    {C::Pause,             "tlbCmdPause",          "cmdPause",           "mnuPause",             "htkPause"},
    {C::Stop,              "tlbCmdStop",           "cmdStop",            "mnuStop",              "htkStop"},
    {C::Rewind,            "tlbCmdRewind",         "cmdRewind",          "mnuRewind",            "htkRewind"},
    {C::FForward,          "tlbCmdFForward",       "cmdFForward",        "mnuFForward",          "htkFForward"},
    {C::LoopWinBack,       "tlbCmdLoopWinBack",    "cmdLoopWinBack",     "mnuLoopWinBack",       "htkLoopWinBack"},
    {C::LoopWinForward,    "tlbCmdLoopWinForward", "cmdLoopWinForward",  "mnuLoopWinFF",         "htkLoopWinForward"},
    {C::FullScreen,        "tlbCmdResize",         nullptr,              "mnuFullScreen",        "htkFullScreen"},
    // The View menu's window-view entry names this command in its caption, so it runs it.
    {C::WindowView,        "tlbCmdWindowed",       nullptr,              "mnuWindowedVideo",     nullptr},
    {C::ResetAll,          nullptr,                "cmdResetAll",        "mnuResetAll",          "htkReset"},
    {C::Tempo10Up,         nullptr,                "cmdTempo10Up",       "mnuTempo10Up",         "htkTempo10Up"},
    {C::Tempo1Up,          nullptr,                "cmdTempo1Up",        "mnuTempo1Up",          "htkTempo1Up"},
    {C::TempoReset,        nullptr,                "cmdTempoReset",      "mnuTempoReset",        nullptr},
    {C::TempoResetByHotKey, nullptr,               nullptr,              nullptr,                "htkTempoReset"},
    {C::Tempo1Down,        nullptr,                "cmdTempo1Down",      "mnuTempo1Down",        "htkTempo1Down"},
    {C::Tempo10Down,       nullptr,                "cmdTempo10Down",     "mnuTempo10Down",       "htkTempo10Down"},
    {C::Rate10Up,          nullptr,                "cmdRate10Up",        "mnuTempoPitch10Up",    "htkRate10Up"},
    {C::Rate1Up,           nullptr,                "cmdRate1Up",         "mnuTempoPitch1Up",     "htkRate1Up"},
    {C::RateReset,         nullptr,                "cmdRateReset",       "mnuTempoPitchReset",   "htkRateReset"},
    {C::Rate1Down,         nullptr,                "cmdRate1Down",       "mnuTempoPitch1Down",   "htkRate1Down"},
    {C::Rate10Down,        nullptr,                "cmdRate10Down",      "mnuTempoPitch10Down",  "htkRate10Down"},
    {C::Semitones12Up,     nullptr,                "cmdPitch12UpSemi",   "mnuPitchSemi12Up",     "htkOctaveUp"},
    {C::Semitones1Up,      nullptr,                "cmdPitch1UpSemi",    "mnuPitchSemi1Up",      "htkSemitoneUp"},
    {C::SemitonesReset,    nullptr,                "cmdPitchResetSemi",  "mnuPitchSemiReset",    nullptr},
    {C::Semitones1Down,    nullptr,                "cmdPitch1DownSemi",  "mnuPitchSemi1Down",    "htkSemitoneDown"},
    {C::Semitones12Down,   nullptr,                "cmdPitch12DownSemi", "mnuPitchSemi12Down",   "htkOctaveDown"},
    {C::FinePitch50Up,     nullptr,                "cmdPitch10UpGrad",   "mnuPitch10Up",         nullptr},
    {C::FinePitch1Up,      nullptr,                "cmdPitch1UpGrad",    "mnuPitch1Up",          "htk2CentsUp"},
    {C::FinePitchReset,    nullptr,                "cmdPitchResetGrad",  "mnuPitchReset",        nullptr},
    {C::FinePitch1Down,    nullptr,                "cmdPitch1DownGrad",  "mnuPitch1Down",        "htk2CentsDown"},
    {C::FinePitch50Down,   nullptr,                "cmdPitch10DownGrad", "mnuPitch10Down",       nullptr},
    {C::BothPitchesReset,  nullptr,                nullptr,              nullptr,                "htkPitchReset"},
    {C::GainDown,          nullptr,                "cmdGainDown",        nullptr,                nullptr},
    {C::GainUp,            nullptr,                "cmdGainUp",          nullptr,                nullptr},
    {C::Exit,              nullptr,                nullptr,              "mnuExit",              nullptr},
};
// clang-format on
} // namespace

std::span<const CommandRoute> commandCatalogue()
{
    return catalogue;
}
