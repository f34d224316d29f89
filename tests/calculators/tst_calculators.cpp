#include "fakes/MainWindowRig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

namespace {

// The window of that name, when exactly one exists.
QWidget* window(const QString& name)
{
    QWidgetList found = QApplication::topLevelWidgets();
    found.removeIf([&name](const QWidget* window) { return window->objectName() != name; });
    return found.size() == 1 ? found.first() : nullptr;
}

QString text(const QWidget* window, const char* label)
{
    return window->findChild<QLabel*>(label)->text();
}

// The three time fields as the user reads them.
QString fields(const QWidget* window)
{
    return text(window, "lblQTimerHour") + ':' + text(window, "lblQTimerMinute") + ':' +
           text(window, "lblQTimerSecond");
}

// Steps: "movie=S" (the player holds a movie of S seconds), "pitch=N" (the main window's
// semitone slider), "duration" or "transpose" (the main window's button that opens that
// calculator), "initial=K" or "final=K" (a key chosen in the transpose calculator), or a button
// of the open calculator clicked with the mouse, "name*N" clicking it N times. Gives the open
// calculator.
QWidget* run(MainWindowRig& rig, const QString& steps)
{
    QWidget* calculator = nullptr;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = step.split(QRegularExpression("[*=]"));
        if (parts[0] == "movie") {
            rig.player.duration = parts[1].toDouble();
        } else if (parts[0] == "pitch") {
            rig.slider("sldPitchSemi")->setValue(parts[1].toInt());
        } else if (parts[0] == "initial" || parts[0] == "final") {
            auto* keys =
                calculator->findChild<QComboBox*>(parts[0] == "initial" ? "cboInitKey" : "cboDestKey");
            keys->setCurrentIndex(keys->findText(parts[1]));
        } else if (parts[0] == "duration" || parts[0] == "transpose") {
            rig.run(parts[0] == "duration" ? "cmdMovieSpeedCalc" : "cmdKeyCalc");
            calculator = window(parts[0] == "duration" ? "frmMovieDurationCalculator" : "frmKeyCalc");
            rig.player.clearCalls();
        } else {
            auto* button = calculator ? calculator->findChild<QAbstractButton*>(parts[0]) : nullptr;
            if (!button)
                return nullptr; // a misspelt step fails the test
            for (int i = 0; i < (parts.size() > 1 ? parts[1].toInt() : 1); ++i)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    return calculator;
}

} // namespace

class CalculatorsTest : public QObject
{
    Q_OBJECT

private slots:
    // The outcome reads: the calculator's label (the current duration, or the intervals of the
    // keys chosen), the player calls, "warned" after the message, then "closed" or the time
    // fields of the window that stays open.
    void calculators_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const QString& steps, const char* outcome) {
            QTest::newRow(name) << steps << QString(outcome);
        };
        // Whole seconds, halves to the even neighbour. Minutes and seconds jump to the other end
        // without carrying; hours stop at 0 and 99.
        row("a negative duration is no movie", "movie=-3 duration", "0:00:00 0:00:00");
        row("half down to even", "movie=100.5 duration", "0:01:40 0:01:40");
        row("59 s + 1", "movie=3659 duration cmdSecondUp", "1:00:59 1:00:00");
        row("05 s - 10", "movie=65 duration cmd10SecondDown", "0:01:05 0:01:59");
        row("0 h - 1 stops", "movie=600 duration cmdHourDown", "0:10:00 0:10:00");
        row("99 h + 1 stops", "movie=356400 duration cmdHourUp", "99:00:00 99:00:00");
        // The tempo stands at 30 before Apply.
        row("125 % replaces the tempo", "movie=600 duration cmdMinuteDown*2 cmdApply",
            "0:10:00 SetTempo(25) closed");
        row("with hours", "movie=3600 duration cmdHourUp cmd10MinuteUp cmdApply",
            "1:00:00 SetTempo(-54) closed");
        row("100.5 % to 100", "movie=100.5 duration cmdApply", "0:01:40 0:01:40");
        row("101.5 % to 102", "movie=101.5 duration cmdSecondDown*2 cmdApply", "0:01:42 SetTempo(2) closed");
        row("20 %", "movie=600 duration cmd10MinuteUp*4 cmdApply", "0:10:00 SetTempo(-80) closed");
        row("19 %", "movie=600 duration cmd10MinuteUp*4 cmdMinuteUp*2 cmdApply", "0:10:00 warned 0:10:00");
        row("180 %", "movie=900 duration cmdMinuteDown*7 cmd10SecondUp*2 cmdApply",
            "0:15:00 SetTempo(80) closed");
        row("180.8 % to 181", "movie=904 duration cmdMinuteDown*7 cmd10SecondUp*2 cmdSecondDown*4 cmdApply",
            "0:15:04 warned 0:15:04");
        row("no movie", "movie=0 duration cmdMinuteUp cmdApply", "0:00:00 0:01:00");
        row("preferred 0", "movie=600 duration cmd10MinuteDown cmdApply", "0:10:00 0:00:00");
        // The current-duration label keeps what it showed on opening.
        row("reset reads the duration again", "movie=600 duration cmdMinuteUp movie=1234 cmdReset",
            "0:10:00 0:20:34");
        const QString ce = "transpose initial=C final=E ";
        // Either interval adds to the semitone pitch when the slider can take it; the window
        // closes either way. A later choice replaces both intervals.
        row("up to 12", "pitch=8 " + ce + "cmdTransposeUp", "4 up or 8 down SetPitch(12) closed");
        row("up to 13 refused", "pitch=9 " + ce + "cmdTransposeUp", "4 up or 8 down closed");
        row("down to -12", "pitch=-4 " + ce + "cmdTransposeDown", "4 up or 8 down SetPitch(-12) closed");
        row("down to -13 refused", "pitch=-5 " + ce + "cmdTransposeDown", "4 up or 8 down closed");
        row("B to C down", "transpose initial=B final=C cmdTransposeDown",
            "1 up or 11 down SetPitch(-11) closed");
        row("the same key", "pitch=3 transpose initial=G final=G cmdTransposeUp", "No changes closed");
        row("only the initial key", "pitch=1 transpose initial=C cmdTransposeUp", "closed");
        row("a later choice", ce + "initial=G final=F cmdTransposeDown",
            "10 up or 2 down SetPitch(-2) closed");
    }
    void calculators()
    {
        QFETCH(QString, steps);
        QFETCH(QString, outcome);
        MainWindowRig rig;
        rig.slider("sldTempo")->setValue(30);
        QWidget* calculator = run(rig, steps);
        QVERIFY(calculator);
        const bool transpose = steps.contains("transpose");
        QStringList seen{text(calculator, transpose ? "lblAction" : "lblDuration")};
        seen << rig.player.calls;
        for (FakeDesktop::Message message : rig.desktop.messages)
            seen << message.text.replace("Software doesn't support speed changes larger than 80% .",
                                         "warned");
        seen << (!calculator->isVisible() ? "closed" : transpose ? "open" : fields(calculator));
        QCOMPARE(seen.join(' ').simplified(), outcome);
    }

    // A second command brings the open window to the front as it is; after a close the command
    // opens a fresh one.
    void oneWindowAtATime()
    {
        MainWindowRig rig;
        const QPointer<QWidget> first = run(rig, "movie=600 duration cmdSecondUp");
        QVERIFY(first && first->isVisible());
        QVERIFY2(run(rig, "duration") == first, "another window, or none, after the second command");
        QCOMPARE(fields(first), "0:10:01");
        first->close();
        QWidget* second = run(rig, "duration");
        QVERIFY(second && second->isVisible());
        QCOMPARE(fields(second), "0:10:00");
    }
};

QTEST_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
