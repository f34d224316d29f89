#pragma once

#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// mpv's own command-line player, headless, driven over its JSON IPC socket: the reference that
// our player is measured against.
class MpvReference
{
public:
    MpvReference();
    ~MpvReference();
    MpvReference(const MpvReference&) = delete;
    MpvReference& operator=(const MpvReference&) = delete;

    // Starts mpv with the given extra options, loads the movie and waits for the first position
    // report that `accept` takes (any, unless given): the milliseconds from loading to that report,
    // or nothing when mpv did not come up or did not get there within ten seconds.
    std::optional<double> play(
        const QString& movie, const QStringList& extraOptions,
        const std::function<bool(double)>& accept = [](double) { return true; });
    // The environment mpv starts in; the benchmark's own unless set before play().
    void setEnvironment(const QProcessEnvironment& environment)
    {
        m_process.setProcessEnvironment(environment);
    }
    void command(const QJsonArray& arguments);
    // Waits until a time-pos report satisfies `accept`; false on time-out.
    bool waitForTimePos(const std::function<bool(double)>& accept, int timeoutMs);
    // Waits for playback to restart after a seek; false on time-out. (mpv reports the target as
    // its time the moment a seek starts, so time-pos cannot tell when the seek is done.)
    bool waitForPlaybackRestart(int timeoutMs);
    qint64 pid() const { return m_process.processId(); }
    void stop();

private:
    bool start(const QStringList& extraOptions);
    void readEvents();
    bool waitForEvent(const std::function<bool(const QJsonObject&)>& accept, int timeoutMs);

    QTemporaryDir m_dir;
    QProcess m_process;
    QLocalSocket m_socket;
    QByteArray m_pending;
    std::function<bool(const QJsonObject&)> m_accept;
    bool m_accepted = false;
};
