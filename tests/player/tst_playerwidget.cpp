#include "player/MoviePlayer.h"
#include "player/MpvMoviePlayer.h"
#include "player/MpvVideoWidget.h"
#include "player/SnapshotWriter.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const MpvPlayerOptions onScreen{MpvPlayerOptions::Video::Widget, MpvPlayerOptions::Audio::None, {}};

// A main window as the program lays it out: the video between other controls.
struct HostWindow
{
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);

    explicit HostWindow(QWidget* video)
    {
        layout->addWidget(new QLabel("above"));
        layout->addWidget(video, 1);
        layout->addWidget(new QLabel("below"));
        window.resize(640, 480);
        window.move(40, 30);
        window.show();
    }
};

MpvVideoWidget* pictureArea(MpvMoviePlayer& player)
{
    return qobject_cast<MpvVideoWidget*>(player.videoWidget());
}

// The picture is there when the widget shows more than black; it moves when two grabs differ.
bool showsMovingPicture(MpvMoviePlayer& player)
{
    QTest::qWait(400);
    const QImage first = pictureArea(player)->grabPicture();
    QTest::qWait(400);
    const QImage second = pictureArea(player)->grabPicture();
    return ImageDifference::meanLevel(second) > 20 && ImageDifference::mean(first, second) > 1;
}

// Seconds by which playback falls behind the wall clock during the action and shortly after.
template <typename Action> double lostSeconds(MoviePlayer& player, Action action)
{
    QElapsedTimer wall;
    wall.start();
    const double start = player.Position();
    action();
    QTest::qWait(1500);
    return double(wall.elapsed()) / 1000 - (player.Position() - start);
}

constexpr double maxLostSeconds = 0.25;

} // namespace

class PlayerWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void widgetShowsTheFrameUpright()
    {
        MpvMoviePlayer player(onScreen);
        HostWindow host(player.videoWidget());
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        player.setFileName(TestMedia::movie());
        player.Seek(1.0);
        QTest::qWait(500);
        const QString reference = TestMedia::outputPath("upright.png");
        QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-ss", "1", "-i", TestMedia::movie(),
                                              "-frames:v", "1", reference}),
                 0);
        const QImage frame(reference);

        // The frame is scaled to fit the widget, keeping its shape, and centred.
        const QImage shown = pictureArea(player)->grabPicture();
        const QSize fitted = frame.size().scaled(shown.size(), Qt::KeepAspectRatio);
        const QImage picture = shown.copy(QRect(
            QPoint((shown.width() - fitted.width()) / 2, (shown.height() - fitted.height()) / 2), fitted));
        const QImage expected = frame.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double upright = ImageDifference::mean(picture, expected);
        const double flipped = ImageDifference::mean(picture, expected.mirrored(false, true));
        qInfo("difference from the frame %.1f, from the frame upside down %.1f", upright, flipped);
        QVERIFY2(upright < 12, qPrintable(QString::number(upright)));
        QVERIFY(flipped > 2 * upright);
    }

    // Back from full screen by a double click on the picture, by Esc or by closing the window.
    void fullScreenAndBack_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("double click") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("closing the full-screen window") << 2;
    }
    void fullScreenAndBack()
    {
        QFETCH(int, way);
        MpvMoviePlayer player(onScreen);
        QWidget* video = player.videoWidget();
        HostWindow host(video);
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        player.setFileName(TestMedia::movie({.seconds = 30}));
        player.Play();
        QVERIFY(showsMovingPicture(player));
        const QRect placeInWindow = video->geometry();
        const QRect windowGeometry = host.window.geometry();
        const int slot = host.layout->indexOf(video);
        // In the window a double click is the user's request, passed on and nothing more.
        QSignalSpy doubleClicks(&player, &MoviePlayer::DblClick);
        QTest::mouseDClick(pictureArea(player)->pictureWindow(), Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(video->window(), &host.window);

        const double lostInto = lostSeconds(player, [&] {
            player.FullScreen(true);
            QVERIFY(QTest::qWaitForWindowExposed(video->window()));
        });
        QWidget* fullScreen = video->window();
        QVERIFY(fullScreen != &host.window);
        QTRY_COMPARE(QRect(video->mapToGlobal(QPoint(0, 0)), video->size()),
                     host.window.screen()->geometry());
        QVERIFY(showsMovingPicture(player));
        QCOMPARE(host.window.geometry(), windowGeometry);
        QVERIFY(host.window.isVisible());
        // Only the picture is drawn with OpenGL on each frame: the windows around it, whose time
        // label and slider change with every frame, stay plain raster windows.
        QCOMPARE(fullScreen->windowHandle()->surfaceType(), QSurface::RasterSurface);
        QCOMPARE(host.window.windowHandle()->surfaceType(), QSurface::RasterSurface);

        const double lostBack = lostSeconds(player, [&] {
            if (way == 0)
                QTest::mouseDClick(pictureArea(player)->pictureWindow(), Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(fullScreen, Qt::Key_Escape);
            else
                fullScreen->close();
        });
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(video->window(), &host.window);
        QCOMPARE(host.layout->indexOf(video), slot);
        QTRY_COMPARE(video->geometry(), placeInWindow);
        QVERIFY(showsMovingPicture(player));
        QCOMPARE(host.window.geometry(), windowGeometry);
        qInfo("playback lost %.3f s going full screen, %.3f s coming back", lostInto, lostBack);
        QVERIFY2(lostInto < maxLostSeconds, qPrintable(QString::number(lostInto)));
        QVERIFY2(lostBack < maxLostSeconds, qPrintable(QString::number(lostBack)));
    }

    void shutDown_data()
    {
        QTest::addColumn<bool>("playerFirst");
        QTest::newRow("player closed first, in full screen") << true;
        QTest::newRow("window destroyed first") << false;
    }
    void shutDown()
    {
        QFETCH(bool, playerFirst);
        auto* player = new MpvMoviePlayer(onScreen);
        auto* host = new HostWindow(player->videoWidget());
        QVERIFY(QTest::qWaitForWindowExposed(&host->window));
        player->setFileName(TestMedia::movie());
        player->Play();
        QTest::qWait(300);
        if (playerFirst) {
            player->FullScreen(true);
            QTest::qWait(300);
            player->Close();
            QCOMPARE(player->videoWidget()->window(), &host->window);
        } else {
            delete std::exchange(host, nullptr);
            QCOMPARE(player->videoWidget(), nullptr);
            player->Close();
        }
        delete player;
        delete host;
        QTest::qWait(100);
    }

    void snapshotFileAppearsWholeOrNotAtAll_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<qint16>("format");
        QTest::newRow("empty picture") << QImage() << qint16(MoviePlayer::Png);
        QTest::newRow("unknown format") << QImage(8, 8, QImage::Format_RGB888) << qint16(7);
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
};

int main(int argc, char** argv)
{
    // As the program starts.
    MpvMoviePlayer::prepareApplication();
    QApplication app(argc, argv);
    PlayerWidgetTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playerwidget.moc"
