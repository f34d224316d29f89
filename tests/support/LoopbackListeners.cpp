#include "support/LoopbackListeners.h"

#include <QFile>
#include <QHostAddress>
#include <QMutexLocker>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

namespace {

quint16 freeUdpPort()
{
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::LocalHost, 0))
        return 0;
    return probe.localPort();
}

// Whether a socket of this machine is bound to the UDP port, from the kernel's socket tables.
bool udpPortIsBound(quint16 port)
{
    const QByteArray suffix = ':' + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const char* table : {"/proc/net/udp", "/proc/net/udp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine(); // the column headings
        while (!file.atEnd()) {
            // "  sl  local_address rem_address ...": the local address is the second column.
            const QList<QByteArray> columns = file.readLine().simplified().split(' ');
            if (columns.size() > 1 && columns[1].endsWith(suffix))
                return true;
        }
    }
    return false;
}

} // namespace

LoopbackListeners::LoopbackListeners(QByteArray servedMovie) : m_servedMovie(std::move(servedMovie))
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
    QTcpServer http;
    QUdpSocket udp;
    QTimer portWatch;
    if (http.listen(QHostAddress::LocalHost, 0))
        m_httpPort = http.serverPort();
    if (udp.bind(QHostAddress::LocalHost, 0))
        m_udpPort = udp.localPort();
    m_watchedUdpPort = freeUdpPort();

    QObject::connect(&http, &QTcpServer::newConnection, &http, [&] {
        while (QTcpSocket* connection = http.nextPendingConnection()) {
            record(QStringLiteral("HTTP connection"));
            serveHttp(connection);
        }
    });
    QObject::connect(&udp, &QUdpSocket::readyRead, &udp, [&] {
        while (udp.hasPendingDatagrams())
            record(QStringLiteral("UDP datagram of %1 bytes").arg(udp.receiveDatagram().data().size()));
    });
    QObject::connect(&portWatch, &QTimer::timeout, &portWatch, [this] {
        const bool bound = udpPortIsBound(m_watchedUdpPort);
        if (bound && !m_watchedPortWasBound)
            record(QStringLiteral("UDP port %1 bound").arg(m_watchedUdpPort));
        m_watchedPortWasBound = bound;
    });
    portWatch.start(5);

    m_started.release();
    exec();
}

void LoopbackListeners::serveHttp(QTcpSocket* connection)
{
    // Whatever is asked for, the answer is the movie: a player that follows the address plays it.
    auto request = std::make_shared<QByteArray>();
    QObject::connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
    QObject::connect(connection, &QTcpSocket::readyRead, connection, [this, connection, request] {
        request->append(connection->readAll());
        const qsizetype headerEnd = request->indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        record(QString::fromLatin1(request->left(request->indexOf("\r\n"))));
        request->clear();
        connection->write("HTTP/1.0 200 OK\r\nContent-Type: video/mp4\r\nContent-Length: " +
                          QByteArray::number(m_servedMovie.size()) + "\r\n\r\n");
        connection->write(m_servedMovie);
        connection->disconnectFromHost();
    });
}
