#pragma once

#include <mpv/client.h>

#include <memory>

struct MpvHandleDeleter
{
    void operator()(mpv_handle* handle) const { mpv_terminate_destroy(handle); }
};

// Owns one mpv core; destroying it stops playback and frees everything the core holds.
using MpvHandle = std::unique_ptr<mpv_handle, MpvHandleDeleter>;
