#include "calculators/CalculatorWindowChecks.h"
#include "calculators/CalculatorWindows.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "sound/TempoControl.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

namespace {

// The calculator's owner on a tempo column of its own, a recording player and a desktop that
// records message boxes.
struct Rig
{
    FakeMoviePlayer player;
    FakeDesktop desktop;
    QSlider sldTempo;
    QLabel lblTempo;
    TempoControl tempo{sldTempo, lblTempo, player};
    QSlider sldPitchSemi;
    CalculatorWindows calculators{player, sldTempo, sldPitchSemi, desktop};

    explicit Rig(double duration) { player.duration = duration; }
    QWidget* open()
    {
        calculators.cmdMovieSpeedCalc();
        const QWidgetList windows = windowsNamed("frmMovieDurationCalculator");
        return windows.size() == 1 ? windows.first() : nullptr;
    }
};

QString text(const QWidget* window, const char* label)
{
    return window->findChild<QLabel*>(label)->text();
}

// The three time fields as the user reads them, "H:MM:SS".
QString fields(const QWidget* window)
{
    return text(window, "lblQTimerHour") + ':' + text(window, "lblQTimerMinute") + ':' +
           text(window, "lblQTimerSecond");
}

} // namespace

class DurationCalculatorTest : public QObject
{
    Q_OBJECT

private slots:
    // The duration is taken to whole seconds, halves going to the even neighbour.
    void opening_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no movie") << 0.0 << "0:00:00";
        QTest::newRow("ten minutes") << 600.0 << "0:10:00";
        QTest::newRow("hour, minutes and seconds") << 3909.0 << "1:05:09";
        QTest::newRow("half down to even") << 100.5 << "0:01:40";
        QTest::newRow("half up to even") << 101.5 << "0:01:42";
        QTest::newRow("half carries into the hour") << 3599.5 << "1:00:00";
        QTest::newRow("below a half") << 59.49 << "0:00:59";
        QTest::newRow("negative is no movie") << -3.0 << "0:00:00";
    }
    void opening()
    {
        QFETCH(double, duration);
        QFETCH(QString, shown);
        Rig rig(duration);
        QWidget* window = rig.open();
        QVERIFY(window);
        QCOMPARE(text(window, "lblDuration"), shown);
        QCOMPARE(fields(window), shown);
    }

    // Each button steps only its own field; minutes and seconds jump to the other end instead
    // of carrying, hours stop at 0 and 99.
    void stepButtons_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, double duration, const char* button, const char* shown) {
            QTest::newRow(name) << duration << QString(button) << QString(shown);
        };
        row("seconds 55 + 10 wrap to 00, no carry", 655, "cmd10SecondUp", "0:10:00");
        row("seconds 49 + 10 reach 59", 49, "cmd10SecondUp", "0:00:59");
        row("seconds 59 + 1 wrap to 00", 3659, "cmdSecondUp", "1:00:00");
        row("seconds 00 - 1 wrap to 59", 3600, "cmdSecondDown", "1:00:59");
        row("seconds 05 - 10 wrap to 59", 65, "cmd10SecondDown", "0:01:59");
        row("seconds 15 - 10", 75, "cmd10SecondDown", "0:01:05");
        row("minutes 05 - 10 wrap to 59, no borrow", 3900, "cmd10MinuteDown", "1:59:00");
        row("minutes 50 + 10 wrap to 00", 3000, "cmd10MinuteUp", "0:00:00");
        row("minutes 45 + 10", 2700, "cmd10MinuteUp", "0:55:00");
        row("minutes 59 + 1 wrap to 00", 3540, "cmdMinuteUp", "0:00:00");
        row("minutes 00 - 1 wrap to 59", 3600, "cmdMinuteDown", "1:59:00");
        row("hours 0 + 1", 600, "cmdHourUp", "1:10:00");
        row("hours 1 - 1", 4200, "cmdHourDown", "0:10:00");
        row("hours stop at 0", 600, "cmdHourDown", "0:10:00");
        row("hours stop at 99", 356400, "cmdHourUp", "99:00:00");
    }
    void stepButtons()
    {
        QFETCH(double, duration);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        Rig rig(duration);
        QWidget* window = rig.open();
        QVERIFY(window);
        click(window, button);
        QCOMPARE(fields(window), shown);
        QCOMPARE(rig.player.calls, QStringList());
    }

    // Apply sets the tempo that makes the movie last the preferred time, p = D x 100 / T to the
    // nearest percent (halves to even), and closes; outside 20 to 180 % it warns and resets the
    // fields; at 100 % it only resets them; with no movie or a preferred time of 0 it does nothing.
    void apply_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<int>("tempoBefore");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<int>("tempo");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QString>("fieldsAfter");
        const auto row = [](const char* name, double duration, int tempoBefore, const char* clicks,
                            const char* preferred, int tempo, QStringList calls, bool staysOpen, bool warned,
                            const char* fieldsAfter) {
            QTest::newRow(name) << duration << tempoBefore << QString(clicks) << QString(preferred) << tempo
                                << calls << staysOpen << warned << QString(fieldsAfter);
        };
        row("10 min in 8:00 is 125 %", 600, 0, "cmdMinuteDown*2", "0:08:00", 25, {"SetTempo(25)"}, false,
            false, "");
        row("10 min in 12:30 is 80 %", 600, 0, "cmdMinuteUp*2 cmd10SecondUp*3", "0:12:30", -20,
            {"SetTempo(-20)"}, false, false, "");
        row("replaces the tempo set before", 600, 30, "cmdMinuteDown*2", "0:08:00", 25, {"SetTempo(25)"},
            false, false, "");
        row("10 min in 2:00 is 500 %", 600, 0, "cmd10MinuteDown cmdMinuteUp*2", "0:02:00", 0, {}, true, true,
            "0:10:00");
        row("10 min in 10:00 needs no change", 600, 0, "", "0:10:00", 0, {}, true, false, "0:10:00");
        row("100.5 s in 100 s rounds to 100 %", 100.5, 0, "", "0:01:40", 0, {}, true, false, "0:01:40");
        row("101.5 s in 100 s rounds to 102 %", 101.5, 0, "cmdSecondDown*2", "0:01:40", 2, {"SetTempo(2)"},
            false, false, "");
        row("10 min in 50:00 is the slowest, 20 %", 600, 0, "cmd10MinuteUp*4", "0:50:00", -80,
            {"SetTempo(-80)"}, false, false, "");
        row("10 min in 52:00 is 19 %", 600, 0, "cmd10MinuteUp*4 cmdMinuteUp*2", "0:52:00", 0, {}, true, true,
            "0:10:00");
        row("15 min in 8:20 is the fastest, 180 %", 900, 0, "cmdMinuteDown*7 cmd10SecondUp*2", "0:08:20", 80,
            {"SetTempo(80)"}, false, false, "");
        row("15:04 in 8:20 is 181 %", 904, 0, "cmdMinuteDown*7 cmd10SecondUp*2 cmdSecondDown*4", "0:08:20", 0,
            {}, true, true, "0:15:04");
        row("an hour in 1:10:00 steps the hours", 3600, 0, "cmdHourUp cmd10MinuteUp", "2:10:00", -54,
            {"SetTempo(-54)"}, false, false, "");
        row("no movie does nothing", 0, 0, "cmdMinuteUp", "0:01:00", 0, {}, true, false, "0:01:00");
        row("preferred 0:00:00 does nothing", 600, 0, "cmd10MinuteDown", "0:00:00", 0, {}, true, false,
            "0:00:00");
    }
    void apply()
    {
        QFETCH(double, duration);
        QFETCH(int, tempoBefore);
        QFETCH(QString, clicks);
        QFETCH(QString, preferred);
        QFETCH(int, tempo);
        QFETCH(QStringList, calls);
        QFETCH(bool, staysOpen);
        QFETCH(bool, warned);
        QFETCH(QString, fieldsAfter);
        Rig rig(duration);
        rig.sldTempo.setValue(tempoBefore);
        rig.player.clearCalls();
        QWidget* window = rig.open();
        QVERIFY(window);
        clickAll(window, clicks);
        QCOMPARE(fields(window), preferred);

        click(window, "cmdApply");
        QCOMPARE(rig.sldTempo.value(), tempo);
        QCOMPARE(rig.player.calls, calls);
        QCOMPARE(window->isVisible(), staysOpen);
        QCOMPARE(rig.desktop.messages.size(), warned ? 1 : 0);
        if (warned) {
            const FakeDesktop::Message& message = rig.desktop.messages.first();
            QCOMPARE(message.caption, "Reelquill");
            QCOMPARE(message.text, "Software doesn't support speed changes larger than 80% .");
            QCOMPARE(message.icon, Desktop::MessageIcon::Information);
        }
        if (staysOpen)
            QCOMPARE(fields(window), fieldsAfter);
    }

    // Reset shows the movie's duration as the player gives it now; the label of the current
    // duration keeps what it showed on opening.
    void resetReadsTheDurationAgain()
    {
        Rig rig(600);
        QWidget* window = rig.open();
        QVERIFY(window);
        clickAll(window, "cmdMinuteUp cmdSecondUp");
        QCOMPARE(fields(window), "0:11:01");
        rig.player.duration = 1234.0;
        click(window, "cmdReset");
        QCOMPARE(fields(window), "0:20:34");
        QCOMPARE(text(window, "lblDuration"), "0:10:00");
        QCOMPARE(rig.player.calls, QStringList());
    }

    // A second command brings the open window to the front as it is; after a close the command
    // opens a fresh one, filled anew. The window is top-level and not modal.
    void oneWindowAtATime()
    {
        Rig rig(600);
        QWidget* first = rig.open();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QCOMPARE(first->parentWidget(), nullptr);
        QCOMPARE(first->windowModality(), Qt::NonModal);
        click(first, "cmdMinuteUp");
        rig.player.duration = 1200;

        QCOMPARE(rig.open(), first);
        QCOMPARE(fields(first), "0:11:00");
        QCOMPARE(text(first, "lblDuration"), "0:10:00");

        first->close();
        QCOMPARE(rig.sldTempo.value(), 0);
        QWidget* second = rig.open();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(fields(second), "0:20:00");
        QCOMPARE(text(second, "lblDuration"), "0:20:00");
        QCOMPARE(rig.player.calls, QStringList());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* control, const char* property, const char* value) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(control, property)))
                << QString(control) << QString(property) << QString(value);
        };
        row("frmMovieDurationCalculator", "windowTitle", "Movie duration calculator");
        row("Label1", "text", "Current movie duration :");
        row("Label2", "text", "Preferred movie duration :");
        row("lblQTimerHour", "toolTip", "Hour");
        row("lblQTimerMinute", "toolTip", "Minute");
        row("lblQTimerSecond", "toolTip", "Second");
        row("cmdHourUp", "toolTip", "Set hour");
        row("cmdHourDown", "toolTip", "Set hour");
        for (const char* button : {"cmdMinuteUp", "cmdMinuteDown", "cmd10MinuteUp", "cmd10MinuteDown",
                                   "cmdSecondUp", "cmdSecondDown", "cmd10SecondUp", "cmd10SecondDown"})
            row(button, "toolTip", "Set minute");
        row("cmdApply", "text", "Apply new movie speed");
        row("cmdReset", "toolTip", "Reset");
        row("cmdReset", "text", "");
    }
    void texts()
    {
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, value);
        Rig rig(600);
        QWidget* window = rig.open();
        QVERIFY(window);
        QObject* target = control == window->objectName() ? window : window->findChild<QObject*>(control);
        QVERIFY(target);
        QCOMPARE(target->property(qPrintable(property)).toString(), value);
    }

    void controlsFit()
    {
        Rig rig(36000 * 2.5);
        QWidget* window = rig.open();
        QVERIFY(window);
        verifyControlsFit(window);
    }
};

QTEST_MAIN(DurationCalculatorTest)
#include "tst_durationcalc.moc"
