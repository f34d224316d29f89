#include "ScreenFlashWatch.h"

#include "MonotonicClock.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>

namespace {
// Brightness, 0..255, averaged over the region: the flash's white against the movie's black,
// with room either side for scaling and colour conversion. Xvfb's grey root pattern, before a
// player's window appears, lies between and counts as neither.
constexpr double darkBelow = 64, brightAbove = 192;
constexpr auto pollEvery = std::chrono::milliseconds(2);

double brightness(XImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const unsigned long pixel = XGetPixel(&image, x, y);
            sum += static_cast<double>(((pixel >> 16) & 0xff) + ((pixel >> 8) & 0xff) + (pixel & 0xff)) / 3;
        }
    return sum / (image.width * image.height);
}
} // namespace

ScreenFlashWatch::~ScreenFlashWatch()
{
    stop();
}

bool ScreenFlashWatch::start(const QString& display, QRect region)
{
    Display* connection = XOpenDisplay(display.toLocal8Bit().constData());
    if (connection == nullptr)
        return false;
    m_region = region;
    m_flashes.clear();
    m_stopping = false;
    m_thread = std::thread([this, connection] { watch(connection); });
    return true;
}

std::vector<double> ScreenFlashWatch::stop()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        m_thread.join();
    }
    return m_flashes;
}

void ScreenFlashWatch::watch(void* opened)
{
    auto* display = static_cast<Display*>(opened);
    const Window root = DefaultRootWindow(display);
    bool armed = false; // dark since the last flash
    double lastGrab = monotonicMs();
    while (!m_stopping) {
        const double asked = monotonicMs();
        XImage* image =
            XGetImage(display, root, m_region.x(), m_region.y(), static_cast<unsigned>(m_region.width()),
                      static_cast<unsigned>(m_region.height()), AllPlanes, ZPixmap);
        const double grabbed = (asked + monotonicMs()) / 2;
        if (image != nullptr) {
            const double level = brightness(*image);
            XDestroyImage(image);
            if (armed && level > brightAbove) {
                m_flashes.push_back((lastGrab + grabbed) / 2);
                armed = false;
            }
            armed = armed || level < darkBelow;
        }
        lastGrab = grabbed;
        std::this_thread::sleep_for(pollEvery);
    }
    XCloseDisplay(display);
}
