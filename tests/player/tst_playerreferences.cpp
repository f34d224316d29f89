#include "player/MpvMoviePlayer.h"
#include "support/FileOpenWatch.h"
#include "support/LoopbackListeners.h"
#include "support/TestMedia.h"

#include <QFile>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

const MpvPlayerOptions headless{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}};

} // namespace

// Files that only point at other files or at addresses, written the way people pass them around:
// under their own extension or named like a movie. The player must open none of what they name,
// and must refuse them like any file it cannot play.
class PlayerReferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_movie = TestMedia::movie({.seconds = 2});
        QVERIFY(!m_movie.isEmpty());
        // A second movie that only the references name: any open of it is noticed.
        m_otherMovie = TestMedia::outputPath("named-by-references.mp4");
        QVERIFY(QFile::copy(m_movie, m_otherMovie));
        m_otherMovieOpened = std::make_unique<FileOpenWatch>(m_otherMovie);
        QVERIFY(m_otherMovieOpened->isWatching());
        m_listeners = std::make_unique<LoopbackListeners>();
        QVERIFY(m_listeners->tcpPort() != 0 && m_listeners->udpPort() != 0 &&
                m_listeners->watchedUdpPort() != 0);
    }

    // Without this, a watch that sees nothing would let every reference through unnoticed.
    void listenersNoticeEachKindOfAccess()
    {
        QTcpSocket tcp;
        tcp.connectToHost(QHostAddress::LocalHost, m_listeners->tcpPort());
        QUdpSocket sender;
        sender.writeDatagram("probe", QHostAddress::LocalHost, m_listeners->udpPort());
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress::LocalHost, m_listeners->watchedUdpPort()));
        QFile other(m_otherMovie);
        QVERIFY(other.open(QIODevice::ReadOnly));

        QStringList arrivals;
        QTRY_VERIFY_WITH_TIMEOUT((arrivals += m_listeners->takeArrivals()).size() >= 3, 3000);
        QCOMPARE(arrivals.size(), 3);
        QVERIFY(arrivals.contains("TCP connection"));
        QVERIFY(arrivals.contains("UDP datagram of 5 bytes"));
        QVERIFY(arrivals.contains(QStringLiteral("UDP port %1 bound").arg(m_listeners->watchedUdpPort())));
        QVERIFY(m_otherMovieOpened->openedSinceLastLook());
        QVERIFY(!m_otherMovieOpened->openedSinceLastLook());
    }

    void referencesAreNotFollowed_data()
    {
        // {target} is an address on the local TCP port or the path of the other movie;
        // {tcp} and {udp} are the addresses of the TCP port and the UDP socket; {port} is the UDP
        // port nobody may open.
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("M3U") << "m3u" << QByteArray("#EXTM3U\n#EXTINF:2,Bar 12\n{target}\n");
        QTest::newRow("M3U8 media playlist (HLS)")
            << "m3u8"
            << QByteArray("#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:2\n#EXT-X-MEDIA-SEQUENCE:0\n"
                          "#EXTINF:2.0,\n{target}\n#EXT-X-ENDLIST\n");
        QTest::newRow("M3U8 master playlist (HLS)")
            << "m3u8" << QByteArray("#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=100000\n{target}\n");
        QTest::newRow("PLS") << "pls"
                             << QByteArray("[playlist]\nNumberOfEntries=1\nFile1={target}\nLength1=2\n"
                                           "Version=2\n");
        QTest::newRow("ASX") << "asx"
                             << QByteArray("<asx version=\"3.0\"><entry><ref href=\"{target}\"/></entry>"
                                           "</asx>\n");
        QTest::newRow("ASX reference list") << "asx" << QByteArray("[Reference]\nRef1={target}\n");
        QTest::newRow("XSPF") << "xspf"
                              << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                            "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">"
                                            "<trackList><track><location>{target}</location></track>"
                                            "</trackList></playlist>\n");
        QTest::newRow("ffconcat") << "ffconcat" << QByteArray("ffconcat version 1.0\nfile '{target}'\n");
        QTest::newRow("mpv EDL") << "edl" << QByteArray("# mpv EDL v0\n{target},0,2\n");
        QTest::newRow("SDP") << "sdp"
                             << QByteArray("v=0\r\no=- 0 0 IN IP4 127.0.0.1\r\ns=Bar 12\r\n"
                                           "c=IN IP4 127.0.0.1\r\nt=0 0\r\nm=audio {port} RTP/AVP 0\r\n");
        QTest::newRow("bare address in a text file") << "txt" << QByteArray("{target}\n");
        QTest::newRow("CUE sheet") << "cue"
                                   << QByteArray("FILE \"{target}\" WAVE\n  TRACK 01 AUDIO\n"
                                                 "    INDEX 01 00:00:00\n");
        QTest::newRow("DASH manifest")
            << "mpd"
            << QByteArray("<?xml version=\"1.0\"?>\n<MPD xmlns=\"urn:mpeg:dash:schema:mpd:2011\" "
                          "type=\"static\" mediaPresentationDuration=\"PT2S\" minBufferTime=\"PT1S\" "
                          "profiles=\"urn:mpeg:dash:profile:isoff-on-demand:2011\"><Period>"
                          "<AdaptationSet mimeType=\"video/mp4\"><Representation id=\"1\" "
                          "bandwidth=\"100000\"><BaseURL>{target}</BaseURL></Representation>"
                          "</AdaptationSet></Period></MPD>\n");
        QTest::newRow("Internet shortcut") << "url" << QByteArray("[InternetShortcut]\nURL={target}\n");
        QTest::newRow("M3U naming an RTSP address") << "m3u" << QByteArray("rtsp://{tcp}/bar12\n");
        QTest::newRow("M3U naming a UDP address") << "m3u" << QByteArray("udp://127.0.0.1:{port}\n");
        QTest::newRow("M3U naming an RTP address") << "m3u" << QByteArray("rtp://{udp}\n");
        QTest::newRow("M3U naming an SRT address") << "m3u" << QByteArray("srt://{udp}\n");
    }
    void referencesAreNotFollowed()
    {
        QFETCH(QString, extension);
        QFETCH(QByteArray, contents);
        const QString slug =
            QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-').remove('(').remove(')');
        const QByteArray tcp = "127.0.0.1:" + QByteArray::number(m_listeners->tcpPort());
        contents.replace("{tcp}", tcp)
            .replace("{udp}", "127.0.0.1:" + QByteArray::number(m_listeners->udpPort()))
            .replace("{port}", QByteArray::number(m_listeners->watchedUdpPort()));

        // Under its own extension or named like a movie; pointing at an address or at a file.
        QList<std::pair<QString, QByteArray>> variants;
        for (const QString& name : {slug + '.' + extension, slug + ".mp4"}) {
            variants << std::pair{name, "http://" + tcp + '/' + name.toUtf8() + "-target.mp4"};
            if (contents.contains("{target}"))
                variants << std::pair{name, m_otherMovie.toUtf8()};
        }

        // Every variant is tried before the verdict, so that a failure lists all that went wrong.
        MpvMoviePlayer player(headless);
        QStringList wrong;
        for (const auto& [name, target] : variants) {
            const QString path = TestMedia::outputPath(name);
            QVERIFY(!TestMedia::file(path, QByteArray(contents).replace("{target}", target)).isEmpty());
            player.setFileName(path);
            // Anything the engine set going keeps a moment to show itself.
            QTest::qWait(200);
            const QStringList arrivals = m_listeners->takeArrivals();
            const bool otherMovieOpened = m_otherMovieOpened->openedSinceLastLook();
            const QString seen = QStringLiteral("%1 -> %2: Duration %3, arrivals [%4], other movie %5")
                                     .arg(name, QString::fromUtf8(target))
                                     .arg(player.Duration())
                                     .arg(arrivals.join(", "), otherMovieOpened ? "opened" : "untouched");
            qInfo("%s", qPrintable(seen));
            if (!arrivals.isEmpty() || otherMovieOpened || player.Duration() != 0 ||
                !player.FileName().isEmpty())
                wrong << seen;
        }
        // Refused like any file that cannot be played: the next movie opens as usual.
        player.setFileName(m_movie);
        QVERIFY(player.Duration() > 1.9);
        const QStringList late = m_listeners->takeArrivals();
        if (!late.isEmpty())
            wrong << "arrived late: " + late.join(", ");
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }

    // The engine would pick these up by their names alone.
    void filesBesideTheMovieAreLeftAlone_data()
    {
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<QString>("companionExtension");
        QTest::addColumn<QByteArray>("companion");
        QTest::newRow("subtitles of the same name")
            << true << "srt" << QByteArray("1\n00:00:00,000 --> 00:00:01,500\nBar 12\n");
        // A black picture of one pixel, as PNG.
        QTest::newRow("cover picture of the same name")
            << false << "png"
            << QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGNgYGAAAAAEAA"
                                      "H2FzhVAAAAAElFTkSuQmCC");
    }
    void filesBesideTheMovieAreLeftAlone()
    {
        QFETCH(bool, withPicture);
        QFETCH(QString, companionExtension);
        QFETCH(QByteArray, companion);
        QVERIFY(!companion.isEmpty());
        const QString base = TestMedia::outputPath("beside");
        QVERIFY(QFile::copy(TestMedia::movie({.seconds = 2, .withPicture = withPicture}), base + ".mp4"));
        QVERIFY(!TestMedia::file(base + '.' + companionExtension, companion).isEmpty());
        FileOpenWatch companionOpened(base + '.' + companionExtension);
        QVERIFY(companionOpened.isWatching());

        MpvMoviePlayer player(headless);
        player.setFileName(base + ".mp4");
        QVERIFY(player.Duration() > 1.9);
        player.Play();
        QTest::qWait(300);
        QVERIFY(!companionOpened.openedSinceLastLook());
    }

private:
    QString m_movie;
    QString m_otherMovie;
    std::unique_ptr<FileOpenWatch> m_otherMovieOpened;
    std::unique_ptr<LoopbackListeners> m_listeners;
};

QTEST_MAIN(PlayerReferencesTest)
#include "tst_playerreferences.moc"
