#include "calculators/CalculatorWindowChecks.h"
#include "calculators/CalculatorWindows.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "sound/PitchControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

namespace {

// The calculator's owner on the two pitch columns, with a recording player.
struct Rig
{
    FakeMoviePlayer player;
    FakeDesktop desktop;
    QSlider sldPitchSemi, sldPitchGrad;
    QLabel lblPitchSemi, lblPitchGrade;
    PitchControls pitch{sldPitchSemi, lblPitchSemi, sldPitchGrad, lblPitchGrade, player};
    QSlider sldTempo;
    CalculatorWindows calculators{player, sldTempo, sldPitchSemi, desktop};

    QWidget* open()
    {
        calculators.cmdKeyCalc();
        const QWidgetList windows = windowsNamed("frmKeyCalc");
        return windows.size() == 1 ? windows.first() : nullptr;
    }
};

QComboBox* list(const QWidget* window, const char* name)
{
    return window->findChild<QComboBox*>(name);
}

QString action(const QWidget* window)
{
    return window->findChild<QLabel*>("lblAction")->text();
}

// Chooses a key with the mouse in the list's drop-down, as a user does; an empty key chooses
// nothing.
void choose(QWidget* window, const char* name, const QString& key)
{
    if (key.isEmpty())
        return;
    QComboBox* keys = list(window, name);
    keys->showPopup();
    QAbstractItemView* view = keys->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = keys->model()->index(keys->findText(key), 0);
    QVERIFY2(item.isValid(), qPrintable(key));
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(keys->currentText(), key);
}

} // namespace

class KeyCalcTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNothingChosen()
    {
        Rig rig;
        QWidget* window = rig.open();
        QVERIFY(window);
        const QStringList keys{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
        for (const char* name : {"cboInitKey", "cboDestKey"}) {
            QStringList items;
            for (int i = 0; i < list(window, name)->count(); ++i)
                items << list(window, name)->itemText(i);
            QCOMPARE(items, keys);
            QCOMPARE(list(window, name)->currentIndex(), -1);
        }
        QCOMPARE(list(window, "cboInitKey")->placeholderText(), "Initial");
        QCOMPARE(list(window, "cboDestKey")->placeholderText(), "Final");
        QCOMPARE(action(window), "");
    }

    // The result is calculated once both keys are chosen: the way up, then the way down.
    void calculateKey_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("shown");
        QTest::newRow("C to E") << "C"
                                << "E"
                                << "4 up or 8 down";
        QTest::newRow("E to C") << "E"
                                << "C"
                                << "8 up or 4 down";
        QTest::newRow("A to C") << "A"
                                << "C"
                                << "3 up or 9 down";
        QTest::newRow("B to C") << "B"
                                << "C"
                                << "1 up or 11 down";
        QTest::newRow("C to B") << "C"
                                << "B"
                                << "11 up or 1 down";
        QTest::newRow("C# to A#") << "C#"
                                  << "A#"
                                  << "9 up or 3 down";
        QTest::newRow("the same key") << "G"
                                      << "G"
                                      << "No changes";
        QTest::newRow("only the initial key") << "C"
                                              << ""
                                              << "";
        QTest::newRow("only the final key") << ""
                                            << "E"
                                            << "";
    }
    void calculateKey()
    {
        QFETCH(QString, initial);
        QFETCH(QString, final);
        QFETCH(QString, shown);
        Rig rig;
        QWidget* window = rig.open();
        QVERIFY(window);
        choose(window, "cboInitKey", initial);
        choose(window, "cboDestKey", final);
        QCOMPARE(action(window), shown);
    }

    // Either interval is added to the semitone pitch when the slider can take it, and the window
    // closes either way.
    void transpose_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<int>("pitchBefore");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<QStringList>("calls");
        const auto row = [](const char* name, const char* initial, const char* final, int pitchBefore,
                            const char* button, int pitch, QStringList calls) {
            QTest::newRow(name) << QString(initial) << QString(final) << pitchBefore << QString(button)
                                << pitch << calls;
        };
        row("C to E up", "C", "E", 0, "cmdTransposeUp", 4, {"SetPitch(4)"});
        row("C to E down", "C", "E", 0, "cmdTransposeDown", -8, {"SetPitch(-8)"});
        row("A to C up adds to the pitch set", "A", "C", 2, "cmdTransposeUp", 5, {"SetPitch(5)"});
        row("A to C down adds to the pitch set", "A", "C", 2, "cmdTransposeDown", -7, {"SetPitch(-7)"});
        row("up reaches 12", "C", "E", 8, "cmdTransposeUp", 12, {"SetPitch(12)"});
        row("up from 10 by 4 is refused", "C", "E", 10, "cmdTransposeUp", 10, {});
        row("down reaches -12", "C", "E", -4, "cmdTransposeDown", -12, {"SetPitch(-12)"});
        row("down from -5 by 8 is refused", "C", "E", -5, "cmdTransposeDown", -5, {});
        row("same key up", "G", "G", 3, "cmdTransposeUp", 3, {});
        row("same key down", "G", "G", 3, "cmdTransposeDown", 3, {});
        row("up before any calculation", "", "", 5, "cmdTransposeUp", 5, {});
        row("down before any calculation", "", "", 5, "cmdTransposeDown", 5, {});
        row("up with only the initial key", "C", "", 0, "cmdTransposeUp", 0, {});
    }
    void transpose()
    {
        QFETCH(QString, initial);
        QFETCH(QString, final);
        QFETCH(int, pitchBefore);
        QFETCH(QString, button);
        QFETCH(int, pitch);
        QFETCH(QStringList, calls);
        Rig rig;
        rig.sldPitchSemi.setValue(pitchBefore);
        rig.player.clearCalls();
        QWidget* window = rig.open();
        QVERIFY(window);
        choose(window, "cboInitKey", initial);
        choose(window, "cboDestKey", final);
        click(window, button);
        QCOMPARE(rig.sldPitchSemi.value(), pitch);
        QCOMPARE(rig.player.calls, calls);
        QVERIFY(!window->isVisible());
    }

    // A later choice replaces both intervals; the arrow keys move through a list.
    void laterChoiceRecalculates()
    {
        Rig rig;
        QWidget* window = rig.open();
        QVERIFY(window);
        choose(window, "cboInitKey", "C");
        choose(window, "cboDestKey", "E");
        QTest::keyClick(list(window, "cboDestKey"), Qt::Key_Down);
        QCOMPARE(list(window, "cboDestKey")->currentText(), "F");
        QCOMPARE(action(window), "5 up or 7 down");
        choose(window, "cboInitKey", "G");
        QCOMPARE(action(window), "10 up or 2 down");
        click(window, "cmdTransposeDown");
        QCOMPARE(rig.sldPitchSemi.value(), -2);
    }

    // A second command brings the open window to the front with its choices; after a close the
    // command opens a fresh one with nothing chosen and no interval. The window is top-level and
    // not modal.
    void oneWindowAtATime()
    {
        Rig rig;
        QWidget* first = rig.open();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QCOMPARE(first->parentWidget(), nullptr);
        QCOMPARE(first->windowModality(), Qt::NonModal);
        choose(first, "cboInitKey", "C");
        choose(first, "cboDestKey", "E");

        QCOMPARE(rig.open(), first);
        QCOMPARE(action(first), "4 up or 8 down");

        first->close();
        QWidget* second = rig.open();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(list(second, "cboInitKey")->currentIndex(), -1);
        QCOMPARE(list(second, "cboDestKey")->currentIndex(), -1);
        QCOMPARE(action(second), "");
        click(second, "cmdTransposeUp");
        QCOMPARE(rig.sldPitchSemi.value(), 0);
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
        row("frmKeyCalc", "windowTitle", "Transpose calculator");
        row("Label1", "text", "Tonality :");
        row("cboInitKey", "toolTip", "Set initial song key");
        row("cboDestKey", "toolTip", "Set desired song key");
        row("Label2", "text", "Action :");
        row("cmdTransposeUp", "text", "Transpose up");
        row("cmdTransposeDown", "text", "Transpose down");
    }
    void texts()
    {
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, value);
        Rig rig;
        QWidget* window = rig.open();
        QVERIFY(window);
        QObject* target = control == window->objectName() ? window : window->findChild<QObject*>(control);
        QVERIFY(target);
        QCOMPARE(target->property(qPrintable(property)).toString(), value);
    }

    void controlsFit()
    {
        Rig rig;
        QWidget* window = rig.open();
        QVERIFY(window);
        choose(window, "cboInitKey", "C");
        choose(window, "cboDestKey", "B");
        verifyControlsFit(window);
    }
};

QTEST_MAIN(KeyCalcTest)
#include "tst_keycalc.moc"
