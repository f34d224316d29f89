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

#include <cstdio>

int main(int argc, char* argv[])
{
    // Everything here is headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The avsync worker shows our player's picture, which needs this as the program does.
    MpvMoviePlayer::prepareApplication();
    QApplication application(argc, argv);

    QStringList arguments = application.arguments();
    if (arguments.size() > 1 && arguments[1] == "--worker")
        return runBenchWorker(arguments.mid(2));

    QStringList description{
        "Measures Reelquill's player against mpv on generated clips, in these scenarios:"};
    QStringList known;
    for (const Benchmark::Scenario& scenario : Benchmark::scenarios()) {
        description
            << QStringLiteral("  %1  %2").arg(QLatin1String(scenario.name), -14).arg(scenario.measures);
        known << scenario.name;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(description.join('\n'));
    parser.addHelpOption();
    parser.addOptions({{"json", "Write the figures as JSON to <file>.", "file"},
                       {"media", "Keep the generated clips in <folder>.", "folder", "bench-media"},
                       {"only", "Run only the scenarios named, comma-separated.", "names"}});
    parser.process(application);
    const QStringList only = parser.value("only").split(',', Qt::SkipEmptyParts);
    for (const QString& name : only)
        if (!known.contains(name)) {
            std::fprintf(stderr, "reelquill-bench: no scenario is called \"%s\"; there are %s\n",
                         qPrintable(name), qPrintable(known.join(", ")));
            return 2;
        }

    const std::optional<BenchClips> clips = BenchClips::make(parser.value("media"));
    if (!clips) {
        std::fprintf(stderr, "reelquill-bench: ffmpeg could not make the clips\n");
        return 1;
    }
    QTemporaryDir work;
    const BenchFigures figures = Benchmark(*clips, work.path()).run(only);

    std::fputs(qPrintable(figures.table()), stdout);
    if (parser.isSet("json")) {
        QFile json(parser.value("json"));
        if (!json.open(QIODevice::WriteOnly) || json.write(QJsonDocument(figures.json()).toJson()) < 0) {
            std::fprintf(stderr, "reelquill-bench: cannot write %s\n", qPrintable(json.fileName()));
            return 1;
        }
    }
    return 0;
}
