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
#include <QFile>
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

} // namespace

class PlayerPartsTest : public QObject
{
    Q_OBJECT

private slots:
    void stretch_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("pitchScale");
        QTest::addColumn<bool>("neutral");
        QTest::newRow("as recorded") << 0 << 0 << 1.0 << 1.0 << 1.0 << true;
        QTest::newRow("tempo -25") << -25 << 0 << 1.0 << 0.75 << 1.0 << false;
        QTest::newRow("tempo +80") << 80 << 0 << 1.0 << 1.8 << 1.0 << false;
        QTest::newRow("octave up") << 0 << 12 << 1.0 << 1.0 << 2.0 << false;
        QTest::newRow("octave down") << 0 << -12 << 1.0 << 1.0 << 0.5 << false;
        QTest::newRow("three semitones up") << 0 << 3 << 1.0 << 1.0 << 1.189207115 << false;
        QTest::newRow("rate 0.5 halves both") << 0 << 0 << 0.5 << 0.5 << 0.5 << false;
        QTest::newRow("rate 1.9") << 0 << 0 << 1.9 << 1.9 << 1.9 << false;
        QTest::newRow("all three") << -30 << 2 << 1.1 << 0.77 << 1.234708 << false;
        QTest::newRow("tempo and pitch cancel nothing") << 10 << -1 << 1.0 << 1.1 << 0.943874 << false;
        QTest::newRow("rate 0 is refused") << 0 << 0 << 0.0 << 1.0 << 1.0 << true;
        QTest::newRow("negative rate is refused") << 20 << 0 << -2.0 << 1.2 << 1.0 << false;
        QTest::newRow("rate not a number is refused") << 0 << 0 << std::nan("") << 1.0 << 1.0 << true;
        QTest::newRow("tempo -100 stays playable") << -100 << 0 << 1.0 << 0.01 << 1.0 << false;
    }
    void stretch()
    {
        QFETCH(int, tempo);
        QFETCH(int, semitones);
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
        QTest::newRow("-60 dB") << -6000 << 10.0;
        QTest::newRow("one step above silence") << -9500 << 2.610157;
        QTest::newRow("silence is no sound at all") << -10000 << 0.0;
        QTest::newRow("below silence") << -30000 << 0.0;
        QTest::newRow("louder than full is full") << 1000 << 100.0;
    }
    void volumePercent()
    {
        QFETCH(int, attenuation);
        QFETCH(double, percent);
        QVERIFY2(std::abs(VolumeLevel::mpvPercent(attenuation) - percent) < 1e-5,
                 qPrintable(QString::number(VolumeLevel::mpvPercent(attenuation), 'g', 10)));
    }

    void gifKeepsFewColoursExactly()
    {
        QImage image(40, 30, QImage::Format_RGB888);
        image.fill(QColor(200, 30, 40));
        for (int x = 0; x < 40; ++x)
            image.setPixelColor(x, x % 30, QColor(10, 220, 90));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(GifWriter::write(image, buffer));
        buffer.close();
        QVERIFY(buffer.data().startsWith("GIF89a") || buffer.data().startsWith("GIF87a"));
        QImage decoded;
        QVERIFY(decoded.loadFromData(buffer.data(), "gif"));
        QCOMPARE(decoded.size(), image.size());
        QCOMPARE(ImageDifference::mean(decoded, image), 0.0);
    }

    void gifOfManyColoursIsClose()
    {
        const QImage image = gradient(320, 240);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(GifWriter::write(image, buffer));
        QImage decoded;
        QVERIFY(decoded.loadFromData(buffer.data(), "gif"));
        QCOMPARE(decoded.size(), image.size());
        // 256 colours are dithered: seen from a little further away, the picture is the same.
        const auto blurred = [](const QImage& picture) {
            return picture.scaled(picture.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const double difference = ImageDifference::mean(blurred(decoded), blurred(image));
        QVERIFY2(difference < 6, qPrintable(QString::number(difference)));
    }

    void gifRefusals()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(!GifWriter::write(QImage(), buffer));
        QVERIFY(!GifWriter::write(QImage(70000, 1, QImage::Format_RGB888), buffer));
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QVERIFY(!GifWriter::write(gradient(8, 8), readOnly));
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

    void fullScreenReturnsToTheSameLayoutCell()
    {
        QWidget home;
        auto* grid = new QGridLayout(&home);
        grid->addWidget(new QLabel("top left"), 0, 0);
        grid->addWidget(new QLabel("top right"), 0, 1);
        auto* video = new QWidget;
        grid->addWidget(video, 1, 0, 1, 2);
        home.resize(400, 300);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        const QRect place = video->geometry();

        FullScreenSwitcher switcher(video);
        switcher.enter();
        QVERIFY(switcher.isFullScreen());
        QVERIFY(video->window() != &home);
        QTRY_COMPARE(video->window()->geometry(), home.screen()->geometry());
        QCOMPARE(grid->count(), 3); // a stand-in holds the cell meanwhile

        switcher.leave();
        QVERIFY(!switcher.isFullScreen());
        QCOMPARE(video->parentWidget(), &home);
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(video), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({1, 0, 1, 2}));
        QTRY_COMPARE(video->geometry(), place);
        QVERIFY(video->isVisible());
        QCOMPARE(grid->count(), 3);
    }

    void fullScreenReturnsToTheSameGeometryAndStacking()
    {
        QWidget home;
        home.resize(400, 300);
        auto* below = new QLabel("below", &home);
        auto* video = new QWidget(&home);
        auto* above = new QLabel("above", &home);
        video->setGeometry(20, 30, 200, 100);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        const QObjectList stacking = home.children();

        FullScreenSwitcher switcher(video);
        switcher.enter();
        QVERIFY(video->window() != &home);
        switcher.leave();
        QCOMPARE(video->parentWidget(), &home);
        QCOMPARE(video->geometry(), QRect(20, 30, 200, 100));
        QCOMPARE(home.children(), stacking);
        QVERIFY(video->isVisible());
        Q_UNUSED(below);
        Q_UNUSED(above);
    }

    void waysBackFromFullScreen_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Esc") << 0;
        QTest::newRow("closing the full-screen window") << 1;
    }
    void waysBackFromFullScreen()
    {
        QFETCH(int, way);
        QWidget home;
        auto* layout = new QGridLayout(&home);
        auto* video = new QWidget;
        layout->addWidget(video);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        FullScreenSwitcher switcher(video);
        switcher.enter();
        QWidget* fullScreen = video->window();
        QVERIFY(QTest::qWaitForWindowExposed(fullScreen));
        if (way == 0)
            QTest::keyClick(fullScreen, Qt::Key_Escape);
        else
            fullScreen->close();
        QVERIFY(!switcher.isFullScreen());
        QCOMPARE(video->window(), &home);
    }

    void repeatedRequestsChangeNothing()
    {
        QWidget home;
        auto* layout = new QGridLayout(&home);
        auto* video = new QWidget;
        layout->addWidget(video);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        FullScreenSwitcher switcher(video);
        switcher.leave();
        QCOMPARE(video->window(), &home);
        switcher.enter();
        QWidget* fullScreen = video->window();
        switcher.enter();
        QCOMPARE(video->window(), fullScreen);
        QCOMPARE(layout->count(), 1);
        switcher.leave();
        switcher.leave();
        QCOMPARE(video->window(), &home);
        QCOMPARE(layout->count(), 1);
    }

    void widgetWithoutAHome()
    {
        QWidget video;
        FullScreenSwitcher switcher(&video);
        switcher.enter();
        QVERIFY(video.isVisible());
        switcher.leave();
        QCOMPARE(video.parentWidget(), nullptr);
        QVERIFY(!video.isVisible());
    }

    void homeGoneWhileFullScreen()
    {
        auto* home = new QWidget;
        auto* layout = new QGridLayout(home);
        QWidget video;
        layout->addWidget(&video);
        home->show();
        QVERIFY(QTest::qWaitForWindowExposed(home));
        FullScreenSwitcher switcher(&video);
        switcher.enter();
        delete home;
        switcher.leave();
        QCOMPARE(video.parentWidget(), nullptr);
        QVERIFY(!video.isVisible());
    }
};

QTEST_MAIN(PlayerPartsTest)
#include "tst_playerparts.moc"
