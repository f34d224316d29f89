#pragma once

#include <QStringList>

// Starts a player on a movie made by benchMarkedClip and watches the screen (this process's own
// display) until the movie's magenta box shows. Prints first_frame_ms, from starting the player's
// process to the screen grab that found the box, and ends the player. Returns 0 when it found it.
int watchFirstFrame(const QString& program, const QStringList& arguments);
