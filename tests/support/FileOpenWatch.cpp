#include "support/FileOpenWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

FileOpenWatch::FileOpenWatch(const QString& path) : m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_inotify >= 0)
        m_watch = inotify_add_watch(m_inotify, path.toLocal8Bit().constData(), IN_OPEN);
}

FileOpenWatch::~FileOpenWatch()
{
    if (m_inotify >= 0)
        close(m_inotify);
}

bool FileOpenWatch::openedSinceLastLook()
{
    // Each event is the fixed header plus a name, and a watched file's events carry no name.
    alignas(inotify_event) char events[64 * sizeof(inotify_event)];
    bool opened = false;
    while (m_watch >= 0) {
        const ssize_t bytes = read(m_inotify, events, sizeof events);
        if (bytes <= 0)
            break;
        for (ssize_t at = 0; at < bytes;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            opened = opened || (event->mask & IN_OPEN) != 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return opened;
}
