#include "fakes/MainWindowRig.h"

#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QTest>

// The speed trainer on the recording player in the real main window: how the tempo rises pass by
// pass, what ends a training, what keeps it from starting, and the plan kept between runs.
namespace {
struct Rig : MainWindowRig
{
    QDialog* trainer = nullptr;

    // A movie of 100 s with the loop window 10..20, and the trainer's window open.
    explicit Rig(bool openMovie = true)
    {
        player.movies.insert("/movies/film.mp4", 100.0);
        player.movies.insert("/movies/other.mp4", 50.0);
        if (openMovie) {
            window.startUp({"reelquill", "/movies/film.mp4"});
            slider("sldBegin")->setValue(10);
            slider("sldEnd")->setValue(20);
        }
        run("htkSpeedTrainer");
        for (QWidget* shown : QApplication::topLevelWidgets())
            trainer = shown->objectName() == "frmSpeedTrainer" && shown->isVisible()
                          ? qobject_cast<QDialog*>(shown)
                          : trainer;
    }

    // "70 5 2 100 0": start tempo, step, passes at each tempo, up to, pause.
    void plan(const QString& values)
    {
        const QStringList numbers = values.split(' ');
        const char* boxes[] = {"spnStartTempo", "spnStep", "spnEveryPasses", "spnUpToTempo"};
        for (int i = 0; i < 4; ++i)
            trainer->findChild<QSpinBox*>(boxes[i])->setValue(numbers[i].toInt());
        trainer->findChild<QDoubleSpinBox*>("spnPause")->setValue(numbers[4].toDouble());
    }
    void click(const char* button) { trainer->findChild<QPushButton*>(button)->click(); }
    QString status() const { return trainer->findChild<QLabel*>("lblStatus")->text(); }
    QString tempo() const { return control<QLabel>("lblTempo")->text(); }
    // The tempo the player holds for the next wrap, in percent of the movie's speed.
    QString waiting() const
    {
        const QStringList waits = player.calls.filter("SetTempoAtNextWrap(");
        return waits.isEmpty() ? "none"
                               : QString::number(waits.last().section('(', 1).chopped(1).toInt() + 100) + "%";
    }
};
} // namespace

class TrainerTest : public QObject
{
    Q_OBJECT

private slots:
    // Each pass shows its tempo on the tempo label, and the player already holds the next one.
    void tempoRisesByThePlan_data()
    {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("wraps");
        QTest::addColumn<QString>("passes"); // per pass: its tempo, then the next one waiting
        QTest::addColumn<QString>("status");
        QTest::newRow("70 %, up 5 % every 2 passes")
            << "70 5 2 100 0" << 5 << "70%>70% 70%>75% 75%>75% 75%>80% 80%>80% 80%>85%"
            << "Pass 6 of the loop — tempo 80 %";
        QTest::newRow("60 %, up 10 % every pass up to 90 %, where it stays")
            << "60 10 1 90 0" << 5 << "60%>70% 70%>80% 80%>90% 90%>90% 90%>90% 90%>90%"
            << "Up to speed — tempo 90 %";
        QTest::newRow("a step past the top stops at the top")
            << "95 10 1 100 0" << 2 << "95%>100% 100%>100% 100%>100%"
            << "Up to speed — tempo 100 %";
    }
    void tempoRisesByThePlan()
    {
        QFETCH(QString, plan);
        QFETCH(int, wraps);
        QFETCH(QString, passes);
        QFETCH(QString, status);
        Rig rig;
        rig.plan(plan);
        rig.player.clearCalls();
        rig.click("cmdStartTraining");
        QVERIFY2(rig.player.calls.contains("Seek(10)") && rig.player.calls.last() == "Play()",
                 qPrintable(rig.player.calls.join(' ')));
        QStringList seen{rig.tempo() + ">" + rig.waiting()};
        for (int wrap = 0; wrap < wraps; ++wrap) {
            rig.player.wrapLoop();
            seen << rig.tempo() + ">" + rig.waiting();
        }
        QCOMPARE(seen.join(' '), passes);
        QCOMPARE(rig.status(), status);
    }

    // A tempo change of the user's, by any route, and the commands that leave the loop end the
    // training where the tempo is; a pause only pauses it.
    void whatEndsTheTraining_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("tempoAfterAWrap"); // empty: the training goes on
        QTest::newRow("the window's Stop") << "cmdStopTraining"
                                           << "80%";
        QTest::newRow("a tempo key") << "htkTempo1Up"
                                     << "81%";
        QTest::newRow("the tempo menu") << "mnuTempo10Down"
                                        << "70%";
        QTest::newRow("Reset all") << "htkReset"
                                   << "100%";
        QTest::newRow("Stop") << "htkStop"
                              << "80%";
        QTest::newRow("Play") << "mnuPlay"
                              << "80%";
        QTest::newRow("opening another movie") << "htkOpen"
                                               << "80%";
        QTest::newRow("loading an excerpt") << "htkLoadExcerpt"
                                            << "80%";
        QTest::newRow("Pause goes on after the pause") << "htkPause"
                                                       << "";
        QTest::newRow("Play loop goes on") << "htkPlayLoop"
                                           << "";
        QTest::newRow("a pitch change goes on") << "htkSemitoneUp"
                                                << "";
    }
    void whatEndsTheTraining()
    {
        QFETCH(QString, route);
        QFETCH(QString, tempoAfterAWrap);
        Rig rig;
        rig.plan("70 10 1 100 1.5");
        QTemporaryFile excerpt(QDir::tempPath() + "/XXXXXX.rqx");
        QVERIFY(excerpt.open());
        excerpt.write("/movies/other.mp4\r\nTrue\r\n");
        excerpt.close();
        rig.desktop.fileAnswers = QStringList{route == "htkOpen" ? "/movies/other.mp4" : excerpt.fileName()};
        rig.click("cmdStartTraining");
        rig.player.wrapLoop(); // 80 %
        rig.player.clearCalls();
        if (route == "cmdStopTraining")
            rig.click("cmdStopTraining");
        else
            QVERIFY(rig.run(route));
        rig.player.wrapLoop();
        if (tempoAfterAWrap.isEmpty()) {
            QVERIFY2(rig.status().startsWith("Pass 3 of the loop"), qPrintable(rig.status()));
            QVERIFY(!rig.player.calls.contains("SetPauseAtWraps(0)"));
            return;
        }
        QCOMPARE(rig.tempo(), tempoAfterAWrap);
        QVERIFY2(rig.status().startsWith("Stopped"), qPrintable(rig.status()));
        // Nothing of the training is left with the player: no pause, no tempo waiting for a wrap.
        QVERIFY(rig.player.calls.contains("SetPauseAtWraps(0)"));
        QVERIFY(rig.player.calls.filter("SetTempoAtNextWrap").isEmpty());
        QCOMPARE(rig.player.calls.filter("SetTempo(").last(),
                 QString("SetTempo(%1)").arg(tempoAfterAWrap.chopped(1).toInt() - 100));
    }

    void refusesWithNothingToTrainOn_data()
    {
        QTest::addColumn<bool>("movie");
        QTest::addColumn<QString>("loop");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QString>("status");
        QTest::newRow("no movie") << false << ""
                                  << "70 5 2 100 0"
                                  << "Open a movie first.";
        QTest::newRow("a loop that ends where it begins")
            << true << "20 20"
            << "70 5 2 100 0"
            << "Set a loop first: its beginning must come before its end.";
        QTest::newRow("a start above the tempo to reach") << true << "10 20"
                                                          << "120 5 2 100 0"
                                                          << "The start tempo is above the tempo to reach.";
    }
    void refusesWithNothingToTrainOn()
    {
        QFETCH(bool, movie);
        QFETCH(QString, loop);
        QFETCH(QString, plan);
        QFETCH(QString, status);
        Rig rig(movie);
        if (!loop.isEmpty()) {
            rig.slider("sldBegin")->setValue(loop.section(' ', 0, 0).toInt());
            rig.slider("sldEnd")->setValue(loop.section(' ', 1).toInt());
        }
        rig.plan(plan);
        rig.player.clearCalls();
        rig.click("cmdStartTraining");
        QCOMPARE(rig.status(), status);
        QCOMPARE(rig.player.calls, QStringList());
        QCOMPARE(rig.tempo(), "100%");
    }

    // The plan is kept in the settings store as it is changed, and the next run shows it.
    void planIsKeptBetweenRuns()
    {
        Rig rig;
        rig.plan("45 3 4 120 2.5");
        FakeMoviePlayer player;
        FakeDesktop desktop;
        frmMain nextRun(player, desktop, rig.settings);
        rig.trainer->close();
        emit nextRun.findChild<QShortcut*>("htkSpeedTrainer")->activated();
        QStringList shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() != "frmSpeedTrainer" || !window->isVisible())
                continue;
            for (const char* box : {"spnStartTempo", "spnStep", "spnEveryPasses", "spnUpToTempo"})
                shown << QString::number(window->findChild<QSpinBox*>(box)->value());
            shown << QString::number(window->findChild<QDoubleSpinBox*>("spnPause")->value());
        }
        QCOMPARE(shown.join(' '), "45 3 4 120 2.5");
    }
};

QTEST_MAIN(TrainerTest)
#include "tst_trainer.moc"
