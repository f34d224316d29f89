#pragma once

#include "app/frmMain.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"

#include <QTemporaryDir>

// A main window on the recording player and desktop, with a settings file of its own.
struct MainWindowRig
{
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath("reelquill.ini")};
    FakeMoviePlayer player;
    FakeDesktop desktop;
    frmMain window{player, desktop, settings};
};
