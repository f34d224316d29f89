#include "player/MpvMoviePlayer.h"
#include "support/ImageDifference.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QOpenGLWidget>
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
    QLabel above{"above"};
    QLabel below{"below"};

    explicit HostWindow(QWidget* video)
    {
        layout->addWidget(&above);
        layout->addWidget(video, 1);
        layout->addWidget(&below);
        window.resize(640, 480);
        window.move(40, 30);
    }
};

QOpenGLWidget* glWidget(MpvMoviePlayer& player)
{
    return qobject_cast<QOpenGLWidget*>(player.videoWidget());
}

// The picture is there when the widget shows more than black; it moves when two grabs differ.
bool showsMovingPicture(QOpenGLWidget* widget)
{
    QTest::qWait(400);
    const QImage first = widget->grabFramebuffer();
    QTest::qWait(400);
    const QImage second = widget->grabFramebuffer();
    qInfo("picture level %.1f, change %.1f", ImageDifference::meanLevel(second),
          ImageDifference::mean(first, second));
    return ImageDifference::meanLevel(second) > 20 && ImageDifference::mean(first, second) > 1;
}

// How much playback fell behind the wall clock while something happened and shortly after.
struct Progress
{
    double playedSeconds = 0;
    double wallSeconds = 0;
    double lostSeconds() const { return wallSeconds - playedSeconds; }
};

#ifdef REELQUILL_OWN_GL_CONTEXTS
// Each top-level window has its own GL context, so the video widget gets a new one when it moves
// and mpv must set up its picture again: playback halts for a moment.
constexpr double maxLostSeconds = 1.0;
#else
constexpr double maxLostSeconds = 0.25;
#endif

} // namespace

class PlayerWidgetTest : public QObject
{
    Q_OBJECT

    template <typename Action> Progress progressAcross(MoviePlayer& player, Action action)
    {
        QElapsedTimer wall;
        wall.start();
        const double start = player.Position();
        action();
        QTest::qWait(1500);
        return {player.Position() - start, double(wall.elapsed()) / 1000};
    }

private slots:
    void pictureOfAMovieOpenedBeforeTheWindowShows_data()
    {
        QTest::addColumn<bool>("withSound");
        QTest::newRow("with sound") << true;
        QTest::newRow("picture only") << false;
    }
    void pictureOfAMovieOpenedBeforeTheWindowShows()
    {
        // The command-line movie opens before the main window exists on screen.
        QFETCH(bool, withSound);
        TestMedia::Movie movie;
        movie.seconds = 20;
        movie.withSound = withSound;
        MpvMoviePlayer player(onScreen);
        QWidget* video = player.videoWidget();
        player.setFileName(TestMedia::movie(movie));
        QVERIFY(player.Duration() > 19);
        player.Play();

        HostWindow host(video);
        host.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        QTRY_VERIFY(player.Position() > 0.5);
        QVERIFY(player.Position() < 5);
        QVERIFY(showsMovingPicture(glWidget(player)));
        QVERIFY(player.Duration() > 19);
    }

    void widgetShowsTheFrameUpright()
    {
        MpvMoviePlayer player(onScreen);
        HostWindow host(player.videoWidget());
        host.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        player.setFileName(TestMedia::movie());
        player.Seek(1.0);
        QTest::qWait(500);
        const QString snapshot = TestMedia::outputPath("upright.png");
        QVERIFY(player.SaveSnapshot(snapshot, MoviePlayer::Png));
        const QImage frame(snapshot);

        // The frame is scaled to fit the widget, keeping its shape, and centred.
        const QImage shown = glWidget(player)->grabFramebuffer();
        const QSize fitted = frame.size().scaled(shown.size(), Qt::KeepAspectRatio);
        const QRect area(QPoint((shown.width() - fitted.width()) / 2, (shown.height() - fitted.height()) / 2),
                         fitted);
        const QImage picture = shown.copy(area);
        const QImage expected = frame.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double upright = ImageDifference::mean(picture, expected);
        const double flipped = ImageDifference::mean(picture, expected.mirrored(false, true));
        qInfo("difference from the frame %.1f, from the frame upside down %.1f", upright, flipped);
        if (QTest::currentTestFailed() || upright >= 12)
            shown.save(TestMedia::outputPath("widget-picture.png"));
        QVERIFY2(upright < 12, qPrintable(QString::number(upright)));
        QVERIFY(flipped > 2 * upright);
    }

    void fullScreenAndBack()
    {
        TestMedia::Movie movie;
        movie.seconds = 30;
        MpvMoviePlayer player(onScreen);
        QWidget* video = player.videoWidget();
        HostWindow host(video);
        host.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        player.setFileName(TestMedia::movie(movie));
        player.Play();
        QVERIFY(showsMovingPicture(glWidget(player)));
        const QRect placeInWindow = video->geometry();
        const QRect windowGeometry = host.window.geometry();
        const int slot = host.layout->indexOf(video);

        const Progress into = progressAcross(player, [&] {
            player.FullScreen(true);
            QVERIFY(QTest::qWaitForWindowExposed(video->window()));
        });
        QWidget* fullScreen = video->window();
        QVERIFY(fullScreen != &host.window);
        const QRect screen = host.window.screen()->geometry();
        QTRY_COMPARE(QRect(video->mapToGlobal(QPoint(0, 0)), video->size()), screen);
        QVERIFY(showsMovingPicture(glWidget(player)));
        QCOMPARE(host.window.geometry(), windowGeometry);
        QVERIFY(host.window.isVisible());

        // Asked again, it stays as it is.
        player.FullScreen(true);
        QCOMPARE(video->window(), fullScreen);

        const Progress back = progressAcross(player, [&] { QTest::keyClick(fullScreen, Qt::Key_Escape); });
        QCOMPARE(video->window(), &host.window);
        QCOMPARE(host.layout->indexOf(video), slot);
        QTRY_COMPARE(video->geometry(), placeInWindow);
        QVERIFY(showsMovingPicture(glWidget(player)));
        QCOMPARE(host.window.geometry(), windowGeometry);

        qInfo("playback lost %.3f s going full screen, %.3f s coming back", into.lostSeconds(),
              back.lostSeconds());
        QVERIFY2(into.lostSeconds() < maxLostSeconds, qPrintable(QString::number(into.lostSeconds())));
        QVERIFY2(back.lostSeconds() < maxLostSeconds, qPrintable(QString::number(back.lostSeconds())));

        // Back in the window, asking for the window view changes nothing.
        player.FullScreen(false);
        QCOMPARE(video->window(), &host.window);
        QCOMPARE(video->geometry(), placeInWindow);
    }

    void doubleClicks()
    {
        MpvMoviePlayer player(onScreen);
        QWidget* video = player.videoWidget();
        HostWindow host(video);
        host.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        QSignalSpy doubleClicks(&player, &MoviePlayer::DblClick);

        // In the window a double click is the user's request, passed on and nothing more.
        QTest::mouseDClick(video, Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(video->window(), &host.window);

        // In full screen it is the way back.
        player.FullScreen(true);
        QVERIFY(QTest::qWaitForWindowExposed(video->window()));
        QTest::mouseDClick(video, Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(video->window(), &host.window);
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
        host->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host->window));
        player->setFileName(TestMedia::movie());
        player->Play();
        QTest::qWait(300);
        if (playerFirst) {
            player->FullScreen(true);
            QTest::qWait(300);
            player->Close();
            QCOMPARE(player->videoWidget()->window(), &host->window);
            delete player;
            delete host;
        } else {
            delete host;
            QCOMPARE(player->videoWidget(), nullptr);
            player->Close();
            delete player;
        }
        QTest::qWait(100);
    }
};

int main(int argc, char** argv)
{
#ifndef REELQUILL_OWN_GL_CONTEXTS
    // As the program starts.
    MpvMoviePlayer::prepareApplication();
#endif
    QApplication app(argc, argv);
    PlayerWidgetTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playerwidget.moc"
