#pragma once

// The main window's playback state, shared by the transport commands and the position reaction.
struct PlaybackState
{
    // Playback wraps from the end of the loop window to its beginning.
    bool LoopPlay = false;
    // Toggle state of the Pause command: true after Pause halted playback.
    bool Paused = false;
    // The last command left the movie playing (what the desktop's player applets show).
    bool Playing = false;
};
