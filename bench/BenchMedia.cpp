#include "BenchMedia.h"

#include "MovieMaker.h"

#include <algorithm>

namespace {

// A clip longer than this is its first piece over and over: encoding a whole 1080p minute would
// take half a minute.
constexpr int pieceSeconds = 10;

QString made(const QString& cacheFolder, const MovieMaker::Movie& movie, int seconds)
{
    const MovieMaker maker(cacheFolder);
    const QString piece = maker.movie(movie);
    return seconds <= movie.seconds ? piece : maker.repeated(piece, seconds);
}

} // namespace

QString benchClip(const QString& cacheFolder, QSize size, int seconds)
{
    return made(cacheFolder,
                {.seconds = double(std::min(seconds, pieceSeconds)),
                 .size = size,
                 .keyframeSeconds = 0,
                 .framesPerSecond = 30},
                seconds);
}

QString benchTone(const QString& cacheFolder, int seconds)
{
    return made(cacheFolder, {.seconds = double(seconds), .container = "m4a", .withPicture = false}, seconds);
}

QString benchClipWithKeyframes(const QString& cacheFolder, QSize size, int seconds, int keyframeSeconds)
{
    return made(cacheFolder,
                {.seconds = double(pieceSeconds),
                 .size = size,
                 .keyframeSeconds = keyframeSeconds,
                 .framesPerSecond = 30},
                seconds);
}

QString benchMarkedClip(const QString& cacheFolder, QSize size, int seconds)
{
    return made(cacheFolder,
                {.seconds = double(seconds),
                 .size = size,
                 .keyframeSeconds = 0,
                 .framesPerSecond = 30,
                 .markedCorner = true},
                seconds);
}

QString benchLoopClip(const QString& cacheFolder)
{
    return MovieMaker(cacheFolder)
        .movie({.seconds = 20, .size = {640, 360}, .keyframeSeconds = 10, .framesPerSecond = 30});
}

QString benchFlashClip(const QString& cacheFolder)
{
    return MovieMaker(cacheFolder).movie({.seconds = 40, .flashEverySecond = true});
}
