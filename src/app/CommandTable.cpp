#include "app/CommandTable.h"

#include "about/HelpMenuCommands.h"
#include "calculators/CalculatorWindows.h"
#include "excerpt/ExcerptCommands.h"
#include "export/ExportCommands.h"
#include "marks/MarksList.h"
#include "playback/FullScreenCommands.h"
#include "playback/LoopWindow.h"
#include "playback/TransportCommands.h"
#include "snapshot/SnapshotCommands.h"
#include "sound/SliderStep.h"
#include "sound/SoundControls.h"
#include "sound/SoundViews.h"
#include "trainer/SpeedTrainerWindow.h"

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

Run view(SoundViews& views, SoundView chosen)
{
    return [&views, chosen] { views.choose(chosen); };
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
    using X = ExportCommands;
    using P = SnapshotCommands;
    using C = CalculatorWindows;
    using H = HelpMenuCommands;
    using W = SpeedTrainerWindow;
    const SoundSliders& s = o.sliders;
    // clang-format off
    return {
        // toolbar button        on-screen button      menu entry              hot key: name, keys                                                   runs
        {"tlbCmdOpen",           "cmdOpen",            "mnuOpen",              {"htkOpen", Qt::ALT | Qt::Key_O},                                     call(o.transport, &T::Open)},
        {"tlbCmdPlay",           "cmdPlay",            "mnuPlay",              {"htkPlay", Qt::ALT | Qt::Key_P},                                     call(o.transport, &T::Play)},
        {"tlbCmdPlayLoop",       "cmdPlayLoop",        "mnuPlayLoop",          {"htkPlayLoop", Qt::ALT | Qt::Key_L},                                 call(o.transport, &T::PlayLoop)},
        {"tlbCmdPause",          "cmdPause",           "mnuPause",             {"htkPause", Qt::ALT | Qt::Key_Space},                                call(o.transport, &T::Pause)},
        {"tlbCmdStop",           "cmdStop",            "mnuStop",              {"htkStop", Qt::ALT | Qt::Key_Backspace},                             call(o.transport, &T::Stop)},
        {"tlbCmdRewind",         "cmdRewind",          "mnuRewind",            {"htkRewind", Qt::ALT | Qt::Key_Left},                                call(o.transport, &T::Rewind)},
        {"tlbCmdFForward",       "cmdFForward",        "mnuFForward",          {"htkFForward", Qt::ALT | Qt::Key_Right},                             call(o.transport, &T::FForward)},
        {"tlbCmdLoopWinBack",    "cmdLoopWinBack",     "mnuLoopWinBack",       {"htkLoopWinBack", Qt::SHIFT | Qt::Key_Left},                         call(o.loopWindow, &L::LoopWinBack)},
        {"tlbCmdLoopWinForward", "cmdLoopWinForward",  "mnuLoopWinFF",         {"htkLoopWinForward", Qt::SHIFT | Qt::Key_Right},                     call(o.loopWindow, &L::LoopWinForward)},
        // Ctrl+L and Ctrl+S are the keys the two excerpt buttons' tool tips promise.
        {"tlbCmdLoadExcerpt",    nullptr,              "mnuLoadExcerpt",       {"htkLoadExcerpt", Qt::CTRL | Qt::Key_L},                             call(o.excerpts, &E::LoadExcerpt)},
        {"tlbCmdSaveExcerpt",    nullptr,              "mnuSaveExcerpt",       {"htkSaveExcerpt", Qt::CTRL | Qt::Key_S},                             call(o.excerpts, &E::SaveExcerpt)},
        {nullptr,                nullptr,              "mnuExportSound",       {"htkExportSound", Qt::CTRL | Qt::Key_E},                             call(o.exports, &X::ExportSound)},
        {"tlbCmdSnapshot",       "cmdSnapshot",        "mnuSnapshot",          {"htkSnapshot", Qt::ALT | Qt::Key_S},                                 call(o.snapshots, &P::Snapshot)},
        {"tlbCmdSnapshotFolder", nullptr,              "mnuSnapshotFolder",    {},                                                                   call(o.snapshots, &P::SnapshotFolder)},
        {"tlbCmdResize",         nullptr,              "mnuFullScreen",        {"htkFullScreen", Qt::ALT | Qt::Key_Return, Qt::ALT | Qt::Key_Enter}, call(o.fullScreen, &F::FullScreen)},
        // The View menu's window-view entry names this command in its caption, so it runs it.
        {"tlbCmdWindowed",       nullptr,              "mnuWindowedVideo",     {},                                                                   call(o.fullScreen, &F::Windowed)},

        {nullptr,                "cmdResetAll",        "mnuResetAll",          {"htkReset", Qt::Key_Home},                                           call(o.sound, &S::ResetAll)},
        {nullptr,                "cmdTempo10Up",       "mnuTempo10Up",         {"htkTempo10Up", Qt::Key_Right},                                      stepBy(s.sldTempo, 10)},
        {nullptr,                "cmdTempo1Up",        "mnuTempo1Up",          {"htkTempo1Up", Qt::CTRL | Qt::Key_Right},                            stepBy(s.sldTempo, 1)},
        {nullptr,                "cmdTempoReset",      "mnuTempoReset",        {"htkTempoReset", Qt::ALT | Qt::Key_Home},                            setTo(s.sldTempo, 0)},
        {nullptr,                "cmdTempo1Down",      "mnuTempo1Down",        {"htkTempo1Down", Qt::CTRL | Qt::Key_Left},                           stepBy(s.sldTempo, -1)},
        {nullptr,                "cmdTempo10Down",     "mnuTempo10Down",       {"htkTempo10Down", Qt::Key_Left},                                     stepBy(s.sldTempo, -10)},
        {nullptr,                "cmdRate10Up",        "mnuTempoPitch10Up",    {"htkRate10Up", Qt::Key_PageUp},                                      stepBy(s.sldSpeed, 10)},
        {nullptr,                "cmdRate1Up",         "mnuTempoPitch1Up",     {"htkRate1Up", Qt::CTRL | Qt::Key_PageUp},                            stepBy(s.sldSpeed, 1)},
        {nullptr,                "cmdRateReset",       "mnuTempoPitchReset",   {"htkRateReset", Qt::CTRL | Qt::Key_Home},                            setTo(s.sldSpeed, 100)},
        {nullptr,                "cmdRate1Down",       "mnuTempoPitch1Down",   {"htkRate1Down", Qt::CTRL | Qt::Key_PageDown},                        stepBy(s.sldSpeed, -1)},
        {nullptr,                "cmdRate10Down",      "mnuTempoPitch10Down",  {"htkRate10Down", Qt::Key_PageDown},                                  stepBy(s.sldSpeed, -10)},
        {nullptr,                "cmdPitch12UpSemi",   "mnuPitchSemi12Up",     {"htkOctaveUp", Qt::SHIFT | Qt::Key_Up},                              stepBy(s.sldPitchSemi, 12)},
        {nullptr,                "cmdPitch1UpSemi",    "mnuPitchSemi1Up",      {"htkSemitoneUp", Qt::Key_Up},                                        stepBy(s.sldPitchSemi, 1)},
        {nullptr,                "cmdPitchResetSemi",  "mnuPitchSemiReset",    {},                                                                   setTo(s.sldPitchSemi, 0)},
        {nullptr,                "cmdPitch1DownSemi",  "mnuPitchSemi1Down",    {"htkSemitoneDown", Qt::Key_Down},                                    stepBy(s.sldPitchSemi, -1)},
        {nullptr,                "cmdPitch12DownSemi", "mnuPitchSemi12Down",   {"htkOctaveDown", Qt::SHIFT | Qt::Key_Down},                          stepBy(s.sldPitchSemi, -12)},
        {nullptr,                "cmdPitch10UpGrad",   "mnuPitch10Up",         {},                                                                   stepBy(s.sldPitchGrad, 50)},
        {nullptr,                "cmdPitch1UpGrad",    "mnuPitch1Up",          {"htk2CentsUp", Qt::CTRL | Qt::Key_Up},                               stepBy(s.sldPitchGrad, 1)},
        {nullptr,                "cmdPitchResetGrad",  "mnuPitchReset",        {},                                                                   setTo(s.sldPitchGrad, 0)},
        {nullptr,                "cmdPitch1DownGrad",  "mnuPitch1Down",        {"htk2CentsDown", Qt::CTRL | Qt::Key_Down},                           stepBy(s.sldPitchGrad, -1)},
        {nullptr,                "cmdPitch10DownGrad", "mnuPitch10Down",       {},                                                                   stepBy(s.sldPitchGrad, -50)},
        {nullptr,                nullptr,              nullptr,                {"htkPitchReset", Qt::Key_End},                                       call(o.sound, &S::PitchReset)},
        {nullptr,                "cmdGainDown",        nullptr,                {},                                                                   gain(o.sound, -500)},
        {nullptr,                "cmdGainUp",          nullptr,                {},                                                                   gain(o.sound, 500)},

        {nullptr,                "cmdAddMark",         nullptr,                {"htkAddMark", Qt::Key_F5},                                           call(o.marks, &M::AddMark)},
        {nullptr,                "cmdDeleteMark",      nullptr,                {},                                                                   call(o.marks, &M::DeleteMark)},
        {nullptr,                "cmdClearMark",       nullptr,                {},                                                                   call(o.marks, &M::ClearMark)},
        {nullptr,                nullptr,              nullptr,                {"htkPreviousMark", Qt::Key_F6},                                      call(o.marks, &M::PreviousMark)},
        {nullptr,                nullptr,              nullptr,                {"htkGoToSameMark", Qt::Key_F7},                                      call(o.marks, &M::GoToSameMark)},
        {nullptr,                nullptr,              nullptr,                {"htkNextMark", Qt::Key_F8},                                          call(o.marks, &M::NextMark)},

        {nullptr,                "cmdMovieSpeedCalc",  "mnuSpeedCalc",         {},                                                                   call(o.calculators, &C::MovieSpeedCalc)},
        {nullptr,                "cmdKeyCalc",         "mnuTransposeCalc",     {},                                                                   call(o.calculators, &C::KeyCalc)},
        {nullptr,                nullptr,              "mnuSpeedTrainer",      {"htkSpeedTrainer", Qt::CTRL | Qt::Key_T},                            call(o.trainer, &W::SpeedTrainer)},
        {nullptr,                nullptr,              "mnuViewBothChannels",  {"htkViewBothChannels", Qt::CTRL | Qt::Key_1},                        view(o.views, SoundView::BothChannels)},
        {nullptr,                nullptr,              "mnuViewLeftOnly",      {"htkViewLeftOnly", Qt::CTRL | Qt::Key_2},                            view(o.views, SoundView::LeftOnly)},
        {nullptr,                nullptr,              "mnuViewRightOnly",     {"htkViewRightOnly", Qt::CTRL | Qt::Key_3},                           view(o.views, SoundView::RightOnly)},
        {nullptr,                nullptr,              "mnuViewMono",          {"htkViewMono", Qt::CTRL | Qt::Key_4},                                view(o.views, SoundView::Mono)},
        {nullptr,                nullptr,              "mnuViewWithoutCentre", {"htkViewWithoutCentre", Qt::CTRL | Qt::Key_5},                       view(o.views, SoundView::WithoutCentre)},
        {nullptr,                nullptr,              "mnuViewBassOnly",      {"htkViewBassOnly", Qt::CTRL | Qt::Key_6},                            view(o.views, SoundView::BassOnly)},
        {nullptr,                nullptr,              "mnuViewWithoutBass",   {"htkViewWithoutBass", Qt::CTRL | Qt::Key_7},                         view(o.views, SoundView::WithoutBass)},
        {nullptr,                "cmdHelp",            "mnuContents",          {},                                                                   call(o.help, &H::Help)},
        {nullptr,                nullptr,              "mnuOnlineSupport",     {},                                                                   call(o.help, &H::OnlineSupport)},
        {nullptr,                "cmdAbout",           "mnuAbout",             {},                                                                   call(o.help, &H::About)},
        {nullptr,                nullptr,              "mnuExit",              {},                                                                   [&w = o.mainWindow] { w.close(); }},
    };
    // clang-format on
}
