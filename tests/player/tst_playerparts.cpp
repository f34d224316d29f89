#include "player/FullScreenSwitcher.h"
#include "player/GifWriter.h"
#include "player/MoviePlayer.h"
#include "player/SnapshotWriter.h"
#include "player/StretchSettings.h"
#include "player/VolumeLevel.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QBuffer>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <cmath>

namespace {

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

// Seen from a little further away, so that dithering does not count.
QImage blurred(const QImage& picture)
{
    return picture.scaled(picture.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

class PlayerPartsTest : public QObject
{
    Q_OBJECT

private slots:
    void stretch_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("semitones");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("pitchScale");
        QTest::addColumn<bool>("neutral");
        QTest::newRow("as recorded") << 0 << 0.0 << 1.0 << 1.0 << 1.0 << true;
        QTest::newRow("rate 0.5 halves both") << 0 << 0.0 << 0.5 << 0.5 << 0.5 << false;
        QTest::newRow("all three") << -30 << 2.0 << 1.1 << 0.77 << 1.234708 << false;
        QTest::newRow("rate 0 is refused") << 0 << 0.0 << 0.0 << 1.0 << 1.0 << true;
        QTest::newRow("negative rate is refused") << 20 << 0.0 << -2.0 << 1.2 << 1.0 << false;
        QTest::newRow("rate not a number is refused") << 0 << 0.0 << std::nan("") << 1.0 << 1.0 << true;
        QTest::newRow("2 cents up") << 0 << 0.02 << 1.0 << 1.0 << 1.001156 << false;
        QTest::newRow("52 cents up") << 0 << 0.52 << 1.0 << 1.0 << 1.030492 << false;
        QTest::newRow("150 cents down at rate 0.7") << 0 << -1.5 << 0.7 << 0.7 << 0.641903 << false;
        QTest::newRow("tempo -100 stays playable") << -100 << 0.0 << 1.0 << 0.01 << 1.0 << false;
    }
    void stretch()
    {
        QFETCH(int, tempo);
        QFETCH(double, semitones);
        QFETCH(double, rate);
        QFETCH(double, speed);
        QFETCH(double, pitchScale);
        QFETCH(bool, neutral);
        StretchSettings settings;
        settings.setTempo(tempo);
        settings.setPitch(semitones);
        settings.setRate(rate);
        QVERIFY2(std::abs(settings.speed() - speed) < 1e-6, qPrintable(QString::number(settings.speed())));
        QVERIFY2(std::abs(settings.pitchScale() - pitchScale) < 1e-6,
                 qPrintable(QString::number(settings.pitchScale(), 'g', 10)));
        QCOMPARE(settings.isNeutral(), neutral);
    }

    void volumePercent_data()
    {
        QTest::addColumn<int>("attenuation");
        QTest::addColumn<double>("percent");
        QTest::newRow("full") << 0 << 100.0;
        QTest::newRow("-6 dB") << -600 << 79.432823;
        QTest::newRow("one step above silence") << -9500 << 2.610157;
        QTest::newRow("silence is no sound at all") << -10000 << 0.0;
        QTest::newRow("louder than full is full") << 1000 << 100.0;
    }
    void volumePercent()
    {
        QFETCH(int, attenuation);
        QFETCH(double, percent);
        QVERIFY2(std::abs(VolumeLevel::mpvPercent(attenuation) - percent) < 1e-5,
                 qPrintable(QString::number(VolumeLevel::mpvPercent(attenuation), 'g', 10)));
    }

    void gif_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<bool>("exact");
        QTest::newRow("256 colours are kept exactly") << gradient(16, 16) << true;
        QTest::newRow("many colours are dithered close") << gradient(320, 240) << false;
    }
    void gif()
    {
        QFETCH(QImage, image);
        QFETCH(bool, exact);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(GifWriter::write(image, buffer));
        QImage decoded;
        QVERIFY(decoded.loadFromData(buffer.data(), "gif"));
        QCOMPARE(decoded.size(), image.size());
        const double difference = exact ? ImageDifference::mean(decoded, image)
                                        : ImageDifference::mean(blurred(decoded), blurred(image));
        QVERIFY2(exact ? difference == 0 : difference < 6, qPrintable(QString::number(difference)));
    }

    void snapshotFileAppearsWholeOrNotAtAll_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<qint16>("format");
        QTest::newRow("empty picture") << QImage() << qint16(MoviePlayer::Png);
        QTest::newRow("unknown format") << gradient(8, 8) << qint16(7);
        QTest::newRow("too wide for a gif, found out while writing")
            << QImage(70000, 2, QImage::Format_RGB888) << qint16(MoviePlayer::Gif);
    }
    void snapshotFileAppearsWholeOrNotAtAll()
    {
        QFETCH(QImage, image);
        QFETCH(qint16, format);
        const QString path = TestMedia::outputPath("earlier-snapshot.png");
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier snapshot");
        earlier.close();
        const QStringList before = QDir(QFileInfo(path).path()).entryList(QDir::Files);

        QVERIFY(!SnapshotWriter::write(image, path, format));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("an earlier snapshot"));
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), before);
    }

    void fullScreenReturnsToTheSamePlace_data()
    {
        QTest::addColumn<bool>("inGrid");
        QTest::addColumn<int>("way");
        QTest::newRow("grid cell, leave") << true << 0;
        QTest::newRow("grid cell, Esc") << true << 1;
        QTest::newRow("grid cell, closing the full-screen window") << true << 2;
        QTest::newRow("own geometry and stacking, leave") << false << 0;
    }
    void fullScreenReturnsToTheSamePlace()
    {
        QFETCH(bool, inGrid);
        QFETCH(int, way);
        QWidget home;
        auto* grid = inGrid ? new QGridLayout(&home) : nullptr;
        auto* video = new QWidget;
        if (grid) {
            grid->addWidget(new QLabel("top left"), 0, 0);
            grid->addWidget(new QLabel("top right"), 0, 1);
            grid->addWidget(video, 1, 0, 1, 2);
        } else {
            new QLabel("below", &home);
            video->setParent(&home);
            video->setGeometry(20, 30, 200, 100);
            new QLabel("above", &home);
        }
        home.resize(400, 300);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        const QRect place = video->geometry();
        const QObjectList stacking = home.children();

        FullScreenSwitcher switcher(video);
        switcher.leave(); // not full screen yet: nothing to do
        QCOMPARE(video->window(), &home);
        switcher.enter();
        QWidget* fullScreen = video->window();
        switcher.enter();
        QCOMPARE(video->window(), fullScreen);
        QVERIFY(switcher.isFullScreen());
        QVERIFY(fullScreen != &home);
        QTRY_COMPARE(fullScreen->geometry(), home.screen()->geometry());

        QVERIFY(QTest::qWaitForWindowExposed(fullScreen));
        if (way == 1)
            QTest::keyClick(fullScreen, Qt::Key_Escape);
        else if (way == 2)
            fullScreen->close();
        switcher.leave();
        switcher.leave();
        QVERIFY(!switcher.isFullScreen());
        QCOMPARE(video->parentWidget(), &home);
        QTRY_COMPARE(video->geometry(), place);
        QVERIFY(video->isVisible());
        if (grid) {
            QCOMPARE(grid->count(), 3); // no stand-in left behind
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(video), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({1, 0, 1, 2}));
        } else {
            QCOMPARE(home.children(), stacking);
        }
    }

    void noHomeToReturnTo_data()
    {
        QTest::addColumn<bool>("hadHome");
        QTest::newRow("widget without a home") << false;
        QTest::newRow("home gone while full screen") << true;
    }
    void noHomeToReturnTo()
    {
        QFETCH(bool, hadHome);
        QWidget video;
        auto* home = hadHome ? new QWidget : nullptr;
        if (home) {
            (new QGridLayout(home))->addWidget(&video);
            home->show();
            QVERIFY(QTest::qWaitForWindowExposed(home));
        }
        FullScreenSwitcher switcher(&video);
        switcher.enter();
        QVERIFY(video.isVisible());
        delete home;
        switcher.leave();
        QCOMPARE(video.parentWidget(), nullptr);
        QVERIFY(!video.isVisible());
    }
};

QTEST_MAIN(PlayerPartsTest)
#include "tst_playerparts.moc"
