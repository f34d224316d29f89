#pragma once

#include <QRect>
#include <QString>

#include <atomic>
#include <thread>
#include <vector>

// Watches a small region of an X display's screen, from a thread of its own, for the moments it
// turns from dark to bright: where a movie that flashes white shows its flashes to a viewer.
class ScreenFlashWatch
{
public:
    ScreenFlashWatch() = default;
    ~ScreenFlashWatch();
    ScreenFlashWatch(const ScreenFlashWatch&) = delete;
    ScreenFlashWatch& operator=(const ScreenFlashWatch&) = delete;

    // Starts polling the region of the display (":5") every two milliseconds; false when the
    // display cannot be opened.
    bool start(const QString& display, QRect region);
    // Ends the watch: the times (monotonicMs) at which the region turned bright, each halfway
    // between the last dark grab and the first bright one.
    std::vector<double> stop();

private:
    void watch(void* display);

    QRect m_region;
    std::thread m_thread;
    std::atomic_bool m_stopping = false;
    std::vector<double> m_flashes;
};
