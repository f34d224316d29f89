#pragma once

#include "player/SoundView.h"

#include <QObject>
#include <QStringList>

class MoviePlayer;
class QAction;
class QMenu;
class SettingsStore;

// The sound view the user hears (both channels, one side, the centre or the bass taken out or
// kept), chosen in the Tools menu's "Sound view" submenu or by its hot keys. The choice holds for
// every movie and is kept in the settings store, so the next run starts with it. The submenu
// ticks the view chosen and, while the open movie's sound has one channel, turns off the views
// that need two and says why.
class SoundViews : public QObject
{
    Q_OBJECT

public:
    // Hands the view kept from the last run to the player.
    SoundViews(MoviePlayer& player, SettingsStore& settings, QObject* parent = nullptr);

    SoundView current() const { return m_view; }
    void choose(SoundView view);

    // Ticks and turns on or off the submenu's entries each time it opens. Returns the names of
    // the views' entries the submenu lacks.
    QStringList showIn(QMenu& submenu);

private:
    void submenu_aboutToShow(QMenu& submenu);

    MoviePlayer& m_player;
    SettingsStore& m_settings;
    SoundView m_view = SoundView::BothChannels;
    QAction* m_noteSeparator = nullptr;
    QAction* m_oneChannelNote = nullptr;
};
