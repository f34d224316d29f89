#pragma once

#include "app/frmMain.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"

#include <QAction>
#include <QShortcut>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>

#include <utility>

// A main window on a recording player (or any player of the test's choice) and desktop, with a
// settings file of its own.
template <typename Player> struct MainWindowRigWith
{
    template <typename... PlayerArguments>
    explicit MainWindowRigWith(PlayerArguments&&... arguments)
        : player(std::forward<PlayerArguments>(arguments)...)
    {}

    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath("reelquill.ini")};
    Player player;
    FakeDesktop desktop;
    frmMain window{player, desktop, settings};

    template <typename T> T* control(const QString& name) const { return window.findChild<T*>(name); }
    QSlider* slider(const QString& name) const { return control<QSlider>(name); }

    // Runs a route by its name as a user would reach it, without needing the window on screen:
    // clicks the button, triggers the menu entry, or fires the hot key. False when there is no
    // such route.
    bool run(const QString& route) const
    {
        if (auto* button = control<QToolButton>(route))
            button->click();
        else if (auto* entry = control<QAction>(route))
            entry->trigger();
        else if (auto* hotKey = control<QShortcut>(route))
            emit hotKey->activated();
        else
            return false;
        return true;
    }
};

using MainWindowRig = MainWindowRigWith<FakeMoviePlayer>;
