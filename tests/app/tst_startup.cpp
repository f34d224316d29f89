#include "app/frmMain.h"
#include "app/modSpecialFolders.h"
#include "fakes/MainWindowRig.h"

#include <QCloseEvent>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

// Start-up and shut-down of the main window with a recording player and a settings file of the
// test's own.
class StartUpTest : public QObject
{
    Q_OBJECT

    struct Rig : MainWindowRig
    {
        Rig()
        {
            player.movies.insert("/movies/my film.mp4", 125.5);
            player.movies.insert("/movies/weird.mp4", 10.0);
        }
    };

private slots:
    void commandLineOpensAndPlays_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("sliderMaximum");
        const QStringList playsMyFilm{"setActive(true)", "setFileName(/movies/my film.mp4)", "setVolume(0)",
                                      "Play()"};
        QTest::newRow("quoted path with a blank, split by the shell")
            << QStringList{"\"/movies/my", "film.mp4\""} << playsMyFilm << 126;
        QTest::newRow("one argument with a blank")
            << QStringList{"/movies/my film.mp4"} << playsMyFilm << 126;
        QTest::newRow("quoted path in one argument")
            << QStringList{"\"/movies/my film.mp4\""} << playsMyFilm << 126;
        QTest::newRow("quote in the middle is removed as well")
            << QStringList{"/movies/we\"ird.mp4"}
            << QStringList{"setActive(true)", "setFileName(/movies/weird.mp4)", "setVolume(0)", "Play()"}
            << 10;
        QTest::newRow("empty command line opens nothing") << QStringList{} << QStringList{} << 1000;
        QTest::newRow("a missing file starts with no movie")
            << QStringList{"/movies/missing.mp4"}
            << QStringList{"setActive(true)", "setFileName(/movies/missing.mp4)"} << 1000;
        QTest::newRow("only quotes still reach the player")
            << QStringList{"\"\""} << QStringList{"setActive(true)", "setFileName()"} << 1000;
    }
    void commandLineOpensAndPlays()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, calls);
        QFETCH(int, sliderMaximum);
        Rig rig;
        rig.window.startUp(QStringList{"/usr/bin/reelquill"} + arguments);
        QCOMPARE(rig.player.calls, calls);
        const TimeControls& time = rig.window.timeControls();
        for (QSlider* slider : {time.sldPosition, time.sldBegin, time.sldEnd})
            QCOMPARE(slider->maximum(), sliderMaximum);
        const bool opened = sliderMaximum != 1000;
        QCOMPARE(time.sldPosition->value(), opened ? 0 : 500);
        QCOMPARE(time.sldBegin->value(), opened ? 0 : 500);
        QCOMPARE(time.sldEnd->value(), opened ? sliderMaximum : 500);
        QVERIFY(rig.desktop.messages.isEmpty());
    }

    void commandLineNamingAFileAsItStands_data()
    {
        QTest::addColumn<QStringList>("files"); // made in a fresh folder
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("opened");
        QTest::newRow("a name holding double quotes") << QStringList{"say \"hi\".mp4"} << "say \"hi\".mp4"
                                                      << "say \"hi\".mp4";
        QTest::newRow("the quoted name wins over the same name without quotes")
            << QStringList{"\"take\" 2.mp4", "take 2.mp4"} << "\"take\" 2.mp4"
            << "\"take\" 2.mp4";
        QTest::newRow("a quoted path to a file without quotes")
            << QStringList{"take 2.mp4"} << "\"take 2.mp4\""
            << "take 2.mp4";
        QTest::newRow("a quote in a name that does not exist is removed")
            << QStringList{"say \"hi\".mp4"} << "say \"hi.mp4"
            << "say hi.mp4";
        QTest::newRow("commas, blanks and accents")
            << QStringList{"Étude, op. 10 – No 3.mkv"} << "Étude, op. 10 – No 3.mkv"
            << "Étude, op. 10 – No 3.mkv";
    }
    void commandLineNamingAFileAsItStands()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, commandLine);
        QFETCH(QString, opened);
        QTemporaryDir folder;
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString path = folder.path() + "/" + opened;
        Rig rig;
        rig.player.movies.insert(path, 30.0);
        // One argument, as a shell passes a quoted or escaped name.
        rig.window.startUp({"/usr/bin/reelquill", folder.path() + "/" + commandLine});
        QCOMPARE(rig.player.calls,
                 QStringList({"setActive(true)", "setFileName(" + path + ")", "setVolume(0)", "Play()"}));
    }

    void snapshotSettings_data()
    {
        QTest::addColumn<QVariant>("storedFolder");
        QTest::addColumn<QVariant>("storedFormat");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("format");
        const QString defaultFolder = modSpecialFolders::DocumentsFolder() + "/Reelquill snapshots/";
        QTest::newRow("nothing stored") << QVariant() << QVariant() << defaultFolder << 1;
        QTest::newRow("format 0 stored") << QVariant() << QVariant("0") << defaultFolder << 0;
        QTest::newRow("format not a number") << QVariant() << QVariant("png") << defaultFolder << 1;
        QTest::newRow("format out of range") << QVariant() << QVariant("5") << defaultFolder << 1;
        QTest::newRow("folder stored")
            << QVariant("/home/me/shots/") << QVariant("4") << "/home/me/shots/" << 4;
    }
    void snapshotSettings()
    {
        QFETCH(QVariant, storedFolder);
        QFETCH(QVariant, storedFormat);
        QFETCH(QString, folder);
        QFETCH(int, format);
        Rig rig;
        if (storedFolder.isValid())
            rig.settings.setText("SnapshotFolder", storedFolder.toString());
        if (storedFormat.isValid())
            rig.settings.setText("SnapshotFormat", storedFormat.toString());
        rig.window.startUp({"/usr/bin/reelquill"});
        QCOMPARE(rig.window.programValues().SnapshotFolder, folder);
        QCOMPARE(int(rig.window.programValues().SnapshotFormat), format);
        QVERIFY(rig.window.programValues().SnapshotFile.isEmpty());
    }

    void startUpWritesNoSettings()
    {
        Rig rig;
        rig.window.startUp({"/usr/bin/reelquill"});
        rig.window.close();
        QVERIFY(
            QSettings(rig.settingsDir.filePath("reelquill.ini"), QSettings::IniFormat).allKeys().isEmpty());
    }

    void shutDownClosesThePlayerFirstThenOtherWindows()
    {
        Rig rig;
        rig.window.show();
        // Stands in for a calculator or the snapshot preview; it notes when it is closed.
        struct OtherWindow : QWidget
        {
            FakeMoviePlayer* player = nullptr;
            void closeEvent(QCloseEvent* event) override
            {
                player->calls << "other window closed";
                event->accept();
            }
        };
        OtherWindow calculator;
        calculator.player = &rig.player;
        calculator.show();
        QVERIFY(rig.window.close());
        QCOMPARE(rig.player.calls, (QStringList{"Close()", "other window closed"}));
        QVERIFY(!calculator.isVisible());
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
