#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QFileInfo>
#include <QImage>
#include <QTest>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

using C = TestMedia::Container;
const QSize standard{320, 240};
const QSize noPicture;

QString clip(C container, QSize size = standard)
{
    return TestMedia::movie({.seconds = 2, .size = size, .container = container});
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

// Whatever a user may have: every container the open dialog offers, odd sizes and rates, broken
// and unreadable files, odd names. Each either plays or is refused, and the same player then
// opens and plays a good movie.
class MovieCorpusTest : public QObject
{
    Q_OBJECT

    MpvMoviePlayer m_player{headless};

private slots:
    void eachMoviePlaysOrIsRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("plays");
        // The length it opens with (within 0.15 s); negative when only an upper bound is known.
        QTest::addColumn<double>("duration");
        // How far the position must get once playing.
        QTest::addColumn<double>("reaches");
        QTest::addColumn<QSize>("picture");

        QTest::newRow("mp4: H.264, AAC") << clip(C::Mp4) << true << 2.0 << 0.5 << standard;
        QTest::newRow("mkv: H.264, AAC") << clip(C::Mkv) << true << 2.0 << 0.5 << standard;
        QTest::newRow("mov: H.264, AAC") << clip(C::Mov) << true << 2.0 << 0.5 << standard;
        QTest::newRow("avi: MPEG-4, MP3") << clip(C::Avi) << true << 2.0 << 0.5 << standard;
        QTest::newRow("mpg: MPEG-1, MP2") << clip(C::Mpg) << true << 2.0 << 0.5 << standard;
        QTest::newRow("mpeg: MPEG-2, MP2") << clip(C::Mpeg) << true << 2.0 << 0.5 << standard;
        QTest::newRow("vob: MPEG-2, AC-3") << clip(C::Vob) << true << 2.0 << 0.5 << standard;
        QTest::newRow("wmv: WMV 8, WMA 2") << clip(C::Wmv) << true << 2.0 << 0.5 << standard;
        QTest::newRow("flv: Sorenson Spark, MP3") << clip(C::Flv) << true << 2.0 << 0.5 << standard;
        QTest::newRow("3gp: H.263, AAC")
            << clip(C::ThreeGp, {176, 144}) << true << 2.0 << 0.5 << QSize(176, 144);

        QTest::newRow("sound only") << TestMedia::movie({.seconds = 2, .withPicture = false}) << true << 2.0
                                    << 0.5 << noPicture;
        QTest::newRow("picture only")
            << TestMedia::movie({.seconds = 2, .withSound = false}) << true << 2.0 << 0.5 << standard;
        // One frame has nowhere to move to: it is shown and stays.
        QTest::newRow("one frame") << TestMedia::movie({.seconds = 0.04, .withSound = false}) << true << 0.04
                                   << 0.0 << standard;
        QTest::newRow("1x1") << clip(C::Mp4, {1, 1}) << true << 2.0 << 0.5 << QSize(1, 1);
        QTest::newRow("odd width, odd height")
            << clip(C::Mkv, {321, 241}) << true << 2.0 << 0.5 << QSize(321, 241);
        QTest::newRow("4K, five frames") << TestMedia::movie({.seconds = 0.2, .size = {3840, 2160}}) << true
                                         << 0.2 << 0.1 << QSize(3840, 2160);
        QTest::newRow("variable frame rate")
            << TestMedia::movie({.seconds = 2, .variableFrameRate = true}) << true << 1.72 << 0.5 << standard;

        const QString indexLast = clip(C::Mp4);
        const QString indexFirst = TestMedia::movie({.seconds = 2, .indexFirst = true});
        QTest::newRow("mp4 cut at 10%, index at the end")
            << TestMedia::cutAt(indexLast, 0.1) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("mp4 cut at 90%, index at the end")
            << TestMedia::cutAt(indexLast, 0.9) << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("mp4 cut at 50%, index first")
            << TestMedia::cutAt(indexFirst, 0.5) << true << -2.0 << 0.3 << standard;
        QTest::newRow("mkv cut at 30%")
            << TestMedia::cutAt(clip(C::Mkv), 0.3) << true << -2.0 << 0.2 << standard;
        QTest::newRow("avi cut at 60%")
            << TestMedia::cutAt(clip(C::Avi), 0.6) << true << -2.0 << 0.5 << standard;
        QTest::newRow("mp4, noise behind the index")
            << TestMedia::noiseBehind(indexFirst, 8192) << true << 2.0 << 0.0 << standard;
        QTest::newRow("mkv, noise behind the first 4 KB")
            << TestMedia::noiseBehind(clip(C::Mkv), 4096) << true << 2.0 << 0.0 << standard;

        QTest::newRow("zero bytes") << TestMedia::zeroBytes() << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("random bytes") << TestMedia::randomBytes() << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("text named .txt") << TestMedia::textFile() << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("folder named like a movie") << TestMedia::folder() << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("missing") << TestMedia::missingFile() << false << 0.0 << 0.0 << noPicture;
        QTest::newRow("empty path") << QString() << false << 0.0 << 0.0 << noPicture;
        // Whoever runs the tests as root may read it anyway, and then it plays.
        const QString unreadable = TestMedia::unreadable();
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
            QCOMPARE(m_player.SaveBitmap(frame), picture.isValid());
            QCOMPARE(QImage(frame).size(), picture.isValid() ? picture : QSize(0, 0));
        }

        // Usable afterwards: a good movie opens and plays.
        const QString good = TestMedia::movie();
        m_player.setFileName(good);
        QVERIFY(qAbs(m_player.Duration() - 3.0) < 0.1);
        m_player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(m_player.Position() > 0.3, 8000);
    }
};

QTEST_MAIN(MovieCorpusTest)
#include "tst_moviecorpus.moc"
