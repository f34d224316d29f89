#pragma once

#include <QSize>
#include <QString>

// The benchmark's clips: H.264/AAC at 30 frames a second with a steady 440 Hz tone, made once
// with ffmpeg and kept in a cache folder between runs (a 1080p minute takes a while to encode).
// Returns the clip's path, or an empty string when ffmpeg failed.
QString benchClip(const QString& cacheFolder, QSize size, int seconds);
