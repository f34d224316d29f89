#include "app/SoundPanelBuilder.h"
#include "calculators/CalculatorWindows.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "sound/SoundControls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QTest>

namespace {

const char* const durationWindow = "frmMovieDurationCalculator";
const char* const keyWindow = "frmKeyCalc";

// Both calculators' owner on the sound panel's sliders, with a recording player
// and a desktop that records message boxes.
struct Rig
{
    FakeMoviePlayer player;
    FakeDesktop desktop;
    QWidget mainWindow;
    SoundSliders sliders = buildSoundPanel(&mainWindow);
    SoundControls sound{sliders, player};
    QSlider& sldTempo = *sliders.sldTempo;
    QSlider& sldPitchSemi = *sliders.sldPitchSemi;
    CalculatorWindows calculators{player, sldTempo, sldPitchSemi, desktop};

    // Gives the window's command; the window, when exactly one of that name exists.
    QWidget* open(const QString& name)
    {
        if (name == durationWindow)
            calculators.cmdMovieSpeedCalc();
        else
            calculators.cmdKeyCalc();
        QWidgetList found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name)
                found << window;
        }
        return found.size() == 1 ? found.first() : nullptr;
    }
    QWidget* openDuration(double duration)
    {
        player.duration = duration;
        return open(durationWindow);
    }
};

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

// Clicks the buttons named in `steps` with the mouse; "name*3" clicks three times.
void click(QWidget* window, const QString& steps)
{
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = step.split('*');
        auto* button = window->findChild<QAbstractButton*>(parts[0]);
        QVERIFY2(button, qPrintable(step));
        for (int i = 0; i < (parts.size() > 1 ? parts[1].toInt() : 1); ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
}

QComboBox* keyList(const QWidget* window, const char* name)
{
    return window->findChild<QComboBox*>(name);
}

// Chooses a key with the mouse in the list's drop-down; an empty key chooses nothing.
void choose(QWidget* window, const char* list, const QString& key)
{
    if (key.isEmpty())
        return;
    QComboBox* keys = keyList(window, list);
    keys->showPopup();
    QAbstractItemView* view = keys->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = keys->model()->index(keys->findText(key), 0);
    QVERIFY2(item.isValid(), qPrintable(key));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(keys->currentText(), key);
}

} // namespace

class CalculatorsTest : public QObject
{
    Q_OBJECT

private slots:
    // Whole seconds, halves to the even neighbour, in the label and in the fields.
    void durationShown_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no movie") << 0.0 << "0:00:00";
        QTest::newRow("negative is no movie") << -3.0 << "0:00:00";
        QTest::newRow("hour, minutes, seconds") << 3909.0 << "1:05:09";
        QTest::newRow("half down to even") << 100.5 << "0:01:40";
        QTest::newRow("half up to even") << 101.5 << "0:01:42";
        QTest::newRow("half up into the hour") << 3599.5 << "1:00:00";
    }
    void durationShown()
    {
        QFETCH(double, duration);
        QFETCH(QString, shown);
        Rig rig;
        QWidget* window = rig.openDuration(duration);
        QVERIFY(window);
        QCOMPARE(text(window, "lblDuration"), shown);
        QCOMPARE(fields(window), shown);
    }

    // Minutes and seconds jump to the other end without carrying; hours stop at 0 and 99.
    void stepButtons_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, double duration, const char* button, const char* shown) {
            QTest::newRow(name) << duration << QString(button) << QString(shown);
        };
        row("55 s + 10", 655, "cmd10SecondUp", "0:10:00");
        row("59 s + 1", 3659, "cmdSecondUp", "1:00:00");
        row("00 s - 1", 3600, "cmdSecondDown", "1:00:59");
        row("05 s - 10", 65, "cmd10SecondDown", "0:01:59");
        row("15 s - 10", 75, "cmd10SecondDown", "0:01:05");
        row("05 min - 10", 3900, "cmd10MinuteDown", "1:59:00");
        row("50 min + 10", 3000, "cmd10MinuteUp", "0:00:00");
        row("59 min + 1", 3540, "cmdMinuteUp", "0:00:00");
        row("0 h + 1", 600, "cmdHourUp", "1:10:00");
        row("0 h - 1 stops", 600, "cmdHourDown", "0:10:00");
        row("99 h + 1 stops", 356400, "cmdHourUp", "99:00:00");
    }
    void stepButtons()
    {
        QFETCH(double, duration);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        Rig rig;
        QWidget* window = rig.openDuration(duration);
        QVERIFY(window);
        click(window, button);
        QCOMPARE(fields(window), shown);
    }

    // The outcome reads: the player calls, "warned" after the message, then "closed" or the
    // fields of the window that stays open.
    void apply_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<int>("tempoBefore");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, double duration, int tempoBefore, const char* clicks,
                            const char* preferred, const char* outcome) {
            QTest::newRow(name) << duration << tempoBefore << QString(clicks) << QString(preferred)
                                << QString(outcome);
        };
        row("125 %", 600, 0, "cmdMinuteDown*2", "0:08:00", "SetTempo(25) closed");
        row("80 %", 600, 0, "cmdMinuteUp*2 cmd10SecondUp*3", "0:12:30", "SetTempo(-20) closed");
        row("replaces the tempo", 600, 30, "cmdMinuteDown*2", "0:08:00", "SetTempo(25) closed");
        row("500 %", 600, 0, "cmd10MinuteDown cmdMinuteUp*2", "0:02:00", "warned 0:10:00");
        row("100 %", 600, 0, "", "0:10:00", "0:10:00");
        row("100.5 % to 100", 100.5, 0, "", "0:01:40", "0:01:40");
        row("101.5 % to 102", 101.5, 0, "cmdSecondDown*2", "0:01:40", "SetTempo(2) closed");
        row("20 %", 600, 0, "cmd10MinuteUp*4", "0:50:00", "SetTempo(-80) closed");
        row("19 %", 600, 0, "cmd10MinuteUp*4 cmdMinuteUp*2", "0:52:00", "warned 0:10:00");
        row("180 %", 900, 0, "cmdMinuteDown*7 cmd10SecondUp*2", "0:08:20", "SetTempo(80) closed");
        row("180.8 % to 181", 904, 0, "cmdMinuteDown*7 cmd10SecondUp*2 cmdSecondDown*4", "0:08:20",
            "warned 0:15:04");
        row("with hours", 3600, 0, "cmdHourUp cmd10MinuteUp", "2:10:00", "SetTempo(-54) closed");
        row("no movie", 0, 0, "cmdMinuteUp", "0:01:00", "0:01:00");
        row("preferred 0", 600, 0, "cmd10MinuteDown", "0:00:00", "0:00:00");
    }
    void apply()
    {
        QFETCH(double, duration);
        QFETCH(int, tempoBefore);
        QFETCH(QString, clicks);
        QFETCH(QString, preferred);
        QFETCH(QString, outcome);
        Rig rig;
        rig.sldTempo.setValue(tempoBefore);
        rig.player.clearCalls();
        QWidget* window = rig.openDuration(duration);
        QVERIFY(window);
        click(window, clicks);
        QCOMPARE(fields(window), preferred);

        click(window, "cmdApply");
        QStringList observed = rig.player.calls;
        for (const FakeDesktop::Message& message : rig.desktop.messages) {
            QCOMPARE(message.caption, "Reelquill");
            QCOMPARE(message.text, "Software doesn't support speed changes larger than 80% .");
            QCOMPARE(message.icon, Desktop::MessageIcon::Information);
            observed << "warned";
        }
        observed << (window->isVisible() ? fields(window) : "closed");
        QCOMPARE(observed.join(' '), outcome);
    }

    // Reset reads the duration again; the current-duration label keeps what it showed on opening.
    void resetReadsTheDurationAgain()
    {
        Rig rig;
        QWidget* window = rig.openDuration(600);
        QVERIFY(window);
        click(window, "cmdMinuteUp cmdSecondUp");
        rig.player.duration = 1234;
        click(window, "cmdReset");
        QCOMPARE(fields(window), "0:20:34");
        QCOMPARE(text(window, "lblDuration"), "0:10:00");
    }

    // Either interval adds to the semitone pitch when the slider can take it; the window closes
    // either way.
    void transpose_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("pitchBefore");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("pitch");
        const auto row = [](const char* name, const char* initial, const char* final, const char* shown,
                            int pitchBefore, const char* button, int pitch) {
            QTest::newRow(name) << QString(initial) << QString(final) << QString(shown) << pitchBefore
                                << QString(button) << pitch;
        };
        row("C to E up", "C", "E", "4 up or 8 down", 0, "cmdTransposeUp", 4);
        row("C to E down", "C", "E", "4 up or 8 down", 0, "cmdTransposeDown", -8);
        row("E to C up", "E", "C", "8 up or 4 down", 0, "cmdTransposeUp", 8);
        row("A to C up adds", "A", "C", "3 up or 9 down", 2, "cmdTransposeUp", 5);
        row("B to C down", "B", "C", "1 up or 11 down", 0, "cmdTransposeDown", -11);
        row("up to 12", "C", "E", "4 up or 8 down", 8, "cmdTransposeUp", 12);
        row("up from 10 refused", "C", "E", "4 up or 8 down", 10, "cmdTransposeUp", 10);
        row("down to -12", "C", "E", "4 up or 8 down", -4, "cmdTransposeDown", -12);
        row("down from -5 refused", "C", "E", "4 up or 8 down", -5, "cmdTransposeDown", -5);
        row("same key up", "G", "G", "No changes", 3, "cmdTransposeUp", 3);
        row("nothing chosen", "", "", "", 5, "cmdTransposeUp", 5);
        row("only the initial key", "C", "", "", 0, "cmdTransposeUp", 0);
        row("only the final key", "", "E", "", 0, "cmdTransposeDown", 0);
    }
    void transpose()
    {
        QFETCH(QString, initial);
        QFETCH(QString, final);
        QFETCH(QString, shown);
        QFETCH(int, pitchBefore);
        QFETCH(QString, button);
        QFETCH(int, pitch);
        Rig rig;
        rig.sldPitchSemi.setValue(pitchBefore);
        QWidget* window = rig.open(keyWindow);
        QVERIFY(window);
        choose(window, "cboInitKey", initial);
        choose(window, "cboDestKey", final);
        QCOMPARE(text(window, "lblAction"), shown);
        click(window, button);
        QCOMPARE(rig.sldPitchSemi.value(), pitch);
        QVERIFY(!window->isVisible());
    }

    // A later choice replaces both intervals; an arrow key moves through a list.
    void laterChoiceRecalculates()
    {
        Rig rig;
        QWidget* window = rig.open(keyWindow);
        QVERIFY(window);
        choose(window, "cboInitKey", "C");
        choose(window, "cboDestKey", "E");
        QTest::keyClick(keyList(window, "cboDestKey"), Qt::Key_Down);
        QCOMPARE(text(window, "lblAction"), "5 up or 7 down");
        choose(window, "cboInitKey", "G");
        QCOMPARE(text(window, "lblAction"), "10 up or 2 down");
        click(window, "cmdTransposeDown");
        QCOMPARE(rig.sldPitchSemi.value(), -2);
    }

    // A second command brings the open window to the front as it is; after a close the command
    // opens a fresh one with nothing chosen. Each is a top-level window and not modal.
    void oneDurationCalculator()
    {
        Rig rig;
        const QPointer<QWidget> first = rig.openDuration(600);
        QVERIFY(first);
        QVERIFY(first->isVisible() && first->isWindow() && !first->parentWidget() && !first->isModal());
        click(first, "cmdMinuteUp");
        rig.player.duration = 1200;
        QVERIFY(first && rig.open(durationWindow) == first);
        QCOMPARE(fields(first) + ' ' + text(first, "lblDuration"), "0:11:00 0:10:00");

        first->close();
        QWidget* second = rig.open(durationWindow);
        QVERIFY(second && second->isVisible());
        QCOMPARE(fields(second) + ' ' + text(second, "lblDuration"), "0:20:00 0:20:00");
        QCOMPARE(rig.player.calls, QStringList());
    }
    void oneKeyCalculator()
    {
        Rig rig;
        const QPointer<QWidget> first = rig.open(keyWindow);
        QVERIFY(first);
        QVERIFY(first->isVisible() && first->isWindow() && !first->parentWidget() && !first->isModal());
        choose(first, "cboInitKey", "C");
        choose(first, "cboDestKey", "E");
        QVERIFY(first && rig.open(keyWindow) == first);
        QCOMPARE(text(first, "lblAction"), "4 up or 8 down");

        first->close();
        QWidget* second = rig.open(keyWindow);
        QVERIFY(second && second->isVisible());
        for (const char* name : {"cboInitKey", "cboDestKey"}) {
            QStringList keys;
            for (int i = 0; i < keyList(second, name)->count(); ++i)
                keys << keyList(second, name)->itemText(i);
            QCOMPARE(keys.join(' '), "C C# D D# E F F# G G# A A# B");
            QCOMPARE(keyList(second, name)->currentIndex(), -1);
        }
        QCOMPARE(text(second, "lblAction"), "");
        click(second, "cmdTransposeUp");
        QCOMPARE(rig.sldPitchSemi.value(), 0);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* window, const char* control, const char* property,
                            const char* value) {
            QTest::addRow("%s %s", control, property) << window << control << property << value;
        };
        row(durationWindow, durationWindow, "windowTitle", "Movie duration calculator");
        row(durationWindow, "Label1", "text", "Current movie duration :");
        row(durationWindow, "Label2", "text", "Preferred movie duration :");
        row(durationWindow, "lblQTimerHour", "toolTip", "Hour");
        row(durationWindow, "lblQTimerMinute", "toolTip", "Minute");
        row(durationWindow, "lblQTimerSecond", "toolTip", "Second");
        for (const char* button : {"cmdHourUp", "cmdHourDown"})
            row(durationWindow, button, "toolTip", "Set hour");
        for (const char* button : {"cmdMinuteUp", "cmdMinuteDown", "cmd10MinuteUp", "cmd10MinuteDown",
                                   "cmdSecondUp", "cmdSecondDown", "cmd10SecondUp", "cmd10SecondDown"})
            row(durationWindow, button, "toolTip", "Set minute");
        row(durationWindow, "cmdApply", "text", "Apply new movie speed");
        row(durationWindow, "cmdReset", "toolTip", "Reset");
        row(keyWindow, keyWindow, "windowTitle", "Transpose calculator");
        row(keyWindow, "Label1", "text", "Tonality :");
        row(keyWindow, "Label2", "text", "Action :");
        row(keyWindow, "cboInitKey", "toolTip", "Set initial song key");
        row(keyWindow, "cboInitKey", "placeholderText", "Initial");
        row(keyWindow, "cboDestKey", "toolTip", "Set desired song key");
        row(keyWindow, "cboDestKey", "placeholderText", "Final");
        row(keyWindow, "cmdTransposeUp", "text", "Transpose up");
        row(keyWindow, "cmdTransposeDown", "text", "Transpose down");
    }
    void texts()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, value);
        Rig rig;
        QWidget* shown = rig.open(window);
        QVERIFY(shown);
        QObject* target = control == window ? shown : shown->findChild<QObject*>(control);
        QVERIFY(target);
        QCOMPARE(target->property(qPrintable(property)).toString(), value);
    }

    // Every control stands inside its window, and every caption has room in its box.
    void controlsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("duration") << durationWindow;
        QTest::newRow("keys") << keyWindow;
    }
    void controlsFit()
    {
        QFETCH(QString, window);
        Rig rig;
        rig.player.duration = 90000;
        QWidget* shown = rig.open(window);
        QVERIFY(shown);
        for (const QWidget* control : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(shown->rect().contains(control->geometry()), qPrintable(control->objectName()));
            const auto* label = qobject_cast<const QLabel*>(control);
            const auto* button = qobject_cast<const QAbstractButton*>(control);
            if ((label && !label->text().isEmpty()) || (button && !button->text().isEmpty()))
                QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(control->objectName()));
        }
    }
};

QTEST_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
