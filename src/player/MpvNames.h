#pragma once

// Names of the mpv options, properties, commands and values the player uses, spelt once.
namespace mpvname {

// Options set before the core starts.
inline constexpr const char* videoOutput = "vo";
inline constexpr const char* keepOpen = "keep-open";
inline constexpr const char* idle = "idle";
inline constexpr const char* exactSeeks = "hr-seek";
inline constexpr const char* osdLevel = "osd-level";

// Values of those options.
inline constexpr const char* renderApiOutput = "libmpv";
inline constexpr const char* nullOutput = "null";
inline constexpr const char* no = "no";
inline constexpr const char* automatic = "auto";

// Properties read, written or observed while playing.
inline constexpr const char* timePos = "time-pos";
inline constexpr const char* duration = "duration";
inline constexpr const char* pause = "pause";
inline constexpr const char* speed = "speed";
inline constexpr const char* videoTrack = "vid";
inline constexpr const char* soundTrack = "aid";
inline constexpr const char* trackList = "track-list";
inline constexpr const char* loopFrom = "ab-loop-a";
inline constexpr const char* loopTo = "ab-loop-b";

// Commands and their arguments.
inline constexpr const char* loadFile = "loadfile";
inline constexpr const char* replace = "replace";
inline constexpr const char* stop = "stop";
inline constexpr const char* seek = "seek";
inline constexpr const char* absoluteExact = "absolute+exact";
inline constexpr const char* screenshotRaw = "screenshot-raw";
inline constexpr const char* videoOnly = "video";

// Members of command results and of screenshot-raw's picture.
inline constexpr const char* playlistEntryId = "playlist_entry_id";
inline constexpr const char* width = "w";
inline constexpr const char* height = "h";
inline constexpr const char* stride = "stride";
inline constexpr const char* format = "format";
inline constexpr const char* data = "data";
inline constexpr const char* bgr0 = "bgr0";
inline constexpr const char* trackType = "type";
inline constexpr const char* trackId = "id";
inline constexpr const char* videoType = "video";

} // namespace mpvname
