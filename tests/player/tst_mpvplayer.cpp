#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

// Waits while the event loop runs, so that the player's events keep arriving.
void runFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QTest::qWait(10);
}

} // namespace

class MpvPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void durationOfEachContainer_data()
    {
        QTest::addColumn<int>("container");
        QTest::addColumn<double>("seconds");
        QTest::newRow("mp4") << int(TestMedia::Container::Mp4) << 3.0;
        QTest::newRow("mkv") << int(TestMedia::Container::Mkv) << 4.5;
        QTest::newRow("avi") << int(TestMedia::Container::Avi) << 2.0;
        QTest::newRow("mov") << int(TestMedia::Container::Mov) << 6.0;
    }
    void durationOfEachContainer()
    {
        QFETCH(int, container);
        QFETCH(double, seconds);
        TestMedia::Movie movie;
        movie.seconds = seconds;
        movie.container = TestMedia::Container(container);
        const QString path = TestMedia::movie(movie);
        QVERIFY(!path.isEmpty());

        MpvMoviePlayer player(headless);
        player.setFileName(path);
        // Right on the next line, without waiting for anything.
        QVERIFY2(qAbs(player.Duration() - seconds) < 0.1, qPrintable(QString::number(player.Duration())));
        QCOMPARE(player.FileName(), path);
        QCOMPARE(player.Position(), 0.0);
    }

    void positionAfterSeek_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("playing");
        QTest::newRow("paused, middle") << 2.5 << 2.5 << false;
        QTest::newRow("paused, between frames") << 1.23 << 1.23 << false;
        QTest::newRow("paused, start") << 0.0 << 0.0 << false;
        QTest::newRow("negative means start, not from the end") << -3.0 << 0.0 << false;
        QTest::newRow("playing, forward") << 3.5 << 3.5 << true;
        QTest::newRow("playing, back") << 0.5 << 0.5 << true;
    }
    void positionAfterSeek()
    {
        QFETCH(double, target);
        QFETCH(double, expected);
        QFETCH(bool, playing);
        TestMedia::Movie movie;
        movie.seconds = 5;
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie(movie));
        if (playing) {
            player.Seek(2.0);
            player.Play();
            runFor(300);
        }

        player.Seek(target);
        QCOMPARE(player.Position(), expected);
        if (playing) {
            QTRY_VERIFY(qAbs(player.Position() - expected) > 0.1);
            QVERIFY(player.Position() > expected);
        } else {
            // Once there, the position is that of the frame shown, the first at or after the target.
            runFor(500);
            const double frame = 1 / 25.0;
            QVERIFY2(player.Position() >= expected - 0.001 && player.Position() < expected + frame + 0.001,
                     qPrintable(QString::number(player.Position())));
        }
    }

    void seekWhileSeekingEndsAtTheLastTarget()
    {
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie());
        for (const double target : {2.8, 0.4, 1.6, 1.2})
            player.Seek(target);
        QCOMPARE(player.Position(), 1.2);
        runFor(500);
        QVERIFY2(qAbs(player.Position() - 1.2) < 0.001, qPrintable(QString::number(player.Position())));
    }

    void playbackAdvancesInRealTimeAndPauses()
    {
        TestMedia::Movie movie;
        movie.seconds = 6;
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie(movie));
        QList<double> reports;
        bool allOnGuiThread = true;
        connect(&player, &MoviePlayer::PositionChange, this, [&](double position, const QString&) {
            reports << position;
            allOnGuiThread = allOnGuiThread && QThread::currentThread() == thread();
        });

        player.Play();
        runFor(200);
        QElapsedTimer wall;
        wall.start();
        const double start = player.Position();
        runFor(1500);
        const double advance = player.Position() - start;
        const double ratio = advance / (static_cast<double>(wall.elapsed()) / 1000.0);
        QVERIFY2(ratio > 0.85 && ratio < 1.15, qPrintable(QString::number(ratio)));
        // About one report a frame (25 a second).
        QVERIFY2(reports.size() >= 25, qPrintable(QString::number(reports.size())));
        QVERIFY(allOnGuiThread);
        QVERIFY(std::is_sorted(reports.begin(), reports.end()));

        player.Pause();
        runFor(100);
        const double paused = player.Position();
        runFor(600);
        QCOMPARE(player.Position(), paused);
        player.Play();
        QTRY_VERIFY(player.Position() > paused + 0.2);
    }

    void stopHaltsWhereItIs()
    {
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie());
        player.Play();
        runFor(500);
        player.Stop();
        runFor(100);
        const double stopped = player.Position();
        QVERIFY(stopped > 0.2);
        runFor(500);
        QCOMPARE(player.Position(), stopped);
        QCOMPARE(player.Duration() > 0, true);
    }

    void movieAtItsEndStaysOpen()
    {
        TestMedia::Movie movie;
        movie.seconds = 2;
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie(movie));
        player.Seek(1.5);
        player.Play();
        runFor(1500);
        QVERIFY(player.Duration() > 0);
        QVERIFY(player.Position() > 1.8);
        player.Seek(0.5);
        QTRY_COMPARE(player.Position(), 0.5);
    }

    void unopenableFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("zero bytes") << TestMedia::zeroBytes();
        QTest::newRow("random bytes") << TestMedia::randomBytes();
        QTest::newRow("truncated mp4") << TestMedia::truncatedMp4();
        QTest::newRow("text file") << TestMedia::textFile();
        QTest::newRow("folder with a movie inside") << TestMedia::folder();
        QTest::newRow("missing") << TestMedia::missingFile();
        QTest::newRow("empty path") << QString();
    }
    void unopenableFiles()
    {
        QFETCH(QString, path);
        MpvMoviePlayer player(headless);
        const QString good = TestMedia::movie();
        player.setFileName(good);
        player.Play();
        runFor(300);

        QElapsedTimer timer;
        timer.start();
        player.setFileName(path);
        QVERIFY(timer.elapsed() < 6000);
        QCOMPARE(player.Duration(), 0.0);
        QCOMPARE(player.FileName(), QString());
        // The movie before is closed, not left playing behind the failure.
        runFor(500);
        QCOMPARE(player.Duration(), 0.0);
        QCOMPARE(player.Position(), 0.0);
        player.Seek(1.0);
        QCOMPARE(player.Position(), 0.0);

        // Still usable afterwards.
        player.setFileName(good);
        QVERIFY(player.Duration() > 2.9);
        player.Play();
        QTRY_VERIFY(player.Position() > 0.3);
    }

    void snapshotInEachFormat_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QByteArray>("decodedAs");
        QTest::addColumn<int>("tolerance"); // mean difference from the lossless picture, per channel
        QTest::newRow("0 bmp") << qint16(MoviePlayer::Bmp) << QByteArray("bmp") << 0;
        QTest::newRow("1 jpg") << qint16(MoviePlayer::Jpg) << QByteArray("jpeg") << 6;
        QTest::newRow("2 png") << qint16(MoviePlayer::Png) << QByteArray("png") << 0;
        QTest::newRow("3 tif") << qint16(MoviePlayer::Tif) << QByteArray("tiff") << 0;
        QTest::newRow("4 gif") << qint16(MoviePlayer::Gif) << QByteArray("gif") << 16;
    }
    void snapshotInEachFormat()
    {
        QFETCH(qint16, format);
        QFETCH(QByteArray, decodedAs);
        QFETCH(int, tolerance);
        TestMedia::Movie movie;
        movie.size = QSize(352, 288);
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie(movie));
        player.Seek(1.0);
        runFor(300);

        const QString reference = TestMedia::outputPath("reference.bmp");
        QVERIFY(player.SaveBitmap(reference));
        const QString path = TestMedia::outputPath("snapshot." + decodedAs);
        QVERIFY(player.SaveSnapshot(path, format));

        QImageReader reader(path);
        QCOMPARE(reader.format(), decodedAs);
        const QImage image = reader.read();
        QCOMPARE(image.size(), movie.size);
        const QImage lossless(reference);
        QCOMPARE(lossless.size(), movie.size);
        QVERIFY2(meanDifference(image, lossless) <= tolerance,
                 qPrintable(QString::number(meanDifference(image, lossless))));
    }

    void snapshotShowsTheFrameOnShow()
    {
        // The same frame as ffmpeg decodes it, colours and orientation included.
        TestMedia::Movie movie;
        movie.size = QSize(320, 240);
        const QString path = TestMedia::movie(movie);
        const QString expected = TestMedia::outputPath("ffmpeg-frame.png");
        QVERIFY(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-ss", "2", "-i", path, "-frames:v", "1",
                                             expected}) == 0);

        MpvMoviePlayer player(headless);
        player.setFileName(path);
        player.Seek(2.0);
        runFor(300);
        const QString saved = TestMedia::outputPath("snapshot.png");
        QVERIFY(player.SaveSnapshot(saved, MoviePlayer::Png));
        const double difference = meanDifference(QImage(saved), QImage(expected));
        QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
        // A frame a second later looks clearly different, so the check above can fail.
        player.Seek(3.0 - 0.04);
        runFor(300);
        QVERIFY(player.SaveSnapshot(saved, MoviePlayer::Png));
        QVERIFY(meanDifference(QImage(saved), QImage(expected)) > 10);
    }

    void snapshotFailures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint16>("format");
        QTest::addColumn<bool>("withMovie");
        QTest::newRow("folder that does not exist")
            << TestMedia::outputPath("missing-folder/shot.png") << qint16(MoviePlayer::Png) << true;
        QTest::newRow("folder that cannot be written")
            << QStringLiteral("/proc/shot.png") << qint16(MoviePlayer::Png) << true;
        QTest::newRow("code below the formats") << TestMedia::outputPath("shot.x") << qint16(-1) << true;
        QTest::newRow("code above the formats") << TestMedia::outputPath("shot.y") << qint16(5) << true;
        QTest::newRow("no movie open")
            << TestMedia::outputPath("shot.bmp") << qint16(MoviePlayer::Bmp) << false;
    }
    void snapshotFailures()
    {
        QFETCH(QString, path);
        QFETCH(qint16, format);
        QFETCH(bool, withMovie);
        MpvMoviePlayer player(headless);
        if (withMovie)
            player.setFileName(TestMedia::movie());
        QVERIFY(!player.SaveSnapshot(path, format));
        QVERIFY(!QFile::exists(path));
        if (format == MoviePlayer::Bmp) {
            QVERIFY(!player.SaveBitmap(path));
            QVERIFY(!QFile::exists(path));
        }
    }

    void closeEndsEverything()
    {
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie());
        player.Play();
        runFor(200);
        player.Close();
        QCOMPARE(player.Duration(), 0.0);
        QCOMPARE(player.FileName(), QString());
        // Calls after Close do nothing and do not crash.
        player.Seek(1);
        player.Play();
        player.setVolume(-500);
        player.SetTempo(20);
        player.setFileName(TestMedia::movie());
        QCOMPARE(player.Duration(), 0.0);
        QVERIFY(!player.SaveBitmap(TestMedia::outputPath("after-close.bmp")));
        player.Close();
    }

private:
    static double meanDifference(const QImage& a, const QImage& b)
    {
        if (a.size() != b.size())
            return 1e9;
        const QImage x = a.convertToFormat(QImage::Format_RGB888);
        const QImage y = b.convertToFormat(QImage::Format_RGB888);
        double sum = 0;
        for (int row = 0; row < x.height(); ++row) {
            const uchar* p = x.constScanLine(row);
            const uchar* q = y.constScanLine(row);
            for (int i = 0; i < x.width() * 3; ++i)
                sum += std::abs(int(p[i]) - int(q[i]));
        }
        return sum / (double(x.width()) * x.height() * 3);
    }
};

QTEST_MAIN(MpvPlayerTest)
#include "tst_mpvplayer.moc"
