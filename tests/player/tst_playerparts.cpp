#include "player/FullScreenSwitcher.h"
#include "player/GifWriter.h"
#include "player/MoviePlayer.h"
#include "player/ScreenshotImage.h"
#include "player/SnapshotWriter.h"
#include "player/StretchSettings.h"
#include "player/VolumeLevel.h"
#include "support/TestMedia.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A screenshot-raw result as mpv builds it: a map of w, h, stride, format and data.
class FakeScreenshot
{
public:
    FakeScreenshot(std::int64_t width, std::int64_t height, std::int64_t stride, const char* format,
                   std::vector<unsigned char> pixels)
        : m_values{int64(width), int64(height), int64(stride), text(format), {}}, m_pixels(std::move(pixels))
    {
        m_bytes.data = m_pixels.data();
        m_bytes.size = m_pixels.size();
        m_values[4].format = MPV_FORMAT_BYTE_ARRAY;
        m_values[4].u.ba = &m_bytes;
        m_list.num = 5;
        m_list.values = m_values;
        m_list.keys = const_cast<char**>(keys);
        m_node.format = MPV_FORMAT_NODE_MAP;
        m_node.u.list = &m_list;
    }
    const mpv_node& node() const { return m_node; }

private:
    static mpv_node int64(std::int64_t value)
    {
        mpv_node node{};
        node.format = MPV_FORMAT_INT64;
        node.u.int64 = value;
        return node;
    }
    static mpv_node text(const char* value)
    {
        mpv_node node{};
        node.format = MPV_FORMAT_STRING;
        node.u.string = const_cast<char*>(value);
        return node;
    }
    static constexpr const char* keys[] = {"w", "h", "stride", "format", "data"};
    mpv_node m_values[5];
    std::vector<unsigned char> m_pixels;
    mpv_byte_array m_bytes{};
    mpv_node_list m_list{};
    mpv_node m_node{};
};

// Two rows of two pixels (blue, green, red, unused byte each), padded to 12 bytes a row.
std::vector<unsigned char> twoByTwoPadded()
{
    return {10, 20, 30, 0, 40, 50, 60, 0, 99, 99, 99, 99, 70, 80, 90, 0, 1, 2, 3, 0, 99, 99, 99, 99};
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(x.constScanLine(row)[i]) - int(y.constScanLine(row)[i]));
    return sum / (double(x.width()) * x.height() * 3);
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

    void screenshotPixels()
    {
        const FakeScreenshot shot(2, 2, 12, "bgr0", twoByTwoPadded());
        const QImage image = imageFromScreenshot(shot.node());
        QCOMPARE(image.size(), QSize(2, 2));
        QCOMPARE(image.pixelColor(0, 0), QColor(30, 20, 10));
        QCOMPARE(image.pixelColor(1, 0), QColor(60, 50, 40));
        QCOMPARE(image.pixelColor(0, 1), QColor(90, 80, 70));
        QCOMPARE(image.pixelColor(1, 1), QColor(3, 2, 1));
        // Opaque although mpv leaves the fourth byte at 0.
        QCOMPARE(image.hasAlphaChannel(), false);
    }

    void screenshotsThatAreNotPictures_data()
    {
        QTest::addColumn<qint64>("width");
        QTest::addColumn<qint64>("height");
        QTest::addColumn<qint64>("stride");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("bytes");
        QTest::newRow("other pixel format")
            << qint64(2) << qint64(2) << qint64(12) << QByteArray("rgba") << 24;
        QTest::newRow("fewer bytes than promised")
            << qint64(2) << qint64(2) << qint64(12) << QByteArray("bgr0") << 19;
        QTest::newRow("rows narrower than the width")
            << qint64(2) << qint64(2) << qint64(4) << QByteArray("bgr0") << 24;
        QTest::newRow("no width") << qint64(0) << qint64(2) << qint64(12) << QByteArray("bgr0") << 24;
        QTest::newRow("negative height") << qint64(2) << qint64(-2) << qint64(12) << QByteArray("bgr0") << 24;
        QTest::newRow("absurd size") << qint64(1) << (qint64(1) << 40) << qint64(4) << QByteArray("bgr0")
                                     << 24;
    }
    void screenshotsThatAreNotPictures()
    {
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        QFETCH(qint64, stride);
        QFETCH(QByteArray, format);
        QFETCH(int, bytes);
        std::vector<unsigned char> pixels = twoByTwoPadded();
        pixels.resize(static_cast<size_t>(bytes));
        const FakeScreenshot shot(width, height, stride, format.constData(), pixels);
        QVERIFY(imageFromScreenshot(shot.node()).isNull());
        mpv_node notAMap{};
        QVERIFY(imageFromScreenshot(notAMap).isNull());
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
        QCOMPARE(meanDifference(decoded, image), 0.0);
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
        const double difference = meanDifference(blurred(decoded), blurred(image));
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

    void snapshotFormatsByCode_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QByteArray>("readAs");
        QTest::newRow("0") << qint16(0) << QByteArray("bmp");
        QTest::newRow("1") << qint16(1) << QByteArray("jpeg");
        QTest::newRow("2") << qint16(2) << QByteArray("png");
        QTest::newRow("3") << qint16(3) << QByteArray("tiff");
        QTest::newRow("4") << qint16(4) << QByteArray("gif");
    }
    void snapshotFormatsByCode()
    {
        // The file's contents follow the code, whatever the path's extension says.
        QFETCH(qint16, format);
        QFETCH(QByteArray, readAs);
        const QString path = TestMedia::outputPath("snapshot.img");
        QVERIFY(SnapshotWriter::write(gradient(64, 48), path, format));
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), readAs);
        QCOMPARE(reader.read().size(), QSize(64, 48));
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
};

QTEST_MAIN(PlayerPartsTest)
#include "tst_playerparts.moc"
