#include "app/frmMain.h"
#include "fakes/MainWindowRig.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

// A file dropped on the window, or named on the command line, opens as a movie or loads as an
// excerpt by its kind.
class DropFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_movie;
    QString m_excerpt;

    struct Rig : MainWindowRig
    {
        explicit Rig(const QString& movie) { player.movies.insert(movie, 125.5); }
    };

    static void writeFile(const QString& path, const QByteArray& contents)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    // Drops on the picture area, where a user lets go of a file; it takes no drops itself, so
    // the window must. True when the window took the drag.
    static bool drop(frmMain& window, const QList<QUrl>& urls)
    {
        QWidget* picture = window.findChild<QWidget*>("MoviePlayer");
        QMimeData data;
        data.setUrls(urls);
        const QPoint point = picture->rect().center();
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &dropped);
        return dropped.isAccepted();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_movie = m_folder.filePath("etude.mp4");
        writeFile(m_movie, "not really a movie");
        m_excerpt = m_folder.filePath("etude bars 9-16.rqx");
        writeFile(
            m_excerpt,
            (m_movie + "\r\nTrue\r\n200\r\n150\r\n210\r\n40\r\n220\r\n60\r\n-25\r\n0\r\n-120\r\n150\r\n")
                .toUtf8());
        // The same excerpt whatever the letter case of its extension.
        QVERIFY(QFile::copy(m_excerpt, m_folder.filePath("ETUDE.RQX")));
    }

    void droppedFile_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("opened");
        QTest::newRow("movie") << QStringList{"etude.mp4"} << true << "movie";
        QTest::newRow("excerpt") << QStringList{"etude bars 9-16.rqx"} << true << "excerpt";
        QTest::newRow("excerpt in capitals") << QStringList{"ETUDE.RQX"} << true << "excerpt";
        QTest::newRow("two files") << QStringList{"etude.mp4", "etude bars 9-16.rqx"} << false << "nothing";
        QTest::newRow("web address") << QStringList{"https://example.org/etude.mp4"} << false << "nothing";
    }
    void droppedFile()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, taken);
        QFETCH(QString, opened);
        Rig rig(m_movie);
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << (file.startsWith("https:") ? QUrl(file) : QUrl::fromLocalFile(m_folder.filePath(file)));
        QCOMPARE(drop(rig.window, urls), taken);
        QCOMPARE(whatOpened(rig), opened);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("opened");
        QTest::newRow("movie") << "etude.mp4"
                               << "movie";
        QTest::newRow("excerpt") << "etude bars 9-16.rqx"
                                 << "excerpt";
    }
    void commandLine()
    {
        QFETCH(QString, file);
        QFETCH(QString, opened);
        Rig rig(m_movie);
        rig.window.startUp({"/usr/bin/reelquill", m_folder.filePath(file)});
        QCOMPARE(whatOpened(rig), opened);
    }

private:
    // What the window did with the file, from what the player was told and the sliders show.
    QString whatOpened(Rig& rig) const
    {
        const QStringList& calls = rig.player.calls;
        const TimeControls& time = rig.window.timeControls();
        const SoundSliders& sound = rig.window.soundSliders();
        if (calls.isEmpty())
            return "nothing";
        if (calls ==
            QStringList{"setActive(true)", "setFileName(" + m_movie + ")", "setVolume(0)", "Play()"}) {
            // Open: the whole movie as loop window, from its start.
            if (time.sldEnd->maximum() == 126 && time.sldEnd->value() == 126 &&
                time.sldPosition->value() == 0)
                return "movie";
        }
        if (calls.first() == "setFileName(" + m_movie + ")" && calls.last() == "Play()") {
            // Load excerpt: the sliders as the file has them, and playback from its position.
            if (time.sldPosition->value() == 150 && time.sldBegin->value() == 40 &&
                time.sldEnd->value() == 60 && sound.sldTempo->value() == -25 &&
                rig.window.playbackState().LoopPlay && calls.at(calls.size() - 2) == "Seek(150)")
                return "excerpt";
        }
        return "calls: " + calls.join(' ');
    }
};

QTEST_MAIN(DropFilesTest)
#include "tst_dropfiles.moc"
