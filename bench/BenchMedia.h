#pragma once

#include <QSize>
#include <QString>

// The benchmark's media, made once with ffmpeg and kept in a cache folder between runs. Each
// returns the file's path, or an empty string when ffmpeg failed. The picture is ffmpeg's
// moving test picture at 30 frames a second, the sound a steady 440 Hz tone.

// H.264 with AAC; a clip longer than ten seconds is its first ten seconds over and over.
QString benchClip(const QString& cacheFolder, QSize size, int seconds);

// AAC alone, a steady 440 Hz tone: with no picture to pace it, it plays as fast as it decodes.
QString benchTone(const QString& cacheFolder, int seconds);

// Like benchClip, with a magenta box over the picture's top left quarter, a colour that nothing
// else on the screen shows: the first frame drawn is found on the screen by it.
QString benchMarkedClip(const QString& cacheFolder, QSize size, int seconds);

// Like benchClip, with a keyframe exactly every `keyframeSeconds` (1 to 10) and nowhere else:
// an exact seek decodes from the keyframe before its target, so this sets how far it decodes.
QString benchClipWithKeyframes(const QString& cacheFolder, QSize size, int seconds, int keyframeSeconds);

// 20 s at 640x360 like benchClipWithKeyframes with a keyframe every ten seconds, but made whole:
// its tone runs on unbroken where a repeated clip has a seam at each repeat (the sound encoder's
// start), so a loop from 10 s hears only what the player does at its wraps.
QString benchLoopClip(const QString& cacheFolder);

// 40 s at 320x240 and 25 frames a second, black with a white flash and a beep at each whole second
// (MovieMaker's flashEverySecond), a keyframe every second.
QString benchFlashClip(const QString& cacheFolder);
