#include "app/CommandCatalogue.h"

namespace {
// clang-format off
constexpr CommandRoute catalogue[] = {
    // command          toolbar button    on-screen button menu entry     hot key
    {Command::Open,     "tlbCmdOpen",     "cmdOpen",       "mnuOpen",     "htkOpen"},
    {Command::Play,     "tlbCmdPlay",     "cmdPlay",       "mnuPlay",     "htkPlay"},
    {Command::PlayLoop, "tlbCmdPlayLoop", "cmdPlayLoop",   "mnuPlayLoop", "htkPlayLoop"},
    {Command::Pause,    "tlbCmdPause",    "cmdPause",      "mnuPause",    "htkPause"},
    {Command::Stop,     "tlbCmdStop",     "cmdStop",       "mnuStop",     "htkStop"},
    {Command::Rewind,   "tlbCmdRewind",   "cmdRewind",     "mnuRewind",   "htkRewind"},
    {Command::FForward, "tlbCmdFForward", "cmdFForward",   "mnuFForward", "htkFForward"},
    {Command::Exit,     nullptr,          nullptr,         "mnuExit",     nullptr},
};
// clang-format on
} // namespace

std::span<const CommandRoute> commandCatalogue()
{
    return catalogue;
}
