#include "MpvReference.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTimer>

namespace {
constexpr int timePosObserver = 1;
}

MpvReference::MpvReference()
{
    QObject::connect(&m_socket, &QLocalSocket::readyRead, [this] { readEvents(); });
}

MpvReference::~MpvReference()
{
    stop();
}

bool MpvReference::start(const QStringList& extraOptions)
{
    const QString socketPath = m_dir.filePath(QStringLiteral("mpv.sock"));
    QStringList options{"--no-config", "--idle=yes", "--really-quiet", "--vo=null", "--ao=null",
                        "--input-ipc-server=" + socketPath};
    m_process.start(QStringLiteral("mpv"), options + extraOptions);
    if (!m_process.waitForStarted(5000))
        return false;
    // mpv creates the socket shortly after it starts; there is no signal for it.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        m_socket.connectToServer(socketPath);
        if (m_socket.waitForConnected(100))
            break;
        QThread::msleep(10);
    }
    if (m_socket.state() != QLocalSocket::ConnectedState)
        return false;
    command(QJsonArray{"observe_property", timePosObserver, "time-pos"});
    return true;
}

std::optional<double> MpvReference::play(const QString& movie, const QStringList& extraOptions,
                                         const std::function<bool(double)>& accept)
{
    if (!start(extraOptions))
        return std::nullopt;
    QElapsedTimer clock;
    clock.start();
    command(QJsonArray{"loadfile", movie});
    if (!waitForTimePos(accept, 10000))
        return std::nullopt;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void MpvReference::command(const QJsonArray& arguments)
{
    m_socket.write(QJsonDocument(QJsonObject{{"command", arguments}}).toJson(QJsonDocument::Compact) + '\n');
    m_socket.flush();
}

bool MpvReference::waitForTimePos(const std::function<bool(double)>& accept, int timeoutMs)
{
    return waitForEvent(
        [&accept](const QJsonObject& event) {
            const QJsonValue data = event.value("data");
            return event.value("event") == "property-change" && event.value("id").toInt() == timePosObserver &&
                   data.isDouble() && accept(data.toDouble());
        },
        timeoutMs);
}

bool MpvReference::waitForPlaybackRestart(int timeoutMs)
{
    return waitForEvent([](const QJsonObject& event) { return event.value("event") == "playback-restart"; },
                        timeoutMs);
}

bool MpvReference::waitForEvent(const std::function<bool(const QJsonObject&)>& accept, int timeoutMs)
{
    m_accept = accept;
    m_accepted = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    while (!m_accepted && deadline.isActive() && m_socket.state() == QLocalSocket::ConnectedState)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    m_accept = nullptr;
    return m_accepted;
}

void MpvReference::readEvents()
{
    m_pending += m_socket.readAll();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QJsonObject event = QJsonDocument::fromJson(m_pending.left(end)).object();
        m_pending.remove(0, end + 1);
        if (m_accept && !m_accepted && m_accept(event))
            m_accepted = true;
    }
}

void MpvReference::stop()
{
    m_socket.abort();
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
