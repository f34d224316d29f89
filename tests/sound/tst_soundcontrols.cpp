#include "fakes/FakeMoviePlayer.h"
#include "sound/SoundPanel.h"

#include <QTest>

using Values = QList<int>; // tempo, semitones, fine pitch, rate

namespace {

const Values rest{0, 0, 0, 100};

// Notes both pitch labels at every SetPitch, which shows in which order the nested pitch
// reactions talk to the player and write their labels.
class PitchOrderRecorder : public FakeMoviePlayer
{
public:
    const QLabel* semitones = nullptr;
    const QLabel* fine = nullptr;
    void SetPitch(double value) override
    {
        FakeMoviePlayer::SetPitch(value);
        calls.last() += QStringLiteral(" [%1|%2]").arg(semitones->text(), fine->text());
    }
};

} // namespace

class SoundControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void startsAtRestWithoutTellingThePlayer()
    {
        SoundPanel panel;
        FakeMoviePlayer& player = panel.player;
        QCOMPARE(panel.values(), rest);
        QCOMPARE(panel.labels(), QStringList({"100%", "0", "0", "100%"}));
        QCOMPARE(player.calls, QStringList());
        QVERIFY(!panel.slider("sldSpeed")->isEnabled());
        QCOMPARE(panel.slider("sldSpeed")->toolTip(), "Use buttons to change tempo-pitch");
    }

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
        row("tempo +1 at 75", {75, 0, 0, 100}, "cmdTempo1Up", {76, 0, 0, 100}, {"SetTempo(76)"});
        row("tempo -1 reaches -80", {-79, 0, 0, 100}, "cmdTempo1Down", {-80, 0, 0, 100}, {"SetTempo(-80)"});
        row("tempo -10 refused at -71", {-71, 0, 0, 100}, "cmdTempo10Down", {-71, 0, 0, 100}, {});
        row("tempo reset hot key", {45, 0, 0, 100}, "htkTempoReset", rest, {"SetTempo(0)"});
        row("rate +10 refused at 185", {0, 0, 0, 185}, "cmdRate10Up", {0, 0, 0, 185}, {});
        row("rate -1 reaches 10", {0, 0, 0, 11}, "cmdRate1Down", {0, 0, 0, 10}, {"setRate(0.1)"});
        row("rate -10 refused at 19", {0, 0, 0, 19}, "cmdRate10Down", {0, 0, 0, 19}, {});
        row("rate reset", {0, 0, 0, 185}, "cmdRateReset", rest, {"setRate(1)"});
        row("octave up refused at 1", {0, 1, 0, 100}, "cmdPitch12UpSemi", {0, 1, 0, 100}, {});
        row("octave up from 0", rest, "cmdPitch12UpSemi", {0, 12, 0, 100}, {"SetPitch(12)"});
        row("semitone up refused at 12", {0, 12, 0, 100}, "cmdPitch1UpSemi", {0, 12, 0, 100}, {});
        row("semitone down", rest, "cmdPitch1DownSemi", {0, -1, 0, 100}, {"SetPitch(-1)"});
        row("fine semitone up refused at 551", {0, 0, 551, 100}, "cmdPitch10UpGrad", {0, 0, 551, 100}, {});
        row("2 cents up", rest, "cmdPitch1UpGrad", {0, 0, 1, 100}, {"SetPitch(0.02)"});
        row("2 cents up refused at 600", {0, 0, 600, 100}, "cmdPitch1UpGrad", {0, 0, 600, 100}, {});
        row("fine semitone down", {0, 0, -550, 100}, "cmdPitch10DownGrad", {0, 0, -600, 100},
            {"SetPitch(-12)"});
        row("pitch reset hot key, semitones", {0, -5, 0, 100}, "htkPitchReset", rest, {"SetPitch(0)"});
        row("pitch reset hot key, fine", {0, 0, 30, 100}, "htkPitchReset", rest, {"SetPitch(0)"});
        row("reset all", {20, 0, -30, 150}, "cmdResetAll", rest,
            {"SetTempo(0)", "SetPitch(0)", "setRate(1)"});
        row("reset all at rest", rest, "cmdResetAll", rest, {});
        row("gain up refused past full", {-200}, "cmdGainUp", {-200}, {});
        row("gain up to full", {-500}, "cmdGainUp", {0}, {"setVolume(0)"});
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

    // A step is tested against the range the slider has when the command runs (here -100..50).
    void stepsObeyTheRangeOfTheMoment_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("expected");
        QTest::newRow("tempo up") << "sldTempo" << 45 << "cmdTempo10Up" << 45;
        QTest::newRow("rate down past its design minimum") << "sldSpeed" << -41 << "cmdRate10Down" << -51;
        QTest::newRow("fine up") << "sldPitchGrad" << 10 << "cmdPitch10UpGrad" << 10;
    }
    void stepsObeyTheRangeOfTheMoment()
    {
        QFETCH(QString, slider);
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(int, expected);
        SoundPanel panel;
        panel.slider(slider)->setRange(-100, 50);
        panel.slider(slider)->setValue(start);
        QVERIFY(panel.run(command));
        QCOMPARE(panel.slider(slider)->value(), expected);
    }

    // Whoever sets a slider (a drag, a command, an excerpt, a calculator), its reaction tells the
    // player and rewrites the label. Fine pitch goes to the player in semitones, unrounded.
    void reactions_data()
    {
        QTest::addColumn<int>("slider"); // index into SoundPanel::sliders
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("call");
        const auto row = [](const char* name, int slider, int to, const char* label, const char* call) {
            QTest::newRow(name) << slider << to << QString(label) << QString(call);
        };
        row("tempo -80", 0, -80, "20%", "SetTempo(-80)");
        row("tempo 80", 0, 80, "180%", "SetTempo(80)");
        row("semitones -3", 1, -3, "-3", "SetPitch(-3)");
        row("fine 1", 2, 1, "0.02", "SetPitch(0.02)");
        row("fine -1", 2, -1, "-0.02", "SetPitch(-0.02)");
        row("fine 25", 2, 25, "0.50", "SetPitch(0.5)");
        row("fine 26", 2, 26, "0.52", "SetPitch(0.52)");
        row("fine 125", 2, 125, "2.50", "SetPitch(2.5)");
        row("fine -75", 2, -75, "-1.50", "SetPitch(-1.5)");
        row("fine 600", 2, 600, "12.00", "SetPitch(12)");
        row("rate 10", 3, 10, "10%", "setRate(0.1)");
    }
    void reactions()
    {
        QFETCH(int, slider);
        QFETCH(int, to);
        QFETCH(QString, label);
        QFETCH(QString, call);
        SoundPanel panel;
        FakeMoviePlayer& player = panel.player;
        panel.slider(SoundPanel::sliders[slider])->setValue(to);
        QCOMPARE(player.calls, QStringList{call});
        QCOMPARE(panel.labels()[slider], label);
    }

    // Moving one pitch slider while the other is away from 0 nests three reactions deep; the
    // labels noted at each player call show their order. Both end at 0, and the next step
    // takes effect.
    void pitchSlidersResetEachOther_data()
    {
        QTest::addColumn<QString>("away");
        QTest::addColumn<int>("awayValue");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("labels"); // semitones, fine
        QTest::newRow("semitone steps, fine at 10")
            << "sldPitchGrad" << 10 << QStringList(2, "cmdPitch1UpSemi")
            << QStringList{"SetPitch(0) [0|0.20]", "SetPitch(0) [0|0.20]", "SetPitch(0) [0|0.00]",
                           "SetPitch(1) [0|0.00]"}
            << QStringList{"1", "0.00"};
        QTest::newRow("fine steps, semitones at 3")
            << "sldPitchSemi" << 3 << QStringList(2, "cmdPitch10UpGrad")
            << QStringList{"SetPitch(0) [3|0]", "SetPitch(0) [3|0.00]", "SetPitch(0) [0|0.00]",
                           "SetPitch(1) [0|0.00]"}
            << QStringList{"0", "1.00"};
    }
    void pitchSlidersResetEachOther()
    {
        QFETCH(QString, away);
        QFETCH(int, awayValue);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, labels);
        SoundPanelWith<PitchOrderRecorder> panel;
        PitchOrderRecorder& player = panel.player;
        player.semitones = panel.label("lblPitchSemi");
        player.fine = panel.label("lblPitchGrade");
        panel.slider(away)->setValue(awayValue);
        player.clearCalls();
        for (const QString& command : commands)
            QVERIFY(panel.run(command));
        QCOMPARE(player.calls, calls);
        QCOMPARE(panel.labels().mid(1, 2), labels);
    }

    // A slider already at its reset value is not notified: its label keeps the text it had.
    void resetAllLeavesRestingLabelsAlone()
    {
        SoundPanel panel;
        panel.setValues({0, 0, -30, 55});
        QVERIFY(panel.run("cmdResetAll"));
        QCOMPARE(panel.labels(), QStringList({"100%", "0", "0.00", "100%"}));
    }
};

QTEST_MAIN(SoundControlsTest)
#include "tst_soundcontrols.moc"
