#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "player/MpvMoviePlayer.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotSettings.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// A snapshot of the real player's frame at 1 s, in each format, against the same frame taken out of
// the movie by ffmpeg.
class SnapshotMpvTest : public QObject
{
    Q_OBJECT

private slots:
    void snapshotInEachFormat_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("magic");
        // Mean difference from ffmpeg's frame, measured: 2.9 (jpg 4.5, gif 4.3); the next frame 6.6-7.8.
        QTest::addColumn<double>("tolerance");
        QTest::newRow("bmp") << qint16(0) << ".bmp" << QByteArray("BM") << 4.0;
        QTest::newRow("jpg") << qint16(1) << ".jpg" << QByteArray("\xFF\xD8\xFF") << 6.0;
        QTest::newRow("png") << qint16(2) << ".png" << QByteArray("\x89PNG\r\n\x1A\n") << 4.0;
        QTest::newRow("tif") << qint16(3) << ".tif" << QByteArray("II*\0", 4) << 4.0;
        QTest::newRow("gif") << qint16(4) << ".gif" << QByteArray("GIF8") << 6.0;
    }
    void snapshotInEachFormat()
    {
        QFETCH(qint16, format);
        QFETCH(QString, extension);
        QFETCH(QByteArray, magic);
        QFETCH(double, tolerance);
        const QString movie = TestMedia::movie({.size = {352, 288}});
        QTemporaryDir dir;
        const QString reference = dir.filePath("ffmpeg.png");
        const QStringList extract{"-v", "error", "-ss", "1", "-i", movie, "-frames:v", "1", reference};
        QCOMPARE(QProcess::execute("ffmpeg", extract), 0);
        QVERIFY(ImageDifference::meanLevel(QImage(reference)) > 20); // far from a plain black picture

        SettingsStore settings(dir.filePath("reelquill.ini"));
        SnapshotSettings values{dir.filePath("shots/"), format, {}};
        FakeDesktop desktop;
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.setFileName(movie);
        player.Seek(1.0);
        QTest::qWait(300);
        SnapshotCommands(player, values, settings, desktop, nullptr, dir.filePath("preview.bmp")).Snapshot();

        QVERIFY2(values.SnapshotFile.endsWith(extension), qPrintable(values.SnapshotFile));
        QFile file(values.SnapshotFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(magic.size()), magic);
        QImageReader reader(values.SnapshotFile);
        reader.setDecideFormatFromContent(true);
        for (const QImage& picture : {reader.read(), QImage(dir.filePath("preview.bmp"))}) {
            const double difference = ImageDifference::mean(picture, QImage(reference));
            QVERIFY2(difference <= tolerance, QByteArray::number(difference));
        }
    }
};

QTEST_MAIN(SnapshotMpvTest)
#include "tst_snapshot_mpv.moc"
