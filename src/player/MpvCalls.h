#pragma once

#include <mpv/client.h>

#include <initializer_list>

// The few ways the player talks to an mpv core, each true when mpv accepted it. A null core
// accepts nothing.
namespace mpvcall {

bool setFlag(mpv_handle* mpv, const char* name, bool value);
// The flag's value; false when mpv cannot say.
bool flag(mpv_handle* mpv, const char* name);
bool setDouble(mpv_handle* mpv, const char* name, double value);
bool setText(mpv_handle* mpv, const char* name, const char* value);
bool command(mpv_handle* mpv, std::initializer_list<const char*> words);

} // namespace mpvcall
