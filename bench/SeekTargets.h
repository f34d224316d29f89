#pragma once

#include <vector>

// Both players have played this long (movie time) before their first seek.
inline constexpr double playedBeforeSeeking = 0.5;

// The same exact seek targets for our player and for mpv, in the benchmark's 60 s clips, each a
// ten-second piece over and over (BenchClips). An exact seek decodes from the keyframe before its
// target, so its cost grows with that distance: the targets' places within the piece are spread
// evenly over its ten seconds, and with them the distances from the keyframes (every second, every
// ten seconds, or where the encoder put them). They lie between 10 and 50 s, in a jumbled order.
//
// Twenty targets at random places (eight of them within 0.9 s after a keyframe of the 1080p clip)
// gave medians that moved by 10 to 20 % from one benchmark run to the next. Six spread evenly take
// less than a third of the time; over two runs their medians lay within 25 % of those runs', the
// gop1 clip's at tempo -30 higher for both players, and the ratios of ours to mpv's moved less.
inline std::vector<double> seekTargets()
{
    constexpr int count = 6;
    std::vector<double> targets;
    for (int i = 0; i < count; ++i)
        targets.push_back(10.0 * (1 + (3 * i) % 4) + 10.0 * (i + 0.5) / count);
    return targets;
}
