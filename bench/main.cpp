// reelquill-bench: how fast and how well Reelquill plays, against mpv's own command-line player
// on the same files and settings. Prints a table; --json FILE writes the same figures as JSON.

#include "BenchMedia.h"
#include "BenchWorker.h"
#include "Benchmark.h"

#include "player/MpvMoviePlayer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Everything here is headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The avsync worker shows our player's picture, which needs this as the program does.
    MpvMoviePlayer::prepareApplication();
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // libmpv requires it

    QStringList arguments = application.arguments();
    if (arguments.size() > 1 && arguments[1] == "--worker")
        return runBenchWorker(arguments.mid(2));

    QCommandLineParser parser;
    parser.setApplicationDescription("Measures Reelquill's player against mpv on generated clips.");
    parser.addHelpOption();
    parser.addOptions(
        {{"json", "Write the figures as JSON to <file>.", "file"},
         {"media", "Keep the generated clips in <folder>.", "folder", "bench-media"},
         {"only", "Measure only the figures named, comma-separated (see Benchmark::run).", "names"}});
    parser.process(application);

    const QString media = parser.value("media");
    const QString movie1080 = benchClip(media, {1920, 1080}, 60);
    const QString movie360 = benchClip(media, {640, 360}, 60);
    const QString shortMovie = benchTone(media, 10);
    const QString keyframeEverySecond = benchClipWithKeyframes(media, {640, 360}, 60, 1);
    const QString keyframeEveryTenSeconds = benchClipWithKeyframes(media, {640, 360}, 60, 10);
    if (movie1080.isEmpty() || movie360.isEmpty() || shortMovie.isEmpty()) {
        std::fprintf(stderr, "reelquill-bench: ffmpeg could not make the clips\n");
        return 1;
    }
    QTemporaryDir work;
    Benchmark benchmark(movie1080, movie360, shortMovie, work.path());
    benchmark.setKeyframeClips(keyframeEverySecond, keyframeEveryTenSeconds);
    benchmark.setMarkedClip(benchMarkedClip(media, {1920, 1080}, 10));
    benchmark.setLoopClip(benchLoopClip(media));
    benchmark.setFlashClip(benchFlashClip(media));
    const BenchFigures figures = benchmark.run(parser.value("only").split(',', Qt::SkipEmptyParts));

    std::fputs(qPrintable(figures.toTable()), stdout);
    if (parser.isSet("json")) {
        QFile json(parser.value("json"));
        if (!json.open(QIODevice::WriteOnly) || json.write(QJsonDocument(figures.toJson()).toJson()) < 0) {
            std::fprintf(stderr, "reelquill-bench: cannot write %s\n", qPrintable(json.fileName()));
            return 1;
        }
    }
    return 0;
}
