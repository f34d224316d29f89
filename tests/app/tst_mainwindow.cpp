#include "app/CommandCatalogue.h"
#include "app/TimeSlider.h"
#include "app/frmMain.h"
#include "fakes/MainWindowRig.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

namespace {
struct Rig : MainWindowRig
{
    QWidget* client() const { return window.centralWidget(); }

    // A movie playing half way through a loop window, with every sound setting away from normal.
    void prepareAMovieWithSettings()
    {
        player.movies.insert("/movies/film.mp4", 100.0);
        window.startUp({"reelquill", "/movies/film.mp4"});
        desktop.fileAnswers << "/movies/film.mp4";
        player.position = 50;
        player.volume = -2500;
        control<QSlider>("sldPosition")->setValue(50);
        control<QSlider>("sldBegin")->setValue(10);
        control<QSlider>("sldEnd")->setValue(20);
        control<QSlider>("sldTempo")->setValue(20);
        control<QSlider>("sldPitchGrad")->setValue(100);
        control<QSlider>("sldSpeed")->setValue(120);
        player.clearCalls();
    }

    // What the player was asked and what the sliders and labels show.
    QString outcome() const
    {
        QStringList parts{player.calls.join(' ')};
        for (const QSlider* slider : client()->findChildren<QSlider*>())
            parts << slider->objectName() + "=" + QString::number(slider->value());
        for (const QLabel* label : client()->findChildren<QLabel*>())
            parts << label->objectName() + "=" + label->text();
        return parts.join('|');
    }
    template <typename T> T* control(const QString& name) const { return window.findChild<T*>(name); }
};

bool pressOnTheTimeSlider(frmMain& window, QKeyCombination keys)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    QSlider* slider = window.timeControls().sldPosition;
    slider->setFocus();
    QTest::keyClick(slider, keys.key(), keys.keyboardModifiers());
    return true;
}
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Picture buttons show an icon and no caption, so their tool tip is what a screen reader
    // reads; a missing icon file shows as an empty button.
    void pictureButtonsHaveIconsAndNames()
    {
        Rig rig;
        const QList<QToolButton*> buttons = rig.client()->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 18 + 1 + 10 + 20 + 1 + 2 + 3);
        for (const QToolButton* button : buttons) {
            const QString name = button->objectName();
            QVERIFY2(name.startsWith("cmd") || name.startsWith("tlbCmd"), qPrintable(name));
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(name));
            QCOMPARE(button->accessibleName(), button->toolTip());
            QVERIFY2(button->text().isEmpty(), qPrintable(name));
            QVERIFY2(!button->icon().pixmap(button->iconSize()).isNull(), qPrintable(name));
        }
    }

    // A fixed, centred window whose visible controls stay inside it without overlapping.
    void layout()
    {
        Rig rig;
        QCOMPARE(rig.window.windowTitle(), "Reelquill");
        QVERIFY(!(rig.window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(rig.window.minimumSize(), rig.window.maximumSize());
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        const QPoint offCentre =
            rig.window.geometry().center() - rig.window.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 4);
        const QRect area = rig.client()->rect();
        QList<const QWidget*> shown;
        for (const QWidget* control : rig.client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isVisible())
                continue;
            QVERIFY2(area.contains(control->geometry()), qPrintable(control->objectName()));
            shown << control;
        }
        // Captions may reach over their sliders (they draw no background); controls that take
        // clicks keep clear of each other.
        shown.removeIf([](const QWidget* control) { return qobject_cast<const QLabel*>(control); });
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                const QRect overlap = shown[i]->geometry() & shown[j]->geometry();
                QVERIFY2(overlap.isEmpty() || overlap.height() <= 2 || overlap.width() <= 2,
                         qPrintable(shown[i]->objectName() + " overlaps " + shown[j]->objectName()));
            }
        }
    }

    // Each route of a command does exactly what the others do: the same calls on the player and
    // the same sliders and labels afterwards. Hot keys are pressed on the focused time slider,
    // which must leave them to the hot key.
    void everyRouteRunsTheSameCommand_data()
    {
        QTest::addColumn<QStringList>("routes");
        for (const CommandRoute& route : commandCatalogue()) {
            QStringList routes;
            for (const char* name :
                 {route.toolbarButton, route.screenButton, route.menuEntry, route.hotKey}) {
                if (name)
                    routes << name;
            }
            QTest::newRow(qPrintable(routes.first())) << routes;
        }
    }
    void everyRouteRunsTheSameCommand()
    {
        QFETCH(QStringList, routes);
        QStringList outcomes;
        QString untouched;
        for (const QString& route : routes) {
            Rig rig;
            rig.prepareAMovieWithSettings();
            untouched = rig.outcome();
            if (auto* button = rig.control<QToolButton>(route))
                button->click();
            else if (auto* entry = rig.control<QAction>(route))
                entry->trigger();
            else if (auto* hotKey = rig.control<QShortcut>(route))
                QVERIFY(pressOnTheTimeSlider(rig.window, hotKey->keys().first()[0]));
            else
                QFAIL(qPrintable("no control " + route));
            outcomes << rig.outcome();
        }
        for (const QString& outcome : outcomes)
            QCOMPARE(outcome, outcomes.first());
        // With the semitones at 0 (the fine pitch is away from it), their reset has nothing to do.
        if (routes.first() != "cmdPitchResetSemi")
            QVERIFY(outcomes.first() != untouched);
    }

    void exitClosesTheWindowAndThePlayer()
    {
        Rig rig;
        rig.window.show();
        rig.control<QAction>("mnuExit")->trigger();
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(rig.player.calls, QStringList{"Close()"});
    }

    void timeSliderTipShowsTheTime()
    {
        const int seconds = 3725;
        const QString tip = "1:02:05:00";
        TimeSlider slider;
        slider.setRange(0, 4000);
        slider.resize(400, 20);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        slider.setValue(seconds);
        QCOMPARE(slider.timeTip(), tip);
        // While dragged, the tip follows the thumb.
        slider.setSliderDown(true);
        slider.setSliderPosition(seconds - 1);
        slider.setSliderPosition(seconds);
        QTRY_COMPARE(QToolTip::text(), tip);
        slider.setSliderDown(false);
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
