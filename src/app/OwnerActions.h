#pragma once

#include "app/Command.h"
#include "app/CommandRoutes.h"

#include <QHash>

class FullScreenCommands;
class LoopWindow;
class SoundControls;
class TransportCommands;

// The action of each command, taken from the owner that holds its behaviour. Every route of a
// command calls exactly this and nothing else.
using CommandActions = QHash<Command, CommandRoutes::Action>;

CommandActions transportActions(TransportCommands& transport);
CommandActions timeAxisActions(LoopWindow& loopWindow, FullScreenCommands& fullScreen);
CommandActions soundActions(SoundControls& sound);
