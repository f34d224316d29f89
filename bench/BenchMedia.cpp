#include "BenchMedia.h"

#include "MovieMaker.h"

#include <QSize>

std::optional<BenchClips> BenchClips::make(const QString& cacheFolder)
{
    const MovieMaker maker(cacheFolder);
    const auto minute = [&maker](QSize size, int keyframeSeconds) {
        return maker.repeated(
            maker.movie(
                {.seconds = 10, .size = size, .keyframeSeconds = keyframeSeconds, .framesPerSecond = 30}),
            60);
    };
    const BenchClips clips{
        .movie1080 = minute({1920, 1080}, 0),
        .movie360 = minute({640, 360}, 0),
        .tone = maker.movie({.seconds = 10, .container = "m4a", .withPicture = false}),
        .keyframeEverySecond = minute({640, 360}, 1),
        .keyframeEveryTenSeconds = minute({640, 360}, 10),
        .marked = maker.movie({.seconds = 10,
                               .size = {1920, 1080},
                               .keyframeSeconds = 0,
                               .framesPerSecond = 30,
                               .markedCorner = true}),
        .loop =
            maker.movie({.seconds = 20, .size = {640, 360}, .keyframeSeconds = 10, .framesPerSecond = 30}),
        .flash = maker.movie({.seconds = 40, .flashEverySecond = true})};
    for (const QString* made : {&clips.movie1080, &clips.movie360, &clips.tone, &clips.keyframeEverySecond,
                                &clips.keyframeEveryTenSeconds, &clips.marked, &clips.loop, &clips.flash})
        if (made->isEmpty())
            return std::nullopt;
    return clips;
}
