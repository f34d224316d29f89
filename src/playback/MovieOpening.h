#pragma once

#include <QString>

class MoviePlayer;
struct TimeControls;

// The steps that opening a movie from the Open command and from the command line share.

// Hands the path to the player; it returns once the movie is loaded or has failed.
void loadMovie(MoviePlayer& player, const QString& path);

// Gives the three time sliders the movie's length in whole seconds (halves to even) and makes
// the loop window the whole movie.
void fitTimeSlidersToMovie(const TimeControls& controls, double duration);
