#include "app/CommandTable.h"

#include "about/HelpMenuCommands.h"
#include "calculators/CalculatorWindows.h"
#include "excerpt/ExcerptCommands.h"
#include "marks/MarksList.h"
#include "playback/FullScreenCommands.h"
#include "playback/LoopWindow.h"
#include "playback/TransportCommands.h"
#include "snapshot/SnapshotCommands.h"
#include "sound/SliderStep.h"
#include "sound/SoundControls.h"

#include <QSlider>
#include <QWidget>

namespace {
using Run = std::function<void()>;

template <typename Owner> Run call(Owner& owner, void (Owner::*method)())
{
    return [&owner, method] { (owner.*method)(); };
}

// A step moves its slider only when the result stays within the slider's range of the moment;
// the slider's change reaction does the rest.
Run stepBy(QSlider* slider, int step)
{
    return [slider, step] { stepSliderWithinRange(*slider, step); };
}

Run setTo(QSlider* slider, int value)
{
    return [slider, value] { slider->setValue(value); };
}

Run gain(SoundControls& sound, int hundredthsOfDecibel)
{
    return [&sound, hundredthsOfDecibel] { sound.volume().step(hundredthsOfDecibel); };
}
} // namespace

std::vector<CommandRow> commandTable(const CommandOwners& o)
{
    using T = TransportCommands;
    using L = LoopWindow;
    using F = FullScreenCommands;
    using S = SoundControls;
    using M = MarksList;
    using E = ExcerptCommands;
    using P = SnapshotCommands;
    using C = CalculatorWindows;
    using H = HelpMenuCommands;
    const SoundSliders& s = o.sliders;
    // clang-format off
    return {
        // toolbar button       on-screen button      menu entry             hot key               runs
        {"tlbCmdOpen",          "cmdOpen",            "mnuOpen",             "htkOpen",            call(o.transport, &T::Open)},
        {"tlbCmdPlay",          "cmdPlay",            "mnuPlay",             "htkPlay",            call(o.transport, &T::Play)},
        {"tlbCmdPlayLoop",      "cmdPlayLoop",        "mnuPlayLoop",         "htkPlayLoop",        call(o.transport, &T::PlayLoop)},
        {"tlbCmdPause",         "cmdPause",           "mnuPause",            "htkPause",           call(o.transport, &T::Pause)},
        {"tlbCmdStop",          "cmdStop",            "mnuStop",             "htkStop",            call(o.transport, &T::Stop)},
        {"tlbCmdRewind",        "cmdRewind",          "mnuRewind",           "htkRewind",          call(o.transport, &T::Rewind)},
        {"tlbCmdFForward",      "cmdFForward",        "mnuFForward",         "htkFForward",        call(o.transport, &T::FForward)},
        {"tlbCmdLoopWinBack",   "cmdLoopWinBack",     "mnuLoopWinBack",      "htkLoopWinBack",     call(o.loopWindow, &L::tlbCmdLoopWinBack)},
        {"tlbCmdLoopWinForward", "cmdLoopWinForward", "mnuLoopWinFF",        "htkLoopWinForward",  call(o.loopWindow, &L::tlbCmdLoopWinForward)},
        // Ctrl+L and Ctrl+S are the keys the two excerpt buttons' tool tips promise.
        {"tlbCmdLoadExcerpt",   nullptr,              "mnuLoadExcerpt",      "htkLoadExcerpt",     call(o.excerpts, &E::tlbCmdLoadExcerpt)},
        {"tlbCmdSaveExcerpt",   nullptr,              "mnuSaveExcerpt",      "htkSaveExcerpt",     call(o.excerpts, &E::tlbCmdSaveExcerpt)},
        {"tlbCmdSnapshot",      "cmdSnapshot",        "mnuSnapshot",         "htkSnapshot",        call(o.snapshots, &P::tlbCmdSnapshot)},
        {"tlbCmdSnapshotFolder", nullptr,             "mnuSnapshotFolder",   nullptr,              call(o.snapshots, &P::tlbCmdSnapshotFolder)},
        {"tlbCmdResize",        nullptr,              "mnuFullScreen",       "htkFullScreen",      call(o.fullScreen, &F::tlbCmdResize)},
        // The View menu's window-view entry names this command in its caption, so it runs it.
        {"tlbCmdWindowed",      nullptr,              "mnuWindowedVideo",    nullptr,              call(o.fullScreen, &F::tlbCmdWindowed)},

        {nullptr,               "cmdResetAll",        "mnuResetAll",         "htkReset",           call(o.sound, &S::cmdResetAll)},
        {nullptr,               "cmdTempo10Up",       "mnuTempo10Up",        "htkTempo10Up",       stepBy(s.sldTempo, 10)},
        {nullptr,               "cmdTempo1Up",        "mnuTempo1Up",         "htkTempo1Up",        stepBy(s.sldTempo, 1)},
        {nullptr,               "cmdTempoReset",      "mnuTempoReset",       "htkTempoReset",      setTo(s.sldTempo, 0)},
        {nullptr,               "cmdTempo1Down",      "mnuTempo1Down",       "htkTempo1Down",      stepBy(s.sldTempo, -1)},
        {nullptr,               "cmdTempo10Down",     "mnuTempo10Down",      "htkTempo10Down",     stepBy(s.sldTempo, -10)},
        {nullptr,               "cmdRate10Up",        "mnuTempoPitch10Up",   "htkRate10Up",        stepBy(s.sldSpeed, 10)},
        {nullptr,               "cmdRate1Up",         "mnuTempoPitch1Up",    "htkRate1Up",         stepBy(s.sldSpeed, 1)},
        {nullptr,               "cmdRateReset",       "mnuTempoPitchReset",  "htkRateReset",       setTo(s.sldSpeed, 100)},
        {nullptr,               "cmdRate1Down",       "mnuTempoPitch1Down",  "htkRate1Down",       stepBy(s.sldSpeed, -1)},
        {nullptr,               "cmdRate10Down",      "mnuTempoPitch10Down", "htkRate10Down",      stepBy(s.sldSpeed, -10)},
        {nullptr,               "cmdPitch12UpSemi",   "mnuPitchSemi12Up",    "htkOctaveUp",        stepBy(s.sldPitchSemi, 12)},
        {nullptr,               "cmdPitch1UpSemi",    "mnuPitchSemi1Up",     "htkSemitoneUp",      stepBy(s.sldPitchSemi, 1)},
        {nullptr,               "cmdPitchResetSemi",  "mnuPitchSemiReset",   nullptr,              setTo(s.sldPitchSemi, 0)},
        {nullptr,               "cmdPitch1DownSemi",  "mnuPitchSemi1Down",   "htkSemitoneDown",    stepBy(s.sldPitchSemi, -1)},
        {nullptr,               "cmdPitch12DownSemi", "mnuPitchSemi12Down",  "htkOctaveDown",      stepBy(s.sldPitchSemi, -12)},
        {nullptr,               "cmdPitch10UpGrad",   "mnuPitch10Up",        nullptr,              stepBy(s.sldPitchGrad, 50)},
        {nullptr,               "cmdPitch1UpGrad",    "mnuPitch1Up",         "htk2CentsUp",        stepBy(s.sldPitchGrad, 1)},
        {nullptr,               "cmdPitchResetGrad",  "mnuPitchReset",       nullptr,              setTo(s.sldPitchGrad, 0)},
        {nullptr,               "cmdPitch1DownGrad",  "mnuPitch1Down",       "htk2CentsDown",      stepBy(s.sldPitchGrad, -1)},
        {nullptr,               "cmdPitch10DownGrad", "mnuPitch10Down",      nullptr,              stepBy(s.sldPitchGrad, -50)},
        {nullptr,               nullptr,              nullptr,               "htkPitchReset",      call(o.sound, &S::htkPitchReset)},
        {nullptr,               "cmdGainDown",        nullptr,               nullptr,              gain(o.sound, -500)},
        {nullptr,               "cmdGainUp",          nullptr,               nullptr,              gain(o.sound, 500)},

        {nullptr,               "cmdAddMark",         nullptr,               "htkAddMark",         call(o.marks, &M::cmdAddMark)},
        {nullptr,               "cmdDeleteMark",      nullptr,               nullptr,              call(o.marks, &M::cmdDeleteMark)},
        {nullptr,               "cmdClearMark",       nullptr,               nullptr,              call(o.marks, &M::cmdClearMark)},
        {nullptr,               nullptr,              nullptr,               "htkPreviousMark",    call(o.marks, &M::htkPreviousMark)},
        {nullptr,               nullptr,              nullptr,               "htkGoToSameMark",    call(o.marks, &M::htkGoToSameMark)},
        {nullptr,               nullptr,              nullptr,               "htkNextMark",        call(o.marks, &M::htkNextMark)},

        {nullptr,               "cmdMovieSpeedCalc",  "mnuSpeedCalc",        nullptr,              call(o.calculators, &C::cmdMovieSpeedCalc)},
        {nullptr,               "cmdKeyCalc",         "mnuTransposeCalc",    nullptr,              call(o.calculators, &C::cmdKeyCalc)},
        {nullptr,               "cmdHelp",            "mnuContents",         nullptr,              call(o.help, &H::cmdHelp)},
        {nullptr,               nullptr,              "mnuOnlineSupport",    nullptr,              call(o.help, &H::mnuOnlineSupport)},
        {nullptr,               "cmdAbout",           "mnuAbout",            nullptr,              call(o.help, &H::cmdAbout)},
        {nullptr,               nullptr,              "mnuExit",             nullptr,              [&w = o.mainWindow] { w.close(); }},
    };
    // clang-format on
}
