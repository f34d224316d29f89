#include "support/LoopbackListeners.h"

#include <QFile>
#include <QMutexLocker>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

namespace {

// Whether a socket of this machine is bound to the UDP port, from the kernel's socket tables.
bool udpPortIsBound(quint16 port)
{
    const QByteArray suffix = ':' + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const char* table : {"/proc/net/udp", "/proc/net/udp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // "  sl  local_address rem_address ...": the local address is the second column. A file
        // of /proc has no size, so it is at its end until a first line has been read.
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> columns = file.readLine().simplified().split(' ');
            if (columns.size() > 1 && columns[1].endsWith(suffix))
                return true;
        }
    }
    return false;
}

} // namespace

LoopbackListeners::LoopbackListeners()
{
    start();
    m_started.acquire();
}

LoopbackListeners::~LoopbackListeners()
{
    quit();
    wait();
}

QStringList LoopbackListeners::takeArrivals()
{
    const QMutexLocker lock(&m_mutex);
    return std::exchange(m_arrivals, {});
}

void LoopbackListeners::record(const QString& arrival)
{
    const QMutexLocker lock(&m_mutex);
    m_arrivals << arrival;
}

void LoopbackListeners::run()
{
    QTcpServer tcp;
    QUdpSocket udp;
    QTimer portWatch;
    if (tcp.listen(QHostAddress::LocalHost, 0))
        m_tcpPort = tcp.serverPort();
    if (udp.bind(QHostAddress::LocalHost, 0))
        m_udpPort = udp.localPort();
    {
        QUdpSocket probe;
        if (probe.bind(QHostAddress::LocalHost, 0))
            m_watchedUdpPort = probe.localPort();
    }
    QObject::connect(&tcp, &QTcpServer::newConnection, &tcp, [&] {
        while (QTcpSocket* connection = tcp.nextPendingConnection()) {
            record("TCP connection");
            connection->abort();
            connection->deleteLater();
        }
    });
    QObject::connect(&udp, &QUdpSocket::readyRead, &udp, [&] {
        while (udp.hasPendingDatagrams())
            record(QStringLiteral("UDP datagram of %1 bytes").arg(udp.receiveDatagram().data().size()));
    });
    bool wasBound = false;
    QObject::connect(&portWatch, &QTimer::timeout, &portWatch, [&] {
        const bool bound = udpPortIsBound(m_watchedUdpPort);
        if (bound && !wasBound)
            record(QStringLiteral("UDP port %1 bound").arg(m_watchedUdpPort));
        wasBound = bound;
    });
    portWatch.start(5);
    m_started.release();
    exec();
}
