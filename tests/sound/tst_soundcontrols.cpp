#include "fakes/FakeMoviePlayer.h"
#include "sound/SoundPanel.h"

#include <QTest>

using Values = QList<int>; // tempo, semitones, fine pitch, rate

namespace {
const Values rest{0, 0, 0, 100};
} // namespace

// The sound panel's commands and sliders on the recording player: what reaches the player and
// where the sliders end.
class SoundControlsTest : public QObject
{
    Q_OBJECT

private slots:
    // A step is refused when it would leave the slider's range; the volume steps likewise.
    void commands_data()
    {
        QTest::addColumn<Values>("start");
        QTest::addColumn<QString>("command");
        QTest::addColumn<Values>("expected");
        QTest::addColumn<QStringList>("calls");
        const auto row = [](const char* name, Values start, const char* command, Values expected,
                            QStringList calls) {
            QTest::newRow(name) << start << QString(command) << expected << calls;
        };
        row("tempo +10 refused at 75", {75, 0, 0, 100}, "cmdTempo10Up", {75, 0, 0, 100}, {});
        row("tempo -1 reaches -80", {-79, 0, 0, 100}, "cmdTempo1Down", {-80, 0, 0, 100}, {"SetTempo(-80)"});
        row("rate -1 reaches 10", {0, 0, 0, 11}, "cmdRate1Down", {0, 0, 0, 10}, {"setRate(0.1)"});
        row("rate -10 refused at 19", {0, 0, 0, 19}, "cmdRate10Down", {0, 0, 0, 19}, {});
        row("octave up refused at 1", {0, 1, 0, 100}, "cmdPitch12UpSemi", {0, 1, 0, 100}, {});
        row("semitone up refused at 12", {0, 12, 0, 100}, "cmdPitch1UpSemi", {0, 12, 0, 100}, {});
        row("2 cents up refused at 600", {0, 0, 600, 100}, "cmdPitch1UpGrad", {0, 0, 600, 100}, {});
        row("fine semitone down", {0, 0, -550, 100}, "cmdPitch10DownGrad", {0, 0, -600, 100},
            {"SetPitch(-12)"});
        row("pitch reset hot key, fine", {0, 0, 30, 100}, "htkPitchReset", rest, {"SetPitch(0)"});
        row("reset all", {20, 0, -30, 150}, "cmdResetAll", rest,
            {"SetTempo(0)", "SetPitch(0)", "setRate(1)"});
        row("reset all at rest", rest, "cmdResetAll", rest, {});
        row("gain up refused past full", {-200}, "cmdGainUp", {-200}, {});
        row("gain down to silence", {-9500}, "cmdGainDown", {-10000}, {"setVolume(-10000)"});
        row("gain down refused at silence", {-10000}, "cmdGainDown", {-10000}, {});
    }
    void commands()
    {
        QFETCH(Values, start);
        QFETCH(QString, command);
        QFETCH(Values, expected);
        QFETCH(QStringList, calls);
        SoundPanel panel;
        FakeMoviePlayer& player = panel.player;
        const bool gain = command.startsWith("cmdGain");
        if (gain)
            player.volume = start[0];
        else
            panel.setValues(start);
        player.clearCalls();
        QVERIFY2(panel.run(command), qPrintable("no route " + command));
        QCOMPARE(gain ? Values{player.volume} : panel.values(), expected);
        QCOMPARE(player.calls, calls);
    }

    // Whoever sets a slider (a drag, a command, an excerpt, a calculator), its reaction tells the
    // player and rewrites the label. Fine pitch goes to the player in semitones, unrounded.
    void reactions_data()
    {
        QTest::addColumn<int>("slider"); // index into SoundPanel::sliders
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("call");
        QTest::newRow("tempo -80") << 0 << -80 << "20%"
                                   << "SetTempo(-80)";
        QTest::newRow("semitones -3") << 1 << -3 << "-3"
                                      << "SetPitch(-3)";
        QTest::newRow("fine -1") << 2 << -1 << "-0.02"
                                 << "SetPitch(-0.02)";
        QTest::newRow("fine 26") << 2 << 26 << "0.52"
                                 << "SetPitch(0.52)";
        QTest::newRow("rate 10") << 3 << 10 << "10%"
                                 << "setRate(0.1)";
    }
    void reactions()
    {
        QFETCH(int, slider);
        QFETCH(int, to);
        QFETCH(QString, label);
        QFETCH(QString, call);
        SoundPanel panel;
        panel.slider(SoundPanel::sliders[slider])->setValue(to);
        QCOMPARE(panel.player.calls, QStringList{call});
        QCOMPARE(panel.labels()[slider], label);
    }

    // Moving one pitch slider while the other is away from 0 sets that one back to 0; the step
    // then takes effect, and the player ends at the pitch the sliders show.
    void pitchSlidersResetEachOther_data()
    {
        QTest::addColumn<QString>("away");
        QTest::addColumn<int>("awayValue");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("labels"); // semitones, fine
        QTest::addColumn<QString>("lastCall");
        QTest::newRow("semitone up, fine at 10")
            << "sldPitchGrad" << 10 << "cmdPitch1UpSemi" << QStringList{"1", "0.00"} << "SetPitch(1)";
        QTest::newRow("fine semitone up, semitones at 3")
            << "sldPitchSemi" << 3 << "cmdPitch10UpGrad" << QStringList{"0", "1.00"} << "SetPitch(1)";
    }
    void pitchSlidersResetEachOther()
    {
        QFETCH(QString, away);
        QFETCH(int, awayValue);
        QFETCH(QString, command);
        QFETCH(QStringList, labels);
        QFETCH(QString, lastCall);
        SoundPanel panel;
        panel.slider(away)->setValue(awayValue);
        // The first step only brings the other slider back to 0; the second moves.
        QVERIFY(panel.run(command));
        QVERIFY(panel.run(command));
        QCOMPARE(panel.labels().mid(1, 2), labels);
        QCOMPARE(panel.player.calls.last(), lastCall);
    }
};

QTEST_MAIN(SoundControlsTest)
#include "tst_soundcontrols.moc"
