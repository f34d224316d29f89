#include "playback/FullScreenCommands.h"

#include "player/MoviePlayer.h"

FullScreenCommands::FullScreenCommands(MoviePlayer& player, QObject* parent)
    : QObject(parent), m_player(player)
{
    connect(&m_player, &MoviePlayer::DblClick, this, &FullScreenCommands::player_DblClick);
}

void FullScreenCommands::FullScreen()
{
    m_player.FullScreen(true);
}

void FullScreenCommands::Windowed()
{
    m_player.FullScreen(false);
}

// The double click makes the full-screen call itself rather than going through the toolbar
// command; the request is the same.
void FullScreenCommands::player_DblClick()
{
    m_player.FullScreen(true);
}
