#pragma once

// mpv's names of the properties the picture reads, writes and observes in several places.
namespace mpvname {

inline constexpr const char* timePos = "time-pos";
inline constexpr const char* pause = "pause";
inline constexpr const char* vid = "vid";

} // namespace mpvname
