#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QImage>
#include <QProcess>
#include <QTest>

// Starts the real program on a generated movie and watches its window on the X display.
class ExecutableTest : public QObject
{
    Q_OBJECT

    // The window as ImageMagick sees it on the display; null until the window is mapped.
    static QImage windowShot()
    {
        QProcess import;
        import.start("import", {"-window", "Reelquill", "png:-"});
        // import waits for ever when there is no such window yet.
        if (!import.waitForFinished(3000)) {
            import.kill();
            import.waitForFinished();
            return {};
        }
        if (import.exitCode() != 0)
            return {};
        return QImage::fromData(import.readAllStandardOutput(), "PNG");
    }

    // Well inside the picture area, clear of the menu bar whatever its height.
    static QImage pictureArea(const QImage& window) { return window.copy(40, 100, 360, 230); }

private slots:
    void playsTheMovieNamedOnTheCommandLine_data()
    {
        QTest::addColumn<QString>("movie");
        const QString withSound = TestMedia::movie({.seconds = 30.0, .size = {320, 240}});
        QTest::newRow("with sound") << withSound;
        QTest::newRow("picture only")
            << TestMedia::movie({.seconds = 30.0, .size = {320, 240}, .withSound = false});
        QTest::newRow("a name holding double quotes") << TestMedia::copyAt("say \"hi\".mp4", withSound);
    }
    void playsTheMovieNamedOnTheCommandLine()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display");
        QFETCH(QString, movie);
        QVERIFY(!movie.isEmpty());

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(qEnvironmentVariable("REELQUILL_BUILD_DIR") + "/src/reelquill", {movie});
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

        // The first frames may take a moment on a busy machine.
        QImage first;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(first = windowShot()).isNull() && ImageDifference::meanLevel(pictureArea(first)) > 20, 30000);
        QTest::qWait(1000);
        const QImage second = windowShot();
        QVERIFY(!second.isNull());
        // A playing movie changes the picture; a frozen or blank one does not.
        const double changed = ImageDifference::mean(pictureArea(first), pictureArea(second));
        QVERIFY2(changed > 1, qPrintable(QString::number(changed)));

        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }
};

QTEST_MAIN(ExecutableTest)
#include "tst_executable.moc"
