#pragma once

#include <QString>

// Tells whether anybody, this process included, has opened a file (Linux inotify).
class FileOpenWatch
{
public:
    explicit FileOpenWatch(const QString& path);
    ~FileOpenWatch();
    FileOpenWatch(const FileOpenWatch&) = delete;
    FileOpenWatch& operator=(const FileOpenWatch&) = delete;

    bool isWatching() const { return m_watch >= 0; }
    // True when the file was opened since the last call.
    bool openedSinceLastLook();

private:
    int m_inotify = -1;
    int m_watch = -1;
};
