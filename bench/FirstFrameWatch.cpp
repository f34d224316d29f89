#include "FirstFrameWatch.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>

#include <cstdio>

namespace {

constexpr int timeoutMs = 20000;
// The box is a quarter of the picture, thousands of pixels in the smallest picture area; a few
// hundred leaves room for scaling and colour conversion at its edges.
constexpr int pixelsNeeded = 400;

bool isMarker(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) > 200;
}

bool showsMarker(const QImage& screen)
{
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    int found = 0;
    // Every other pixel of every other line is plenty for a box this size, and quicker.
    for (int y = 0; y < image.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 2)
            if (isMarker(line[x]) && ++found * 4 >= pixelsNeeded)
                return true;
    }
    return false;
}

} // namespace

int watchFirstFrame(const QString& program, const QStringList& arguments)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || showsMarker(screen->grabWindow(0).toImage()))
        return 1;
    QProcess player;
    // Without a sound server both players complain about the sound devices they try.
    player.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    player.start(program, arguments);
    if (!player.waitForStarted(5000))
        return 1;
    bool found = false;
    while (!found && clock.elapsed() < timeoutMs && player.state() == QProcess::Running)
        found = showsMarker(screen->grabWindow(0).toImage());
    if (found) {
        std::printf("first_frame_ms %.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
    }
    player.kill();
    player.waitForFinished(5000);
    return found ? 0 : 1;
}
