#include "fakes/MainWindowRig.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

// Start-up and shut-down of the main window, and files that come from outside it: named on the
// command line or dropped on the picture. "F/" in a row is the test's folder of files.
class StartUpTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    QString inFolder(QString text) const { return text.replace("F/", m_folder.path() + "/"); }

    // Drops on the picture area, where a user lets go of a file; it takes no drops itself, so
    // the window must. False when the window refused the drag.
    static bool drop(QWidget* picture, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(picture->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QDropEvent dropped(picture->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &enter);
        if (enter.isAccepted())
            QApplication::sendEvent(picture, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }

private slots:
    void initTestCase()
    {
        // Movie, loop play, position, begin, end (maximum, value each), tempo, semitones, fine pitch, rate.
        const QString excerpt =
            "F/my film.mp4\r\nTrue\r\n200\r\n150\r\n210\r\n40\r\n220\r\n60\r\n-25\r\n0\r\n-120\r\n150\r\n";
        for (const char* name :
             {"my film.mp4", "\"take\" 2.mp4", "take 2.mp4", "etude 9-16.rqx", "ETUDE.RQX"}) {
            QFile file(inFolder("F/") + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QString(name).endsWith("mp4") ? "a movie" : inFolder(excerpt).toUtf8());
        }
        // The documents folder is $HOME/Documents when the desktop names no other.
        qputenv("HOME", m_folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_folder.filePath("no config").toUtf8());
    }

    void filesFromOutside_data()
    {
        QTest::addColumn<QStringList>("given"); // the command line, or "drop" and what is dropped
        QTest::addColumn<QString>("effect");    // the player's calls, or "refused"
        const auto plays = [](const QString& path) {
            return "setActive(true) setFileName(" + path + ") setVolume(0) Play()";
        };
        // The file's movie, its tempo, pitch (semitones + 2-cent steps / 50) and rate, from its position.
        const QString loadsExcerpt =
            "setFileName(F/my film.mp4) SetTempo(-25) SetPitch(-2.4) setRate(1.5) Seek(150) Play()";
        // clang-format off
        QTest::newRow("a quoted path with a blank, split by the shell, opens and plays")
            << QStringList{"reelquill", "\"F/my", "film.mp4\""} << plays("F/my film.mp4");
        QTest::newRow("a double quote inside a path is removed")
            << QStringList{"reelquill", "F/my fi\"lm.mp4"} << plays("F/my film.mp4");
        QTest::newRow("a name holding double quotes opens as it stands, before the same name without")
            << QStringList{"reelquill", "F/\"take\" 2.mp4"} << plays("F/\"take\" 2.mp4");
        QTest::newRow("a missing file starts with no movie and no message")
            << QStringList{"reelquill", "F/missing.mp4"} << "setActive(true) setFileName(F/missing.mp4)";
        QTest::newRow("only double quotes still reach the player")
            << QStringList{"reelquill", "\"\""} << "setActive(true) setFileName()";
        QTest::newRow("no command line opens nothing") << QStringList{"reelquill"} << "";
        QTest::newRow("an excerpt loads with its movie")
            << QStringList{"reelquill", "F/etude 9-16.rqx"} << loadsExcerpt;
        QTest::newRow("a dropped movie opens and plays")
            << QStringList{"drop", "F/my film.mp4"} << plays("F/my film.mp4");
        QTest::newRow("a dropped excerpt in capitals loads")
            << QStringList{"drop", "F/ETUDE.RQX"} << loadsExcerpt;
        QTest::newRow("two files at once are refused")
            << QStringList{"drop", "F/my film.mp4", "F/ETUDE.RQX"} << "refused";
        QTest::newRow("a web address is refused")
            << QStringList{"drop", "https://example.org/my.mp4"} << "refused";
        // clang-format on
    }
    void filesFromOutside()
    {
        QFETCH(QStringList, given);
        QFETCH(QString, effect);
        MainWindowRig rig;
        for (const char* movie : {"my film.mp4", "\"take\" 2.mp4"})
            rig.player.movies.insert(inFolder("F/") + movie, 125.5);
        given.replaceInStrings("F/", m_folder.path() + "/");
        if (given.first() == "drop") {
            rig.window.startUp({"reelquill"});
            QList<QUrl> urls;
            for (const QString& file : given.mid(1))
                urls << (file.startsWith("/") ? QUrl::fromLocalFile(file) : QUrl(file));
            if (!drop(rig.control<QWidget>("MoviePlayer"), urls))
                rig.player.calls << "refused";
        } else {
            rig.window.startUp(given);
        }
        QCOMPARE(rig.player.calls.join(' '), inFolder(effect));
        QCOMPARE(rig.desktop.messages.size(), 0);
    }

    void snapshotSettings_data()
    {
        QTest::addColumn<QStringList>("stored"); // name=value
        QTest::addColumn<QString>("values");     // the snapshot folder and format code
        const QString documents = "F/Documents/Reelquill snapshots/";
        // clang-format off
        QTest::newRow("nothing stored: the documents folder, jpg") << QStringList{} << documents + " 1";
        QTest::newRow("format 0 stored") << QStringList{"SnapshotFormat=0"} << documents + " 0";
        QTest::newRow("format not a number") << QStringList{"SnapshotFormat=png"} << documents + " 1";
        QTest::newRow("format out of range") << QStringList{"SnapshotFormat=5"} << documents + " 1";
        QTest::newRow("both stored")
            << QStringList{"SnapshotFolder=/home/me/shots/", "SnapshotFormat=4"} << "/home/me/shots/ 4";
        // clang-format on
    }
    void snapshotSettings()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, values);
        MainWindowRig rig;
        for (const QString& setting : stored)
            rig.settings.setText(setting.section('=', 0, 0), setting.section('=', 1));
        rig.window.startUp({"reelquill"});
        const SnapshotSettings& read = rig.window.snapshotSettings();
        QCOMPARE(read.SnapshotFolder + " " + QString::number(read.SnapshotFormat), inFolder(values));
    }

    // Closing the window closes the movie and every other window, and writes no setting.
    void shutDown()
    {
        MainWindowRig rig;
        rig.window.startUp({"reelquill"});
        rig.window.show();
        QVERIFY(rig.run("cmdKeyCalc") && rig.run("tlbCmdSnapshotFolder"));
        QVERIFY(rig.window.close());
        QCOMPARE(rig.player.calls, QStringList{"Close()"});
        for (const QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
        QVERIFY(
            QSettings(rig.settingsDir.filePath("reelquill.ini"), QSettings::IniFormat).allKeys().isEmpty());
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
