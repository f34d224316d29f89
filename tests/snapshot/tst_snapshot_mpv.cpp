#include "app/ProgramValues.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "player/MpvMoviePlayer.h"
#include "snapshot/SnapshotCommands.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

QWidget* openPreview()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "frmSnapshot" && window->isVisible())
            return window;
    }
    return nullptr;
}

QByteArray difference(double value)
{
    return QByteArray::number(value, 'g', 6);
}

} // namespace

// Snapshots of the real player's frame, into a folder that does not exist yet.
class SnapshotMpvTest : public QObject
{
    Q_OBJECT

private slots:
    void snapshotInEachFormat_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QByteArray>("decodedAs");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<double>(
            "tolerance"); // mean difference per channel from the player's frame; measured 2.5 jpg, 2.6 gif
        QTest::newRow("0 bmp") << qint16(0) << QByteArray("bmp") << ".bmp" << 0.0;
        QTest::newRow("1 jpg") << qint16(1) << QByteArray("jpeg") << ".jpg" << 6.0;
        QTest::newRow("2 png") << qint16(2) << QByteArray("png") << ".png" << 0.0;
        QTest::newRow("3 tif") << qint16(3) << QByteArray("tiff") << ".tif" << 0.0;
        QTest::newRow("4 gif") << qint16(4) << QByteArray("gif") << ".gif" << 8.0;
    }
    void snapshotInEachFormat()
    {
        QFETCH(qint16, format);
        QFETCH(QByteArray, decodedAs);
        QFETCH(QString, extension);
        QFETCH(double, tolerance);
        const QSize size(352, 288);
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath("reelquill.ini"));
        ProgramValues values{dir.filePath("first shots/"), format, {}};
        FakeDesktop desktop;
        MpvMoviePlayer player(headless);
        player.setFileName(TestMedia::movie({.size = size}));
        player.Seek(1.0);
        QTest::qWait(300);
        const QString frameFile = dir.filePath("frame.bmp");
        QVERIFY(player.SaveBitmap(frameFile));
        const QImage frame(frameFile);
        // The picture has detail to get wrong: far from a plain black one.
        QVERIFY(ImageDifference::meanLevel(frame) > 20);

        SnapshotCommands commands(player, values, settings, desktop, nullptr,
                                  dir.filePath("cache/preview.bmp"));
        commands.tlbCmdSnapshot();

        QVERIFY2(values.SnapshotFile.endsWith(extension), qPrintable(values.SnapshotFile));
        QImageReader reader(values.SnapshotFile);
        QCOMPARE(reader.format(), decodedAs);
        const QImage snapshot = reader.read();
        QCOMPARE(snapshot.size(), size);
        const double snapshotDifference = ImageDifference::mean(snapshot, frame);
        QVERIFY2(snapshotDifference <= tolerance, difference(snapshotDifference));

        QWidget* preview = openPreview();
        QVERIFY(preview);
        const QImage shown = preview->findChild<QLabel*>("pctPreview")->pixmap().toImage();
        QCOMPARE(shown.size(), size);
        const double shownDifference = ImageDifference::mean(shown, frame);
        QVERIFY2(shownDifference == 0, difference(shownDifference));
    }

    void noMovieNoPreview()
    {
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath("reelquill.ini"));
        ProgramValues values{dir.filePath("shots/"), 1, {}};
        FakeDesktop desktop;
        MpvMoviePlayer player(headless);
        SnapshotCommands commands(player, values, settings, desktop, nullptr, dir.filePath("preview.bmp"));
        commands.tlbCmdSnapshot();
        QVERIFY(!openPreview());
        QVERIFY(!QFile::exists(values.SnapshotFile));
        QVERIFY(!QFile::exists(dir.filePath("preview.bmp")));
        QVERIFY(!QFile::exists(dir.filePath("shots")));
    }
};

QTEST_MAIN(SnapshotMpvTest)
#include "tst_snapshot_mpv.moc"
