#include "app/HotKeyBindings.h"

namespace {
// clang-format off
constexpr HotKeyBinding bindings[] = {
    // rate
    {"htkRate10Down",     Qt::Key_PageDown},
    {"htkRate10Up",       Qt::Key_PageUp},
    {"htkRate1Down",      Qt::CTRL | Qt::Key_PageDown},
    {"htkRate1Up",        Qt::CTRL | Qt::Key_PageUp},
    {"htkRateReset",      Qt::CTRL | Qt::Key_Home},
    // tempo
    {"htkTempo10Down",    Qt::Key_Left},
    {"htkTempo10Up",      Qt::Key_Right},
    {"htkTempo1Up",       Qt::CTRL | Qt::Key_Right},
    {"htkTempo1Down",     Qt::CTRL | Qt::Key_Left},
    {"htkTempoReset",     Qt::ALT | Qt::Key_Home},
    // pitch
    {"htkOctaveUp",       Qt::SHIFT | Qt::Key_Up},
    {"htkOctaveDown",     Qt::SHIFT | Qt::Key_Down},
    {"htkSemitoneUp",     Qt::Key_Up},
    {"htkSemitoneDown",   Qt::Key_Down},
    {"htk2CentsUp",       Qt::CTRL | Qt::Key_Up},
    {"htk2CentsDown",     Qt::CTRL | Qt::Key_Down},
    {"htkPitchReset",     Qt::Key_End},
    // file
    {"htkStop",           Qt::ALT | Qt::Key_Backspace},
    {"htkOpen",           Qt::ALT | Qt::Key_O},
    {"htkPause",          Qt::ALT | Qt::Key_Space},
    {"htkRewind",         Qt::ALT | Qt::Key_Left},
    {"htkLoopWinBack",    Qt::SHIFT | Qt::Key_Left},
    {"htkLoopWinForward", Qt::SHIFT | Qt::Key_Right},
    {"htkFForward",       Qt::ALT | Qt::Key_Right},
    {"htkReset",          Qt::Key_Home},
    {"htkFullScreen",     Qt::ALT | Qt::Key_Return, Qt::ALT | Qt::Key_Enter},
    {"htkPlay",           Qt::ALT | Qt::Key_P},
    {"htkPlayLoop",       Qt::ALT | Qt::Key_L},
    {"htkSnapshot",       Qt::ALT | Qt::Key_S},
    // marks
    {"htkAddMark",        Qt::Key_F5},
    {"htkPreviousMark",   Qt::Key_F6},
    {"htkGoToSameMark",   Qt::Key_F7},
    {"htkNextMark",       Qt::Key_F8},
    // excerpts: the keys that the excerpt buttons' tool tips name
    {"htkLoadExcerpt",    Qt::CTRL | Qt::Key_L},
    {"htkSaveExcerpt",    Qt::CTRL | Qt::Key_S},
};
// clang-format on
} // namespace

std::span<const HotKeyBinding> hotKeyBindings()
{
    return bindings;
}
