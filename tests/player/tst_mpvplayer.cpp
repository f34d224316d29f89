#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

const QSize standard{320, 240};
const QSize noPicture;

QString clip(const QString& container, QSize size = standard)
{
    return TestMedia::movie({.seconds = 2, .size = size, .container = container});
}

} // namespace

class MpvPlayerTest : public QObject
{
    Q_OBJECT

    // One player for the corpus, as a user opens one file after another.
    MpvMoviePlayer m_player{headless};

private slots:
    void seek_data()
    {
        QTest::addColumn<QList<double>>("targets");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("playing");
        QTest::newRow("paused, between frames") << QList<double>{1.23} << 1.23 << false;
        QTest::newRow("negative means start, not from the end") << QList<double>{-3} << 0.0 << false;
        QTest::newRow("playing, forward") << QList<double>{3.5} << 3.5 << true;
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

    // Seeks in quick succession (a skip key held down, the position slider let go again and
    // again) can come quicker than any seek at slow tempo finishes. The movie must still be seen
    // moving, and end up at the last target, playing on from there.
    void seeksQuickerThanTheyFinishStillMoveTheMovie()
    {
        MpvMoviePlayer player(headless);
        player.SetTempo(-50);
        player.setFileName(TestMedia::movie({.seconds = 21, .keyframeSeconds = 10}));
        player.Play();
        QSignalSpy reports(&player, &MoviePlayer::PositionChange);
        QVERIFY(reports.wait(5000));

        reports.clear();
        QElapsedTimer clock;
        clock.start();
        double lastTarget = 0;
        for (int i = 0; clock.elapsed() < 3000; ++i) {
            lastTarget = (i % 2 == 0) ? 9.0 + 0.01 * i : 19.0 - 0.01 * i;
            player.Seek(lastTarget);
            QCOMPARE(player.Position(), lastTarget);
            QTest::qWait(20);
        }
        const qsizetype reportsDuringDrag = reports.size();
        QVERIFY2(reportsDuringDrag >= 3, qPrintable(QString::number(reportsDuringDrag)));

        // Once the drag is over, playback goes on from its last target.
        QTest::qWait(1500);
        QVERIFY(!reports.isEmpty());
        const double last = reports.last().at(0).toDouble();
        QVERIFY2(last > lastTarget && last < lastTarget + 1.5,
                 qPrintable(QStringLiteral("%1 after a drag to %2").arg(last).arg(lastTarget)));
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

    void eachMoviePlaysOrIsRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("plays");
        // The length it opens with (within 0.15 s); negative when only an upper bound is known.
        QTest::addColumn<double>("duration");
        // How far the position must get once playing.
        QTest::addColumn<double>("reaches");
        QTest::addColumn<QSize>("picture");

        QTest::newRow("mp4: H.264, AAC") << clip("mp4") << true << 2.0 << 0.5 << standard;
        QTest::newRow("mkv: H.264, AAC") << clip("mkv") << true << 2.0 << 0.5 << standard;
        QTest::newRow("mov: H.264, AAC") << clip("mov") << true << 2.0 << 0.5 << standard;
        QTest::newRow("avi: MPEG-4, MP3") << clip("avi") << true << 2.0 << 0.5 << standard;
        QTest::newRow("mpg: MPEG-1, MP2") << clip("mpg") << true << 2.0 << 0.5 << standard;
        QTest::newRow("mpeg: MPEG-2, MP2") << clip("mpeg") << true << 2.0 << 0.5 << standard;
        QTest::newRow("vob: MPEG-2, AC-3") << clip("vob") << true << 2.0 << 0.5 << standard;
        QTest::newRow("wmv: WMV 8, WMA 2") << clip("wmv") << true << 2.0 << 0.5 << standard;
        QTest::newRow("flv: Sorenson Spark, MP3") << clip("flv") << true << 2.0 << 0.5 << standard;
        QTest::newRow("3gp: H.263, AAC") << clip("3gp", {176, 144}) << true << 2.0 << 0.5 << QSize(176, 144);

        QTest::newRow("sound only") << TestMedia::movie({.seconds = 2, .withPicture = false}) << true << 2.0
                                    << 0.5 << noPicture;
        QTest::newRow("picture only")
            << TestMedia::movie({.seconds = 2, .withSound = false}) << true << 2.0 << 0.5 << standard;
        // One frame has nowhere to move to: it is shown and stays.
        QTest::newRow("one frame") << TestMedia::movie({.seconds = 0.04, .withSound = false}) << true << 0.04
                                   << 0.0 << standard;
        QTest::newRow("1x1") << clip("mp4", {1, 1}) << true << 2.0 << 0.5 << QSize(1, 1);
        QTest::newRow("odd width, odd height")
            << clip("mkv", {321, 241}) << true << 2.0 << 0.5 << QSize(321, 241);
        QTest::newRow("4K, five frames") << TestMedia::movie({.seconds = 0.2, .size = {3840, 2160}}) << true
                                         << 0.2 << 0.1 << QSize(3840, 2160);
        QTest::newRow("variable frame rate")
            << TestMedia::movie({.seconds = 2, .variableFrameRate = true}) << true << 1.72 << 0.5 << standard;

        const QString indexLast = clip("mp4");
        const QString indexFirst = TestMedia::movie({.seconds = 2, .indexFirst = true});
        QTest::newRow("mp4 cut at 10%, index at the end")
            << TestMedia::cutAt(indexLast, 0.1) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("mp4 cut at 90%, index at the end")
            << TestMedia::cutAt(indexLast, 0.9) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("mp4 cut at 50%, index first")
            << TestMedia::cutAt(indexFirst, 0.5) << true << -2.0 << 0.3 << standard;
        QTest::newRow("mkv cut at 30%")
            << TestMedia::cutAt(clip("mkv"), 0.3) << true << -2.0 << 0.2 << standard;
        QTest::newRow("avi cut at 60%")
            << TestMedia::cutAt(clip("avi"), 0.6) << true << -2.0 << 0.5 << standard;
        QTest::newRow("mp4, noise behind the index")
            << TestMedia::noiseBehind(indexFirst, 8192) << true << 2.0 << 0.0 << standard;
        QTest::newRow("mkv, noise behind the first 4 KB")
            << TestMedia::noiseBehind(clip("mkv"), 4096) << true << 2.0 << 0.0 << standard;

        QByteArray noise(256 * 1024, '\0');
        QRandomGenerator(20240613).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const QString notes = "These are a musician's notes, not a movie.\nBar 12: slow down.\n";
        // A folder with a good movie inside, so that playing its contents would be noticed.
        const QString folder = QFileInfo(TestMedia::copyAt("folder.mp4/inside.mp4")).path();
        QTest::newRow("zero bytes") << TestMedia::file("zero-bytes.mp4", {}) << false << 0.0 << 0.0
                                    << noPicture;
        QTest::newRow("random bytes")
            << TestMedia::file("noise.mp4", noise) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("text named .txt")
            << TestMedia::file("notes.txt", notes.toUtf8()) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("folder named like a movie") << folder << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("missing") << TestMedia::outputPath("missing.mp4") << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("empty path") << QString() << false << 0.0 << 0.0 << noPicture;
        // Whoever runs the tests as root may read it anyway, and then it plays.
        const QString unreadable = TestMedia::copyAt("unreadable.mp4");
        QFile::setPermissions(unreadable, QFileDevice::Permissions());
        const bool readable = QFileInfo(unreadable).isReadable();
        QTest::newRow("unreadable") << unreadable << readable << (readable ? 3.0 : 0.0) << 0.0
                                    << (readable ? standard : noPicture);

        const QString longFolder = QString(120, QChar('f'));
        QTest::newRow("path of over 1000 characters")
            << TestMedia::copyAt(QStringList(9, longFolder).join('/') + "/movie.mp4") << true << 3.0 << 0.5
            << standard;
        for (const QString& name : {QStringLiteral("say \"hi\".mp4"), QStringLiteral("bars 1, 2 and 3.mp4"),
                                    QStringLiteral("it's Étude für Klavier – 練習.mp4")})
            QTest::newRow(qPrintable("named " + name))
                << TestMedia::copyAt(name) << true << 3.0 << 0.5 << standard;
    }
    void eachMoviePlaysOrIsRefused()
    {
        QFETCH(QString, path);
        QFETCH(bool, plays);
        QFETCH(double, duration);
        QFETCH(double, reaches);
        QFETCH(QSize, picture);

        if (plays)
            QVERIFY2(QFileInfo::exists(path), "the movie could not be made");
        m_player.setFileName(path);
        if (!plays) {
            QCOMPARE(m_player.Duration(), 0.0);
            QCOMPARE(m_player.FileName(), QString());
            // The movie before is closed, not left playing behind the failure.
            m_player.Seek(1.0);
            QTest::qWait(200);
            QCOMPARE(m_player.Position(), 0.0);
        } else {
            QCOMPARE(m_player.FileName(), path);
            const double opened = m_player.Duration();
            if (duration >= 0)
                QVERIFY2(qAbs(opened - duration) < 0.15, qPrintable(number(opened)));
            else
                QVERIFY2(opened > 0 && opened < -duration + 0.15, qPrintable(number(opened)));
            m_player.Play();
            QTRY_VERIFY2_WITH_TIMEOUT(m_player.Position() >= reaches, qPrintable(number(m_player.Position())),
                                      8000);
            qInfo("opened with Duration %.3f s, played to %.3f s", opened, m_player.Position());
            const QString frame = TestMedia::outputPath("corpus-frame.bmp");
            // A big picture may reach the screen a moment after the sound has played that far.
            const auto snapshotSize = [&] {
                QFile::remove(frame);
                m_player.SaveBitmap(frame);
                return QImage(frame).size();
            };
            QTRY_COMPARE_WITH_TIMEOUT(snapshotSize(), picture.isValid() ? picture : QSize(0, 0), 5000);
            QCOMPARE(m_player.SaveBitmap(frame), picture.isValid());
        }

        // Usable afterwards: a good movie opens and plays.
        const QString good = TestMedia::movie();
        m_player.setFileName(good);
        QVERIFY(qAbs(m_player.Duration() - 3.0) < 0.1);
        m_player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(m_player.Position() > 0.3, 8000);
    }
};

QTEST_MAIN(MpvPlayerTest)
#include "tst_mpvplayer.moc"
