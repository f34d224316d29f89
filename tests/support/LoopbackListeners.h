#pragma once

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

// Everything that reaches this machine's loopback address while a test runs: a TCP port, a UDP
// socket, and a UDP port that nobody should open (a program that only receives sends nothing, so
// binding the port is the only trace it leaves). They live on a thread of their own, so that
// they notice while the test's thread waits for a player.
class LoopbackListeners : public QThread
{
public:
    LoopbackListeners();
    ~LoopbackListeners() override;

    // Ports on 127.0.0.1, known once the constructor has returned; 0 when one could not be had.
    quint16 tcpPort() const { return m_tcpPort; }
    quint16 udpPort() const { return m_udpPort; }
    quint16 watchedUdpPort() const { return m_watchedUdpPort; }

    // What arrived since the last call, one line each, oldest first.
    QStringList takeArrivals();

protected:
    void run() override;

private:
    void record(const QString& arrival);

    quint16 m_tcpPort = 0;
    quint16 m_udpPort = 0;
    quint16 m_watchedUdpPort = 0;
    QSemaphore m_started;
    QMutex m_mutex;
    QStringList m_arrivals;
};
