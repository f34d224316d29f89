#include "app/MenuBarLayout.h"

namespace {
using E = MenuBarEntry;

// clang-format off
constexpr MenuBarEntry layout[] = {
    {E::Menu, "mnuFile", "&File"},
    {E::Item, "mnuOpen", "&Open"},
    {E::Item, "mnuLoadExcerpt", "&Load excerpt"},
    {E::Item, "mnuSaveExcerpt", "&Save excerpt"},
    {E::Item, "mnuExportSound", "E&xport sound..."},
    {E::Separator, "sep1"},
    {E::Item, "mnuRewind", "5 seconds & back"},
    {E::Item, "mnuPlay", "&Play"},
    {E::Item, "mnuPlayLoop", "Play &Loop"},
    {E::Item, "mnuFForward", "5 seconds &forward"},
    {E::Item, "mnuPause", "P&ause"},
    {E::Item, "mnuStop", "&Stop"},
    {E::Item, "mnuLoopWinFF", "&Loop window forward"},
    {E::Item, "mnuLoopWinBack", "Loop window ba&ck"},
    {E::Separator, "sep2"},
    {E::Item, "mnuResetAll", "&Reset all changes"},
    {E::Separator, "sep3"},
    {E::Item, "mnuSnapshot", "&Snapshot"},
    {E::Item, "mnuSnapshotFolder", "Snapshot location and format"},
    {E::Separator, "sep4"},
    {E::Item, "mnuExit", "&Exit"},

    // The key names in these two captions are text, not shortcuts: the keys are hot keys.
    {E::Menu, "mnuView", "&View"},
    {E::Item, "mnuFullScreen", "&Full screen                              Alt+Enter/DblClick"},
    {E::Item, "mnuWindowedVideo", "&Window view                          Esc"},

    {E::Menu, "mnuTempo", "&Tempo"},
    {E::Item, "mnuTempo10Up", "&10% Up"},
    {E::Item, "mnuTempo1Up", "&1% Up"},
    {E::Item, "mnuTempoReset", "&Reset"},
    {E::Item, "mnuTempo1Down", "&1% Down"},
    {E::Item, "mnuTempo10Down", "&10% Down"},

    {E::Menu, "mnuPitch", "&Pitch"},
    {E::Item, "mnuPitch10Up", "Semitone Up"},
    {E::Item, "mnuPitch1Up", "2 Cents Up"},
    {E::Item, "mnuPitchReset", "&Reset"},
    {E::Item, "mnuPitch1Down", "2 Cents Down"},
    {E::Item, "mnuPitch10Down", "Semitone Down"},
    {E::Separator, "sep5"},
    {E::Item, "mnuPitchSemi12Up", "&Octave Up"},
    {E::Item, "mnuPitchSemi1Up", "&Semitone Up"},
    {E::Item, "mnuPitchSemiReset", "&Reset"},
    {E::Item, "mnuPitchSemi1Down", "&Semitone Down"},
    {E::Item, "mnuPitchSemi12Down", "Octave Down"},

    {E::Menu, "mnuTempoPitch", "Tempo &and pitch"},
    {E::Item, "mnuTempoPitch10Up", "&10% Up"},
    {E::Item, "mnuTempoPitch1Up", "&1% Up"},
    {E::Item, "mnuTempoPitchReset", "&Reset"},
    {E::Item, "mnuTempoPitch1Down", "&1% Down"},
    {E::Item, "mnuTempoPitch10Down", "&10% Down"},

    {E::Menu, "mnuTools", "&Tools"},
    {E::Item, "mnuSpeedCalc", "&Movie duration calculator"},
    {E::Item, "mnuTransposeCalc", "&Transpose calculator"},
    {E::Separator, "sep7"},
    {E::Item, "mnuSpeedTrainer", "Speed &trainer..."},
    {E::Submenu, "mnuSoundView", "Sound &view"},
    {E::SubmenuItem, "mnuViewBothChannels", "&Both channels"},
    {E::SubmenuItem, "mnuViewLeftOnly", "&Left channel only"},
    {E::SubmenuItem, "mnuViewRightOnly", "&Right channel only"},
    {E::SubmenuItem, "mnuViewMono", "&Mono"},
    {E::SubmenuItem, "mnuViewWithoutCentre", "Without the &centre"},
    {E::SubmenuItem, "mnuViewBassOnly", "&Bass only"},
    {E::SubmenuItem, "mnuViewWithoutBass", "&Without the bass"},

    {E::Menu, "keyHelp", "&Help"},
    {E::Item, "mnuContents", "&Contents...", "F1"},
    {E::Separator, "sep6"},
    {E::Item, "mnuOnlineSupport", "&Support online"},
    {E::Item, "mnuAbout", "&About Reelquill..."},
};
// clang-format on
} // namespace

std::span<const MenuBarEntry> menuBarLayout()
{
    return layout;
}
