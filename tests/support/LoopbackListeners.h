#pragma once

#include <QByteArray>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

class QTcpSocket;

// Everything that reaches this machine's loopback address while a test runs: an HTTP server that
// answers every request with one movie, a UDP socket, and a UDP port that nobody should open (a
// program that only receives sends nothing, so binding the port is the only trace it leaves).
// They live on a thread of their own, so they answer while the test's thread waits for a player.
class LoopbackListeners : public QThread
{
public:
    explicit LoopbackListeners(QByteArray servedMovie);
    ~LoopbackListeners() override;

    // Ports on 127.0.0.1, known once the constructor has returned; 0 when one could not be had.
    quint16 httpPort() const { return m_httpPort; }
    quint16 udpPort() const { return m_udpPort; }
    quint16 watchedUdpPort() const { return m_watchedUdpPort; }

    // What arrived since the last call, one line each ("HTTP connection", "GET /a.mp4 HTTP/1.1",
    // "UDP datagram of 12 bytes", "UDP port 40000 bound"), oldest first.
    QStringList takeArrivals();

protected:
    void run() override;

private:
    void record(const QString& arrival);
    void serveHttp(QTcpSocket* connection);

    const QByteArray m_servedMovie;
    quint16 m_httpPort = 0;
    quint16 m_udpPort = 0;
    quint16 m_watchedUdpPort = 0;
    bool m_watchedPortWasBound = false;
    QSemaphore m_started;
    QMutex m_mutex;
    QStringList m_arrivals;
};
