#include "player/MpvCalls.h"

#include <vector>

namespace mpvcall {

bool setFlag(mpv_handle* mpv, const char* name, bool value)
{
    int flag = value ? 1 : 0; // mpv's flag is a C int
    return mpv != nullptr && mpv_set_property(mpv, name, MPV_FORMAT_FLAG, &flag) >= 0;
}

bool flag(mpv_handle* mpv, const char* name)
{
    int flag = 0;
    return mpv != nullptr && mpv_get_property(mpv, name, MPV_FORMAT_FLAG, &flag) >= 0 && flag != 0;
}

bool setDouble(mpv_handle* mpv, const char* name, double value)
{
    return mpv != nullptr && mpv_set_property(mpv, name, MPV_FORMAT_DOUBLE, &value) >= 0;
}

bool setText(mpv_handle* mpv, const char* name, const char* value)
{
    return mpv != nullptr && mpv_set_property_string(mpv, name, value) >= 0;
}

bool command(mpv_handle* mpv, std::initializer_list<const char*> words)
{
    if (mpv == nullptr)
        return false;
    std::vector<const char*> args(words);
    args.push_back(nullptr);
    return mpv_command(mpv, args.data()) >= 0;
}

} // namespace mpvcall
