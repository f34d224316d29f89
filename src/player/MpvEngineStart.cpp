#include "player/MpvEngineStart.h"

#include <clocale>
#include <span>

namespace {

struct OptionValue
{
    const char* name;
    const char* value;
};

// Embedded safely: nothing from the user's own mpv set-up, no scripts, no network helpers, no
// keys or on-screen controls of mpv's own, no terminal output, no resuming where a movie was
// left. A movie at its end stays open, the player lives with no movie, and seeks are exact.
constexpr OptionValue embeddingOptions[] = {
    {"config", "no"},
    {"load-scripts", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"input-builtin-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"terminal", "no"},
    {"resume-playback", "no"},
    // The program plays the sound itself; mpv's sound, when it has any, only keeps time.
    {"ao", "null"},
    {"audio-pitch-correction", "no"},
    {"osd-level", "0"},
    {"keep-open", "yes"},
    {"idle", "yes"},
    {"hr-seek", "yes"},
    // Decoding stays on the processor (see the README's decisions), so the render context loads
    // none of the GPU decoders' interops, which print to standard error when probing for hardware
    // that is not there ("Cannot load libcuda.so.1").
    {"hwdec", "no"},
    {"gpu-hwdec-interop", "no"},
};

// The player opens the one file it is given and nothing else, whatever that file holds: movies
// and excerpts travel between people, and a file named like a movie may be a playlist, an EDL,
// an HLS, DASH or concat list, a CUE sheet or an SDP description that sends the engine to the
// network or to other files. mpv then follows no reference at all (its own playlists, EDL, CUE,
// archives and ordered chapters refuse to open, and FFmpeg's readers cannot open anything
// through mpv); FFmpeg's readers that open network streams on their own (SDP) may use no
// protocol; and no subtitle, sound or cover file is picked up from beside the movie.
constexpr OptionValue confinementOptions[] = {
    {"access-references", "no"},
    {"demuxer-lavf-o", "protocol_whitelist="},
    {"autoload-files", "no"},
};

// True when every option was taken.
bool setOptions(mpv_handle* mpv, std::span<const OptionValue> options)
{
    bool allTaken = true;
    for (const OptionValue& option : options)
        allTaken = mpv_set_option_string(mpv, option.name, option.value) >= 0 && allTaken;
    return allTaken;
}

} // namespace

MpvHandle startConfinedEngine(const char* videoOutput)
{
    // libmpv refuses to start unless numbers are read and written the C way.
    std::setlocale(LC_NUMERIC, "C");
    MpvHandle mpv(mpv_create());
    if (!mpv)
        return mpv;
    setOptions(mpv.get(), embeddingOptions);
    // An engine that does not take them all would follow what files reference: better no engine.
    if (!setOptions(mpv.get(), confinementOptions))
        return {};
    mpv_set_option_string(mpv.get(), "vo", videoOutput);
    if (mpv_initialize(mpv.get()) < 0)
        return {};
    return mpv;
}
