#include "PrivateSoundServer.h"
#include "XvfbDisplay.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QImage>
#include <QProcess>
#include <QTest>

// Starts the real program as a user does: from a terminal, and on a movie in its window on an X
// display of the test's own.
class ExecutableTest : public QObject
{
    Q_OBJECT

    XvfbDisplay m_display;
    PrivateSoundServer m_sound;

    static QString program() { return qEnvironmentVariable("REELQUILL_BUILD_DIR") + "/src/reelquill"; }

    // The window as ImageMagick sees it on the display; null until the window is mapped.
    static QImage windowShot()
    {
        QProcess import;
        import.start("import", {"-window", "Reelquill", "png:-"});
        // import waits for ever when there is no such window yet.
        const bool taken = import.waitForFinished(3000) && import.exitCode() == 0;
        import.kill();
        import.waitForFinished();
        return taken ? QImage::fromData(import.readAllStandardOutput(), "PNG") : QImage();
    }

    // Well inside the picture area, clear of the menu bar whatever its height.
    static QImage pictureArea(const QImage& window) { return window.copy(40, 100, 360, 230); }

private slots:
    // A desktop session of the test's own: an X server and a sound server (PulseAudio, with a sink
    // that plays to nowhere), so that what the program prints is its own and not this machine's
    // lack of them. libpipewire is installed here without PipeWire's configuration and would say so.
    void initTestCase()
    {
        QVERIFY2(m_display.start(), "Xvfb did not start");
        QVERIFY2(m_sound.start(), "pulseaudio did not start");
        qputenv("DISPLAY", m_display.environment().value("DISPLAY").toLocal8Bit());
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("PIPEWIRE_DEBUG", "0");
    }

    // Run from a terminal: no display is needed to answer; without one the window cannot start.
    void answersOnTheTerminal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("--help shows the usage with its optional file")
            << QStringList{"--help"} << "" << 0 << "[options] [file]";
        QTest::newRow("--version shows the version")
            << QStringList{"--version"} << "" << 0 << "reelquill " PROJECT_VERSION "\n";
        QTest::newRow("an unknown option is named, with where to find help")
            << QStringList{"--loop", "film.mp4"} << "" << 2
            << "reelquill: unknown option '--loop'\nTry 'reelquill --help' for more information.\n";
        QTest::newRow("without a display the window does not start")
            << QStringList{} << "" << 1
            << "reelquill: no graphical display (DISPLAY or WAYLAND_DISPLAY is not set)\n";
        QTest::newRow("a display that is not there is named")
            << QStringList{"film.mp4"} << ":987" << 1 << "reelquill: could not connect to display :987\n";
    }
    void answersOnTheTerminal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        if (!display.isEmpty())
            environment.insert("DISPLAY", display);
        QProcess terminal;
        terminal.setProcessEnvironment(environment);
        terminal.start(program(), arguments);
        QVERIFY2(terminal.waitForFinished(60000), qPrintable(terminal.errorString()));
        // A crash (as Qt's abort without a platform) is no answer.
        QCOMPARE(terminal.exitStatus(), QProcess::NormalExit);
        QCOMPARE(terminal.exitCode(), exitCode);
        // An answer goes to standard output, a complaint (all of it) to standard error.
        const QString answer = terminal.readAllStandardOutput(), complaint = terminal.readAllStandardError();
        const bool shownRight = exitCode == 0 ? answer.contains(shown) && complaint.isEmpty()
                                              : complaint == shown && answer.isEmpty();
        QVERIFY2(shownRight, qPrintable(answer + complaint));
    }

    void playsTheMovieNamedOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("soundServer"); // empty: the test's own
        QTest::addColumn<QString>("errors");
        const QString withSound = TestMedia::movie({.seconds = 30.0, .size = {320, 240}});
        QTest::newRow("with sound") << QStringList{withSound} << ""
                                    << ""
                                    << "";
        QTest::newRow("picture only")
            << QStringList{TestMedia::movie({.seconds = 30.0, .size = {320, 240}, .withSound = false})} << ""
            << ""
            << "";
        QTest::newRow("a name holding double quotes")
            << QStringList{TestMedia::copyAt("say \"hi\".mp4", withSound)} << ""
            << ""
            << "";
        QTest::newRow("a name with a blank, given as two words")
            << TestMedia::copyAt("two words.mp4", withSound).split(' ') << ""
            << ""
            << "";
        const QString likeAnOption = TestMedia::copyAt("--version", withSound);
        QTest::newRow("a name like an option, after --")
            << QStringList{"--", "--version"} << QFileInfo(likeAnOption).absolutePath() << ""
            << "";
        QTest::newRow("no sound server: the picture plays, and one line says why")
            << QStringList{withSound} << ""
            << "unix:/nonexistent/reelquill-test-native"
            << "reelquill: no sound server (Connection refused); playing without sound\n";
    }
    // On a machine without hardware decoding, too, the program prints nothing while it plays.
    // Without a sound server it says so once and plays the picture.
    void playsTheMovieNamedOnTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QFETCH(QString, soundServer);
        QFETCH(QString, errors);

        QProcess program;
        program.setWorkingDirectory(folder);
        if (!soundServer.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("PULSE_SERVER", soundServer);
            program.setProcessEnvironment(environment);
        }
        program.start(ExecutableTest::program(), arguments);
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

        // The first frames may take a moment on a busy machine.
        QImage first;
        QTRY_VERIFY_WITH_TIMEOUT(
            program.state() != QProcess::Running ||
                (!(first = windowShot()).isNull() && ImageDifference::meanLevel(pictureArea(first)) > 20),
            30000);
        if (program.state() != QProcess::Running)
            QFAIL((program.readAll() + program.readAllStandardError()).constData());
        QTest::qWait(1000);
        const QImage second = windowShot();
        QVERIFY(!second.isNull());
        // A playing movie changes the picture; a frozen or blank one does not.
        const double changed = ImageDifference::mean(pictureArea(first), pictureArea(second));
        QVERIFY2(changed > 1, qPrintable(QString::number(changed)));

        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), errors);
    }
};

QTEST_GUILESS_MAIN(ExecutableTest)
#include "tst_executable.moc"
