#pragma once

#include <QString>

#include <optional>

// The benchmark's clips, made with MovieMaker into a cache folder and kept between runs. The
// picture is ffmpeg's moving test picture at 30 frames a second, the sound a steady 440 Hz tone,
// unless said otherwise.
struct BenchClips
{
    // 60 s, H.264 with AAC, at 1920x1080 and 640x360: a ten-second piece over and over (encoding a
    // whole 1080p minute would take half a minute), keyframes where the encoder puts them.
    QString movie1080;
    QString movie360;
    // 10 s of AAC alone: with no picture to pace it, it plays as fast as it decodes.
    QString tone;
    // Like movie360 with a keyframe exactly every second or ten seconds and nowhere else: an exact
    // seek decodes from the keyframe before its target, so this sets how far it decodes.
    QString keyframeEverySecond;
    QString keyframeEveryTenSeconds;
    // 10 s at 1080p with a magenta box over the picture's top left quarter, a colour that nothing
    // else on the screen shows: the first frame drawn is found on the screen by it.
    QString marked;
    // 20 s at 640x360 with a keyframe every ten seconds, made whole: its tone runs on unbroken where
    // a repeated clip has a seam at each repeat (the sound encoder's start), so a loop from 10 s
    // hears only what the player does at its wraps.
    QString loop;
    // 40 s at 320x240 and 25 frames a second, black with a white flash and a beep at each whole
    // second (MovieMaker's flashEverySecond), a keyframe every second.
    QString flash;

    // The clips, made where missing; nothing when ffmpeg failed at any.
    static std::optional<BenchClips> make(const QString& cacheFolder);
};
