#include "app/TimeSlider.h"
#include "app/frmMain.h"
#include "fakes/MainWindowRig.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
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
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Picture buttons show an icon and no caption; a missing icon file shows as an empty button.
    void pictureButtonsHaveIcons()
    {
        Rig rig;
        for (const QToolButton* button : rig.client()->findChildren<QToolButton*>()) {
            const QString name = button->objectName();
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

    void exitClosesTheWindowAndThePlayer()
    {
        Rig rig;
        rig.window.show();
        rig.control<QAction>("mnuExit")->trigger();
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(rig.player.calls, QStringList{"Close()"});
    }

    // Marks belong to the practice session, not to one movie: opening another keeps them.
    void marksStayWhenAnotherMovieOpens()
    {
        Rig rig;
        rig.player.movies.insert("/movies/first.mp4", 100);
        rig.player.movies.insert("/movies/second.mp4", 50);
        rig.window.startUp({"reelquill", "/movies/first.mp4"});
        rig.player.reportPosition(75.5);
        QVERIFY(rig.run("cmdAddMark"));
        rig.desktop.fileAnswers << "/movies/second.mp4";
        QVERIFY(rig.run("cmdOpen"));
        QCOMPARE(rig.player.FileName(), "/movies/second.mp4");
        const QListWidget* marks = rig.control<QListWidget>("lstMark");
        QCOMPARE(marks->count(), 1);
        QCOMPARE(marks->item(0)->text(), "0:01:15");
        QVERIFY(!marks->isHidden());
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
