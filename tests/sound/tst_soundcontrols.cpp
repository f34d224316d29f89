#include "fakes/FakeMoviePlayer.h"
#include "sound/SoundButtonToolTips.h"
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
    void SetPitch(qint16 value) override
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
        FakeMoviePlayer player;
        SoundPanel panel(player);
        QCOMPARE(panel.values(), rest);
        QCOMPARE(panel.labels(), QStringList({"100%", "0", "0", "100%"}));
        QCOMPARE(player.calls, QStringList());
        const QList<int> ranges{panel.sldTempo.minimum(),     panel.sldTempo.maximum(),
                                panel.sldPitchSemi.minimum(), panel.sldPitchSemi.maximum(),
                                panel.sldPitchGrad.minimum(), panel.sldPitchGrad.maximum(),
                                panel.sldSpeed.minimum(),     panel.sldSpeed.maximum()};
        QCOMPARE(ranges, QList<int>({-80, 80, -12, 12, -600, 600, 10, 190}));
        QVERIFY(!panel.sldSpeed.isEnabled());
        QVERIFY(panel.sldTempo.isEnabled() && panel.sldPitchSemi.isEnabled() &&
                panel.sldPitchGrad.isEnabled());
        QCOMPARE(panel.sldSpeed.toolTip(), "Use buttons to change tempo-pitch");
    }

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
        row("tempo +10", rest, "cmdTempo10Up", {10, 0, 0, 100}, {"SetTempo(10)"});
        row("tempo +10 refused at 75", {75, 0, 0, 100}, "cmdTempo10Up", {75, 0, 0, 100}, {});
        row("tempo +10 reaches 80", {70, 0, 0, 100}, "cmdTempo10Up", {80, 0, 0, 100}, {"SetTempo(80)"});
        row("tempo +1 at 75", {75, 0, 0, 100}, "cmdTempo1Up", {76, 0, 0, 100}, {"SetTempo(76)"});
        row("tempo +1 refused at 80", {80, 0, 0, 100}, "cmdTempo1Up", {80, 0, 0, 100}, {});
        row("tempo -1", rest, "cmdTempo1Down", {-1, 0, 0, 100}, {"SetTempo(-1)"});
        row("tempo -1 refused at -80", {-80, 0, 0, 100}, "cmdTempo1Down", {-80, 0, 0, 100}, {});
        row("tempo -10 reaches -80", {-70, 0, 0, 100}, "cmdTempo10Down", {-80, 0, 0, 100}, {"SetTempo(-80)"});
        row("tempo -10 refused at -71", {-71, 0, 0, 100}, "cmdTempo10Down", {-71, 0, 0, 100}, {});
        row("tempo reset", {-30, 0, 0, 100}, "cmdTempoReset", rest, {"SetTempo(0)"});
        row("tempo reset at 0", rest, "cmdTempoReset", rest, {});
        row("tempo reset hot key", {45, 0, 0, 100}, "htkTempoReset", rest, {"SetTempo(0)"});
        row("rate +10 refused at 185", {0, 0, 0, 185}, "cmdRate10Up", {0, 0, 0, 185}, {});
        row("rate +10 reaches 190", {0, 0, 0, 180}, "cmdRate10Up", {0, 0, 0, 190}, {"setRate(1.9)"});
        row("rate +1", rest, "cmdRate1Up", {0, 0, 0, 101}, {"setRate(1.01)"});
        row("rate +1 refused at 190", {0, 0, 0, 190}, "cmdRate1Up", {0, 0, 0, 190}, {});
        row("rate -1 reaches 10", {0, 0, 0, 11}, "cmdRate1Down", {0, 0, 0, 10}, {"setRate(0.1)"});
        row("rate -1 refused at 10", {0, 0, 0, 10}, "cmdRate1Down", {0, 0, 0, 10}, {});
        row("rate -10", rest, "cmdRate10Down", {0, 0, 0, 90}, {"setRate(0.9)"});
        row("rate -10 refused at 19", {0, 0, 0, 19}, "cmdRate10Down", {0, 0, 0, 19}, {});
        row("rate reset from 185", {0, 0, 0, 185}, "cmdRateReset", rest, {"setRate(1)"});
        row("octave up", rest, "cmdPitch12UpSemi", {0, 12, 0, 100}, {"SetPitch(12)"});
        row("octave up refused at 1", {0, 1, 0, 100}, "cmdPitch12UpSemi", {0, 1, 0, 100}, {});
        row("semitone up reaches 12", {0, 11, 0, 100}, "cmdPitch1UpSemi", {0, 12, 0, 100}, {"SetPitch(12)"});
        row("semitone up refused at 12", {0, 12, 0, 100}, "cmdPitch1UpSemi", {0, 12, 0, 100}, {});
        row("semitone down", rest, "cmdPitch1DownSemi", {0, -1, 0, 100}, {"SetPitch(-1)"});
        row("semitone down refused at -12", {0, -12, 0, 100}, "cmdPitch1DownSemi", {0, -12, 0, 100}, {});
        row("octave down", rest, "cmdPitch12DownSemi", {0, -12, 0, 100}, {"SetPitch(-12)"});
        row("octave down refused at -1", {0, -1, 0, 100}, "cmdPitch12DownSemi", {0, -1, 0, 100}, {});
        row("semitone reset", {0, 7, 0, 100}, "cmdPitchResetSemi", rest, {"SetPitch(0)"});
        row("semitone reset at 0", rest, "cmdPitchResetSemi", rest, {});
        row("fine semitone up", rest, "cmdPitch10UpGrad", {0, 0, 50, 100}, {"SetPitch(1)"});
        row("fine semitone up reaches 600", {0, 0, 550, 100}, "cmdPitch10UpGrad", {0, 0, 600, 100},
            {"SetPitch(12)"});
        row("fine semitone up refused at 551", {0, 0, 551, 100}, "cmdPitch10UpGrad", {0, 0, 551, 100}, {});
        row("2 cents up", rest, "cmdPitch1UpGrad", {0, 0, 1, 100}, {"SetPitch(0)"});
        row("2 cents up refused at 600", {0, 0, 600, 100}, "cmdPitch1UpGrad", {0, 0, 600, 100}, {});
        row("2 cents down to 26 below", {0, 0, -25, 100}, "cmdPitch1DownGrad", {0, 0, -26, 100},
            {"SetPitch(-1)"});
        row("2 cents down refused at -600", {0, 0, -600, 100}, "cmdPitch1DownGrad", {0, 0, -600, 100}, {});
        row("fine semitone down reaches -600", {0, 0, -550, 100}, "cmdPitch10DownGrad", {0, 0, -600, 100},
            {"SetPitch(-12)"});
        row("fine semitone down refused at -551", {0, 0, -551, 100}, "cmdPitch10DownGrad", {0, 0, -551, 100},
            {});
        row("fine reset", {0, 0, 26, 100}, "cmdPitchResetGrad", rest, {"SetPitch(0)"});
        row("pitch reset hot key from semitones", {0, -5, 0, 100}, "htkPitchReset", rest, {"SetPitch(0)"});
        row("pitch reset hot key from fine", {0, 0, 30, 100}, "htkPitchReset", rest, {"SetPitch(0)"});
        row("pitch reset hot key at rest", rest, "htkPitchReset", rest, {});
        row("reset all", {20, 0, -30, 150}, "cmdResetAll", rest,
            {"SetTempo(0)", "SetPitch(0)", "setRate(1)"});
        row("reset all with semitones only", {0, 4, 0, 100}, "cmdResetAll", rest, {"SetPitch(0)"});
        row("reset all at rest", rest, "cmdResetAll", rest, {});
    }
    void commands()
    {
        QFETCH(Values, start);
        QFETCH(QString, command);
        QFETCH(Values, expected);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        SoundPanel panel(player);
        panel.setValues(start);
        QCOMPARE(panel.values(), start);
        player.clearCalls();

        QVERIFY2(panel.run(command), qPrintable(command + " is not a public slot of exactly one owner"));
        QCOMPARE(panel.values(), expected);
        QCOMPARE(player.calls, calls);
    }

    // The step commands test the range the slider has when they run.
    void stepsObeyTheRangeOfTheMoment_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("expected");
        QTest::newRow("tempo up") << "sldTempo" << -50 << 50 << 45 << "cmdTempo10Up" << 45;
        QTest::newRow("tempo down") << "sldTempo" << -50 << 50 << -41 << "cmdTempo10Down" << -41;
        QTest::newRow("rate up") << "sldSpeed" << 50 << 150 << 145 << "cmdRate10Up" << 145;
        QTest::newRow("rate down") << "sldSpeed" << 50 << 150 << 50 << "cmdRate1Down" << 50;
        QTest::newRow("semitones up") << "sldPitchSemi" << -6 << 6 << 0 << "cmdPitch12UpSemi" << 0;
        QTest::newRow("fine up") << "sldPitchGrad" << -100 << 100 << 60 << "cmdPitch10UpGrad" << 60;
        QTest::newRow("fine down allowed")
            << "sldPitchGrad" << -100 << 100 << -50 << "cmdPitch10DownGrad" << -100;
    }
    void stepsObeyTheRangeOfTheMoment()
    {
        QFETCH(QString, slider);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(int, expected);
        FakeMoviePlayer player;
        SoundPanel panel(player);
        QSlider* s = panel.slider(slider);
        QVERIFY(s);
        s->setRange(minimum, maximum);
        s->setValue(start);
        QVERIFY(panel.run(command));
        QCOMPARE(s->value(), expected);
    }

    void reactions_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("call");
        QTest::newRow("tempo -25") << "sldTempo" << 0 << -25 << "75%"
                                   << "SetTempo(-25)";
        QTest::newRow("tempo -80") << "sldTempo" << 0 << -80 << "20%"
                                   << "SetTempo(-80)";
        QTest::newRow("tempo 80") << "sldTempo" << 0 << 80 << "180%"
                                  << "SetTempo(80)";
        QTest::newRow("tempo back to 0") << "sldTempo" << 12 << 0 << "100%"
                                         << "SetTempo(0)";
        QTest::newRow("rate 10") << "sldSpeed" << 100 << 10 << "10%"
                                 << "setRate(0.1)";
        QTest::newRow("rate 190") << "sldSpeed" << 100 << 190 << "190%"
                                  << "setRate(1.9)";
        QTest::newRow("rate back to 100") << "sldSpeed" << 185 << 100 << "100%"
                                          << "setRate(1)";
        QTest::newRow("semitones -3") << "sldPitchSemi" << 0 << -3 << "-3"
                                      << "SetPitch(-3)";
        QTest::newRow("semitones back to 0") << "sldPitchSemi" << 5 << 0 << "0"
                                             << "SetPitch(0)";
        QTest::newRow("fine 1") << "sldPitchGrad" << 0 << 1 << "0.02"
                                << "SetPitch(0)";
        QTest::newRow("fine -1") << "sldPitchGrad" << 0 << -1 << "-0.02"
                                 << "SetPitch(0)";
        QTest::newRow("fine 25 rounds to even 0") << "sldPitchGrad" << 0 << 25 << "0.50"
                                                  << "SetPitch(0)";
        QTest::newRow("fine 26") << "sldPitchGrad" << 0 << 26 << "0.52"
                                 << "SetPitch(1)";
        QTest::newRow("fine -26") << "sldPitchGrad" << 0 << -26 << "-0.52"
                                  << "SetPitch(-1)";
        QTest::newRow("fine 50") << "sldPitchGrad" << 0 << 50 << "1.00"
                                 << "SetPitch(1)";
        QTest::newRow("fine 75 rounds to even 2") << "sldPitchGrad" << 0 << 75 << "1.50"
                                                  << "SetPitch(2)";
        QTest::newRow("fine 125 rounds to even 2") << "sldPitchGrad" << 0 << 125 << "2.50"
                                                   << "SetPitch(2)";
        QTest::newRow("fine -75") << "sldPitchGrad" << 0 << -75 << "-1.50"
                                  << "SetPitch(-2)";
        QTest::newRow("fine 600") << "sldPitchGrad" << 0 << 600 << "12.00"
                                  << "SetPitch(12)";
        QTest::newRow("fine -599") << "sldPitchGrad" << 0 << -599 << "-11.98"
                                   << "SetPitch(-12)";
        QTest::newRow("fine back to 0") << "sldPitchGrad" << 10 << 0 << "0.00"
                                        << "SetPitch(0)";
    }
    void reactions()
    {
        QFETCH(QString, slider);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, label);
        QFETCH(QString, call);
        FakeMoviePlayer player;
        SoundPanel panel(player);
        QSlider* s = panel.slider(slider);
        QVERIFY(s);
        s->setValue(from);
        player.clearCalls();

        s->setValue(to); // as a drag, a command, an excerpt or a calculator would
        QCOMPARE(player.calls, QStringList{call});
        QCOMPARE(panel.labelUnder(slider)->text(), label);
    }

    // Moving one pitch slider while the other is away from 0 nests three reactions deep; the
    // labels noted at each player call show the order. Both sliders end at 0, and the next
    // move takes effect normally.
    void pitchSlidersResetEachOther_data()
    {
        QTest::addColumn<QString>("awaySlider");
        QTest::addColumn<int>("awayValue");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("labels"); // semitones, fine
        const QStringList fromFine{"SetPitch(0) [0|0.20]", "SetPitch(0) [0|0.20]", "SetPitch(0) [0|0.00]"};
        const QStringList fromSemitones{"SetPitch(0) [3|0]", "SetPitch(0) [3|0.00]", "SetPitch(0) [0|0.00]"};
        QTest::newRow("semitone step while fine at 10")
            << "sldPitchGrad" << 10 << QStringList{"cmdPitch1UpSemi"} << fromFine << QStringList{"0", "0.00"};
        QTest::newRow("semitone step again")
            << "sldPitchGrad" << 10 << QStringList{"cmdPitch1UpSemi", "cmdPitch1UpSemi"}
            << fromFine + QStringList{"SetPitch(1) [0|0.00]"} << QStringList{"1", "0.00"};
        QTest::newRow("fine step while semitones at 3")
            << "sldPitchSemi" << 3 << QStringList{"cmdPitch10UpGrad"} << fromSemitones
            << QStringList{"0", "0.00"};
        QTest::newRow("fine step again")
            << "sldPitchSemi" << 3 << QStringList{"cmdPitch10UpGrad", "cmdPitch10UpGrad"}
            << fromSemitones + QStringList{"SetPitch(1) [0|0.00]"} << QStringList{"0", "1.00"};
        QTest::newRow("pitch reset hot key") << "sldPitchSemi" << -12 << QStringList{"htkPitchReset"}
                                             << QStringList{"SetPitch(0) [-12|0]"} << QStringList{"0", "0"};
    }
    void pitchSlidersResetEachOther()
    {
        QFETCH(QString, awaySlider);
        QFETCH(int, awayValue);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, labels);
        PitchOrderRecorder player;
        SoundPanel panel(player);
        player.semitones = &panel.lblPitchSemi;
        player.fine = &panel.lblPitchGrade;
        panel.slider(awaySlider)->setValue(awayValue);
        player.clearCalls();

        for (const QString& command : commands)
            QVERIFY(panel.run(command));
        QCOMPARE(player.calls, calls);
        QCOMPARE(QStringList({panel.lblPitchSemi.text(), panel.lblPitchGrade.text()}), labels);
        QVERIFY(panel.sldPitchSemi.value() == 0 || panel.sldPitchGrad.value() == 0);
    }

    // A slider already at its reset value is not notified: its label keeps the text it had.
    void resetAllLeavesRestingSlidersAlone_data()
    {
        QTest::addColumn<Values>("start");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("only tempo moved") << Values{20, 0, 0, 100} << QStringList{"100%", "0", "0", "100%"};
        QTest::newRow("fine pitch moved")
            << Values{0, 0, -30, 100} << QStringList{"100%", "0", "0.00", "100%"};
        QTest::newRow("all moved") << Values{-5, 0, 7, 55} << QStringList{"100%", "0", "0.00", "100%"};
    }
    void resetAllLeavesRestingSlidersAlone()
    {
        QFETCH(Values, start);
        QFETCH(QStringList, labels);
        FakeMoviePlayer player;
        SoundPanel panel(player);
        panel.setValues(start);
        panel.controls.cmdResetAll();
        QCOMPARE(panel.values(), rest);
        QCOMPARE(panel.labels(), labels);
    }

    void gain_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("up refused at full") << 0 << "cmdGainUp" << QStringList{};
        QTest::newRow("up to full") << -500 << "cmdGainUp" << QStringList{"setVolume(0)"};
        QTest::newRow("up from silence") << -10000 << "cmdGainUp" << QStringList{"setVolume(-9500)"};
        QTest::newRow("up refused past full") << -200 << "cmdGainUp" << QStringList{};
        QTest::newRow("down from full") << 0 << "cmdGainDown" << QStringList{"setVolume(-500)"};
        QTest::newRow("down to silence") << -9500 << "cmdGainDown" << QStringList{"setVolume(-10000)"};
        QTest::newRow("down refused at silence") << -10000 << "cmdGainDown" << QStringList{};
        QTest::newRow("down refused past silence") << -9800 << "cmdGainDown" << QStringList{};
    }
    void gain()
    {
        QFETCH(int, volume);
        QFETCH(QString, command);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        SoundPanel panel(player);
        player.volume = volume;
        QVERIFY(panel.run(command));
        QCOMPARE(player.calls, calls);
        QCOMPARE(panel.values(), rest);
    }

    // The main window looks buttons up by these names and connects them to the command slots
    // of the same names, so a name without a slot would leave a button dead.
    void everyButtonTipNamesACommand()
    {
        FakeMoviePlayer player;
        SoundPanel panel(player);
        QStringList named;
        for (const SoundButtonToolTip& tip : soundButtonToolTips) {
            QVERIFY2(panel.ownerOf(tip.button), tip.button);
            QVERIFY(!QString(tip.toolTip).isEmpty());
            named << tip.button;
        }
        for (QObject* owner : panel.owners()) {
            const QMetaObject* meta = owner->metaObject();
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                if (method.access() == QMetaMethod::Public && method.name().startsWith("cmd"))
                    QVERIFY2(named.contains(QString(method.name())), method.name());
            }
        }
        named.removeDuplicates();
        QCOMPARE(named.size(), int(soundButtonToolTips.size()));
    }
};

QTEST_MAIN(SoundControlsTest)
#include "tst_soundcontrols.moc"
