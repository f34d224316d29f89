#pragma once

#include <QObject>

class MoviePlayer;

// Asks the player for the full-screen or the windowed view. The program keeps no record of the
// view: every request goes to the player as it comes, with no toggling and no precondition.
class FullScreenCommands : public QObject
{
    Q_OBJECT

public:
    // Answers the player's double click on the video from now on.
    explicit FullScreenCommands(MoviePlayer& player, QObject* parent = nullptr);

public slots:
    void FullScreen();
    void Windowed();

private slots:
    void player_DblClick();

private:
    MoviePlayer& m_player;
};
