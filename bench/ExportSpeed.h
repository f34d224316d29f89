#pragma once

#include <QString>

#include <map>
#include <string>

// How fast Export sound makes a loop's sound: the clip's first 60 s as a loop played once at
// tempo -30 with the pitch 3 semitones up, written to FLAC through the program's own renderer and
// file writer, against ffmpeg's rubberband filter making the same sound from the same clip in the
// same run. The clip must last 60 s or more.
//   export_speed_x           seconds of sound made per second of wall time, ours
//   export_reference_speed_x the same for `ffmpeg -af rubberband=tempo=0.7:pitch=1.189`
//   export_cpu_per_second    processor seconds (all threads) per second of sound made, ours
// Empty when the clip cannot be read or a step fails.
std::map<std::string, double> measureExportSpeed(const QString& clip);
