#include "player/MpvMoviePlayer.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

Q_DECLARE_METATYPE(TestMedia::Container)

class MpvPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void durationOfEachContainer_data()
    {
        QTest::addColumn<TestMedia::Container>("container");
        QTest::addColumn<double>("seconds");
        QTest::newRow("mp4") << TestMedia::Container::Mp4 << 3.0;
        QTest::newRow("mkv") << TestMedia::Container::Mkv << 4.5;
        QTest::newRow("avi") << TestMedia::Container::Avi << 2.0;
        QTest::newRow("mov") << TestMedia::Container::Mov << 6.0;
    }
    void durationOfEachContainer()
    {
        QFETCH(TestMedia::Container, container);
        QFETCH(double, seconds);
        const QString path = TestMedia::movie({.seconds = seconds, .container = container});
        MpvMoviePlayer player(headless);
        player.setFileName(path);
        // Known on the very next line, without waiting for anything.
        QVERIFY2(qAbs(player.Duration() - seconds) < 0.1, qPrintable(number(player.Duration())));
        QCOMPARE(player.FileName(), path);
        QCOMPARE(player.Position(), 0.0);
    }

    void seek_data()
    {
        QTest::addColumn<QList<double>>("targets");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("playing");
        QTest::newRow("paused, between frames") << QList<double>{1.23} << 1.23 << false;
        QTest::newRow("negative means start, not from the end") << QList<double>{-3} << 0.0 << false;
        QTest::newRow("while seeking, ends at the last target")
            << QList<double>{2.8, 0.4, 1.6, 1.2} << 1.2 << false;
        QTest::newRow("paused, past the end") << QList<double>{60} << 60.0 << false;
        QTest::newRow("playing, forward") << QList<double>{3.5} << 3.5 << true;
        QTest::newRow("playing, back") << QList<double>{0.5} << 0.5 << true;
        QTest::newRow("playing, past the end") << QList<double>{60} << 60.0 << true;
    }
    void seek()
    {
        QFETCH(QList<double>, targets);
        QFETCH(double, expected);
        QFETCH(bool, playing);
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie({.seconds = 5}));
        if (playing) {
            player.Seek(2.0);
            player.Play();
            QTest::qWait(300);
        }
        for (const double target : targets)
            player.Seek(target);
        QCOMPARE(player.Position(), expected);
        if (expected > player.Duration()) {
            // It ends at the last frame, and the movie stays open there.
            QTRY_VERIFY(player.Position() <= player.Duration());
            QVERIFY(player.Position() > player.Duration() - 0.2);
            player.Seek(1);
            QTRY_COMPARE(player.Position(), 1.0);
        } else if (playing) {
            QTRY_VERIFY(player.Position() > expected + 0.1);
        } else {
            // Once there, the position is that of the frame shown, the first at or after the target.
            QTest::qWait(500);
            QVERIFY2(player.Position() >= expected - 0.001 && player.Position() < expected + 0.041,
                     qPrintable(number(player.Position())));
        }
    }

    void playReportsEachFrameAndPauseHalts()
    {
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie({.seconds = 6}));
        QList<double> reports;
        bool allOnGuiThread = true;
        connect(&player, &MoviePlayer::PositionChange, this, [&](double position, const QString&) {
            reports << position;
            allOnGuiThread = allOnGuiThread && QThread::currentThread() == thread();
        });
        player.Play();
        QTest::qWait(1500);
        // About one report a frame (25 a second), in order, on the GUI thread.
        QVERIFY2(reports.size() >= 25, qPrintable(number(double(reports.size()))));
        QVERIFY(allOnGuiThread);
        QVERIFY(std::is_sorted(reports.begin(), reports.end()));

        // Pause and Stop both halt where playback is; Play goes on from there.
        for (const auto halt : {&MoviePlayer::Pause, &MoviePlayer::Stop}) {
            (player.*halt)();
            QTest::qWait(100);
            const double halted = player.Position();
            QTest::qWait(600);
            QCOMPARE(player.Position(), halted);
            player.Play();
            QTRY_VERIFY(player.Position() > halted + 0.2);
        }
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
        const QSize size(352, 288);
        const QString movie = TestMedia::movie({.size = size});
        // The frame as ffmpeg decodes it, colours and orientation included.
        const QString expected = TestMedia::outputPath("ffmpeg-frame.png");
        QCOMPARE(QProcess::execute(
                     "ffmpeg", {"-v", "error", "-y", "-ss", "1", "-i", movie, "-frames:v", "1", expected}),
                 0);
        MpvMoviePlayer player(headless);
        player.setFileName(movie);
        player.Seek(1.0);
        QTest::qWait(300);
        const QString reference = TestMedia::outputPath("reference.bmp");
        QVERIFY(player.SaveBitmap(reference));
        const QString path = TestMedia::outputPath("snapshot." + decodedAs);
        QVERIFY(player.SaveSnapshot(path, format));

        QImageReader reader(path);
        QCOMPARE(reader.format(), decodedAs);
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
        const QImage lossless(reference);
        QVERIFY2(ImageDifference::mean(lossless, QImage(expected)) < 4,
                 qPrintable(number(ImageDifference::mean(lossless, QImage(expected)))));
        QVERIFY2(ImageDifference::mean(image, lossless) <= tolerance,
                 qPrintable(number(ImageDifference::mean(image, lossless))));
        // A frame a second later looks clearly different, so the checks above can fail.
        player.Seek(2.0);
        QTest::qWait(300);
        QVERIFY(player.SaveBitmap(reference));
        QVERIFY(ImageDifference::mean(QImage(reference), QImage(expected)) > 10);
    }

    void snapshotFailures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint16>("format");
        QTest::addColumn<bool>("withMovie");
        QTest::newRow("folder that does not exist")
            << TestMedia::outputPath("missing-folder/shot.bmp") << qint16(MoviePlayer::Bmp) << true;
        QTest::newRow("folder that cannot be written")
            << "/proc/shot.png" << qint16(MoviePlayer::Png) << true;
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
        QVERIFY(format != MoviePlayer::Bmp || !player.SaveBitmap(path));
        QVERIFY(!QFile::exists(path));
    }

    void closeEndsEverything()
    {
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie());
        player.Play();
        QTest::qWait(200);
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
};

QTEST_MAIN(MpvPlayerTest)
#include "tst_mpvplayer.moc"
