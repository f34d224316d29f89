#pragma once

#include <mpv/render.h>

#include <memory>

struct MpvRenderContextDeleter
{
    void operator()(mpv_render_context* context) const { mpv_render_context_free(context); }
};

// Owns the renderer of one mpv core; it must be freed while its GL context is current and before
// the core is destroyed.
using MpvRenderContext = std::unique_ptr<mpv_render_context, MpvRenderContextDeleter>;
